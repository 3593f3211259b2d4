#include "actions/PlacementPolicy.h"

#include "actions/Workspace.h"
#include "model/ModelContext.h"
#include "model/SkillProvenanceRecord.h"
#include "model/TargetApp.h"

#include <QHash>

namespace PlacementPolicy {

Result<std::optional<ProjectPolicy>, Problem> of(const TargetApp& app)
{
    if (!app.project())
        return std::optional<ProjectPolicy>();
    return ProjectPolicy::read(*app.project());
}

std::optional<Problem> refusal(const ModelContext& context, const TargetApp& app, const QString& itemName)
{
    const auto policy = of(app);
    if (!policy)
        return policy.error();
    if (!*policy)
        return std::nullopt;
    for (const SkillProvenanceRecord* record : context.records<SkillProvenanceRecord>())
        if (record->itemName() == itemName)
            return (*policy)->refusalOfSource(itemName, record->provenance().repository);
    return std::nullopt; // made here: the project's own, as a lock file keeps it
}

void markRefusals(Workspace& workspace, std::vector<PlacementPlan>& plans)
{
    for (PlacementPlan& plan : plans)
        markRefusals(workspace, plan);
}

void markRefusals(Workspace& workspace, PlacementPlan& plan)
{
    const TargetApp* app = workspace.app(plan.appID);
    if (!app || !app->project())
        return;
    const auto policy = of(*app);
    if (policy && !*policy)
        return;
    QHash<QString, QString> repositories; // hub item -> where it came from
    for (const SkillProvenanceRecord* record : workspace.context().records<SkillProvenanceRecord>())
        repositories.insert(record->itemName(), record->provenance().repository);
    plan.actions.removeIf([&](const PlanAction& action) {
        if (action.op != PlanAction::Op::create && action.op != PlanAction::Op::copy &&
            action.op != PlanAction::Op::replace)
            return false;
        if (!policy) {
            plan.conflicts.append({action.path, PlanConflict::Kind::policyUnreadable, action.itemName});
            return true;
        }
        const QString repository = repositories.value(action.itemName);
        if (!(*policy)->refusalOfSource(action.itemName, repository))
            return false;
        plan.conflicts.append(
            {action.path, PlanConflict::Kind::notAllowedByPolicy, action.itemName, std::nullopt, repository});
        return true;
    });
}

bool auditMustPass(const TargetApp& app)
{
    const auto policy = of(app);
    return policy && *policy && (*policy)->auditMustPass;
}

} // namespace PlacementPolicy
