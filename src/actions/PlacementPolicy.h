#pragma once

#include "backup/ProjectPolicy.h"
#include "linker/PlacementPlan.h"

#include <optional>
#include <vector>

class ModelContext;
class TargetApp;
class Workspace;

// What the policy of an app's project says of placing hub items there: a source it does not
// allow keeps an item out, and where the audit must pass, no acceptance lets a high finding in.
namespace PlacementPolicy {

// The policy of the project the app lies in; nothing for an app of no project, or a project
// without one. An unreadable policy is a problem: nothing is placed under rules not understood.
Result<std::optional<ProjectPolicy>, Problem> of(const TargetApp& app);

// Why the hub item may not be placed into the app, if it may not.
std::optional<Problem> refusal(const ModelContext& context, const TargetApp& app, const QString& itemName);

// Each placement a policy refuses becomes a conflict of its plan, shown before anything happens.
void markRefusals(Workspace& workspace, std::vector<PlacementPlan>& plans);
void markRefusals(Workspace& workspace, PlacementPlan& plan);

// Whether the app's project wants every high finding kept out.
bool auditMustPass(const TargetApp& app);

} // namespace PlacementPolicy
