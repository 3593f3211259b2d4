// Bringing an app's entries into the hub, and pointing broken links at it again.
#include "linker/ItemImporter.h"

#include "access/FileSystem.h"
#include "access/FolderAccess.h"
#include "linker/HubSettings.h"
#include "linker/LinkRecords.h"
#include "linker/Placement.h"
#include "linker/PlacementPlanner.h"

#include "access/ItemName.h"
#include "base/Log.h"
#include "model/TargetApp.h"

#include <QDir>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

bool isSameOrInside(const QString& path, const QString& folder)
{
    const QString cleanPath = QDir::cleanPath(path);
    const QString cleanFolder = QDir::cleanPath(folder);
    return cleanPath == cleanFolder || cleanPath.startsWith(cleanFolder + u'/');
}

// Moving what a link leads to must not carry the hub or the app's own folder along, nor
// shuffle items within the hub: such a link is refused.
Outcome checkImportableDestination(const QString& destination, const QString& hub, const QString& target)
{
    if (isSameOrInside(hub, destination) || isSameOrInside(target, destination))
        return Error::of(Problem::Kind::linkHoldsHubOrApp);
    if (isSameOrInside(destination, hub))
        return Error::of(Problem::Kind::linkAlreadyInHub);
    return {};
}

// Runs the steps in order; the first failure ends them and is returned.
Outcome inOrder(std::initializer_list<std::function<Outcome()>> steps)
{
    for (const auto& step : steps) {
        if (Outcome done = step(); !done)
            return done;
    }
    return {};
}

} // namespace

ItemImporter::ItemImporter(const HubSettings& hub, const FolderAccess& access, LinkRecords& records,
                           Placements placements)
    : m_hub(hub)
    , m_access(access)
    , m_records(records)
    , m_placements(placements)
{}

ImportPlan ItemImporter::planImport(const TargetAppSkill& item, const TargetApp& app) const
{
    ImportPlan plan;
    plan.name = item.name;
    plan.entry = item.path;
    // A link without a destination has nothing to bring in: it is left alone, and unlogged.
    if (item.isSymlink && !item.symlinkDestination)
        return plan;
    auto hub = m_access.reach(m_hub.location());
    auto target = m_access.reach(folderOf(app));
    if (!hub || !target || !PlacementPlanner::mayWriteInto(app, target->path))
        return plan;
    plan.hub = hub->path;
    plan.target = target->path;
    plan.folders.push_back(std::move(*hub));
    plan.folders.push_back(std::move(*target));
    plan.source = item.isSymlink ? *item.symlinkDestination : plan.entry;
    plan.viaLink = item.isSymlink;
    plan.bytesToCopy =
        FileSystem::movingCopies(plan.source, plan.hub) ? FileSystem::treeSize(plan.source) : 0;
    return plan;
}

Outcome ItemImporter::performImport(const ImportPlan& plan, const Placement& placement,
                                    const FileSystem::CopyControl& control)
{
    const QString hubPlace = FileSystem::childPath(plan.hub, plan.name);
    if (plan.viaLink)
        return inOrder({
            [&] { return checkImportableDestination(plan.source, plan.hub, plan.target); },
            [&] { return FileSystem::move(plan.source, hubPlace, control); },
            [&] { return FileSystem::remove(plan.entry); },
            [&] { return placement.place(hubPlace, plan.entry); },
        });
    return inOrder({
        [&] { return FileSystem::move(plan.entry, hubPlace, control); },
        [&] { return placement.place(hubPlace, plan.entry); },
    });
}

bool ItemImporter::concludeImport(const ImportPlan& plan, const Outcome& outcome, const TargetApp& app)
{
    if (!outcome) {
        Log::line(u"Failed to import skill: "_s + outcome.error().description);
        return false;
    }
    const auto fingerprint = m_placements.of(app.placement()).fingerprint(plan.entry);
    m_records.upsert(app.id(), plan.name, fingerprint ? fingerprint.value() : std::nullopt);
    return true;
}

bool ItemImporter::importSkill(const TargetAppSkill& item, const TargetApp& app)
{
    const ImportPlan plan = planImport(item, app);
    if (!plan.isPossible())
        return false;
    return concludeImport(plan, performImport(plan, m_placements.of(app.placement()), {}), app);
}

bool ItemImporter::repairLink(const TargetAppSkill& item, const TargetApp& app)
{
    if (!item.isBroken || !item.hasNamesakeInHub)
        return false;
    const QString itemPath = item.path;
    bool repaired = false;
    m_access.withFolders(m_hub.location(), folderOf(app), [&](const QString& hub, const QString& folder) {
        if (!PlacementPlanner::mayWriteInto(app, folder))
            return false;
        const QString namesake = FileSystem::childPath(hub, item.name);
        const Outcome outcome = inOrder({
            [&] { return FileSystem::remove(itemPath); },
            [&] { return m_placements.link.place(namesake, itemPath); },
        });
        if (!outcome)
            Log::line(u"Failed to repair link: "_s + outcome.error().description);
        repaired = outcome.ok();
        return repaired;
    });
    if (repaired)
        m_records.upsert(app.id(), item.name);
    return repaired;
}
