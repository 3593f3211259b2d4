#include "actions/BackgroundTask.h"

#include "actions/Workspace.h"

BackgroundTask::BackgroundTask(Workspace& workspace, qint64 total)
    : QObject(&workspace)
    , m_workspace(workspace)
    , m_total(total)
{
    // The worker only counts; progress is read here a few times a second.
    m_progressTimer.setInterval(100);
    connect(&m_progressTimer, &QTimer::timeout, this,
            [this] { Q_EMIT progressed(m_progress->done, m_total); });
}

void BackgroundTask::runInBackground(std::function<std::function<void()>(Progress&)> work)
{
    m_progressTimer.start();
    // The task is alive when the worker posts: it goes only in end(), or with the
    // workspace, which awaits its workers first.
    m_workspace.runInBackground([this, progress = m_progress, work = std::move(work)] {
        std::function<void()> conclusion = work(*progress);
        QMetaObject::invokeMethod(
            this, [this, conclusion = std::move(conclusion)] { end(conclusion); }, Qt::QueuedConnection);
    });
}

void BackgroundTask::end(const std::function<void()>& conclusion)
{
    m_progressTimer.stop();
    Q_EMIT progressed(m_progress->done, m_total);
    conclusion();
    Q_EMIT ended();
    deleteLater();
}
