// Bulk changes of an app's folder, planned in full before anything happens.
#include "linker/PlacementPlanner.h"

#include "access/FileSystem.h"
#include "access/ItemName.h"
#include "access/ProjectFolder.h"
#include "base/EnumNames.h"
#include "base/Log.h"
#include "linker/HubScanner.h"
#include "linker/HubSettings.h"
#include "linker/LinkRecords.h"
#include "linker/Placement.h"
#include "model/ModelContext.h"
#include "model/SkillLinkRecord.h"
#include "model/TargetApp.h"

#include <QFileInfo>
#include <QSet>

using namespace Qt::StringLiterals;

namespace {

using Recorded = RecordedItems;

QString nameOf(const FileSystem::FolderEntry& entry)
{
    return entry.path.mid(entry.path.lastIndexOf(u'/') + 1);
}

// Reaches the app's folder and lists it once; `fill` plans from the names the listing
// holds. A folder that cannot be listed is the plan's one conflict.
template <typename Fill>
std::optional<PlacementPlan> planFolder(const FolderAccess& access, const TargetApp& app, Fill&& fill)
{
    auto folder = access.reach(folderOf(app));
    if (!folder)
        return std::nullopt;
    PlacementPlan plan;
    plan.appID = app.id();
    plan.kind = app.placement();
    if (auto refusal = PlacementPlanner::projectRefusal(app, folder->path)) {
        plan.conflicts.append(std::move(*refusal));
    } else if (const auto entries = FileSystem::listFolderEntries(folder->path)) {
        QSet<QString> taken;
        for (const FileSystem::FolderEntry& entry : entries.value())
            taken.insert(nameOf(entry));
        fill(folder->path, taken, plan);
    } else {
        plan.conflicts.append({folder->path, PlanConflict::Kind::folderUnreadable, {}});
    }
    plan.folders.push_back(std::move(*folder));
    return plan;
}

// Plans one hub item's place in an app's folder, so that it ends up placed the plan's way.
// Only what Quorvane placed is ever replaced: its links, and its copies unless changed here.
class PlaceOneItem
{
public:
    PlaceOneItem(const Placements& placements, PlacementPlan& plan, const Recorded& recorded)
        : m_placements(placements)
        , m_plan(plan)
        , m_recorded(recorded)
    {}

    void operator()(const QString& name, const QString& place, const QString& hubItem, bool taken,
                    bool createMissing) const
    {
        const PlanAction placing{m_plan.kind == PlacementKind::copy ? PlanAction::Op::copy
                                                                    : PlanAction::Op::create,
                                 place, hubItem, name};
        const PlanAction replacing{PlanAction::Op::replace, place, hubItem, name};
        if (!taken) {
            if (createMissing)
                m_plan.actions.append(placing);
            return;
        }
        const bool isLink = FileSystem::isSymbolicLink(place);
        const auto record = m_recorded.find(name);
        const bool isOurs = record != m_recorded.end();
        // What stands there becomes the other kind: the plan says so, not merely "anew".
        PlanAction converting = replacing;
        converting.becomes = m_plan.kind;
        if (isLink) {
            const bool leadsToItem = m_placements.link.isPlacementOf(place, hubItem);
            if (leadsToItem && m_plan.kind == PlacementKind::link)
                return;
            // A link Quorvane made that leads elsewhere now (the hub moved) is made anew.
            if (leadsToItem || isOurs)
                m_plan.actions.append(m_plan.kind == PlacementKind::copy ? converting : replacing);
            else
                m_plan.conflicts.append(PlacementPlanner::inTheWay(place, name));
            return;
        }
        if (!isOurs || !record.value()) {
            m_plan.conflicts.append(PlacementPlanner::inTheWay(place, name));
            return;
        }
        const CopyState state = copyStateOf(place, hubItem, *record.value());
        const PlanAction& making = m_plan.kind == PlacementKind::link ? converting : replacing;
        if (state == CopyState::modified)
            m_plan.conflicts.append({place, PlanConflict::Kind::changedCopy, name, making});
        else if (state == CopyState::outdated || m_plan.kind == PlacementKind::link)
            m_plan.actions.append(making);
    }

private:
    const Placements& m_placements;
    PlacementPlan& m_plan;
    const Recorded& m_recorded;
};

} // namespace

// The hub's items by name, each looked for once: a restore asks for the same names in every app.
class HubItems
{
public:
    explicit HubItems(QString path)
        : m_path(std::move(path))
    {}

    QString itemPath(const QString& name) const { return FileSystem::childPath(m_path, name); }
    bool has(const QString& name) const
    {
        auto known = m_present.constFind(name);
        if (known == m_present.cend())
            known = m_present.insert(name, FileSystem::exists(itemPath(name)));
        return *known;
    }

private:
    QString m_path;
    mutable QHash<QString, bool> m_present;
};

PlacementPlanner::PlacementPlanner(const ModelContext& context, const HubSettings& hub,
                                   const FolderAccess& access, Placements placements)
    : m_context(context)
    , m_hub(hub)
    , m_access(access)
    , m_placements(placements)
{}

std::optional<PlacementPlan> PlacementPlanner::planLinkAll(const TargetApp& app) const
{
    auto hub = m_access.reach(m_hub.location());
    if (!hub)
        return std::nullopt;
    // The hub's names are all it takes; its items' content is not read.
    auto entries = FileSystem::listFolderEntries(hub->path);
    if (!entries)
        return std::nullopt;
    QStringList hubItems;
    hubItems.reserve(entries->size());
    for (FileSystem::FolderEntry& entry : entries.value())
        if (!HubScanner::isHiddenName(HubScanner::entryName(entry.path)))
            hubItems.append(std::move(entry.path));
    std::sort(hubItems.begin(), hubItems.end());
    auto plan = planLink(hubItems, app);
    if (plan)
        plan->folders.push_back(std::move(*hub));
    return plan;
}

std::optional<PlacementPlan> PlacementPlanner::planLink(const QStringList& hubItems,
                                                        const TargetApp& app) const
{
    const Recorded recorded = LinkRecords::recordedIn(m_context, app.id());
    return planFolder(
        m_access, app, [&](const QString& folder, const QSet<QString>& taken, PlacementPlan& plan) {
            const PlaceOneItem placeOne(m_placements, plan, recorded);
            for (const QString& hubItem : hubItems) {
                const QString name = hubItem.mid(hubItem.lastIndexOf(u'/') + 1);
                placeOne(name, FileSystem::childPath(folder, name), hubItem, taken.contains(name), true);
            }
        });
}

std::optional<PlacementPlan> PlacementPlanner::planSync(const TargetApp& app) const
{
    return planInHub(app, app.placement(), true);
}

std::optional<PlacementPlan> PlacementPlanner::planSwitch(const TargetApp& app, PlacementKind kind) const
{
    auto plan = planInHub(app, kind, false);
    if (plan)
        plan->switchesTo = kind;
    return plan;
}

std::optional<PlacementPlan> PlacementPlanner::planInHub(const TargetApp& app, PlacementKind kind,
                                                         bool createMissing) const
{
    auto hub = m_access.reach(m_hub.location());
    if (!hub)
        return std::nullopt;
    auto plan = planRecorded({&app, LinkRecords::recordedIn(m_context, app.id())}, HubItems(hub->path), kind,
                             createMissing);
    if (plan)
        plan->folders.push_back(std::move(*hub));
    return plan;
}

std::optional<PlacementPlan> PlacementPlanner::planRecorded(const RecordedPlacements& placements,
                                                            const HubItems& hub, PlacementKind kind,
                                                            bool createMissing) const
{
    const Recorded& recorded = placements.items;
    QStringList names = recorded.keys();
    std::sort(names.begin(), names.end());
    return planFolder(
        m_access, *placements.app,
        [&](const QString& folder, const QSet<QString>& taken, PlacementPlan& plan) {
            plan.kind = kind;
            const PlaceOneItem placeOne(m_placements, plan, recorded);
            for (const QString& name : std::as_const(names)) {
                // Names come from records that a backup may have brought: one entry of the folder each.
                if (!checkItemName(name)) {
                    plan.conflicts.append({folder + u'/' + name, PlanConflict::Kind::invalidName, name});
                    continue;
                }
                if (hub.has(name))
                    placeOne(name, FileSystem::childPath(folder, name), hub.itemPath(name),
                             taken.contains(name), createMissing);
            }
        });
}

std::optional<PlacementPlan> PlacementPlanner::planUnlinkAll(const TargetApp& app,
                                                             const std::optional<QString>& onlyItem) const
{
    const QString hub = m_hub.centralRepositoryPath();
    const Recorded recorded = LinkRecords::recordedIn(m_context, app.id());
    return planFolder(
        m_access, app, [&](const QString& folder, const QSet<QString>& taken, PlacementPlan& plan) {
            QStringList names(taken.cbegin(), taken.cend());
            if (onlyItem)
                names = taken.contains(*onlyItem) ? QStringList{*onlyItem} : QStringList();
            std::sort(names.begin(), names.end());
            for (const QString& name : std::as_const(names)) {
                const QString place = FileSystem::childPath(folder, name);
                const QString hubItem = FileSystem::childPath(hub, name);
                const PlanAction removing{PlanAction::Op::remove, place, {}, name};
                if (m_placements.link.isPlacementOf(place, hubItem)) {
                    plan.actions.append(removing);
                    continue;
                }
                const auto copied = recorded.value(name);
                if (!copied || FileSystem::isSymbolicLink(place))
                    continue;
                if (copyStateOf(place, hubItem, *copied) == CopyState::modified)
                    plan.conflicts.append({place, PlanConflict::Kind::changedCopy, name, removing});
                else
                    plan.actions.append(removing);
            }
        });
}

std::optional<PlanConflict> PlacementPlanner::projectRefusal(const TargetApp& app, const QString& folder)
{
    if (!app.project())
        return std::nullopt;
    if (const auto link = ProjectFolder::linkLeaving(*app.project(), folder))
        return PlanConflict{*link, PlanConflict::Kind::leavesProject, {}};
    if (!ProjectFolder::isLockFileWritable(*app.project())) {
        const QString lock = ProjectFolder::lockFilePath(*app.project());
        return PlanConflict{lock, PlanConflict::Kind::lockFileNotRegular, {}};
    }
    return std::nullopt;
}

QList<EntryRemedy> PlacementPlanner::remediesFor(TargetItemState state)
{
    switch (state) {
    case TargetItemState::repairable:
        return {EntryRemedy::repairLink, EntryRemedy::moveToTrash};
    case TargetItemState::broken:
        return {EntryRemedy::moveToTrash};
    case TargetItemState::copyModified:
        return {EntryRemedy::takeIntoHub, EntryRemedy::replaceFromHub};
    case TargetItemState::copyOutdated:
        return {EntryRemedy::replaceFromHub};
    case TargetItemState::linked:
    case TargetItemState::externalLink:
    case TargetItemState::localItem:
    case TargetItemState::copyCurrent:
        break;
    }
    return {};
}

std::optional<PlacementPlan> PlacementPlanner::planRemedy(const TargetApp& app, const QString& entry,
                                                          EntryRemedy remedy) const
{
    auto hub = m_access.reach(m_hub.location());
    if (!hub || !checkItemName(entry))
        return std::nullopt;
    const QString hubItem = FileSystem::childPath(hub->path, entry);
    auto plan = planFolder(
        m_access, app, [&](const QString& folder, const QSet<QString>& taken, PlacementPlan& remedied) {
            const QString place = FileSystem::childPath(folder, entry);
            if (!taken.contains(entry))
                return;
            switch (remedy) {
            case EntryRemedy::repairLink:
                if (FileSystem::isSymbolicLink(place) && FileSystem::exists(hubItem))
                    remedied.actions.append({PlanAction::Op::replace, place, hubItem, entry});
                break;
            case EntryRemedy::moveToTrash:
                remedied.actions.append({PlanAction::Op::trash, place, {}, entry});
                break;
            case EntryRemedy::takeIntoHub:
                if (!FileSystem::isSymbolicLink(place) && FileSystem::exists(hubItem))
                    remedied.actions.append({PlanAction::Op::takeIntoHub, place, hubItem, entry});
                break;
            case EntryRemedy::replaceFromHub: {
                const auto copied = LinkRecords::recordedIn(m_context, app.id()).value(entry);
                if (!copied || FileSystem::isSymbolicLink(place) || !FileSystem::exists(hubItem))
                    break;
                const PlanAction replacing{PlanAction::Op::replace, place, hubItem, entry};
                // A copy changed here gives way only with the user's consent, as in every plan.
                if (copyStateOf(place, hubItem, *copied) == CopyState::modified)
                    remedied.conflicts.append({place, PlanConflict::Kind::changedCopy, entry, replacing});
                else
                    remedied.actions.append(replacing);
                break;
            }
            }
        });
    if (plan)
        plan->folders.push_back(std::move(*hub));
    return plan;
}

bool PlacementPlanner::mayWriteInto(const TargetApp& app, const QString& folder)
{
    const auto refusal = projectRefusal(app, folder);
    if (refusal)
        Log::line(u"Refused to write into "_s + folder + u": "_s + refusal->path + u": "_s +
                  PlanConflict::kindName(refusal->kind));
    return !refusal;
}

PlanConflict PlacementPlanner::inTheWay(const QString& place, const QString& itemName)
{
    if (FileSystem::isSymbolicLink(place)) {
        const auto destination = FileSystem::linkDestinationText(place);
        return {
            place, PlanConflict::Kind::foreignLink, itemName, {}, destination ? destination.value() : u"?"_s};
    }
    return {place,
            FileSystem::existsAsFolder(place) == true ? PlanConflict::Kind::foreignFolder
                                                      : PlanConflict::Kind::foreignFile,
            itemName};
}

QString PlanConflict::kindName(Kind kind)
{
    static constexpr EnumName<Kind> names[] = {
        {Kind::foreignLink, u"foreign-link"},
        {Kind::foreignFolder, u"foreign-folder"},
        {Kind::foreignFile, u"foreign-file"},
        {Kind::changedCopy, u"changed-copy"},
        {Kind::invalidName, u"invalid-name"},
        {Kind::folderUnreadable, u"folder-unreadable"},
        {Kind::folderUnreachable, u"folder-unreachable"},
        {Kind::leavesProject, u"leaves-project"},
        {Kind::lockFileNotRegular, u"lock-file-not-regular"},
        {Kind::hubHoldsOtherVersion, u"hub-holds-other-version"},
        {Kind::noProjectFolder, u"no-project-folder"},
        {Kind::notFetchableOffline, u"not-fetchable-offline"},
        {Kind::differsFromLock, u"differs-from-lock"},
        {Kind::noKnownSource, u"no-known-source"},
        {Kind::notAllowedByPolicy, u"not-allowed-by-policy"},
        {Kind::tooYoungForPolicy, u"too-young-for-policy"},
        {Kind::policyUnreadable, u"policy-unreadable"},
    };
    return nameIn<Kind>(names, kind);
}

std::vector<PlacementPlan> PlacementPlanner::planRestoreAll() const
{
    return planRestore(recordedPlacements(), m_hub.location());
}

QList<RecordedPlacements> PlacementPlanner::recordedPlacements() const
{
    QList<RecordedPlacements> apps;
    QHash<QUuid, qsizetype> indexOf;
    // With two apps of one id, the first one in name order stands for both.
    for (const TargetApp* app : TargetApp::sortedByName(m_context.records<TargetApp>()))
        if (!indexOf.contains(app->id())) {
            indexOf.insert(app->id(), apps.size());
            apps.append(RecordedPlacements{app, {}});
        }
    for (const SkillLinkRecord* record : m_context.records<SkillLinkRecord>())
        if (const auto index = indexOf.find(record->targetAppID()); index != indexOf.end())
            apps[*index].items.insert(record->itemName(), record->contentHash());
    return apps;
}

std::vector<PlacementPlan> PlacementPlanner::planRestore(const QList<RecordedPlacements>& apps,
                                                         const FolderLocation& hubLocation) const
{
    std::vector<PlacementPlan> plans;
    auto hub = m_access.reach(hubLocation);
    if (!hub)
        return plans;
    const HubItems hubItems(hub->path);
    for (const RecordedPlacements& placements : apps) {
        if (placements.items.isEmpty())
            continue;
        auto plan = planRecorded(placements, hubItems, placements.app->placement(), true);
        if (!plan) {
            plan.emplace();
            plan->appID = placements.app->id();
            plan->conflicts.append({placements.app->folderPath(), PlanConflict::Kind::folderUnreachable, {}});
        }
        plans.push_back(std::move(*plan));
    }
    if (!plans.empty())
        plans.front().folders.push_back(std::move(*hub));
    return plans;
}

std::optional<PlacementPlan> PlacementPlanner::planToggle(const QStringList& hubItems, const TargetApp& app,
                                                          bool linked) const
{
    if (linked)
        return planLink(hubItems, app);
    std::optional<PlacementPlan> all;
    for (const QString& item : hubItems) {
        auto one = planUnlinkAll(app, QFileInfo(item).fileName());
        if (!one)
            return std::nullopt;
        if (!all) {
            all = std::move(one);
            continue;
        }
        all->actions += one->actions;
        all->conflicts += one->conflicts;
        std::move(one->folders.begin(), one->folders.end(), std::back_inserter(all->folders));
    }
    return all;
}
