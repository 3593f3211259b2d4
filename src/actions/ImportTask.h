#pragma once

#include "actions/BackgroundTask.h"
#include "linker/Linker.h"

#include <QUuid>

// An entry of an app's folder moved into the hub in the background: across file systems
// its tree is copied, with the bytes as progress. Stopping removes the copy made so far
// and leaves the entry as it was.
class ImportTask : public BackgroundTask
{
    Q_OBJECT

public:
    // Nothing when the folders cannot be reached or the entry has nothing to bring in.
    static ImportTask* start(Workspace& workspace, const TargetAppSkill& entry, const TargetApp& app);

    Work work() const override;

Q_SIGNALS:
    // The hub and the app's folder are announced as changed just before.
    void finished(bool imported);

private:
    ImportTask(Workspace& workspace, ImportPlan plan, const QUuid& appID);

    ImportPlan m_plan; // holds the folders' access scopes until the task ends
    QUuid m_appID;
};
