// Listing a target app's folder with the state of every entry.
#include "FileLinkerService.h"

#include "HubScanner.h"
#include "NameOrder.h"

#include <QFileInfo>

#include <algorithm>

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
    QList<TargetAppSkill> skills;
    for (const QString& entry : entries.value()) {
        if (!HubScanner::isHiddenName(QFileInfo(entry).fileName()))
            skills.append(makeTargetAppSkill(entry));
    }
    std::stable_sort(skills.begin(), skills.end(), [](const TargetAppSkill& a, const TargetAppSkill& b) {
        return precedesByCodePoint(a.name, b.name);
    });
    return skills;
}

TargetAppSkill FileLinkerService::makeTargetAppSkill(const QString& entryPath) const
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
    skill.hasNamesakeInHub = withCentralHubAccess([&](const QString& hub) {
                                 return FileSystem::exists(FileSystem::childPath(hub, skill.name));
                             }).value_or(false);
    return skill;
}
