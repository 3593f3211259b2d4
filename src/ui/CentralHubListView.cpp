#include "ui/CentralHubListView.h"

#include "actions/HubActions.h"
#include "actions/HubAudit.h"
#include "actions/LinkActions.h"
#include "actions/SkillUpdates.h"
#include "actions/Workspace.h"
#include "linker/HubCatalog.h"
#include "texts/OutcomeTexts.h"
#include "ui/DeleteAction.h"
#include "ui/FolderPrompts.h"
#include "ui/HubSkillListModel.h"
#include "ui/Shortcuts.h"
#include "ui/SymbolIcons.h"
#include "ui/TextStyles.h"

#include <QAction>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

CentralHubListView::CentralHubListView(Workspace& workspace, DesktopServices desktop, SkillUpdates& updates,
                                       const HubAudit& audit, QWidget* parent)
    : QWidget(parent)
    , m_workspace(workspace)
    , m_desktop(desktop)
    , m_updates(updates)
    , m_audit(audit)
    , m_search(new QLineEdit(this))
    , m_pages(new QStackedWidget(this))
    , m_model(new HubSkillListModel(this))
    , m_list(new QListView(this))
    , m_chooseHub(new QPushButton(tr("Choose Central Folder"), this))
    , m_emptyHub(new QLabel(tr("No skills found in the central folder."), this))
{
    QLabel* title = TextStyles::title(tr("Central Hub"));
    auto* refreshAction = new QAction(symbolIcon(u"arrow.clockwise"_s), tr("Refresh"), this);
    refreshAction->setObjectName(u"refreshHubAction"_s);
    auto* refresh = new QToolButton(this);
    refresh->setObjectName(u"refreshHub"_s);
    refresh->setDefaultAction(refreshAction);
    auto* checkUpdates = new QToolButton(this);
    checkUpdates->setObjectName(u"checkUpdates"_s);
    checkUpdates->setIcon(symbolIcon(u"square.and.arrow.down"_s));
    checkUpdates->setText(tr("Check for Updates"));
    checkUpdates->setToolTip(tr("Check for Updates"));
    checkUpdates->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    auto* header = new QHBoxLayout;
    header->addWidget(title, 1);
    header->addWidget(checkUpdates);
    header->addWidget(refresh);

    m_deleteAction = addDeleteAction(*this, u"deleteHubItemAction"_s, [this] {
        if (m_selectedSkill)
            confirmAndDelete(*m_selectedSkill);
    });

    m_search->setObjectName(u"hubSearch"_s);
    m_search->setPlaceholderText(tr("Search skills..."));
    m_search->setAccessibleName(tr("Search skills in the hub"));
    Shortcuts::addFindAction(*this, *m_search);
    Shortcuts::giveRefreshKey(*refreshAction);
    m_search->setClearButtonEnabled(true);
    m_list->setObjectName(u"hubList"_s);
    m_list->setAccessibleName(tr("Skills in the hub"));
    m_list->setModel(m_model);
    // Every row has the same height, so thousands of rows lay out at once.
    m_list->setUniformItemSizes(true);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    m_list->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_chooseHub->setObjectName(u"chooseHub"_s);
    m_emptyHub->setObjectName(u"emptyHub"_s);
    m_emptyHub->setForegroundRole(QPalette::PlaceholderText);
    m_emptyHub->setAlignment(Qt::AlignCenter);
    auto* choosePage = new QWidget(this);
    auto* chooseLayout = new QVBoxLayout(choosePage);
    chooseLayout->addWidget(m_chooseHub, 0, Qt::AlignHCenter | Qt::AlignTop);
    m_pages->addWidget(m_list);
    m_pages->addWidget(choosePage);
    m_pages->addWidget(m_emptyHub);
    m_pages->addWidget(makeLoadingPage());

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(header);
    layout->addWidget(m_search);
    layout->addWidget(m_pages);

    connect(refreshAction, &QAction::triggered, this,
            [this] { HubActions(m_workspace).rescanInBackground(); });
    connect(checkUpdates, &QToolButton::clicked, this, &CentralHubListView::checkForUpdates);
    connect(&m_updates, &SkillUpdates::checkingChanged, checkUpdates,
            [this, checkUpdates] { checkUpdates->setEnabled(!m_updates.isChecking()); });
    connect(&m_updates, &SkillUpdates::statusesChanged, this, &CentralHubListView::reload);
    connect(&m_audit, &HubAudit::changed, this, &CentralHubListView::reload);
    connect(m_chooseHub, &QPushButton::clicked, this,
            [this] { FolderPrompts(m_workspace, m_desktop).chooseHub(); });
    connect(m_search, &QLineEdit::textChanged, this, &CentralHubListView::reload);
    connect(&m_workspace.changes(), &ChangeFeed::hubItemsChanged, this, &CentralHubListView::reload);
    connect(m_list->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CentralHubListView::takeSelectionFromList);
    connect(m_list, &QListView::customContextMenuRequested, this, &CentralHubListView::showContextMenu);
    reload();
}

QWidget* CentralHubListView::makeLoadingPage()
{
    auto* page = new QWidget(this);
    page->setObjectName(u"hubLoading"_s);
    auto* layout = new QVBoxLayout(page);
    auto* bar = new QProgressBar(page);
    bar->setRange(0, 0);
    bar->setMaximumWidth(200);
    bar->setTextVisible(false);
    QLabel* text = TextStyles::secondary(tr("Loading …"));
    layout->addStretch();
    layout->addWidget(bar, 0, Qt::AlignHCenter);
    layout->addWidget(text);
    layout->addStretch();
    return page;
}

void CentralHubListView::clearSearch()
{
    m_search->clear();
}

void CentralHubListView::setSelectedSkill(const std::optional<Skill>& skill)
{
    if (m_selectedSkill == skill)
        return;
    m_selectedSkill = skill;
    reload();
    Q_EMIT selectedSkillChanged(m_selectedSkill);
}

QList<Skill> CentralHubListView::visibleSkills() const
{
    const QString search = m_search->text();
    if (search.isEmpty())
        return m_workspace.hubCatalog().availableSkills();
    QList<Skill> matching;
    for (const Skill& skill : m_workspace.hubCatalog().availableSkills()) {
        if (skill.name.contains(search, Qt::CaseInsensitive))
            matching.append(skill);
    }
    return matching;
}

void CentralHubListView::reload()
{
    // The empty states follow the whole hub, never the search; a hub being read for the
    // first time is not empty yet.
    const HubCatalog& catalog = m_workspace.hubCatalog();
    if (!catalog.availableSkills().isEmpty())
        m_pages->setCurrentWidget(m_list);
    else if (catalog.isScanning())
        m_pages->setCurrentIndex(3);
    else
        m_pages->setCurrentIndex(m_workspace.hubSettings().hasValidCentralHub() ? 2 : 1);

    {
        const QSignalBlocker blocker(m_list->selectionModel());
        QSet<QString> withUpdate;
        QSet<QString> withRisk;
        for (const Skill& skill : m_workspace.hubCatalog().availableSkills()) {
            if (const auto status = m_updates.status(skill.fileName());
                status && status->state == UpdateState::updateAvailable)
                withUpdate.insert(skill.fileName());
            if (const AuditReport* report = m_audit.report(skill.fileName()); report && report->hasOpenHigh())
                withRisk.insert(skill.fileName());
        }
        m_model->setSkills(visibleSkills(), withUpdate, withRisk);
        if (m_selectedSkill) {
            if (const QModelIndex row = m_model->indexOf(m_selectedSkill->path); row.isValid())
                m_list->selectionModel()->select(row, QItemSelectionModel::ClearAndSelect);
        }
    }
    // The detail column shows the selected item as the hub holds it now, or nothing once it is gone.
    if (m_selectedSkill) {
        const auto current = m_workspace.hubCatalog().itemNamed(m_selectedSkill->fileName());
        const std::optional<Skill> now =
            current && current->path == m_selectedSkill->path ? current : std::nullopt;
        if (now != m_selectedSkill) {
            m_selectedSkill = now;
            Q_EMIT selectedSkillChanged(m_selectedSkill);
        }
    }
}

void CentralHubListView::takeSelectionFromList()
{
    const QModelIndexList selected = m_list->selectionModel()->selectedIndexes();
    std::optional<Skill> skill;
    if (!selected.isEmpty())
        skill = m_model->skillAt(selected.constFirst());
    if (skill == m_selectedSkill)
        return;
    m_selectedSkill = skill;
    Q_EMIT selectedSkillChanged(m_selectedSkill);
}

void CentralHubListView::showContextMenu(const QPoint& position)
{
    const std::optional<Skill> clicked = m_model->skillAt(m_list->indexAt(position));
    if (!clicked)
        return;
    const Skill skill = *clicked;
    setSelectedSkill(skill);
    QMenu menu(this);
    menu.addAction(tr("Show in File Manager"), this, [this, skill] { m_desktop.reveal.reveal(skill.path); });
    menu.addSeparator();
    menu.addAction(m_deleteAction);
    menu.exec(m_list->viewport()->mapToGlobal(position));
}

void CentralHubListView::confirmAndDelete(const Skill& skill)
{
    if (!m_desktop.alerts.confirmDestructive(tr("Do you really want to delete '%1'?").arg(skill.name),
                                             tr("This action cannot be undone."), tr("Cancel"), tr("Delete")))
        return;
    LinkActions(m_workspace).removeHubItem(skill);
    if (m_selectedSkill && m_selectedSkill->path == skill.path)
        setSelectedSkill(std::nullopt);
}

void CentralHubListView::checkForUpdates()
{
    m_updates.check([this](const UpdateCheckResult& result) {
        QStringList withUpdate;
        QStringList changedHere;
        QStringList unknownOrigin;
        for (const SkillUpdateStatus& skill : result.skills) {
            if (skill.state == UpdateState::updateAvailable)
                withUpdate.append(skill.item);
            if (skill.state == UpdateState::modified)
                changedHere.append(skill.item);
            if (skill.state == UpdateState::unknown)
                unknownOrigin.append(skill.item);
        }
        const qsizetype checked = result.skills.size() - unknownOrigin.size();
        // "Up to date" only says something of what could be checked.
        QString text =
            checked == 0 && !result.skills.isEmpty() ? tr("No skill in the hub comes from a known source; "
                                                          "only installed skills can be checked for updates.")
            : !withUpdate.isEmpty() ? tr("Updates are available for: %1").arg(withUpdate.join(u", "_s))
            : changedHere.isEmpty() ? tr("All installed skills are up to date.")
                                    : tr("No updates found.");
        if (!unknownOrigin.isEmpty())
            text += u"\n\n"_s + tr("Checked: %1 of %2 skills. Without a known source, hence not checked: %3")
                                    .arg(checked)
                                    .arg(result.skills.size())
                                    .arg(unknownOrigin.join(u", "_s));
        if (!changedHere.isEmpty())
            text += u"\n\n"_s + tr("Changed here since installation: %1").arg(changedHere.join(u", "_s));
        if (!result.failures.isEmpty())
            text += u"\n\n"_s + tr("Not checked:") + u'\n' + OutcomeTexts::problems(result.failures);
        m_desktop.alerts.inform(tr("Check for Updates"), text,
                                result.failures.isEmpty() ? AlertStyle::informational : AlertStyle::critical);
    });
}
