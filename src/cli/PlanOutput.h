#pragma once

#include "actions/LockedFetch.h"
#include "linker/PlacementPlan.h"

#include <optional>
#include <vector>

class CliSession;
class TargetApp;

// How the tool shows a plan (one line per entry, or JSON) and lets the switches decide:
// --dry-run shows only, --force consents to changes here, --skip-conflicts leaves what is
// in the way and does the rest.
namespace PlanOutput {

// Prints the plans, after the skills to be fetched first; true when they may be carried out
// (no dry run, no conflicts left).
bool show(CliSession& session, std::vector<PlacementPlan>& plans, int& exitCode,
          const QList<RestoreFetch>& fetches = {});
// Prints the plans, then carries them out with the window's task unless shown only.
int run(CliSession& session, std::vector<PlacementPlan> plans);
// The same for one app's plan; nothing when its folder cannot be reached.
int run(CliSession& session, std::optional<PlacementPlan> plan, const TargetApp& app);

} // namespace PlanOutput
