#pragma once

#include "linker/LinkRecords.h"
#include "linker/Placement.h"
#include "linker/PlacementPlan.h"

#include <atomic>
#include <functional>
#include <vector>

class ModelContext;

// The only code that carries out plans and records what they did: the files first, then
// the records and the app's new mode together, with one save.
class PlanRunner
{
public:
    PlanRunner(ModelContext& context, LinkRecords& records, Placements placements);

    // Carries the plan out and records it with one save; with conflicts, only when they
    // are to be skipped.
    PlanOutcome carryOut(const PlacementPlan& plan, bool skipConflicts);
    // Every plan carried out, its conflicts skipped, and all recorded with one save.
    std::vector<PlanOutcome> carryOutAll(const std::vector<PlacementPlan>& plans);
    // The files' part, in order until `stop` is set; touches files only and logs nothing,
    // so it may run on a worker.
    static void performPlan(const QList<PlanAction>& actions, const Placement& placement,
                            const std::atomic<bool>& stop,
                            const std::function<void(qsizetype done)>& progress, PlanOutcome& outcome);
    // Puts the copy at `place` in the hub as `hubItem`; the hub's version goes to the trash.
    static Outcome takeIntoHub(const QString& place, const QString& hubItem);
    // Logs the failures and records what was placed and taken away, and the app's new mode,
    // with one save.
    void recordPlan(const PlacementPlan& plan, const PlanOutcome& outcome);
    // The same for many plans, each with its outcome, with one save.
    void recordPlans(const std::vector<PlacementPlan>& plans, const std::vector<PlanOutcome>& outcomes);

private:
    // Logs the plan's failures and sets the app's new mode; returns what its records are to say.
    AppRecordChange concludePlan(const PlacementPlan& plan, const PlanOutcome& outcome);
    PlanOutcome performSkippingConflicts(const PlacementPlan& plan) const;

    ModelContext& m_context;
    LinkRecords& m_records;
    Placements m_placements;
};
