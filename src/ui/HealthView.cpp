#include "ui/HealthView.h"

#include "actions/PlanTask.h"
#include "actions/Workspace.h"
#include "model/TargetApp.h"
#include "ui/PlanSheet.h"
#include "ui/SymbolIcons.h"
#include "ui/TextStyles.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

constexpr int settleMilliseconds = 300;

QString countsText(int errors, int warnings, int notes)
{
    QStringList parts;
    // Worded here rather than by plural forms, which need a translation loaded.
    if (errors)
        parts.append(HealthView::tr("%1 Fehler").arg(errors));
    if (warnings)
        parts.append(
            (warnings == 1 ? HealthView::tr("%1 Warnung") : HealthView::tr("%1 Warnungen")).arg(warnings));
    if (notes)
        parts.append((notes == 1 ? HealthView::tr("%1 Hinweis") : HealthView::tr("%1 Hinweise")).arg(notes));
    return parts.isEmpty() ? HealthView::tr("Alles in Ordnung") : parts.join(u", "_s);
}

} // namespace

HealthView::HealthView(Workspace& workspace, DesktopServices desktop, QWidget* parent)
    : QWidget(parent)
    , m_workspace(workspace)
    , m_desktop(desktop)
    , m_tree(new QTreeWidget(this))
    , m_summary(TextStyles::secondary(QString()))
    , m_fix(new QPushButton(tr("Beheben…"), this))
{
    setObjectName(u"healthView"_s);
    m_tree->setObjectName(u"healthTree"_s);
    m_tree->setHeaderHidden(true);
    m_tree->setRootIsDecorated(true);
    m_tree->setWordWrap(true);
    m_summary->setObjectName(u"healthSummary"_s);
    m_summary->setAlignment(Qt::AlignLeft);
    m_fix->setObjectName(u"fixProblems"_s);
    m_fix->setToolTip(
        tr("Kopien abgleichen, Links reparieren und Apps, die Links nicht folgen, auf Kopien umstellen"));
    auto* header = new QHBoxLayout;
    header->addWidget(TextStyles::title(tr("Zustand der Apps")), 1);
    header->addWidget(m_fix);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(header);
    layout->addWidget(m_summary);
    layout->addWidget(m_tree, 1);

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
    const Doctor doctor(m_workspace);
    m_findings = doctor.examine({});
    m_tree->clear();
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
                row,
                {u"%1: %2"_s.arg(finding.entry.isEmpty() ? tr("Ordner") : finding.entry, finding.message)});
            line->setToolTip(0, finding.problem + (finding.fix ? u"\n"_s + *finding.fix : QString()));
            line->setIcon(0, finding.level == DoctorLevel::error
                                 ? tintedSymbolIcon(u"exclamationmark.triangle"_s, SymbolColors::bad)
                                 : QIcon());
        }
        // A project's app is told apart from the global one of the same assistant.
        const QString name = app->project()
                                 ? u"%1 (%2)"_s.arg(app->name(), QFileInfo(*app->project()).fileName())
                                 : app->name();
        row->setText(0, u"%1 — %2"_s.arg(name, countsText(errors, warnings, notes)));
        row->setData(0, Qt::UserRole, app->id());
        if (errors)
            withErrors.insert(app->id());
        allErrors += errors;
    }
    for (const DoctorFinding& finding : std::as_const(m_findings))
        if (finding.appID.isNull()) // the hub's own
            new QTreeWidgetItem(m_tree, {finding.message});
    m_summary->setText(allErrors ? tr("Manche Skills erreichen ihren Assistenten nicht.")
                                 : tr("Jeder Assistent sieht seine Skills."));
    m_fix->setEnabled(!doctor.fixes(m_findings).empty());
    if (withErrors != m_appsWithErrors) {
        m_appsWithErrors = withErrors;
        Q_EMIT appsWithErrorsChanged(m_appsWithErrors);
    }
}

void HealthView::fix()
{
    std::vector<PlacementPlan> plans = Doctor(m_workspace).fixes(m_findings);
    if (plans.empty())
        return;
    PlanSheet sheet(tr("Probleme beheben"), PlanSheet::combined(plans), this);
    sheet.exec();
    if (sheet.choice() == PlanSheet::Choice::cancel)
        return;
    if (sheet.consentsToChangesHere())
        for (PlacementPlan& plan : plans)
            plan.consentToChangesHere();
    if (PlanTask* task = PlanTask::start(m_workspace, std::move(plans),
                                         sheet.choice() == PlanSheet::Choice::skipConflicts))
        Q_EMIT taskStarted(task);
}
