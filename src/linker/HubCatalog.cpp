#include "linker/HubCatalog.h"

#include "access/FileSystem.h"
#include "access/FolderAccess.h"
#include "access/ItemName.h"
#include "access/SecurityScopedBookmarkManager.h"
#include "base/Log.h"
#include "linker/HubScanner.h"
#include "linker/HubSettings.h"
#include "model/NameOrder.h"

#include <QObject>
#include <QThreadPool>

#include <algorithm>
#include <atomic>
#include <memory>
#include <numeric>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

Result<QList<Skill>> scanFolder(const QString& hub, const std::atomic<bool>& stop)
{
    const auto entries = FileSystem::listFolderEntries(hub);
    if (!entries)
        return entries.error();
    QList<Skill> skills;
    skills.reserve(entries->size());
    HubScanner::PreviewReader reader;
    for (const FileSystem::FolderEntry& entry : entries.value()) {
        if (stop.load(std::memory_order_relaxed))
            return Error::of(Problem::Kind::stopped);
        if (!HubScanner::isHiddenName(HubScanner::entryName(entry.path)))
            skills.append(HubScanner::makeSkill(entry, reader));
    }
    // The order is worked out on positions, so each skill is moved once, not at every merge.
    std::vector<qsizetype> order(static_cast<size_t>(skills.size()));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&named = std::as_const(skills)](qsizetype a, qsizetype b) {
        return precedesByCodePoint(named[a].name, named[b].name);
    });
    QList<Skill> sorted;
    sorted.reserve(skills.size());
    for (const qsizetype position : order)
        sorted.append(std::move(skills[position]));
    return sorted;
}

} // namespace

HubCatalog::HubCatalog(const HubSettings& settings, const FolderAccess& access)
    : m_settings(settings)
    , m_access(access)
{}

HubCatalog::~HubCatalog()
{
    // A scan still running reads files only; it is stopped and awaited, never left behind.
    m_stopping = true;
    m_workers.waitForDone();
}

Result<QList<Skill>> HubCatalog::itemsOfFolder(const QString& folder)
{
    const std::atomic<bool> never = false;
    return scanFolder(folder, never);
}

std::optional<QString> HubCatalog::reachForScan() const
{
    // Only a bookmarked hub is scanned: a stored path alone was never chosen in a panel.
    const auto bookmark = m_settings.centralBookmarkData();
    if (!bookmark)
        return std::nullopt;
    return SecurityScopedBookmarkManager::resolveBookmark(*bookmark);
}

void HubCatalog::scanCentralRepository()
{
    ++m_scanGeneration; // a background scan still running is outdated now
    m_availableSkills.clear();
    const auto hub = reachForScan();
    if (!hub)
        return;
    const ScopedFolderAccess access(m_access.scopes(), *hub);
    if (!access.isGranted()) {
        Log::line(u"Failed to access security scope for central repo."_s);
        return;
    }
    takeScan(scanFolder(*hub, m_stopping));
}

void HubCatalog::takeScan(Result<QList<Skill>> skills)
{
    if (!skills) {
        Log::line(u"Error scanning central repository: "_s + skills.error().description);
        m_availableSkills.clear();
        return;
    }
    m_availableSkills = std::move(skills).value();
}

void HubCatalog::scanInBackground(QObject* context, std::function<void()> done)
{
    const int generation = ++m_scanGeneration;
    const auto hub = reachForScan();
    auto access = hub ? std::make_shared<ScopedFolderAccess>(m_access.scopes(), *hub) : nullptr;
    if (!hub || !access->isGranted()) {
        if (hub)
            Log::line(u"Failed to access security scope for central repo."_s);
        m_availableSkills.clear();
        QMetaObject::invokeMethod(context, std::move(done), Qt::QueuedConnection);
        return;
    }
    ++m_runningScans;
    // The result comes back as an event to the context, which is dropped with the context;
    // the catalog awaits its workers before it goes.
    m_workers.start([this, path = *hub, access, generation, context, done = std::move(done)]() mutable {
        auto skills = std::make_shared<Result<QList<Skill>>>(scanFolder(path, m_stopping));
        QMetaObject::invokeMethod(
            context,
            // The scope goes with this, so it closes on the thread that opened it.
            [this, skills, access = std::move(access), generation, done = std::move(done)] {
                --m_runningScans;
                if (generation == m_scanGeneration)
                    takeScan(std::move(*skills));
                done();
            },
            Qt::QueuedConnection);
    });
}

std::optional<Skill> HubCatalog::itemNamed(const QString& fileName) const
{
    for (const Skill& skill : m_availableSkills) {
        if (skill.fileName() == fileName)
            return skill;
    }
    return std::nullopt;
}

std::optional<Skill> HubCatalog::readItem(const QString& fileName) const
{
    const auto item =
        m_access.withFolder(m_settings.location(), [&](const QString& hub) -> std::optional<Skill> {
            if (!checkItemName(fileName).ok() || HubScanner::isHiddenName(fileName))
                return std::nullopt;
            const QString path = FileSystem::childPath(hub, fileName);
            if (!FileSystem::exists(path))
                return std::nullopt;
            return HubScanner::makeSkill(path);
        });
    return item.value_or(std::nullopt);
}

std::optional<bool> HubCatalog::containsItem(const QString& itemName) const
{
    return m_access.withFolder(m_settings.location(), [&](const QString& hub) {
        // A name that is not a single entry (".." or "a/b") cannot be an item of the hub.
        return checkItemName(itemName).ok() && FileSystem::exists(FileSystem::childPath(hub, itemName));
    });
}
