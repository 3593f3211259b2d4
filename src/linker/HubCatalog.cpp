#include "linker/HubCatalog.h"

#include "access/FileSystem.h"
#include "access/FolderAccess.h"
#include "access/ItemName.h"
#include "access/SecurityScopedBookmarkManager.h"
#include "base/Log.h"
#include "linker/HubScanner.h"
#include "linker/HubSettings.h"
#include "model/NameOrder.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

Result<QList<Skill>> scanFolder(const QString& hub)
{
    const auto entries = FileSystem::listFolderEntries(hub);
    if (!entries)
        return entries.error();
    QList<Skill> skills;
    HubScanner::PreviewReader reader;
    for (const FileSystem::FolderEntry& entry : entries.value()) {
        if (!HubScanner::isHiddenName(HubScanner::entryName(entry.path)))
            skills.append(HubScanner::makeSkill(entry, reader));
    }
    std::stable_sort(skills.begin(), skills.end(),
                     [](const Skill& a, const Skill& b) { return precedesByCodePoint(a.name, b.name); });
    return skills;
}

} // namespace

HubCatalog::HubCatalog(const HubSettings& settings, const FolderAccess& access)
    : m_settings(settings)
    , m_access(access)
{}

void HubCatalog::scanCentralRepository()
{
    m_availableSkills.clear();
    // Only a bookmarked hub is scanned: a stored path alone was never chosen in a panel.
    const auto bookmark = m_settings.centralBookmarkData();
    if (!bookmark)
        return;
    const auto hub = SecurityScopedBookmarkManager::resolveBookmark(*bookmark);
    if (!hub)
        return;
    const ScopedFolderAccess access(m_access.scopes(), *hub);
    if (!access.isGranted()) {
        Log::line(u"Failed to access security scope for central repo."_s);
        return;
    }
    auto skills = scanFolder(*hub);
    if (!skills) {
        Log::line(u"Error scanning central repository: "_s + skills.error().description);
        return;
    }
    m_availableSkills = std::move(skills).value();
}

std::optional<Skill> HubCatalog::itemNamed(const QString& fileName) const
{
    for (const Skill& skill : m_availableSkills) {
        if (skill.url.fileName() == fileName)
            return skill;
    }
    return std::nullopt;
}

std::optional<bool> HubCatalog::containsItem(const QString& itemName) const
{
    return m_access.withFolder(m_settings.location(), [&](const QString& hub) {
        // A name that is not a single entry (".." or "a/b") cannot be an item of the hub.
        return checkItemName(itemName).ok() && FileSystem::exists(FileSystem::childPath(hub, itemName));
    });
}
