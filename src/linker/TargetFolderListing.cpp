// Listing a target app's folder with the state of every entry.
#include "FileLinkerService.h"

#include "HubScanner.h"
#include "NameOrder.h"

#include <QFileInfo>

#include <algorithm>

namespace {

// An entry with its link state; `hub` is the reached hub folder, if it could be reached.
TargetAppSkill describeEntry(const QString& entryPath, const std::optional<QString>& hub)
{
    TargetAppSkill skill;
    skill.url = QUrl::fromLocalFile(entryPath);
    skill.name = QFileInfo(entryPath).fileName();
    // Linux has no alias files: a symbolic link is the only kind of link.
    skill.isSymlink = FileSystem::isSymbolicLink(entryPath);
    if (skill.isSymlink) {
        if (const auto destination = FileSystem::resolveLink(entryPath)) {
            skill.symlinkDestination = QUrl::fromLocalFile(destination.value());
            skill.isBroken = !FileSystem::exists(destination.value());
        } else {
            skill.isBroken = true;
        }
    }
    skill.hasNamesakeInHub = hub && FileSystem::exists(FileSystem::childPath(*hub, skill.name));
    return skill;
}

} // namespace

std::optional<QList<TargetAppSkill>> FileLinkerService::listTargetAppSkills(const TargetApp& app) const
{
    return withTargetFolderAccess(app, [this](const QString& folder) { return listTargetFolder(folder); });
}

QList<TargetAppSkill> FileLinkerService::listTargetFolder(const QString& folderPath) const
{
    if (!FileSystem::exists(folderPath))
        return {};
    const auto entries = FileSystem::listFolder(folderPath);
    if (!entries)
        return {};
    // The hub is reached once for the whole listing, not once per entry.
    const auto hub = reachCentralHub();
    const std::optional<QString> hubPath = hub ? std::optional(hub->path) : std::nullopt;
    QList<TargetAppSkill> skills;
    for (const QString& entry : entries.value()) {
        if (!HubScanner::isHiddenName(HubScanner::entryName(entry)))
            skills.append(describeEntry(entry, hubPath));
    }
    std::stable_sort(skills.begin(), skills.end(), [](const TargetAppSkill& a, const TargetAppSkill& b) {
        return precedesByCodePoint(a.name, b.name);
    });
    return skills;
}

TargetAppSkill FileLinkerService::makeTargetAppSkill(const QString& entryPath) const
{
    const auto hub = reachCentralHub();
    return describeEntry(entryPath, hub ? std::optional(hub->path) : std::nullopt);
}
