#include "actions/PlanTask.h"

#include "actions/PlacementPolicy.h"
#include "actions/Workspace.h"
#include "audit/AuditRules.h"
#include "model/ModelContext.h"

#include <QHash>
#include <QSet>

#include <numeric>

PlanTask::PlanTask(Workspace& workspace, std::vector<PlacementPlan> plans, qint64 total)
    : BackgroundTask(workspace, total)
    , m_plans(std::move(plans))
{}

BackgroundTask::Work PlanTask::work() const
{
    return {Work::Kind::changingEntries};
}

PlanTask* PlanTask::start(Workspace& workspace, PlacementPlan plan, bool skipConflicts, AuditGate& gate)
{
    std::vector<PlacementPlan> plans;
    plans.push_back(std::move(plan));
    return start(workspace, std::move(plans), skipConflicts, gate);
}

bool PlanTask::auditLetsPlace(Workspace& workspace, const std::vector<PlacementPlan>& plans, AuditGate& gate)
{
    // The items of apps under the same rules are audited together: a project's policy may want
    // the audit passed, where no acceptance counts, and may bring rules of its own.
    struct Group
    {
        bool strictly = false;
        std::shared_ptr<const AuditRules> rules;
        QStringList items;
        QSet<QString> taken; // the items already in, as thousands are placed at once
    };
    std::vector<Group> groups;
    // Each project's policy and rules are read once, and the rules of apps in no project once:
    // a restore places into hundreds of apps, and reading them for each held the window up.
    QHash<QString, std::vector<Group>::size_type> groupOfProject;
    for (const PlacementPlan& plan : plans) {
        const TargetApp* app = workspace.app(plan.appID);
        const QString project = app ? app->project().value_or(QString()) : QString();
        auto known = groupOfProject.constFind(project);
        if (known == groupOfProject.cend()) {
            const std::optional<PlacementPolicy> policy =
                app ? std::optional<PlacementPolicy>(std::in_place, *app) : std::nullopt;
            const bool strictly = policy && policy->auditMustPass();
            const auto rules = policy ? policy->auditRules() : AuditRules::standard();
            auto same = std::find_if(groups.begin(), groups.end(), [&](const Group& group) {
                return group.strictly == strictly && group.rules == rules;
            });
            if (same == groups.end())
                same = groups.insert(groups.end(), Group{strictly, rules, {}, {}});
            known = groupOfProject.insert(project, std::distance(groups.begin(), same));
        }
        Group* group = &groups[*known];
        for (const PlanAction& action : plan.actions)
            if (action.placesItem() && !action.destination.isEmpty() &&
                !group->taken.contains(action.destination)) {
                group->taken.insert(action.destination);
                group->items.append(action.destination);
            }
    }
    return std::all_of(groups.cbegin(), groups.cend(), [&](const Group& group) {
        return group.items.isEmpty() || gate.letsPlace(group.items, group.strictly, group.rules);
    });
}

PlanTask* PlanTask::start(Workspace& workspace, std::vector<PlacementPlan> plans, bool skipConflicts,
                          AuditGate& gate)
{
    // The callers marked what a project's policy refuses when they showed the plan; marking
    // again here keeps a plan made elsewhere from placing it.
    PlacementPolicy::markRefusals(workspace, plans);
    const bool refused = std::any_of(plans.cbegin(), plans.cend(), [&](const PlacementPlan& plan) {
        return !plan.conflicts.isEmpty() && !skipConflicts;
    });
    if (refused)
        return nullptr;
    if (!auditLetsPlace(workspace, plans, gate))
        return nullptr;
    // What the worker needs of each plan: its actions, how they are placed, the conflicts skipped.
    struct Work
    {
        QList<PlanAction> actions;
        const Placement* placement;
        int skipped;
    };
    std::vector<Work> works;
    for (const PlacementPlan& plan : plans)
        works.push_back({plan.actions, &workspace.linker().links.placements().of(plan.kind),
                         static_cast<int>(plan.conflicts.size())});
    const qint64 total =
        std::accumulate(works.cbegin(), works.cend(), qint64(0),
                        [](qint64 sum, const Work& work) { return sum + work.actions.size(); });
    auto* task = new PlanTask(workspace, std::move(plans), total);
    task->runInBackground([task, works = std::move(works)](Progress& progress) -> std::function<void()> {
        std::vector<PlanOutcome> outcomes;
        qint64 before = 0;
        for (const Work& work : works) {
            PlanOutcome& outcome = outcomes.emplace_back();
            outcome.skipped = work.skipped;
            PlanRunner::performPlan(
                work.actions, *work.placement, progress.stop,
                [&progress, before](qsizetype done) { progress.done = before + done; }, outcome);
            before += work.actions.size();
        }
        return [task, outcomes] {
            task->workspace().linker().runner.recordPlans(task->m_plans, outcomes);
            PlanOutcome summary;
            for (const PlanOutcome& outcome : outcomes)
                summary.add(outcome);
            std::vector<QUuid> apps;
            for (const PlacementPlan& plan : task->m_plans)
                apps.push_back(plan.appID);
            task->m_plans.clear(); // the scopes close here, on the thread that opened them
            for (const QUuid& appID : apps)
                task->workspace().changes().announceTargetFolder(appID);
            Q_EMIT task->finished(summary);
        };
    });
    return task;
}
