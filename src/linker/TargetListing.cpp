#include "linker/TargetListing.h"

#include "access/FileSystem.h"
#include "access/FolderAccess.h"
#include "linker/HubScanner.h"
#include "linker/HubSettings.h"
#include "linker/LinkRecords.h"
#include "linker/Placement.h"
#include "model/ModelContext.h"
#include "model/NameOrder.h"
#include "model/TargetApp.h"

#include <QFileInfo>

#include <algorithm>

namespace {

// An entry with its state; `hub` is the reached hub folder, if it could be reached. A
// link costs one readlink() per hop; the listing already told what the others are.
TargetAppSkill describeEntry(const FileSystem::FolderEntry& entry, const std::optional<QString>& hub,
                             const FolderContainment& inHub, const RecordedItems& recorded)
{
    const QString& entryPath = entry.path;
    TargetAppSkill skill;
    skill.path = entryPath;
    skill.name = entryPath.mid(entryPath.lastIndexOf(u'/') + 1);
    // Linux has no alias files: a symbolic link is the only kind of link.
    skill.isSymlink = entry.isLink ? *entry.isLink : FileSystem::isSymbolicLink(entryPath);
    if (skill.isSymlink) {
        if (auto resolved = FileSystem::resolveLink(entryPath))
            skill.symlinkDestination = std::move(resolved).value();
        else
            skill.isBroken = true;
    }
    if (hub) {
        const QString namesake = FileSystem::childPath(*hub, skill.name);
        skill.hasNamesakeInHub = skill.symlinkDestination == namesake || FileSystem::exists(namesake);
    }
    skill.state = skill.classified(inHub);
    if (const std::optional<QString> copied = recorded.value(skill.name); hub && !skill.isSymlink && copied) {
        switch (copyStateOf(entryPath, FileSystem::childPath(*hub, skill.name), *copied)) {
        case CopyState::current:
            skill.state = TargetItemState::copyCurrent;
            break;
        case CopyState::outdated:
            skill.state = TargetItemState::copyOutdated;
            break;
        case CopyState::modified:
            skill.state = TargetItemState::copyModified;
            break;
        }
    }
    return skill;
}

} // namespace

TargetListing::TargetListing(const ModelContext& context, const HubSettings& hub, const FolderAccess& access)
    : m_context(context)
    , m_hub(hub)
    , m_access(access)
{}

std::optional<QList<TargetAppSkill>> TargetListing::list(const TargetApp& app) const
{
    const RecordedItems recorded = LinkRecords::recordedIn(m_context, app.id());
    return m_access.withFolder(folderOf(app), [&](const QString& folder) {
        // The hub is reached once for the whole listing, not once per entry.
        const auto hub = m_access.reach(m_hub.location());
        return listFolder(folder, hub ? std::optional(hub->path) : std::nullopt, recorded);
    });
}

QList<TargetAppSkill> TargetListing::listFolder(const QString& folderPath,
                                                const std::optional<QString>& hubPath,
                                                const RecordedItems& recorded)
{
    const auto entries = FileSystem::listFolderEntries(folderPath);
    if (!entries)
        return {};
    const FolderContainment inHub(hubPath.value_or(QString()));
    QList<TargetAppSkill> skills;
    skills.reserve(entries->size());
    for (const FileSystem::FolderEntry& entry : entries.value()) {
        if (!HubScanner::isHiddenName(HubScanner::entryName(entry.path)))
            skills.append(describeEntry(entry, hubPath, inHub, recorded));
    }
    std::stable_sort(skills.begin(), skills.end(), [](const TargetAppSkill& a, const TargetAppSkill& b) {
        return precedesByCodePoint(a.name, b.name);
    });
    return skills;
}

std::optional<std::optional<TargetAppSkill>> TargetListing::entry(const TargetApp& app,
                                                                  const QString& name) const
{
    return m_access.withFolder(folderOf(app), [&](const QString& folder) -> std::optional<TargetAppSkill> {
        const QString path = FileSystem::childPath(folder, name);
        if (!FileSystem::exists(path) && !FileSystem::isSymbolicLink(path))
            return std::nullopt;
        const auto hub = m_access.reach(m_hub.location());
        const std::optional<QString> hubPath = hub ? std::optional(hub->path) : std::nullopt;
        return describeEntry({path, std::nullopt, std::nullopt}, hubPath,
                             FolderContainment(hubPath.value_or(QString())),
                             LinkRecords::recordedIn(m_context, app.id()));
    });
}
