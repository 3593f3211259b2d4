#include "actions/LinkRestoreTask.h"

#include "actions/Workspace.h"
#include "base/Log.h"

LinkRestoreTask::LinkRestoreTask(Workspace& workspace, LinkRestorePlan plan)
    : QObject(&workspace)
    , m_workspace(workspace)
    , m_plan(std::move(plan))
    , m_total(m_plan.links.size())
{
    // The worker only counts; progress is read here a few times a second.
    m_progressTimer.setInterval(100);
    connect(&m_progressTimer, &QTimer::timeout, this, [this] { Q_EMIT progressed(m_state->done, m_total); });
}

LinkRestoreTask* LinkRestoreTask::start(Workspace& workspace)
{
    auto* task = new LinkRestoreTask(workspace, workspace.linker().planRestore());
    task->run();
    return task;
}

void LinkRestoreTask::run()
{
    m_progressTimer.start();
    m_workspace.runInBackground([links = m_plan.links, placement = &m_workspace.linker().placement(),
                                 state = m_state, summary = m_plan.summary, task = this]() mutable {
        QStringList failures;
        FileLinkerService::makePlannedLinks(
            links, *placement, state->stop, [&state](qsizetype done) { state->done = done; }, summary,
            failures);
        QMetaObject::invokeMethod(
            task, [task, summary, failures] { task->finish(summary, failures); }, Qt::QueuedConnection);
    });
}

void LinkRestoreTask::finish(const LinkRestoreSummary& summary, const QStringList& failures)
{
    m_progressTimer.stop();
    for (const QString& failure : failures)
        Log::line(failure);
    m_plan = {}; // the scopes close here, on the thread that opened them
    m_workspace.changes().announceEveryTargetFolder();
    Q_EMIT progressed(m_state->done, m_total);
    Q_EMIT finished(summary, m_state->stop);
    deleteLater();
}
