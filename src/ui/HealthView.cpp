#include "ui/HealthView.h"

#include "actions/PlanTask.h"
#include "actions/Workspace.h"
#include "model/ModelContext.h"
#include "model/TargetApp.h"
#include "texts/OutcomeTexts.h"
#include "ui/InstallReport.h"
#include "ui/PlanReview.h"
#include "ui/PlanSheet.h"
#include "ui/SymbolIcons.h"
#include "ui/TextStyles.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

constexpr int settleMilliseconds = 300;
// What a finding's row stands for: the app, and the entry of its folder.
constexpr int appRole = Qt::UserRole;
constexpr int entryRole = Qt::UserRole + 1;

QString countsText(int errors, int warnings, int notes)
{
    QStringList parts;
    // Worded here rather than by plural forms, which need a translation loaded.
    if (errors)
        parts.append(HealthView::tr("%1 errors").arg(errors));
    if (warnings)
        parts.append(
            (warnings == 1 ? HealthView::tr("%1 warning") : HealthView::tr("%1 warnings")).arg(warnings));
    if (notes)
        parts.append((notes == 1 ? HealthView::tr("%1 note") : HealthView::tr("%1 notes")).arg(notes));
    return parts.isEmpty() ? HealthView::tr("All is well") : parts.join(u", "_s);
}

} // namespace

HealthView::HealthView(Workspace& workspace, DesktopServices desktop, QWidget* parent)
    : QWidget(parent)
    , m_workspace(workspace)
    , m_desktop(desktop)
    , m_tree(new QTreeWidget(this))
    , m_summary(TextStyles::secondary(QString()))
    , m_fix(new QPushButton(tr("Fix…"), this))
    , m_remedies(new QWidget(this))
{
    setObjectName(u"healthView"_s);
    m_tree->setObjectName(u"healthTree"_s);
    m_tree->setAccessibleName(tr("State of the Apps"));
    m_tree->setHeaderHidden(true);
    m_tree->setRootIsDecorated(true);
    m_tree->setWordWrap(true);
    m_summary->setObjectName(u"healthSummary"_s);
    m_summary->setAlignment(Qt::AlignLeft);
    m_fix->setObjectName(u"fixProblems"_s);
    m_fix->setToolTip(tr("Update copies, repair links, and switch apps that do not follow links to copies"));
    auto* header = new QHBoxLayout;
    header->addWidget(TextStyles::title(tr("State of the Apps")), 1);
    header->addWidget(m_fix);
    m_remedies->setObjectName(u"healthRemedies"_s);
    m_remedies->setContentsMargins(0, 0, 0, 0);
    new QHBoxLayout(m_remedies);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(header);
    layout->addWidget(m_summary);
    layout->addWidget(m_tree, 1);
    layout->addWidget(m_remedies);
    m_tree->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_tree, &QTreeWidget::currentItemChanged, this, &HealthView::offerRemedies);
    connect(m_tree, &QTreeWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        QTreeWidgetItem* row = m_tree->itemAt(at);
        if (!row)
            return;
        m_tree->setCurrentItem(row);
        QMenu menu(this);
        for (const EntryRemedy remedy : remediesOf(row))
            menu.addAction(PlanReview::remedyText(remedy), this, [this, remedy] { applyRemedy(remedy); });
        if (!menu.isEmpty())
            menu.exec(m_tree->viewport()->mapToGlobal(at));
    });

    m_settle.setSingleShot(true);
    m_settle.setInterval(settleMilliseconds);
    connect(&m_settle, &QTimer::timeout, this, &HealthView::examine);
    ChangeFeed& changes = m_workspace.changes();
    connect(&changes, &ChangeFeed::hubItemsChanged, this, &HealthView::examineSoon);
    connect(&changes, &ChangeFeed::targetFolderChanged, this, &HealthView::examineSoon);
    connect(&changes, &ChangeFeed::appsChanged, this, &HealthView::examineSoon);
    connect(&changes, &ChangeFeed::linkRecordsChanged, this, &HealthView::examineSoon);
    connect(&changes, &ChangeFeed::auditAcceptancesChanged, this, &HealthView::examineSoon);
    connect(m_fix, &QPushButton::clicked, this, &HealthView::fix);
    examineSoon();
}

void HealthView::examineSoon()
{
    m_settle.start();
}

void HealthView::examine()
{
    // A hub being read would show its items as missing: the end of the scan examines again.
    if (m_workspace.hubCatalog().isScanning())
        return;
    // The folders are read on a worker: a window with many apps must not wait for them. The
    // latest examination wins; the folders' scopes close here, where they were opened.
    const quint64 examination = ++m_examination;
    auto subject = std::make_shared<DoctorSubject>(Doctor(m_workspace).gather({}));
    m_workspace.runInBackground([view = QPointer(this), &workspace = m_workspace,
                                 subject = std::move(subject), examination]() mutable {
        QList<DoctorFinding> findings = Doctor::examine(*subject);
        QMetaObject::invokeMethod(
            &workspace,
            [view = std::move(view), subject = std::move(subject), findings = std::move(findings),
             examination] {
                if (view && examination == view->m_examination)
                    view->showFindings(findings);
            },
            Qt::QueuedConnection);
    });
}

void HealthView::showFindings(const QList<DoctorFinding>& findings)
{
    QStringList rows;
    for (const TargetApp* app : m_workspace.apps())
        rows.append(app->id().toString() + app->name() + app->project().value_or(QString()));
    Q_EMIT examined();
    // What is on screen stays, expanded groups and selection included, when nothing changed.
    if (m_shown && findings == m_findings && rows == m_shownRows)
        return;
    m_shown = true;
    m_findings = findings;
    m_shownRows = rows;
    m_tree->clear();
    offerRemedies();
    QSet<QUuid> withErrors;
    int allErrors = 0;
    for (const TargetApp* app : m_workspace.apps()) {
        int errors = 0;
        int warnings = 0;
        int notes = 0;
        auto* row = new QTreeWidgetItem(m_tree);
        for (const DoctorFinding& finding : std::as_const(m_findings)) {
            if (finding.appID != app->id())
                continue;
            errors += finding.level == DoctorLevel::error ? 1 : 0;
            warnings += finding.level == DoctorLevel::warning ? 1 : 0;
            notes += finding.level == DoctorLevel::info ? 1 : 0;
            auto* line = new QTreeWidgetItem(
                row, {u"%1: %2"_s.arg(finding.entry.isEmpty() ? tr("Folder") : finding.entry,
                                      OutcomeTexts::doctorFinding(finding))});
            line->setToolTip(0, finding.problem + (finding.fix ? u"\n"_s + *finding.fix : QString()));
            line->setData(0, appRole, app->id());
            line->setData(0, entryRole, finding.entry);
            line->setIcon(0, finding.level == DoctorLevel::error
                                 ? tintedSymbolIcon(u"exclamationmark.triangle"_s, SymbolColors::bad)
                                 : QIcon());
        }
        // A project's app is told apart from the global one of the same assistant.
        const QString name = app->shownName();
        row->setText(0, u"%1 — %2"_s.arg(name, countsText(errors, warnings, notes)));
        row->setData(0, appRole, app->id());
        if (errors)
            withErrors.insert(app->id());
        allErrors += errors;
    }
    for (const DoctorFinding& finding : std::as_const(m_findings))
        if (finding.appID.isNull()) // the hub's own
            new QTreeWidgetItem(m_tree, {OutcomeTexts::doctorFinding(finding)});
    m_summary->setText(allErrors ? tr("Some skills do not reach their assistant.")
                                 : tr("Every assistant sees its skills."));
    m_fix->setEnabled(!Doctor(m_workspace).fixes(m_findings).empty());
    if (withErrors != m_appsWithErrors) {
        m_appsWithErrors = withErrors;
        Q_EMIT appsWithErrorsChanged(m_appsWithErrors);
    }
}

QList<EntryRemedy> HealthView::remediesOf(const QTreeWidgetItem* row) const
{
    const QString entry = row ? row->data(0, entryRole).toString() : QString();
    const TargetApp* app = row ? m_workspace.app(row->data(0, appRole).toUuid()) : nullptr;
    if (entry.isEmpty() || !app)
        return {};
    // The entry as it stands now: what fits it may have changed since the examination.
    const auto found = m_workspace.targetListing().entry(*app, entry);
    if (!found || !*found)
        return {};
    return PlacementPlanner::remediesFor((*found)->state);
}

void HealthView::offerRemedies()
{
    QLayout* row = m_remedies->layout();
    while (QLayoutItem* item = row->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    for (const EntryRemedy remedy : remediesOf(m_tree->currentItem())) {
        auto* button = new QPushButton(PlanReview::remedyText(remedy), m_remedies);
        button->setObjectName(u"healthRemedy%1"_s.arg(int(remedy)));
        connect(button, &QPushButton::clicked, this, [this, remedy] { applyRemedy(remedy); });
        row->addWidget(button);
    }
    static_cast<QHBoxLayout*>(row)->addStretch();
}

void HealthView::applyRemedy(EntryRemedy remedy)
{
    const QTreeWidgetItem* row = m_tree->currentItem();
    const TargetApp* app = row ? m_workspace.app(row->data(0, appRole).toUuid()) : nullptr;
    if (!app)
        return;
    const QString entry = row->data(0, entryRole).toString();
    if (PlanTask* task = PlanReview::carryOut(m_workspace, m_desktop.alerts, this,
                                              PlanReview::remedyText(remedy).chopped(1) + u" – "_s + entry,
                                              m_workspace.linker().planner.planRemedy(*app, entry, remedy)))
        Q_EMIT taskStarted(task);
}

void HealthView::fix()
{
    std::vector<PlacementPlan> plans = Doctor(m_workspace).fixes(m_findings);
    if (plans.empty())
        return;
    PlanSheet sheet(tr("Fix Problems"), PlanSheet::combined(plans), this);
    sheet.exec();
    if (sheet.choice() == PlanSheet::Choice::cancel)
        return;
    if (sheet.consentsToChangesHere())
        for (PlacementPlan& plan : plans)
            plan.consentToChangesHere();
    AuditGate gate(m_workspace.context(), riskQuestion(m_desktop.alerts, RiskStep::linking));
    if (PlanTask* task = PlanTask::start(m_workspace, std::move(plans),
                                         sheet.choice() == PlanSheet::Choice::skipConflicts, gate))
        Q_EMIT taskStarted(task);
}
