#pragma once

#include "linker/FileLinkerService.h"

#include <QObject>
#include <QTimer>

#include <atomic>
#include <memory>

class Workspace;

// Recorded links made again on a worker thread, with progress, as after a backup import.
// The plan is made at once from the records; only files are touched off the GUI thread.
// Cancelling stops between two links, so every link made is whole and the records are
// untouched: restoring again later makes the rest. Belongs to the workspace, not to a view.
class LinkRestoreTask : public QObject
{
    Q_OBJECT

public:
    static LinkRestoreTask* start(Workspace& workspace);

    qsizetype total() const { return m_total; }
    void cancel() { m_state->stop = true; }

Q_SIGNALS:
    void progressed(qsizetype done, qsizetype total);
    // Every target folder is announced as changed just before.
    void finished(const LinkRestoreSummary& summary, bool cancelled);

private:
    // What the worker and this object share; it outlives whichever goes first.
    struct SharedState
    {
        std::atomic<bool> stop = false;
        std::atomic<qsizetype> done = 0;
    };

    LinkRestoreTask(Workspace& workspace, LinkRestorePlan plan);
    void run();
    void finish(const LinkRestoreSummary& summary, const QStringList& failures);

    Workspace& m_workspace;
    LinkRestorePlan m_plan; // holds the folders' access scopes until the task ends
    qsizetype m_total;
    std::shared_ptr<SharedState> m_state = std::make_shared<SharedState>();
    QTimer m_progressTimer;
};
