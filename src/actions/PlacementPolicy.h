#pragma once

#include "backup/ProjectPolicy.h"
#include "linker/PlacementPlan.h"

#include <memory>
#include <optional>
#include <vector>

class AuditRules;
class ModelContext;
class TargetApp;
class Workspace;

// What the policy of an app's project says of placing hub items there, read once: a source it
// does not allow keeps an item out, where the audit must pass no acceptance lets a high finding
// in, and the project's own rules join the audit's.
class PlacementPolicy
{
public:
    // Reads the policy of the project the app lies in; an app of no project, or a project
    // without one, has none. An unreadable policy refuses everything: nothing is placed under
    // rules not understood.
    explicit PlacementPolicy(const TargetApp& app);

    // The policy as read; nothing when there is none, a problem when it cannot be read.
    const Result<std::optional<ProjectPolicy>, Problem>& read() const { return m_policy; }
    // Why the hub item may not be placed into the app, if it may not.
    std::optional<Problem> refusal(const ModelContext& context, const QString& itemName) const;
    bool auditMustPass() const;
    // The audit's rules for placing here: the standard ones, with the project's own.
    std::shared_ptr<const AuditRules> auditRules() const;

    // Each placement a policy refuses becomes a conflict of its plan, shown before anything happens.
    static void markRefusals(Workspace& workspace, std::vector<PlacementPlan>& plans);
    static void markRefusals(Workspace& workspace, PlacementPlan& plan);

private:
    Result<std::optional<ProjectPolicy>, Problem> m_policy;
    QString m_project;
};
