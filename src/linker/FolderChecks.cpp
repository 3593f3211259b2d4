// Whether the hub and target folders can really be written, and what the hub holds.
#include "FileLinkerService.h"

#include "ItemName.h"
#include "WriteProbe.h"

std::optional<bool> FileLinkerService::isCentralHubWritable() const
{
    return withCentralHubAccess([](const QString& hub) { return canWriteToFolder(hub); });
}

std::optional<bool> FileLinkerService::isTargetFolderWritable(const TargetApp& app) const
{
    return withTargetFolderAccess(app, [](const QString& folder) { return canWriteToFolder(folder); });
}

std::optional<bool> FileLinkerService::hubContainsItem(const QString& itemName) const
{
    return withCentralHubAccess([&](const QString& hub) {
        // A name that is not a single entry (".." or "a/b") cannot be an item of the hub.
        return checkItemName(itemName).ok() && FileSystem::exists(FileSystem::childPath(hub, itemName));
    });
}
