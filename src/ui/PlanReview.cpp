#include "ui/PlanReview.h"

#include "actions/PlacementPolicy.h"
#include "actions/PlanTask.h"
#include "actions/Workspace.h"
#include "model/ModelContext.h"
#include "ui/InstallReport.h"
#include "ui/PlanSheet.h"

#include <QCoreApplication>

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(PlanReview)
};

} // namespace

namespace PlanReview {

PlanTask* carryOut(Workspace& workspace, Alerts& alerts, QWidget* parent, const QString& title,
                   std::optional<PlacementPlan> plan)
{
    if (!plan) {
        alerts.inform(title, Texts::tr("The app's folder cannot be reached."), AlertStyle::critical);
        return nullptr;
    }
    PlacementPolicy::markRefusals(workspace, *plan);
    // A mode switch of an empty folder still changes the mode.
    if (plan->actions.isEmpty() && plan->conflicts.isEmpty() && !plan->switchesTo) {
        alerts.inform(title, Texts::tr("There is nothing to change."));
        return nullptr;
    }
    bool skipConflicts = false;
    if (!plan->actions.isEmpty() || !plan->conflicts.isEmpty()) {
        PlanSheet sheet(title, *plan, parent);
        sheet.exec();
        if (sheet.choice() == PlanSheet::Choice::cancel)
            return nullptr;
        if (sheet.consentsToChangesHere())
            plan->consentToChangesHere();
        skipConflicts = sheet.choice() == PlanSheet::Choice::skipConflicts;
    }
    AuditGate gate(workspace.context(), riskQuestion(alerts, RiskStep::linking));
    return PlanTask::start(workspace, std::move(*plan), skipConflicts, gate);
}

QString remedyText(EntryRemedy remedy)
{
    switch (remedy) {
    case EntryRemedy::repairLink:
        return Texts::tr("Repair Link…");
    case EntryRemedy::moveToTrash:
        return Texts::tr("Move to Trash…");
    case EntryRemedy::takeIntoHub:
        return Texts::tr("Take into Hub…");
    case EntryRemedy::replaceFromHub:
        break;
    }
    return Texts::tr("Replace from Hub…");
}

} // namespace PlanReview
