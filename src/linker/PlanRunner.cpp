// Carrying out plans: the files first, then the records, with one save.
#include "linker/PlanRunner.h"

#include "access/FileSystem.h"
#include "base/Log.h"
#include "linker/LinkRecords.h"
#include "linker/Placement.h"
#include "model/ModelContext.h"
#include "model/TargetApp.h"

#include <QFileInfo>
#include <QUuid>

using namespace Qt::StringLiterals;

PlanRunner::PlanRunner(ModelContext& context, LinkRecords& records, Placements placements)
    : m_context(context)
    , m_records(records)
    , m_placements(placements)
{}

PlanOutcome PlanRunner::carryOut(const PlacementPlan& plan, bool skipConflicts)
{
    PlanOutcome outcome;
    if (!plan.conflicts.isEmpty() && !skipConflicts) {
        outcome.refused = true;
        return outcome;
    }
    outcome = performSkippingConflicts(plan);
    recordPlan(plan, outcome);
    return outcome;
}

std::vector<PlanOutcome> PlanRunner::carryOutAll(const std::vector<PlacementPlan>& plans)
{
    std::vector<PlanOutcome> outcomes;
    for (const PlacementPlan& plan : plans)
        outcomes.push_back(performSkippingConflicts(plan));
    recordPlans(plans, outcomes);
    return outcomes;
}

PlanOutcome PlanRunner::performSkippingConflicts(const PlacementPlan& plan) const
{
    PlanOutcome outcome;
    outcome.skipped = static_cast<int>(plan.conflicts.size());
    const std::atomic<bool> never = false;
    performPlan(plan.actions, m_placements.of(plan.kind), never, {}, outcome);
    return outcome;
}

void PlanRunner::performPlan(const QList<PlanAction>& actions, const Placement& placement,
                             const std::atomic<bool>& stop,
                             const std::function<void(qsizetype done)>& progress, PlanOutcome& outcome)
{
    for (qsizetype i = 0; i < actions.size() && !stop; ++i) {
        const PlanAction& action = actions[i];
        Outcome done;
        switch (action.op) {
        case PlanAction::Op::create:
        case PlanAction::Op::copy:
            done = placement.place(action.destination, action.path);
            break;
        case PlanAction::Op::replace:
            done = placement.replace(action.destination, action.path);
            break;
        case PlanAction::Op::remove:
            done = Placement::remove(action.path);
            break;
        case PlanAction::Op::trash:
            if (auto discarded = FileSystem::discard(action.path); !discarded)
                done = discarded.error();
            break;
        case PlanAction::Op::takeIntoHub:
            done = takeIntoHub(action.path, action.destination);
            break;
        }
        const bool removes = action.op == PlanAction::Op::remove || action.op == PlanAction::Op::trash;
        std::optional<QString> fingerprint;
        if (done && !removes) {
            if (auto made = placement.fingerprint(action.path))
                fingerprint = made.value();
            else
                done = made.error();
        }
        if (progress)
            progress(i + 1);
        if (!done) {
            outcome.failures.append(
                Problem(Problem::Kind::notCarriedOut, {PlanAction::opName(action.op), action.path})
                    .because(done.error().shown()));
            continue;
        }
        ++outcome.done;
        if (removes)
            outcome.removed.append(action.itemName);
        else
            outcome.placed.append({action.itemName, fingerprint});
    }
}

Outcome PlanRunner::takeIntoHub(const QString& place, const QString& hubItem)
{
    // Copied beside the hub item first, so the hub holds one version or the other throughout.
    const QString staging = FileSystem::childPath(
        QFileInfo(hubItem).path(), u".quorvane-take-"_s + QUuid::createUuid().toString(QUuid::WithoutBraces));
    if (Outcome copied = FileSystem::copy(place, staging); !copied)
        return copied;
    if (Outcome exchanged = FileSystem::exchange(hubItem, staging); !exchanged) {
        (void)FileSystem::remove(staging);
        return exchanged;
    }
    // The hub's version now stands at the staging path: it goes where it can be brought back from.
    if (auto discarded = FileSystem::discard(staging, hubItem); !discarded)
        return discarded.error();
    return {};
}

void PlanRunner::recordPlan(const PlacementPlan& plan, const PlanOutcome& outcome)
{
    m_records.change({concludePlan(plan, outcome)});
}

void PlanRunner::recordPlans(const std::vector<PlacementPlan>& plans,
                             const std::vector<PlanOutcome>& outcomes)
{
    QList<AppRecordChange> changes;
    for (std::size_t i = 0; i < plans.size() && i < outcomes.size(); ++i)
        changes.append(concludePlan(plans[i], outcomes[i]));
    m_records.change(changes);
}

AppRecordChange PlanRunner::concludePlan(const PlacementPlan& plan, const PlanOutcome& outcome)
{
    for (const Problem& failure : outcome.failures)
        Log::line(u"Failed to %1 %2: %3"_s.arg(failure.data.value(0), failure.data.value(1),
                                               failure.cause ? failure.cause->logText() : QString()));
    // The new mode is saved with the records, so the two never disagree.
    if (plan.switchesTo)
        for (TargetApp* app : m_context.records<TargetApp>())
            if (app->id() == plan.appID)
                app->setPlacement(*plan.switchesTo);
    return {plan.appID, outcome.placed, outcome.removed};
}
