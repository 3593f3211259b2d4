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
QHash<QString, QString> repositoriesOf(const ModelContext& context)
{
    QHash<QString, QString> repositories;
    for (const SkillProvenanceRecord* record : context.records<SkillProvenanceRecord>())
        repositories.insert(record->itemName(), record->provenance().repository);
    return repositories;
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
    return (*m_policy)->refusalOfSource(itemName, repositoriesOf(context).value(itemName));
}

bool PlacementPolicy::auditMustPass() const
{
    return m_policy && *m_policy && (*m_policy)->auditMustPass;
}

std::shared_ptr<const AuditRules> PlacementPolicy::auditRules() const
{
    if (!m_policy || !*m_policy || (*m_policy)->rules.isEmpty())
        return AuditRules::standard();
    return AuditRules::withFolders({m_project + u'/' + (*m_policy)->rules});
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
    const QHash<QString, QString> repositories = repositoriesOf(workspace.context());
    plan.actions.removeIf([&](const PlanAction& action) {
        if (!action.placesItem())
            return false;
        if (!policy.m_policy) {
            plan.conflicts.append({action.path, PlanConflict::Kind::policyUnreadable, action.itemName});
            return true;
        }
        const QString repository = repositories.value(action.itemName);
        if (!(*policy.m_policy)->refusalOfSource(action.itemName, repository))
            return false;
        plan.conflicts.append(
            {action.path, PlanConflict::Kind::notAllowedByPolicy, action.itemName, std::nullopt, repository});
        return true;
    });
}
