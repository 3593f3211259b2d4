#pragma once

#include "access/FolderAccess.h"
#include "linker/Placement.h"
#include "linker/PlacementPlan.h"
#include "model/TargetAppSkill.h"

#include <QStringList>

#include <optional>
#include <vector>

class HubItems;

// What can be done about one entry of an app's folder that keeps its skill from the assistant,
// each carried out as a plan shown first.
enum class EntryRemedy
{
    repairLink,     // a broken link made to lead to the hub item of its name
    moveToTrash,    // the entry into the trash
    takeIntoHub,    // a copy changed here becomes the hub item
    replaceFromHub, // a copy made anew from the hub item (one changed here only with consent)
};
class HubSettings;
class ModelContext;

// What a bulk change of an app's folder would do, worked out in full before anything
// happens: what is missing is made, what Quorvane placed is made anew or taken away, and
// whatever stands in the way that Quorvane did not place is a conflict. Reads only.
class PlacementPlanner
{
public:
    PlacementPlanner(const ModelContext& context, const HubSettings& hub, const FolderAccess& access,
                     Placements placements);

    // Every hub item (every visible entry of the hub, as listed now) placed in the app's
    // folder. Nothing when the folder or the hub cannot be reached.
    std::optional<PlacementPlan> planLinkAll(const TargetApp& app) const;
    // The same for the hub items named, by their paths.
    std::optional<PlacementPlan> planLink(const QStringList& hubItems, const TargetApp& app) const;
    // Every placement Quorvane made in the app's folder taken away (only the one of `onlyItem`
    // when given); nothing else is touched, and a copy changed here only with consent.
    std::optional<PlacementPlan> planUnlinkAll(const TargetApp& app,
                                               const std::optional<QString>& onlyItem = std::nullopt) const;
    // The hub items named, by their paths, switched on or off: what `link`/`unlink ITEM...`
    // would do, as a plan to show.
    std::optional<PlacementPlan> planToggle(const QStringList& hubItems, const TargetApp& app,
                                            bool linked) const;
    // Every placement Quorvane recorded brought in line with the hub: made where missing,
    // made anew where outdated (a copy of an item changed since, a link into a moved hub).
    std::optional<PlacementPlan> planSync(const TargetApp& app) const;
    // Every placement Quorvane recorded in the app's folder converted to `kind`; the app's
    // mode changes with the records once the plan is carried out.
    std::optional<PlacementPlan> planSwitch(const TargetApp& app, PlacementKind kind) const;
    // planSync() for every app with records; an app whose folder cannot be reached has a plan
    // with that one conflict.
    std::vector<PlacementPlan> planRestoreAll() const;
    // What the records say of each app, in name order (with two apps of one id, the first
    // stands for both): the input of planRestore().
    QList<RecordedPlacements> recordedPlacements() const;
    // The same for placements not (yet) in the store, as a backup document holds them.
    std::vector<PlacementPlan> planRestore(const QList<RecordedPlacements>& apps,
                                           const FolderLocation& hub) const;

    // What can be done about an entry in this state.
    static QList<EntryRemedy> remediesFor(TargetItemState state);
    // The remedy for the app's entry of that name, as a plan; nothing when the folder or the
    // hub cannot be reached. A plan without actions: the remedy does not fit the entry as it is now.
    std::optional<PlacementPlan> planRemedy(const TargetApp& app, const QString& entry,
                                            EntryRemedy remedy) const;

    // Why nothing may be written into a project app's folder: a link on the way that leaves the
    // project, or a lock file that is a link; nothing for an app of no project, or a sound one.
    static std::optional<PlanConflict> projectRefusal(const TargetApp& app, const QString& folder);
    // Whether a single change may write into the app's folder; logs why not.
    static bool mayWriteInto(const TargetApp& app, const QString& folder);
    // The conflict of an entry that Quorvane did not place: a link (and where it leads), a
    // folder or a file.
    static PlanConflict inTheWay(const QString& place, const QString& itemName);

private:
    // The app's recorded placements planned the `kind` way, the hub reached for the plan's life.
    std::optional<PlacementPlan> planInHub(const TargetApp& app, PlacementKind kind,
                                           bool createMissing) const;
    std::optional<PlacementPlan> planRecorded(const RecordedPlacements& placements, const HubItems& hub,
                                              PlacementKind kind, bool createMissing) const;

    const ModelContext& m_context;
    const HubSettings& m_hub;
    const FolderAccess& m_access;
    Placements m_placements;
};
