#include "ui/TargetAppViews.h"

#include "access/UserEnvironment.h"
#include "actions/Doctor.h"
#include "actions/ImportTask.h"
#include "actions/LinkActions.h"
#include "actions/PlacementPolicy.h"
#include "actions/PlanTask.h"
#include "actions/Workspace.h"
#include "model/AssistantPresets.h"
#include "model/TargetApp.h"
#include "texts/OutcomeTexts.h"
#include "ui/DeleteAction.h"
#include "ui/ElidedLabel.h"
#include "ui/InstallReport.h"
#include "ui/PlanReview.h"
#include "ui/PlanSheet.h"
#include "ui/Shortcuts.h"
#include "ui/SymbolIcons.h"
#include "ui/TextStyles.h"

#include <QAction>
#include <QComboBox>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QMenu>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

using TextStyles::coloured;
using TextStyles::secondary;

namespace {

QPushButton* tintedButton(const QString& text, const QColor& color)
{
    auto* button = new QPushButton(text);
    button->setStyleSheet(
        u"QPushButton { color: white; background: %1; border-radius: 4px; padding: 2px 8px; }"
        "QPushButton:disabled { background: palette(mid); }"_s.arg(color.name()));
    return button;
}

// A state in a rounded box of its own colour, faintly filled.
QLabel* badge(const QString& text, const QColor& color)
{
    QColor fill = color;
    fill.setAlpha(40);
    QLabel* label =
        coloured(text, color,
                 u"background: %1; border-radius: 4px; padding: 3px 8px;"_s.arg(fill.name(QColor::HexArgb)));
    label->setFont(TextStyles::scaled(label->font(), 0.85, true));
    return label;
}

} // namespace

QString TargetAppSkillsListView::policyText(const ProjectPolicy& policy)
{
    QStringList rules;
    if (policy.allowedSources)
        rules.append(policy.allowedSources->isEmpty()
                         ? tr("no source is allowed")
                         : tr("skills only from %1").arg(policy.allowedSources->join(u", "_s)));
    if (policy.minimumCommitAgeDays)
        rules.append(tr("commits at least %n day(s) old", nullptr, *policy.minimumCommitAgeDays));
    if (policy.auditMustPass)
        rules.append(tr("the audit must pass, with no risk accepted"));
    if (!policy.rules.isEmpty())
        rules.append(tr("the project's own audit rules in %1").arg(policy.rules));
    return rules.isEmpty() ? tr("The project's policy sets no rules.")
                           : tr("The project's policy: %1.").arg(rules.join(u"; "_s));
}

QString TargetAppSkillsListView::factsText(const AssistantPreset& preset)
{
    QStringList facts;
    const auto add = [&](const QString& fact, const QString& key) {
        const auto source = std::find_if(preset.sources.cbegin(), preset.sources.cend(),
                                         [&key](const PresetSource& known) { return known.fact == key; });
        facts.append(source == preset.sources.cend()
                         ? fact.toHtmlEscaped()
                         : u"%1 (<a href=\"%2\">%3</a>)"_s.arg(fact.toHtmlEscaped(),
                                                               source->url.toHtmlEscaped(), tr("source")));
    };
    add(tr("reads %1").arg(preset.folder), u"folder"_s);
    if (preset.followsLinks)
        add(*preset.followsLinks ? tr("follows links") : tr("does not follow links"), u"followsLinks"_s);
    if (preset.followsLinkedSkillFile == false)
        add(tr("does not load a SKILL.md that is a link"), u"followsLinkedSkillFile"_s);
    if (!preset.alsoReads.isEmpty()) {
        QStringList folders;
        for (const OtherSkillFolder& other : preset.alsoReads)
            folders.append(other.folder);
        add(tr("also reads %1").arg(folders.join(u", "_s)), u"alsoReads"_s);
    }
    if (preset.acceptedFrontmatter)
        add(tr("accepts only the frontmatter keys %1").arg(preset.acceptedFrontmatter->join(u", "_s)),
            u"acceptedFrontmatter"_s);
    if (preset.listingBudget)
        add(tr("lists up to %1 characters of names and descriptions")
                .arg(QLocale().toString(*preset.listingBudget)),
            u"listingBudget"_s);
    if (preset.dropsSkillsForLinkOutside == true)
        add(tr("drops every skill of a repository when a link leads out of it"),
            u"dropsSkillsForLinkOutside"_s);
    return u"<b>%1</b>: %2"_s.arg(OutcomeTexts::presetName(preset).toHtmlEscaped(), facts.join(u" · "_s));
}

TargetAppSkillsListView::TargetAppSkillsListView(Workspace& workspace, DesktopServices desktop,
                                                 QWidget* parent)
    : QWidget(parent)
    , m_workspace(workspace)
    , m_desktop(desktop)
    , m_title(new ElidedLabel(QString(), Qt::ElideRight, this)) // a long name must not widen the window
    , m_pages(new QStackedWidget(this))
    , m_list(new QListWidget(this))
    , m_linkAll(new QToolButton(this))
    , m_unlinkAll(new QToolButton(this))
    , m_sync(new QToolButton(this))
    , m_restoreProject(new QToolButton(this))
    , m_policy(secondary(QString()))
    , m_facts(secondary(QString()))
    , m_mode(new QComboBox(this))
{
    m_facts->setObjectName(u"assistantFacts"_s);
    m_facts->setTextFormat(Qt::RichText);
    m_facts->setOpenExternalLinks(true);
    m_facts->setWordWrap(true);
    m_title->setFont(TextStyles::scaled(m_title->font(), 1.3, true));
    m_title->setObjectName(u"appTitle"_s);
    auto* refreshAction = new QAction(symbolIcon(u"arrow.clockwise"_s), tr("Refresh"), this);
    refreshAction->setObjectName(u"refreshAppAction"_s);
    Shortcuts::giveRefreshKey(*refreshAction);
    auto* refresh = new QToolButton(this);
    refresh->setObjectName(u"refreshApp"_s);
    refresh->setDefaultAction(refreshAction);
    m_linkAll->setObjectName(u"linkAll"_s);
    m_linkAll->setText(tr("Link All…"));
    m_unlinkAll->setObjectName(u"unlinkAll"_s);
    m_unlinkAll->setText(tr("Remove All Links…"));
    m_sync->setObjectName(u"syncCopies"_s);
    m_sync->setText(tr("Update Copies…"));
    m_restoreProject->setObjectName(u"restoreProject"_s);
    m_restoreProject->setText(tr("Restore from quorvane-lock.json…"));
    m_restoreProject->setVisible(false); // for a project's app only
    m_mode->setObjectName(u"placementMode"_s);
    m_mode->addItem(tr("Link"), int(PlacementKind::link));
    m_mode->addItem(tr("Copy"), int(PlacementKind::copy));
    m_mode->setToolTip(tr("Placement: copies for assistants that do not follow links"));
    m_mode->setAccessibleName(tr("Placement"));
    m_mode->setAccessibleDescription(tr("Copies for assistants that do not follow links"));
    // The title on a line of its own: beside the buttons it would either widen the column or
    // be squeezed out of sight.
    auto* header = new QHBoxLayout;
    header->addWidget(m_linkAll);
    header->addWidget(m_unlinkAll);
    header->addStretch();
    header->addWidget(refresh);
    // The mode on a line of its own, so the column stays as narrow as before.
    auto* placement = new QHBoxLayout;
    QLabel* modeLabel = secondary(tr("Placement:"));
    modeLabel->setBuddy(m_mode);
    placement->addWidget(modeLabel);
    placement->addWidget(m_mode);
    placement->addWidget(m_sync);
    placement->addStretch();

    m_deleteAction = addDeleteAction(*this, u"deleteAppEntryAction"_s, [this] {
        if (m_selected)
            confirmAndDelete(*m_selected);
    });

    m_list->setObjectName(u"appItems"_s);
    m_list->setAccessibleName(tr("Entries in the app's folder"));
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    QLabel* empty = secondary(tr("This folder is still empty."));
    empty->setObjectName(u"emptyFolder"_s);
    m_pages->addWidget(m_list);
    m_pages->addWidget(empty);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_title);
    layout->addLayout(header);
    layout->addLayout(placement);
    // On a line of its own as well: beside the mode, it would widen the column.
    layout->addWidget(m_restoreProject, 0, Qt::AlignLeft);
    m_policy->setObjectName(u"projectPolicy"_s);
    m_policy->setWordWrap(true);
    m_policy->setAlignment(Qt::AlignLeft | Qt::AlignVCenter); // reads with the buttons above it
    m_policy->setVisible(false);
    layout->addWidget(m_policy);
    layout->addWidget(m_facts);
    layout->addWidget(m_pages);

    connect(refreshAction, &QAction::triggered, this, &TargetAppSkillsListView::reload);
    connect(m_linkAll, &QToolButton::clicked, this, [this] { changeAll(true); });
    connect(m_unlinkAll, &QToolButton::clicked, this, [this] { changeAll(false); });
    connect(m_sync, &QToolButton::clicked, this, &TargetAppSkillsListView::syncCopies);
    connect(m_restoreProject, &QToolButton::clicked, this, [this] {
        if (m_app && m_app->project())
            Q_EMIT restoreProjectRequested(*m_app->project());
    });
    connect(m_mode, &QComboBox::activated, this, &TargetAppSkillsListView::switchMode);
    const ChangeFeed& changes = m_workspace.changes();
    connect(&changes, &ChangeFeed::targetFolderChanged, this, [this](const QUuid& appID) {
        if (m_app && (appID.isNull() || appID == m_app->id()))
            reload();
    });
    connect(&changes, &ChangeFeed::appsChanged, this, &TargetAppSkillsListView::reload);
    connect(&changes, &ChangeFeed::hubItemsChanged, this, &TargetAppSkillsListView::reload);
    connect(m_list, &QListWidget::customContextMenuRequested, this,
            &TargetAppSkillsListView::showContextMenu);
    connect(m_list, &QListWidget::itemSelectionChanged, this, [this] {
        const QList<QListWidgetItem*> selected = m_list->selectedItems();
        std::optional<TargetAppSkill> item;
        if (!selected.isEmpty())
            item = m_items.value(m_list->row(selected.constFirst()));
        if (item == m_selected)
            return;
        m_selected = item;
        m_chosenPath = item ? std::optional(item->path) : std::nullopt;
        Q_EMIT selectedItemChanged(m_selected);
    });
}

void TargetAppSkillsListView::setTargetApp(TargetApp* app)
{
    if (m_app == app)
        return;
    m_app = app;
    reload();
}

void TargetAppSkillsListView::setActionsEnabled(bool enabled)
{
    m_actionsEnabled = enabled;
    m_deleteAction->setEnabled(enabled);
    m_linkAll->setEnabled(enabled);
    m_unlinkAll->setEnabled(enabled);
    m_sync->setEnabled(enabled);
    m_restoreProject->setEnabled(enabled);
    m_mode->setEnabled(enabled);
    reload();
}

void TargetAppSkillsListView::setSelectedItem(const std::optional<TargetAppSkill>& item)
{
    m_selected = item;
    m_chosenPath = item ? std::optional(item->path) : std::nullopt;
    reload();
    Q_EMIT selectedItemChanged(m_selected);
}

void TargetAppSkillsListView::reload()
{
    m_title->setText(m_app ? m_app->name() : QString());
    m_title->setToolTip(m_title->text());
    const PlacementKind mode = m_app ? m_app->placement() : PlacementKind::link;
    m_mode->setCurrentIndex(m_mode->findData(int(mode)));
    m_sync->setVisible(mode == PlacementKind::copy);
    m_restoreProject->setVisible(m_app && m_app->project());
    // Read each time: the file is the project's, changed by its repository, not by this window.
    const auto policy = m_app ? PlacementPolicy(*m_app).read()
                              : Result<std::optional<ProjectPolicy>, Problem>(std::optional<ProjectPolicy>());
    m_policy->setVisible(!policy || *policy);
    m_policy->setText(!policy   ? OutcomeTexts::problem(policy.error())
                      : *policy ? policyText(**policy)
                                : QString());
    const AssistantPreset* preset = m_app ? Doctor(m_workspace).presetOf(*m_app) : nullptr;
    m_facts->setVisible(preset);
    m_facts->setText(preset ? factsText(*preset) : QString());
    m_items = m_app ? m_workspace.targetListing().list(*m_app).value_or(QList<TargetAppSkill>())
                    : QList<TargetAppSkill>();
    m_pages->setCurrentIndex(m_items.isEmpty() ? 1 : 0);
    const QSignalBlocker blocker(m_list);
    m_list->clear();
    for (const TargetAppSkill& item : std::as_const(m_items)) {
        auto* row = new QListWidgetItem(m_list);
        row->setSizeHint(QSize(0, 34));
        m_list->setItemWidget(row, makeRow(item));
        row->setSelected(m_chosenPath == item.path);
    }
    // The detail column shows the selected entry as it is now, or nothing once it is gone.
    if (m_chosenPath) {
        const auto same = std::find_if(m_items.cbegin(), m_items.cend(), [this](const TargetAppSkill& item) {
            return item.path == *m_chosenPath;
        });
        const std::optional<TargetAppSkill> now =
            same == m_items.cend() ? std::nullopt : std::optional(*same);
        if (now != m_selected) {
            m_selected = now;
            Q_EMIT selectedItemChanged(m_selected);
        }
    }
}

QWidget* TargetAppSkillsListView::makeRow(const TargetAppSkill& item)
{
    auto* row = new QWidget;
    row->setObjectName(item.name);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(4, 2, 4, 2);
    auto* symbol = new QLabel;
    symbol->setPixmap((item.isSymlink
                           ? tintedSymbolIcon(u"link"_s, row->palette().color(QPalette::PlaceholderText))
                           : tintedSymbolIcon(u"doc.badge.plus"_s, SymbolColors::good))
                          .pixmap(18, 18));
    auto* name = new ElidedLabel(item.name);
    name->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    layout->addWidget(symbol);
    layout->addWidget(name, 1);

    QWidget* state = nullptr;
    switch (item.state) {
    case TargetItemState::repairable: {
        QPushButton* button = tintedButton(tr("Repair Link"), SymbolColors::warning);
        connect(
            button, &QPushButton::clicked, this, [this, item] { repair(item); }, Qt::QueuedConnection);
        state = button;
        break;
    }
    case TargetItemState::broken: {
        QLabel* label = coloured(tr("Broken Link"), SymbolColors::bad);
        label->setFont(TextStyles::scaled(label->font(), 0.85));
        state = label;
        break;
    }
    case TargetItemState::linked:
        state = badge(tr("Linked in Hub"), SymbolColors::good);
        break;
    case TargetItemState::copyCurrent:
        state = badge(tr("Copy Current"), SymbolColors::good);
        break;
    case TargetItemState::copyOutdated: {
        QPushButton* button = tintedButton(tr("Update Copy"), SymbolColors::warning);
        connect(
            button, &QPushButton::clicked, this, [this, item] { refreshCopy(item); }, Qt::QueuedConnection);
        state = button;
        break;
    }
    case TargetItemState::copyModified:
        state = badge(tr("Copy Changed Here"), SymbolColors::bad);
        break;
    case TargetItemState::externalLink:
    case TargetItemState::localItem: {
        QPushButton* button = tintedButton(tr("Import into Hub"), SymbolColors::good);
        connect(
            button, &QPushButton::clicked, this, [this, item] { import(item); }, Qt::QueuedConnection);
        state = button;
        break;
    }
    }
    state->setObjectName(u"itemState"_s);
    state->setEnabled(m_actionsEnabled);
    layout->addWidget(state);
    return row;
}

void TargetAppSkillsListView::repair(const TargetAppSkill& item)
{
    if (m_app)
        LinkActions(m_workspace).repairEntry(item, *m_app);
}

void TargetAppSkillsListView::refreshCopy(const TargetAppSkill& item)
{
    if (!m_app)
        return;
    if (const auto skill = m_workspace.hubCatalog().itemNamed(item.name))
        LinkActions(m_workspace)
            .setLinked(*skill, *m_app, true, false, riskQuestion(m_desktop.alerts, RiskStep::linking));
}

void TargetAppSkillsListView::import(const TargetAppSkill& item)
{
    if (!m_app)
        return;
    // Where another installer recorded the entry came from is kept with it; a lock file of
    // theirs that cannot be trusted stops the import before anything moves.
    const auto origin = SharedSkillLock::originOf(item.name, m_workspace.platform().user.homeFolder());
    if (!origin) {
        m_desktop.alerts.inform(tr("“%1” was not imported.").arg(item.name),
                                OutcomeTexts::problem(origin.error()), AlertStyle::critical);
        return;
    }
    if (BackgroundTask* task = ImportTask::start(m_workspace, {{item, m_app->id(), origin.value()}}))
        Q_EMIT taskStarted(task);
}

void TargetAppSkillsListView::showContextMenu(const QPoint& position)
{
    QListWidgetItem* row = m_list->itemAt(position);
    if (!row)
        return;
    const TargetAppSkill item = m_items.value(m_list->row(row));
    m_list->setCurrentItem(row);
    QMenu menu(this);
    // The entry itself: for a link, the link inside the app's folder, not its target.
    menu.addAction(tr("Show in File Manager"), this, [this, item] { m_desktop.reveal.reveal(item.path); });
    menu.addSeparator();
    menu.addAction(m_deleteAction);
    menu.exec(m_list->viewport()->mapToGlobal(position));
}

void TargetAppSkillsListView::confirmAndDelete(const TargetAppSkill& item)
{
    if (!m_app ||
        !m_desktop.alerts.confirmDestructive(tr("Do you really want to delete '%1'?").arg(item.name),
                                             tr("This action deletes the file or link from this folder."),
                                             tr("Cancel"), tr("Delete")))
        return;
    LinkActions(m_workspace).removeEntry(item, *m_app);
}

TargetSkillDetailView::TargetSkillDetailView(const TargetAppSkill& item, DesktopServices desktop,
                                             QWidget* parent)
    : QWidget(parent)
{
    auto* headline = new QLabel;
    QLabel* explanation = secondary({});
    explanation->setObjectName(u"explanation"_s);
    setObjectName(u"targetSkillDetail"_s);
    auto* column = new QVBoxLayout(this);
    column->setSpacing(20);
    column->addStretch();
    auto* symbol = new QLabel;
    symbol->setPixmap((item.isSymlink ? tintedSymbolIcon(u"link.circle.fill"_s, SymbolColors::file)
                                      : tintedSymbolIcon(u"doc.circle.fill"_s, SymbolColors::good))
                          .pixmap(60, 60));
    column->addWidget(symbol, 0, Qt::AlignHCenter);
    auto* name = new ElidedLabel(item.name);
    name->setAlignment(Qt::AlignHCenter);
    QFont nameFont = name->font();
    nameFont.setPointSizeF(nameFont.pointSizeF() * 1.5);
    name->setFont(nameFont);
    column->addWidget(name);

    QColor headlineColor;
    switch (item.state) {
    case TargetItemState::localItem:
        headline->setText(tr("Local file in this app."));
        headlineColor = SymbolColors::good;
        explanation->setText(tr("To make this skill available to other apps as well, click 'Import into Hub' "
                                "in the list. This moves the file into the central hub."));
        break;
    case TargetItemState::repairable:
    case TargetItemState::broken:
        headline->setText(tr("Broken Link"));
        headlineColor = SymbolColors::bad;
        explanation->setText(item.state == TargetItemState::repairable
                                 ? tr("I found a skill of the same name in the hub. Shall I delete the "
                                      "broken link and link it anew from the hub?")
                                 : tr("The target of this link no longer exists."));
        break;
    case TargetItemState::linked:
        headline->setText(tr("Linked with the Central Hub."));
        headlineColor = palette().color(QPalette::PlaceholderText);
        break;
    case TargetItemState::copyCurrent:
        headline->setText(tr("Copy from the Central Hub."));
        headlineColor = SymbolColors::good;
        explanation->setText(tr("This app does not follow links. Quorvane keeps a copy of the hub entry here "
                                "and brings it up to date when the entry changes."));
        break;
    case TargetItemState::copyOutdated:
        headline->setText(tr("Copy outdated."));
        headlineColor = SymbolColors::warning;
        explanation->setText(tr("The entry in the hub has changed since it was copied here. 'Update Copy' "
                                "replaces the copy with the new version."));
        break;
    case TargetItemState::copyModified:
        headline->setText(tr("Copy changed here."));
        headlineColor = SymbolColors::bad;
        explanation->setText(tr("This copy was edited in this folder. Quorvane overwrites or removes it only "
                                "when you expressly agree."));
        break;
    case TargetItemState::externalLink:
        headline->setText(tr("External link."));
        headlineColor = SymbolColors::warning;
        explanation->setText(
            tr("To make this original data available to other apps as well, import it into the hub."));
        break;
    }
    QFont headlineFont = headline->font();
    headlineFont.setBold(true);
    headline->setFont(headlineFont);
    headline->setStyleSheet(u"QLabel { color: %1; }"_s.arg(headlineColor.name()));
    headline->setObjectName(u"headline"_s);
    column->addWidget(headline, 0, Qt::AlignHCenter);
    column->addWidget(explanation);
    explanation->setVisible(!explanation->text().isEmpty());
    // What can be done about it, each shown as a plan first.
    if (const QList<EntryRemedy> remedies = PlacementPlanner::remediesFor(item.state); !remedies.isEmpty()) {
        auto* row = new QHBoxLayout;
        row->addStretch();
        for (const EntryRemedy remedy : remedies) {
            auto* button = new QPushButton(PlanReview::remedyText(remedy), this);
            button->setObjectName(u"remedy%1"_s.arg(int(remedy)));
            connect(button, &QPushButton::clicked, this, [this, remedy] { Q_EMIT remedyRequested(remedy); });
            row->addWidget(button);
        }
        row->addStretch();
        column->addLayout(row);
    }

    if (item.isSymlink && item.symlinkDestination) {
        const QString& destination = *item.symlinkDestination;
        auto* block = new QFrame;
        block->setObjectName(u"destinationBlock"_s);
        block->setAutoFillBackground(true);
        block->setBackgroundRole(QPalette::Base);
        block->setFrameShape(QFrame::StyledPanel);
        auto* blockLayout = new QVBoxLayout(block);
        QLabel* label = secondary(tr("Points to:"));
        label->setFont(TextStyles::scaled(label->font(), 0.85));
        label->setAlignment(Qt::AlignLeft);
        auto* path = new QLabel(destination);
        path->setObjectName(u"destination"_s);
        path->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
        path->setTextFormat(Qt::PlainText);
        path->setWordWrap(true);
        blockLayout->addWidget(label);
        blockLayout->addWidget(path);
        block->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(block, &QFrame::customContextMenuRequested, this,
                [this, block, destination, desktop](const QPoint& at) {
                    QMenu menu(this);
                    menu.addAction(tr("Copy Path"), this,
                                   [desktop, destination] { desktop.clipboard.copyText(destination); });
                    menu.addAction(tr("Show in File Manager"), this,
                                   [desktop, destination] { desktop.reveal.reveal(destination); });
                    menu.exec(block->mapToGlobal(at));
                });
        column->addWidget(block);
    }
    column->addStretch();
}

void TargetAppSkillsListView::changeAll(bool link)
{
    if (!m_app)
        return;
    if (link)
        review(tr("Link All Skills with %1").arg(m_app->name()),
               m_workspace.linker().planner.planLinkAll(*m_app));
    else
        review(tr("Remove All Links from %1").arg(m_app->name()),
               m_workspace.linker().planner.planUnlinkAll(*m_app));
}

void TargetAppSkillsListView::syncCopies()
{
    if (m_app)
        review(tr("Update Copies in %1").arg(m_app->name()), m_workspace.linker().planner.planSync(*m_app));
}

void TargetAppSkillsListView::switchMode(int index)
{
    if (!m_app)
        return;
    const auto kind = static_cast<PlacementKind>(m_mode->itemData(index).toInt());
    if (kind != m_app->placement()) {
        const QString title = kind == PlacementKind::copy ? tr("Switch %1 to Copies").arg(m_app->name())
                                                          : tr("Switch %1 to Links").arg(m_app->name());
        review(title, m_workspace.linker().planner.planSwitch(*m_app, kind));
    }
    // The mode shown is the app's until the plan has been carried out.
    m_mode->setCurrentIndex(m_mode->findData(int(m_app->placement())));
}

bool TargetAppSkillsListView::review(const QString& title, std::optional<PlacementPlan> plan)
{
    PlanTask* task = PlanReview::carryOut(m_workspace, m_desktop.alerts, this, title, std::move(plan));
    if (task)
        Q_EMIT taskStarted(task);
    return task;
}

void TargetAppSkillsListView::applyRemedy(const TargetAppSkill& item, EntryRemedy remedy)
{
    if (m_app)
        review(PlanReview::remedyText(remedy).chopped(1) + u" – "_s + item.name,
               m_workspace.linker().planner.planRemedy(*m_app, item.name, remedy));
}
