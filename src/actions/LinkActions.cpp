#include "actions/LinkActions.h"

#include "actions/HubActions.h"
#include "actions/PlacementPolicy.h"
#include "actions/Workspace.h"
#include "model/ModelContext.h"
#include "model/TargetApp.h"

LinkActions::LinkActions(Workspace& workspace)
    : m_workspace(workspace)
{}

LinkToggle LinkActions::setLinked(const Skill& skill, const TargetApp& app, bool linked,
                                  bool replaceChangedHere, const RiskConsent& consent)
{
    // What is placed is audited: taking it away, or a link that stands, asks nothing; a copy
    // switched on again is brought up to the hub's content.
    const bool places = linked && (app.placement() == PlacementKind::copy ||
                                   !m_workspace.linker().links.isSkillLinked(skill, app));
    if (places) {
        const PlacementPolicy policy(app);
        if (auto refused = policy.refusal(m_workspace.context(), skill.name))
            return {LinkToggleResult::notAllowed, std::nullopt, std::move(refused)};
        const bool mustPass = policy.auditMustPass();
        AuditGate gate(m_workspace.context(), consent, !mustPass);
        if (!gate.letsPlace({skill.path}, false, policy.auditRules()))
            return mustPass
                       ? LinkToggle{LinkToggleResult::notAllowed, std::nullopt,
                                    Problem::concerning(skill.name, Problem(Problem::Kind::policyDemandsPass)
                                                                        .because(AuditGate::refusal(
                                                                            gate.refused().constFirst())))}
                       : LinkToggle{LinkToggleResult::risky, std::nullopt};
    }
    LinkToggle result = m_workspace.linker().links.toggleLink(skill, app, linked, replaceChangedHere);
    m_workspace.changes().announceTargetFolder(app.id());
    return result;
}

bool LinkActions::repairEntry(const TargetAppSkill& entry, const TargetApp& app)
{
    const bool repaired = m_workspace.linker().importer.repairLink(entry, app);
    m_workspace.changes().announceTargetFolder(app.id());
    return repaired;
}

std::optional<Removal> LinkActions::removeEntry(const TargetAppSkill& entry, const TargetApp& app)
{
    auto removed = m_workspace.linker().remover.removeTargetItem(entry.path, app);
    m_workspace.changes().announceTargetFolder(app.id());
    return removed;
}

std::optional<Removal> LinkActions::removeHubItem(const Skill& skill)
{
    auto removed = m_workspace.linker().remover.removeHubItem(skill);
    HubActions(m_workspace).rescan();
    m_workspace.changes().announceEveryTargetFolder();
    return removed;
}
