#include "app/ContentView.h"

#include "access/UserEnvironment.h"
#include "actions/AppActions.h"
#include "actions/BackgroundTask.h"
#include "actions/BackupActions.h"
#include "actions/BackupImport.h"
#include "actions/FolderWatch.h"
#include "actions/HubActions.h"
#include "actions/HubAudit.h"
#include "actions/ProjectRestore.h"
#include "actions/SkillInstall.h"
#include "actions/SkillUpdates.h"
#include "actions/StoreWatch.h"
#include "actions/Workspace.h"
#include "app/WindowCommands.h"
#include "backup/BackupService.h"
#include "model/TargetApp.h"
#include "store/SkillStoreService.h"
#include "texts/OutcomeTexts.h"
#include "ui/AddProjectSheet.h"
#include "ui/AddTargetAppSheet.h"
#include "ui/CentralHubListView.h"
#include "ui/FolderPrompts.h"
#include "ui/HealthView.h"
#include "ui/InstallReport.h"
#include "ui/PlaceholderView.h"
#include "ui/PlanSheet.h"
#include "ui/SidebarView.h"
#include "ui/SkillDetailView.h"
#include "ui/SourcesDialog.h"
#include "ui/StoreViews.h"
#include "ui/SymbolIcons.h"
#include "ui/TargetAppViews.h"
#include "ui/TaskStrip.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QSplitter>
#include <QStackedWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

ContentView::ContentView(Workspace& workspace, SkillStoreService& store, DesktopServices desktop,
                         QWidget* parent)
    : QWidget(parent)
    , m_workspace(workspace)
    , m_store(store)
    , m_desktop(desktop)
    , m_updates(new SkillUpdates(workspace, store.source()))
    , m_audit(new HubAudit(workspace))
    , m_folderWatch(new FolderWatch(workspace, this))
    , m_storeWatch(new StoreWatch(workspace, this))
    , m_sidebar(new SidebarView)
    , m_content(new QStackedWidget)
    , m_contentPlaceholder(new PlaceholderView)
    , m_hubList(new CentralHubListView(workspace, desktop, *m_updates, *m_audit))
    , m_storeList(new SkillStoreListView(store, desktop))
    , m_appSkillsList(new TargetAppSkillsListView(workspace, desktop))
    , m_health(new HealthView(workspace, desktop))
    , m_detail(new QStackedWidget)
    , m_detailPlaceholder(new PlaceholderView)
    , m_emptyDetail(new QWidget)
    , m_taskStrip(new TaskStrip)
    , m_commands(new WindowCommands(workspace, desktop, *m_taskStrip, *this))
{
    setObjectName(u"mainWindow"_s);
    setWindowTitle(u"Quorvane"_s);
    m_content->setObjectName(u"contentColumn"_s);
    m_contentPlaceholder->setObjectName(u"contentPlaceholder"_s);
    m_detail->setObjectName(u"detailColumn"_s);
    m_detailPlaceholder->setObjectName(u"detailPlaceholder"_s);
    m_emptyDetail->setObjectName(u"emptyDetail"_s);

    for (QWidget* page : std::initializer_list<QWidget*>{m_contentPlaceholder, m_hubList, m_storeList,
                                                         m_appSkillsList, m_health})
        m_content->addWidget(page);
    m_detail->addWidget(m_detailPlaceholder);
    m_detail->addWidget(m_emptyDetail);

    m_columns = new QSplitter(Qt::Horizontal, this);
    m_columns->setObjectName(u"columns"_s);
    m_columns->addWidget(makeSidebarColumn());
    m_columns->addWidget(m_content);
    m_columns->addWidget(m_detail);
    m_columns->setStretchFactor(0, 0);
    m_columns->setStretchFactor(1, 1);
    m_columns->setStretchFactor(2, 2);
    m_columns->setSizes({260, 340, 500});
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_columns);
    layout->addWidget(m_taskStrip);
    resize(1100, 700);
    // A backup must not start while another one is under way, between its steps as well.
    connect(m_taskStrip, &TaskStrip::busyChanged, this, [this](bool busy) {
        m_commands->setBusy(busy);
        m_appSkillsList->setActionsEnabled(!busy);
    });
    connect(m_sidebar, &SidebarView::addProjectRequested, m_commands, &WindowCommands::addProject);
    connect(m_health, &HealthView::appsWithErrorsChanged, m_sidebar, &SidebarView::setAppsWithErrors);
    connect(m_health, &HealthView::taskStarted, m_taskStrip,
            [this](BackgroundTask* task) { m_taskStrip->follow(*task); });
    connect(m_appSkillsList, &TargetAppSkillsListView::restoreProjectRequested, m_commands,
            &WindowCommands::restoreProject);
    connect(m_appSkillsList, &TargetAppSkillsListView::taskStarted, m_taskStrip,
            [this](BackgroundTask* task) { m_taskStrip->follow(*task); });
    m_sidebar->setSelection(m_selection);

    connect(m_sidebar, &SidebarView::selectionChanged, this, &ContentView::setSelection);
    connect(m_hubList, &CentralHubListView::selectedSkillChanged, this,
            [this](const std::optional<Skill>& skill) {
                m_selectedSkill = skill;
                m_folderWatch->watchHubItem(skill ? skill->path : QString());
                showSelectedSkill();
                updateColumns();
            });
    connect(m_appSkillsList, &TargetAppSkillsListView::selectedItemChanged, this,
            [this](const std::optional<TargetAppSkill>& item) {
                m_selectedTargetSkill = item;
                showSelectedTargetSkill();
                updateColumns();
            });
    connect(m_storeList, &SkillStoreListView::sourcesRequested, this, [this] {
        auto* dialog = new SourcesDialog(m_workspace, m_store, this);
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        dialog->open();
    });
    connect(m_storeList, &SkillStoreListView::selectedSkillChanged, this,
            [this](const std::optional<RemoteSkillItem>& skill) {
                m_selectedStoreSkill = skill;
                showSelectedStoreSkill();
                updateColumns();
            });
    connect(m_sidebar, &SidebarView::renameRequested, this, [this](const QUuid& appID) {
        if (const TargetApp* app = m_workspace.app(appID))
            m_sidebar->startRenaming(appID, app->name());
    });
    // Queued: the rename field that sent it goes away when the rename finishes.
    connect(
        m_sidebar, &SidebarView::renameCommitted, this,
        [this](const QUuid& appID, const QString& text) {
            m_sidebar->finishRenaming();
            m_commands->renameApp(appID, text);
        },
        Qt::QueuedConnection);
    connect(m_sidebar, &SidebarView::revealRequested, m_commands, &WindowCommands::revealApp);
    connect(m_sidebar, &SidebarView::renewAccessRequested, this, [this](const QUuid& appID) {
        if (m_commands->renewAppAccess(appID) && m_selection == SidebarSelection::app(appID))
            m_appSkillsList->setSelectedItem(std::nullopt); // the app's detail pane starts over
    });
    connect(m_sidebar, &SidebarView::deleteRequested, m_commands, &WindowCommands::deleteApps);
    connect(&m_workspace.changes(), &ChangeFeed::appsChanged, this, &ContentView::reloadTargetApps);
    // The hub may have moved; watching an unchanged folder again costs nothing.
    connect(&m_workspace.changes(), &ChangeFeed::hubItemsChanged, m_folderWatch, &FolderWatch::watchHub);
    reloadTargetApps();
}

QWidget* ContentView::makeSidebarColumn()
{
    auto* toolbar = new QToolBar;
    toolbar->setObjectName(u"sidebarToolbar"_s);
    toolbar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    auto* backupButton = new QToolButton;
    backupButton->setObjectName(u"backupMenuButton"_s);
    backupButton->setText(tr("Backup"));
    backupButton->setIcon(symbolIcon(u"arrow.down.doc"_s));
    backupButton->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    backupButton->setPopupMode(QToolButton::InstantPopup);
    auto* backupMenu = new QMenu(backupButton);
    backupMenu->setObjectName(u"backupMenu"_s);
    backupMenu->addAction(m_commands->exportBackupAction());
    backupMenu->addAction(m_commands->importBackupAction());
    backupMenu->addSeparator();
    backupMenu->addAction(m_commands->adoptSkillsAction());
    // The menu is not always shown; the window carries the actions so their keys always work.
    addAction(m_commands->exportBackupAction());
    addAction(m_commands->quitAction());
    backupButton->setMenu(backupMenu);
    toolbar->addWidget(backupButton);
    toolbar->addAction(m_commands->addAppAction());

    auto* column = new QWidget;
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(6, 0, 0, 6);
    column->setMinimumWidth(toolbar->sizeHint().width() + 12);
    layout->addWidget(toolbar);
    layout->addWidget(m_sidebar);
    return column;
}

bool ContentView::offerAdoption()
{
    return m_commands->adoptSkills(true);
}

void ContentView::reloadTargetApps()
{
    m_targetApps = m_workspace.apps();
    m_sidebar->setTargetApps(m_targetApps, m_workspace.platform().user.homeFolder());
    updateColumns();
}

QByteArray ContentView::columnsState() const
{
    return m_columns->saveState();
}

bool ContentView::restoreColumns(const QByteArray& state)
{
    return m_columns->restoreState(state);
}

void ContentView::showSection(const SidebarSelection& section)
{
    const bool appExists = section.kind != SidebarSelection::Kind::app || m_workspace.app(section.appID);
    setSelection(appExists ? section : SidebarSelection::centralHub());
}

void ContentView::setSelection(const std::optional<SidebarSelection>& selection)
{
    // Coming back to a list starts with an empty search field; the store keeps its hits.
    if (selection != m_selection && selection == SidebarSelection::centralHub())
        m_hubList->clearSearch();
    if (selection != m_selection && selection == SidebarSelection::discoverStore()) {
        m_storeList->clearSearchKeepingResults();
        m_store.refreshSources(true);
    }
    m_selection = selection;
    m_sidebar->setSelection(selection);
    updateColumns();
}

const TargetApp* ContentView::selectedApp() const
{
    if (!m_selection || m_selection->kind != SidebarSelection::Kind::app)
        return nullptr;
    const auto found = std::find_if(m_targetApps.cbegin(), m_targetApps.cend(),
                                    [&](const TargetApp* app) { return app->id() == m_selection->appID; });
    return found == m_targetApps.cend() ? nullptr : *found;
}

void ContentView::updateColumns()
{
    const TargetApp* app = selectedApp();
    updateContentColumn(app);
    updateDetailColumn(app);
}

void ContentView::updateContentColumn(const TargetApp* app)
{
    // One folder is never watched twice: the page of every app lets go of them before one app's
    // page takes its own. A hub item's detail shows where it is linked in every app, so it
    // watches them all too.
    const bool everyApp =
        m_selection &&
        (m_selection->kind == SidebarSelection::Kind::health ||
         (m_selection->kind == SidebarSelection::Kind::centralHub && m_selectedSkill.has_value()));
    if (!everyApp)
        m_folderWatch->watchEveryTargetFolder(false);
    m_folderWatch->watchTargetFolder(
        m_selection && m_selection->kind == SidebarSelection::Kind::app ? app : nullptr);
    if (everyApp)
        m_folderWatch->watchEveryTargetFolder(true);
    if (!m_selection) {
        m_contentPlaceholder->show(tr("Choose a Section"), u"sidebar.left"_s,
                                   tr("Choose a section in the sidebar."));
        m_content->setCurrentWidget(m_contentPlaceholder);
        return;
    }
    switch (m_selection->kind) {
    case SidebarSelection::Kind::discoverStore:
        m_content->setCurrentWidget(m_storeList);
        return;
    case SidebarSelection::Kind::centralHub:
        m_content->setCurrentWidget(m_hubList);
        return;
    case SidebarSelection::Kind::health:
        m_content->setCurrentWidget(m_health);
        return;
    case SidebarSelection::Kind::app:
        if (app) {
            m_appSkillsList->setTargetApp(const_cast<TargetApp*>(app));
            m_content->setCurrentWidget(m_appSkillsList);
        } else {
            m_contentPlaceholder->show(tr("App Not Found"), u"exclamationmark.triangle"_s,
                                       tr("The selected app is no longer available."));
            m_content->setCurrentWidget(m_contentPlaceholder);
        }
        return;
    }
}

void ContentView::updateDetailColumn(const TargetApp* app)
{
    const auto showPlaceholder = [this](const QString& title, const QString& symbol, const QString& text) {
        m_detailPlaceholder->show(title, symbol, text);
        m_detail->setCurrentWidget(m_detailPlaceholder);
    };
    if (!m_selection) {
        m_detail->setCurrentWidget(m_emptyDetail);
        return;
    }
    switch (m_selection->kind) {
    case SidebarSelection::Kind::discoverStore:
        if (m_selectedStoreSkill && m_storeSkillDetail)
            m_detail->setCurrentWidget(m_storeSkillDetail);
        else
            showPlaceholder(tr("Skill Store"), u"magnifyingglass"_s,
                            tr("Choose a skill from the store to see its details."));
        return;
    case SidebarSelection::Kind::app:
        if (!app)
            showPlaceholder(tr("App Not Found"), u"exclamationmark.triangle"_s,
                            tr("The selected app is no longer available."));
        else if (m_selectedTargetSkill && m_targetSkillDetail)
            m_detail->setCurrentWidget(m_targetSkillDetail);
        else
            showPlaceholder(tr("App Skill"), u"magnifyingglass"_s, tr("Choose a file in the app's folder."));
        return;
    case SidebarSelection::Kind::health:
        showPlaceholder(tr("State of the Apps"), u"doc.text.magnifyingglass"_s,
                        tr("Each row names a problem; choose one to see what can be done about it. “Fix…” "
                           "shows what can be fixed safely."));
        return;
    case SidebarSelection::Kind::centralHub:
        if (m_selectedSkill && m_skillDetail) {
            m_detail->setCurrentWidget(m_skillDetail);
        } else {
            showPlaceholder(tr("Skill Preview"), u"doc.text.magnifyingglass"_s,
                            tr("Choose a skill for more details."));
        }
        return;
    }
}

void ContentView::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (m_wasShown)
        return;
    m_wasShown = true;
    // The first frame does not wait for the hub: it is read in the background.
    m_workspace.hubSettings().load();
    HubActions(m_workspace).rescanInBackground();
}

void ContentView::applicationStateChanged(Qt::ApplicationState state)
{
    if (!m_wasShown)
        return;
    if (state != Qt::ApplicationActive) {
        m_wasInactiveSinceShown = true;
        return;
    }
    // The first activation right after start is not a return to the program.
    if (!std::exchange(m_wasInactiveSinceShown, false))
        return;
    // Another program (the command-line tool, a file manager) may have changed things meanwhile.
    HubActions(m_workspace).takeOutsideChanges();
}

// Detail pages show the item as it was when it was selected, so each selection gets a new one.
void ContentView::replaceDetailPage(QWidget*& page, QWidget* replacement)
{
    if (page) {
        m_detail->removeWidget(page);
        page->deleteLater();
    }
    page = replacement;
    if (page)
        m_detail->addWidget(page);
}

void ContentView::showSelectedSkill()
{
    replaceDetailPage(m_skillDetail, m_selectedSkill ? new SkillDetailView(*m_selectedSkill, m_workspace,
                                                                           m_desktop, *m_updates, *m_audit)
                                                     : nullptr);
}

void ContentView::showSelectedTargetSkill()
{
    TargetSkillDetailView* detail = nullptr;
    if (m_selectedTargetSkill) {
        detail = new TargetSkillDetailView(*m_selectedTargetSkill, m_desktop);
        connect(detail, &TargetSkillDetailView::remedyRequested, this,
                [this, item = *m_selectedTargetSkill](EntryRemedy remedy) {
                    m_appSkillsList->applyRemedy(item, remedy);
                });
    }
    replaceDetailPage(m_targetSkillDetail, detail);
}

void ContentView::showSelectedStoreSkill()
{
    SkillStoreDetailView* detail = nullptr;
    if (m_selectedStoreSkill) {
        detail = new SkillStoreDetailView(*m_selectedStoreSkill, m_store, m_workspace, m_desktop);
        // The window tells how an install ended, even after the user moved on to another hit.
        connect(detail, &SkillStoreDetailView::installStarted, this,
                [this, hit = *m_selectedStoreSkill](SkillInstall* install) {
                    reportInstall(install, this, m_desktop, tr("Skill Store"),
                                  [this, hit](bool replaceChanged) {
                                      InstallOptions options;
                                      options.replaceChanged = replaceChanged;
                                      options.consent = riskQuestion(m_desktop.alerts, RiskStep::installing);
                                      return SkillInstall::start(m_workspace, m_store.source(), hit, options);
                                  });
                });
    }
    replaceDetailPage(m_storeSkillDetail, detail);
}

void ContentView::setFetchAccess(const FetchAccess& access)
{
    m_commands->setFetchAccess(access);
}
