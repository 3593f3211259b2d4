#include "ContentView.h"

#include "AddTargetAppSheet.h"
#include "CentralHubListView.h"
#include "DesktopServices.h"
#include "FileLinkerService.h"
#include "Log.h"
#include "ModelContext.h"
#include "NameOrder.h"
#include "PlaceholderView.h"
#include "SidebarView.h"
#include "SkillDetailView.h"
#include "SkillLinkRecord.h"
#include "SymbolIcons.h"
#include "TargetApp.h"
#include "TargetAppViews.h"
#include "UserEnvironment.h"

#include <QLabel>
#include <QMenu>
#include <QSplitter>
#include <QStackedWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

ContentView::ContentView(FileLinkerService& linker, ModelContext& modelContext, PlatformServices platform,
                         StoreEndpoints storeEndpoints, QWidget* parent)
    : QWidget(parent)
    , m_linker(linker)
    , m_modelContext(modelContext)
    , m_platform(platform)
    , m_backup(platform)
    , m_storeService(std::move(storeEndpoints))
    , m_sidebar(new SidebarView)
    , m_content(new QStackedWidget)
    , m_contentPlaceholder(new PlaceholderView)
    , m_hubList(new CentralHubListView(linker, platform))
    , m_storeList(new SkillStoreListView(m_storeService, platform))
    , m_appSkillsList(new TargetAppSkillsListView(linker, platform))
    , m_detail(new QStackedWidget)
    , m_detailPlaceholder(new PlaceholderView)
    , m_emptyDetail(new QWidget)
{
    setWindowTitle(u"Quorvane"_s);
    m_content->setObjectName(u"contentColumn"_s);
    m_contentPlaceholder->setObjectName(u"contentPlaceholder"_s);
    m_detail->setObjectName(u"detailColumn"_s);
    m_detailPlaceholder->setObjectName(u"detailPlaceholder"_s);
    m_emptyDetail->setObjectName(u"emptyDetail"_s);

    for (QWidget* page :
         std::initializer_list<QWidget*>{m_contentPlaceholder, m_hubList, m_storeList, m_appSkillsList})
        m_content->addWidget(page);
    m_detail->addWidget(m_detailPlaceholder);
    m_detail->addWidget(m_emptyDetail);

    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->addWidget(makeSidebarColumn());
    splitter->addWidget(m_content);
    splitter->addWidget(m_detail);
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    splitter->setStretchFactor(2, 2);
    splitter->setSizes({300, 330, 470});
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(splitter);
    resize(1100, 680);
    m_sidebar->setSelection(m_selection);

    connect(m_sidebar, &SidebarView::selectionChanged, this, &ContentView::setSelection);
    connect(m_hubList, &CentralHubListView::selectedSkillChanged, this,
            [this](const std::optional<Skill>& skill) {
                m_selectedSkill = skill;
                showSelectedSkill();
                updateColumns();
            });
    connect(m_appSkillsList, &TargetAppSkillsListView::selectedItemChanged, this,
            [this](const std::optional<TargetAppSkill>& item) {
                m_selectedTargetSkill = item;
                showSelectedTargetSkill();
                updateColumns();
            });
    connect(m_storeList, &SkillStoreListView::selectedSkillChanged, this,
            [this](const std::optional<RemoteSkillItem>& skill) {
                m_selectedStoreSkill = skill;
                showSelectedStoreSkill();
                updateColumns();
            });
    connect(m_sidebar, &SidebarView::renameRequested, this, &ContentView::startRenamingApp);
    // Queued: the rename field that sent it goes away when the rename finishes.
    connect(m_sidebar, &SidebarView::renameCommitted, this, &ContentView::commitRenamingApp,
            Qt::QueuedConnection);
    connect(m_sidebar, &SidebarView::revealRequested, this, &ContentView::revealApp);
    connect(m_sidebar, &SidebarView::renewAccessRequested, this, &ContentView::renewAppAccess);
    connect(m_sidebar, &SidebarView::deleteRequested, this, &ContentView::deleteApps);
    connect(&m_modelContext, &ModelContext::recordsChanged, this, [this](RecordType type) {
        if (type == RecordType::targetApp)
            reloadTargetApps();
    });
    reloadTargetApps();
}

QWidget* ContentView::makeSidebarColumn()
{
    auto* toolbar = new QToolBar;
    toolbar->setObjectName(u"sidebarToolbar"_s);
    toolbar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    auto* backupButton = new QToolButton;
    backupButton->setObjectName(u"backupMenuButton"_s);
    backupButton->setText(u"Backup"_s);
    backupButton->setIcon(symbolIcon(u"arrow.down.doc"_s));
    backupButton->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    backupButton->setPopupMode(QToolButton::InstantPopup);
    auto* backupMenu = new QMenu(backupButton);
    backupMenu->setObjectName(u"backupMenu"_s);
    backupMenu->addAction(u"Backup exportieren"_s, this,
                          [this] { m_backup.exportBackup(m_modelContext, m_linker); });
    backupMenu->addAction(u"Backup wiederherstellen"_s, this,
                          [this] { m_backup.importBackup(m_modelContext, m_linker); });
    backupButton->setMenu(backupMenu);
    toolbar->addWidget(backupButton);
    QAction* addApp = toolbar->addAction(symbolIcon(u"plus"_s), u"App hinzufügen"_s);
    addApp->setObjectName(u"addAppAction"_s);
    connect(addApp, &QAction::triggered, this, &ContentView::showAddAppSheet);

    auto* column = new QWidget;
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(6, 0, 0, 6);
    column->setMinimumWidth(toolbar->sizeHint().width() + 12);
    layout->addWidget(toolbar);
    layout->addWidget(m_sidebar);
    return column;
}

void ContentView::reloadTargetApps()
{
    m_targetApps = TargetApp::sortedByName(m_modelContext.records<TargetApp>());
    m_sidebar->setTargetApps(m_targetApps);
    updateColumns();
}

void ContentView::setSelection(const std::optional<SidebarSelection>& selection)
{
    // Coming back to a list starts with an empty search field; the store keeps its hits.
    if (selection != m_selection && selection == SidebarSelection::centralHub())
        m_hubList->clearSearch();
    if (selection != m_selection && selection == SidebarSelection::discoverStore())
        m_storeList->clearSearchKeepingResults();
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
    if (!m_selection) {
        m_contentPlaceholder->show(u"Bereich wählen"_s, u"sidebar.left"_s,
                                   u"Wähle einen Bereich in der Seitenleiste."_s);
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
    case SidebarSelection::Kind::app:
        if (app) {
            m_appSkillsList->setTargetApp(const_cast<TargetApp*>(app));
            m_content->setCurrentWidget(m_appSkillsList);
        } else {
            m_contentPlaceholder->show(u"App nicht gefunden"_s, u"exclamationmark.triangle"_s,
                                       u"Die ausgewählte App ist nicht mehr verfügbar."_s);
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
            showPlaceholder(u"Skill Store"_s, u"magnifyingglass"_s,
                            u"Wähle einen Skill aus dem Store, um Details zu sehen."_s);
        return;
    case SidebarSelection::Kind::app:
        if (!app)
            showPlaceholder(u"App nicht gefunden"_s, u"exclamationmark.triangle"_s,
                            u"Die ausgewählte App ist nicht mehr verfügbar."_s);
        else if (m_selectedTargetSkill && m_targetSkillDetail)
            m_detail->setCurrentWidget(m_targetSkillDetail);
        else
            showPlaceholder(u"App Skill"_s, u"magnifyingglass"_s, u"Wähle eine Datei im Ordner der App."_s);
        return;
    case SidebarSelection::Kind::centralHub:
        if (m_selectedSkill && m_skillDetail) {
            m_detail->setCurrentWidget(m_skillDetail);
        } else {
            showPlaceholder(u"Skill Vorschau"_s, u"doc.text.magnifyingglass"_s,
                            u"Wähle einen Skill für weitere Details."_s);
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
    m_linker.setModelContext(&m_modelContext);
    m_linker.loadSettings();
    m_linker.scanCentralRepository();
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
    // Another process (the command-line tool) may have changed the records meanwhile.
    if (Outcome refreshed = m_modelContext.refresh(); !refreshed)
        Log::line(u"Failed to refresh the store: "_s + refreshed.error().description);
    m_linker.loadSettings();
    m_linker.scanCentralRepository();
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
    replaceDetailPage(m_skillDetail, m_selectedSkill ? new SkillDetailView(*m_selectedSkill, m_linker,
                                                                           m_modelContext, m_platform)
                                                     : nullptr);
}

void ContentView::showSelectedTargetSkill()
{
    replaceDetailPage(m_targetSkillDetail,
                      m_selectedTargetSkill
                          ? new TargetSkillDetailView(*m_selectedTargetSkill, m_linker, m_platform)
                          : nullptr);
}

void ContentView::showSelectedStoreSkill()
{
    replaceDetailPage(m_storeSkillDetail, m_selectedStoreSkill
                                              ? new SkillStoreDetailView(*m_selectedStoreSkill,
                                                                         m_storeService, m_linker, m_platform)
                                              : nullptr);
}

TargetApp* ContentView::appWithID(const QUuid& appID) const
{
    const auto found = std::find_if(m_targetApps.cbegin(), m_targetApps.cend(),
                                    [&](const TargetApp* app) { return app->id() == appID; });
    return found == m_targetApps.cend() ? nullptr : *found;
}

void ContentView::showAddAppSheet()
{
    AddTargetAppSheet sheet(m_modelContext, m_platform, this);
    sheet.exec();
}

void ContentView::startRenamingApp(const QUuid& appID)
{
    if (const TargetApp* app = appWithID(appID))
        m_sidebar->startRenaming(appID, app->name());
}

void ContentView::commitRenamingApp(const QUuid& appID, const QString& text)
{
    const QString name = text.trimmed();
    TargetApp* app = appWithID(appID);
    m_sidebar->finishRenaming();
    if (!app || name.isEmpty())
        return;
    app->setName(name);
    if (const Outcome saved = m_modelContext.save(); !saved)
        Log::line(u"Failed to rename app: "_s + saved.error().description);
}

void ContentView::revealApp(const QUuid& appID)
{
    const TargetApp* app = appWithID(appID);
    if (!app)
        return;
    m_platform.reveal.reveal(expandingTilde(app->folderPath(), m_platform.user));
}

void ContentView::renewAppAccess(const QUuid& appID)
{
    TargetApp* app = appWithID(appID);
    if (!app)
        return;
    bool hubWritable = m_linker.isCentralHubWritable() == true;
    if (!hubWritable) {
        m_linker.chooseCentralHub();
        hubWritable = m_linker.isCentralHubWritable() == true;
    }
    const bool appWritable = m_linker.renewAccess(*app, m_modelContext);
    if (hubWritable && appWritable) {
        if (m_selection == SidebarSelection::app(appID))
            m_appSkillsList->setSelectedItem(std::nullopt); // the app's detail pane starts over
        m_platform.alerts.inform(u"Zugriff erforderlich"_s, u"Zugriff erfolgreich erneuert."_s);
    } else {
        m_platform.alerts.inform(
            u"Zugriff erforderlich"_s,
            u"Autorisierung unvollständig. Bitte Hub und Zielordner im Dialog erneut auswählen."_s);
    }
}

void ContentView::deleteApps(const QList<QUuid>& appIDs)
{
    for (const QUuid& appID : appIDs) {
        if (TargetApp* app = appWithID(appID)) {
            m_linker.removeLinkRecords(appID);
            m_modelContext.remove(app);
        }
    }
    (void)m_modelContext.save(); // a failure keeps the removals pending; nothing to tell
}
