#pragma once

#include "linker/PlacementPlanner.h"
#include "ui/DesktopServices.h"

#include <QString>

#include <optional>

class PlanTask;
class QWidget;
class Workspace;

// The window's one way from a plan to a change: the plan is shown in its sheet first, then
// carried out with the window's task. What the user can do about an entry comes this way too.
namespace PlanReview {

// Nothing when the folder cannot be reached or there is nothing to change (both told), or when
// the user declines.
PlanTask* carryOut(Workspace& workspace, Alerts& alerts, QWidget* parent, const QString& title,
                   std::optional<PlacementPlan> plan);

// The remedy's words on its button, ending in "…" as it asks first.
QString remedyText(EntryRemedy remedy);

} // namespace PlanReview
