#include "actions/LinkRestoreTask.h"

#include "actions/Workspace.h"
#include "base/Log.h"

LinkRestoreTask::LinkRestoreTask(Workspace& workspace, LinkRestorePlan plan)
    : BackgroundTask(workspace, plan.links.size())
    , m_plan(std::move(plan))
{}

QString LinkRestoreTask::description() const
{
    return tr("Stelle Verknüpfungen wieder her...");
}

LinkRestoreTask* LinkRestoreTask::start(Workspace& workspace)
{
    auto* task = new LinkRestoreTask(workspace, workspace.linker().planRestore());
    task->runInBackground(
        [task, links = task->m_plan.links, placement = &workspace.linker().placement(),
         summary = task->m_plan.summary](Progress& progress) mutable -> std::function<void()> {
            QStringList failures;
            FileLinkerService::makePlannedLinks(
                links, *placement, progress.stop, [&progress](qsizetype done) { progress.done = done; },
                summary, failures);
            return [task, summary, failures] {
                for (const QString& failure : failures)
                    Log::line(failure);
                task->m_plan = {}; // the scopes close here, on the thread that opened them
                task->workspace().changes().announceEveryTargetFolder();
                Q_EMIT task->finished(summary);
            };
        });
    return task;
}
