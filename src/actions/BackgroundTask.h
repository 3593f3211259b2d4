#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

#include <atomic>
#include <functional>
#include <memory>

class Workspace;

// Long file work that runs on the workspace's worker threads while the window goes on:
// it counts its progress, can be asked to stop, and ends on the GUI thread. It belongs to
// the workspace, not to a view, so it always ends and reports. Each kind says what it
// does, how far it goes, and what stopping leaves.
class BackgroundTask : public QObject
{
    Q_OBJECT

public:
    // What the worker and the task share; it outlives whichever goes first.
    struct Progress
    {
        std::atomic<bool> stop = false;
        std::atomic<qint64> done = 0;
    };

    // What a task does, for the window to name: changing `total()` entries, importing the
    // item `subject`, or importing a backup.
    struct Work
    {
        enum class Kind
        {
            changingEntries,
            importingItem,
            importingBackup,
        };
        Kind kind;
        QString subject = {};
    };
    virtual Work work() const = 0;
    // How far it goes, in the unit `progressed` counts (links, bytes).
    qint64 total() const { return m_total; }
    void cancel() { m_progress->stop = true; }
    bool wasCancelled() const { return m_progress->stop; }

Q_SIGNALS:
    void progressed(qint64 done, qint64 total);
    // After the task's own result; the task goes right after.
    void ended();

protected:
    BackgroundTask(Workspace& workspace, qint64 total);

    // Runs `work` on a worker thread; what it returns runs on this thread afterwards,
    // before the task ends.
    void runInBackground(std::function<std::function<void()>(Progress&)> work);
    Workspace& workspace() const { return m_workspace; }

private:
    void end(const std::function<void()>& conclusion);

    Workspace& m_workspace;
    qint64 m_total;
    std::shared_ptr<Progress> m_progress = std::make_shared<Progress>();
    QTimer m_progressTimer;
};
