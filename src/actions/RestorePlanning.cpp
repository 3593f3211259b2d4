#include "actions/RestorePlanning.h"

#include "actions/Workspace.h"
#include "linker/Linker.h"

#include <QTimer>

namespace {

// About this many places are checked per turn of the event loop.
constexpr qsizetype placesPerSlice = 200;

} // namespace

RestorePlanning::RestorePlanning(Workspace& workspace, QList<RecordedPlacements> apps, FolderLocation hub,
                                 QObject* parent)
    : QObject(parent)
    , m_workspace(workspace)
    , m_pending(std::move(apps))
    , m_hub(std::move(hub))
{
    QTimer::singleShot(0, this, &RestorePlanning::planNextSlice);
}

void RestorePlanning::planNextSlice()
{
    QList<RecordedPlacements> slice;
    qsizetype places = 0;
    for (; m_next < m_pending.size() && places < placesPerSlice; ++m_next) {
        slice.append(m_pending.at(m_next));
        places += m_pending.at(m_next).items.size();
    }
    for (PlacementPlan& plan : m_workspace.linker().planner.planRestore(slice, m_hub))
        m_plans.push_back(std::move(plan));
    if (m_next < m_pending.size())
        QTimer::singleShot(0, this, &RestorePlanning::planNextSlice);
    else
        Q_EMIT finished();
}
