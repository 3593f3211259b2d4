#pragma once

#include "actions/BackgroundTask.h"
#include "audit/AuditGate.h"
#include "linker/PlacementPlan.h"

#include <vector>

// Planned bulk changes of app folders carried out in the background, the entries done as
// progress. Stopping comes between two entries; what was done is recorded, with one save.
class PlanTask : public BackgroundTask
{
    Q_OBJECT

public:
    // Nothing when the plan has conflicts that are not to be skipped, or places hub items with
    // open findings of level high that the gate does not let through (it tells which): then
    // nothing is done.
    static PlanTask* start(Workspace& workspace, PlacementPlan plan, bool skipConflicts, AuditGate& gate);
    // Several apps' plans as one task, as when every app's links are restored.
    static PlanTask* start(Workspace& workspace, std::vector<PlacementPlan> plans, bool skipConflicts,
                           AuditGate& gate);
    Work work() const override;

Q_SIGNALS:
    // The apps' folders are announced as changed just before; with several plans, the
    // outcomes are added up.
    void finished(const PlanOutcome& outcome);

private:
    PlanTask(Workspace& workspace, std::vector<PlacementPlan> plans, qint64 total);
    // Whether the gate lets the plans' hub items in, each under its app's project policy.
    static bool auditLetsPlace(Workspace& workspace, const std::vector<PlacementPlan>& plans,
                               AuditGate& gate);

    std::vector<PlacementPlan> m_plans; // hold the folders' access scopes until the task ends
};
