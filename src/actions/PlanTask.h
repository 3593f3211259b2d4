#pragma once

#include "actions/BackgroundTask.h"
#include "linker/PlacementPlan.h"

// A planned bulk change of one app's folder carried out in the background, the entries
// done as progress. Stopping comes between two entries; what was done is recorded.
class PlanTask : public BackgroundTask
{
    Q_OBJECT

public:
    // Nothing when the plan has conflicts that are not to be skipped: then nothing is done.
    static PlanTask* start(Workspace& workspace, PlacementPlan plan, bool skipConflicts);

    QString description() const override;

Q_SIGNALS:
    // The app's folder is announced as changed just before.
    void finished(const PlanOutcome& outcome);

private:
    PlanTask(Workspace& workspace, PlacementPlan plan);

    PlacementPlan m_plan; // holds the folder's access scope until the task ends
};
