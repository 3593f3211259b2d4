#pragma once

#include "actions/BackgroundTask.h"
#include "linker/FileLinkerService.h"

// Recorded links made again in the background, as after a backup import. The plan is
// made at once from the records; only files are touched off the GUI thread. Stopping
// comes between two links, so every link made is whole and the records are untouched:
// restoring again later makes the rest.
class LinkRestoreTask : public BackgroundTask
{
    Q_OBJECT

public:
    static LinkRestoreTask* start(Workspace& workspace);

    QString description() const override;

Q_SIGNALS:
    // Every target folder is announced as changed just before.
    void finished(const LinkRestoreSummary& summary);

private:
    LinkRestoreTask(Workspace& workspace, LinkRestorePlan plan);

    LinkRestorePlan m_plan; // holds the folders' access scopes until the task ends
};
