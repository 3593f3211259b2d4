#pragma once

#include "linker/LinkRecords.h"
#include "linker/PlacementPlan.h"

#include <QObject>
#include <QUuid>

#include <vector>

class Workspace;

// Works out what restoring every recorded placement would do, a few apps per turn of the
// event loop: checking tens of thousands of places at once would hold the window.
class RestorePlanning : public QObject
{
    Q_OBJECT

public:
    RestorePlanning(Workspace& workspace, QObject* parent);

    // The plans in the apps' name order, once finished() was sent.
    std::vector<PlacementPlan> takePlans() { return std::move(m_plans); }

Q_SIGNALS:
    void finished();

private:
    void planNextSlice();

    struct AppToPlan
    {
        QUuid id;
        RecordedItems items;
    };

    Workspace& m_workspace;
    QList<AppToPlan> m_pending; // in name order; an app deleted meanwhile is left out
    qsizetype m_next = 0;
    std::vector<PlacementPlan> m_plans;
};
