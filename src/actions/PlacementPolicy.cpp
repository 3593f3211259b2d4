#include "actions/PlacementPolicy.h"

#include "actions/Workspace.h"
#include "audit/AuditRules.h"
#include "model/ModelContext.h"
#include "model/SkillProvenanceRecord.h"
#include "model/TargetApp.h"

#include <QHash>

using namespace Qt::StringLiterals;

namespace {

Result<std::optional<ProjectPolicy>, Problem> policyOf(const TargetApp& app)
{
    if (!app.project())
        return std::optional<ProjectPolicy>();
    return ProjectPolicy::read(*app.project());
}

// Where each hub item came from, as its provenance says; an item made here has none.
QHash<QString, SkillProvenance> provenancesOf(const ModelContext& context)
{
    QHash<QString, SkillProvenance> provenances;
    for (const SkillProvenanceRecord* record : context.records<SkillProvenanceRecord>())
        provenances.insert(record->itemName(), record->provenance());
    return provenances;
}

// Why the policy keeps an item of that provenance out: its source, or its commit's age. An item
// made here has no provenance: it is the project's own, as a lock file keeps it.
std::optional<Problem> refusalOf(const ProjectPolicy& policy, const QString& itemName,
                                 const SkillProvenance& provenance)
{
    if (auto refused = policy.refusalOfSource(itemName, provenance.repository))
        return refused;
    return policy.refusalOfAge(itemName, provenance.committedAt, QDateTime::currentDateTimeUtc());
}

} // namespace

PlacementPolicy::PlacementPolicy(const TargetApp& app)
    : m_policy(policyOf(app))
    , m_project(app.project().value_or(QString()))
{}

std::optional<Problem> PlacementPolicy::refusal(const ModelContext& context, const QString& itemName) const
{
    if (!m_policy)
        return m_policy.error();
    if (!*m_policy)
        return std::nullopt;
    for (const SkillProvenanceRecord* record : context.records<SkillProvenanceRecord>())
        if (record->itemName() == itemName)
            return refusalOf(**m_policy, itemName, record->provenance());
    return std::nullopt; // made here: the project's own
}

bool PlacementPolicy::auditMustPass() const
{
    return m_policy && *m_policy && (*m_policy)->auditMustPass;
}

std::shared_ptr<const AuditRules> PlacementPolicy::auditRules() const
{
    if (!m_policy || !*m_policy)
        return AuditRules::standard();
    return AuditRules::withFolders((*m_policy)->ruleFolders(m_project));
}

void PlacementPolicy::markRefusals(Workspace& workspace, std::vector<PlacementPlan>& plans)
{
    for (PlacementPlan& plan : plans)
        markRefusals(workspace, plan);
}

void PlacementPolicy::markRefusals(Workspace& workspace, PlacementPlan& plan)
{
    const TargetApp* app = workspace.app(plan.appID);
    if (!app || !app->project())
        return;
    const PlacementPolicy policy(*app);
    if (policy.m_policy && !*policy.m_policy)
        return;
    const auto provenances = provenancesOf(workspace.context());
    plan.actions.removeIf([&](const PlanAction& action) {
        if (!action.placesItem())
            return false;
        if (!policy.m_policy) {
            plan.conflicts.append({action.path, PlanConflict::Kind::policyUnreadable, action.itemName});
            return true;
        }
        const auto found = provenances.constFind(action.itemName);
        if (found == provenances.cend())
            return false;
        const auto refused = refusalOf(**policy.m_policy, action.itemName, *found);
        if (!refused)
            return false;
        if (refused->cause->kind == Problem::Kind::sourceNotAllowed)
            plan.conflicts.append({action.path, PlanConflict::Kind::notAllowedByPolicy, action.itemName,
                                   std::nullopt, found->repository});
        else
            plan.conflicts.append(
                {action.path, PlanConflict::Kind::tooYoungForPolicy, action.itemName, std::nullopt,
                 found->committedAt.isValid() ? found->committedAt.toString(Qt::ISODate) : QString()});
        return true;
    });
}
