#include "FileLinkerService.h"

#include "AppSettings.h"
#include "HubScanner.h"
#include "LegacyPreferences.h"
#include "Log.h"
#include "ModelContext.h"
#include "NameOrder.h"
#include "SecurityScopedBookmarkManager.h"
#include "TargetApp.h"
#include "UserEnvironment.h"

#include <QFileInfo>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {
const QString legacyPathKey = u"centralRepositoryPath"_s;
const QString legacyBookmarkKey = u"centralBookmarkData"_s;
} // namespace

FileLinkerService::FileLinkerService(PlatformServices platform, QObject* parent)
    : QObject(parent)
    , m_platform(platform)
    , m_centralRepositoryPath(FileSystem::childPath(platform.user.homeFolder(), u".agents/Skills"_s))
{}

FileLinkerService::~FileLinkerService() = default;

void FileLinkerService::setCentralRepositoryPath(const QString& path)
{
    m_centralRepositoryPath = path;
    Q_EMIT centralRepositoryPathChanged();
}

void FileLinkerService::setCentralBookmarkData(const std::optional<QByteArray>& bookmark)
{
    m_centralBookmarkData = bookmark;
}

ModelContext* FileLinkerService::modelContext() const
{
    return m_modelContext;
}

void FileLinkerService::setModelContext(ModelContext* context)
{
    m_modelContext = context;
}

void FileLinkerService::setAvailableSkills(QList<Skill> skills)
{
    m_availableSkills = std::move(skills);
    Q_EMIT availableSkillsChanged();
}

AppSettings* FileLinkerService::fetchAppSettings(ModelContext& context) const
{
    auto settings = context.fetch<AppSettings>();
    if (!settings) {
        Log::line(u"Failed to fetch app settings: "_s + settings.error().description);
        return nullptr;
    }
    return settings->isEmpty() ? nullptr : settings->first();
}

void FileLinkerService::loadSettings()
{
    if (!m_modelContext)
        return;
    ModelContext& context = *m_modelContext;
    const QString legacyPath = m_platform.preferences.string(legacyPathKey).value_or(m_centralRepositoryPath);
    const std::optional<QByteArray> legacyBookmark = m_platform.preferences.bytes(legacyBookmarkKey);

    if (AppSettings* settings = fetchAppSettings(context)) {
        setCentralRepositoryPath(settings->centralRepositoryPath());
        setCentralBookmarkData(settings->centralBookmarkData());
        if (!settings->centralBookmarkData() && legacyBookmark) {
            setCentralBookmarkData(legacyBookmark);
            settings->setCentralBookmarkData(legacyBookmark);
            settings->setUpdatedAt(QDateTime::currentDateTimeUtc());
            (void)context.save(); // a failure keeps the change pending; nothing to tell
        }
    } else {
        auto* created = new AppSettings(legacyPath, legacyBookmark);
        context.insert(created);
        (void)context.save(); // a failure keeps the record pending; nothing to tell
        setCentralRepositoryPath(created->centralRepositoryPath());
        setCentralBookmarkData(created->centralBookmarkData());
    }

    if (!m_centralBookmarkData)
        setAvailableSkills({});
}

void FileLinkerService::persistSettings()
{
    if (!m_modelContext)
        return;
    ModelContext& context = *m_modelContext;
    AppSettings* settings = fetchAppSettings(context);
    if (!settings) {
        settings = new AppSettings(m_centralRepositoryPath, m_centralBookmarkData);
        context.insert(settings);
    }
    settings->setCentralRepositoryPath(m_centralRepositoryPath);
    settings->setCentralBookmarkData(m_centralBookmarkData);
    settings->setUpdatedAt(QDateTime::currentDateTimeUtc());
    if (Outcome saved = context.save(); !saved)
        Log::line(u"Failed to persist app settings: "_s + saved.error().description);
}

QString FileLinkerService::resolvePath(const QString& path) const
{
    if (path.startsWith(u"~/"_s)) {
        // The user's real home, where a folder picked earlier most likely lives.
        if (const auto realHome = m_platform.user.homeFolderOfUser(m_platform.user.loginName())) {
            const QString candidate = FileSystem::childPath(*realHome, path.mid(2));
            if (FileSystem::exists(candidate))
                return candidate;
        }
    }
    return expandingTilde(path, m_platform.user);
}

std::optional<FileLinkerService::ReachedFolder>
FileLinkerService::reachFolder(const std::optional<QByteArray>& bookmark, const QString& storedPath) const
{
    if (bookmark) {
        if (const auto folder = SecurityScopedBookmarkManager::resolveBookmark(*bookmark)) {
            auto scope = std::make_unique<ScopedFolderAccess>(m_platform.scopes, *folder);
            if (scope->isGranted())
                return ReachedFolder{*folder, std::move(scope)};
        }
    }
    const QString stored = resolvePath(storedPath);
    if (!FileSystem::exists(stored))
        return std::nullopt;
    return ReachedFolder{stored, nullptr};
}

std::optional<FileLinkerService::ReachedFolder> FileLinkerService::reachCentralHub() const
{
    return reachFolder(m_centralBookmarkData, m_centralRepositoryPath);
}

std::optional<FileLinkerService::ReachedFolder>
FileLinkerService::reachTargetFolder(const TargetApp& app) const
{
    return reachFolder(app.bookmarkData(), app.folderPath());
}

bool FileLinkerService::hasValidCentralHub() const
{
    if (!m_centralBookmarkData)
        return false;
    const auto hub = SecurityScopedBookmarkManager::resolveBookmark(*m_centralBookmarkData);
    return hub && FileSystem::existsAsFolder(*hub) == true;
}

void FileLinkerService::scanCentralRepository()
{
    if (!m_centralBookmarkData) {
        setAvailableSkills({});
        return;
    }
    const auto hub = SecurityScopedBookmarkManager::resolveBookmark(*m_centralBookmarkData);
    if (!hub) {
        setAvailableSkills({});
        return;
    }
    const ScopedFolderAccess access(m_platform.scopes, *hub);
    if (!access.isGranted()) {
        Log::line(u"Failed to access security scope for central repo."_s);
        setAvailableSkills({});
        return;
    }
    const auto entries = FileSystem::listFolderEntries(*hub);
    if (!entries) {
        Log::line(u"Error scanning central repository: "_s + entries.error().description);
        setAvailableSkills({});
        return;
    }

    QList<Skill> skills;
    HubScanner::PreviewReader reader;
    for (const FileSystem::FolderEntry& entry : entries.value()) {
        if (!HubScanner::isHiddenName(HubScanner::entryName(entry.path)))
            skills.append(HubScanner::makeSkill(entry, reader));
    }
    std::stable_sort(skills.begin(), skills.end(),
                     [](const Skill& a, const Skill& b) { return precedesByCodePoint(a.name, b.name); });
    setAvailableSkills(std::move(skills));
}

bool FileLinkerService::removeHubItem(const Skill& skill)
{
    const bool removed = withCentralHubAccess([&](const QString&) {
                             return FileSystem::remove(skill.url.toLocalFile()).ok();
                         }).value_or(false);
    scanCentralRepository();
    Q_EMIT stateChanged();
    return removed;
}
