#include "actions/PlanTask.h"

#include "actions/Workspace.h"

PlanTask::PlanTask(Workspace& workspace, PlacementPlan plan)
    : BackgroundTask(workspace, plan.actions.size())
    , m_plan(std::move(plan))
{}

QString PlanTask::description() const
{
    return tr("Ändere %n Einträge...", nullptr, int(m_plan.actions.size()));
}

PlanTask* PlanTask::start(Workspace& workspace, PlacementPlan plan, bool skipConflicts)
{
    if (!plan.conflicts.isEmpty() && !skipConflicts)
        return nullptr;
    const int skipped = static_cast<int>(plan.conflicts.size());
    auto* task = new PlanTask(workspace, std::move(plan));
    task->runInBackground([task, actions = task->m_plan.actions,
                           placement = &workspace.linker().placements().of(task->m_plan.kind),
                           skipped](Progress& progress) -> std::function<void()> {
        PlanOutcome outcome;
        outcome.skipped = skipped;
        FileLinkerService::performPlan(
            actions, *placement, progress.stop, [&progress](qsizetype done) { progress.done = done; },
            outcome);
        return [task, outcome] {
            const QUuid appID = task->m_plan.appID;
            task->workspace().linker().recordPlan(task->m_plan, outcome);
            task->m_plan = {}; // the scope closes here, on the thread that opened it
            task->workspace().changes().announceTargetFolder(appID);
            Q_EMIT task->finished(outcome);
        };
    });
    return task;
}
