#include "actions/RestorePlanning.h"

#include "actions/Workspace.h"
#include "linker/HubSettings.h"
#include "linker/Linker.h"

#include <QTimer>

namespace {

// About this many places are checked per turn of the event loop.
constexpr qsizetype placesPerSlice = 500;

} // namespace

RestorePlanning::RestorePlanning(Workspace& workspace, QObject* parent)
    : QObject(parent)
    , m_workspace(workspace)
{
    for (const RecordedPlacements& placements : workspace.linker().planner.recordedPlacements())
        m_pending.append({placements.app->id(), placements.items});
    QTimer::singleShot(0, this, &RestorePlanning::planNextSlice);
}

void RestorePlanning::planNextSlice()
{
    QList<RecordedPlacements> slice;
    qsizetype places = 0;
    for (; m_next < m_pending.size() && places < placesPerSlice; ++m_next) {
        const AppToPlan& next = m_pending.at(m_next);
        if (const TargetApp* app = m_workspace.app(next.id)) {
            slice.append({app, next.items});
            places += next.items.size();
        }
    }
    for (PlacementPlan& plan :
         m_workspace.linker().planner.planRestore(slice, m_workspace.hubSettings().location()))
        m_plans.push_back(std::move(plan));
    if (m_next < m_pending.size())
        QTimer::singleShot(0, this, &RestorePlanning::planNextSlice);
    else
        Q_EMIT finished();
}
