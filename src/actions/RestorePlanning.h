#pragma once

#include "access/FolderAccess.h"
#include "linker/PlacementPlan.h"

#include <QObject>

#include <vector>

class Workspace;

// Works out what restoring recorded placements would do, a few apps per turn of the event
// loop: checking tens of thousands of places at once would hold the window.
class RestorePlanning : public QObject
{
    Q_OBJECT

public:
    // The apps must live until finished() was sent.
    RestorePlanning(Workspace& workspace, QList<RecordedPlacements> apps, FolderLocation hub,
                    QObject* parent);

    // The plans in the apps' order, once finished() was sent.
    std::vector<PlacementPlan> takePlans() { return std::move(m_plans); }

Q_SIGNALS:
    void finished();

private:
    void planNextSlice();

    Workspace& m_workspace;
    QList<RecordedPlacements> m_pending;
    FolderLocation m_hub;
    qsizetype m_next = 0;
    std::vector<PlacementPlan> m_plans;
};
