#include "linker/HubSettings.h"

#include "access/FileSystem.h"
#include "access/LegacyPreferences.h"
#include "access/SecurityScopedBookmarkManager.h"
#include "access/UserEnvironment.h"
#include "base/Log.h"
#include "model/AppSettings.h"
#include "model/ModelContext.h"
#include "model/TargetApp.h"

using namespace Qt::StringLiterals;

namespace {
const QString legacyPathKey = u"centralRepositoryPath"_s;
const QString legacyBookmarkKey = u"centralBookmarkData"_s;
} // namespace

HubSettings::HubSettings(ModelContext& context, const LegacyPreferences& preferences,
                         const UserEnvironment& user)
    : m_context(context)
    , m_preferences(preferences)
    , m_user(user)
{}

QString HubSettings::defaultPath() const
{
    return FileSystem::childPath(m_user.homeFolder(), u".agents/Skills"_s);
}

AppSettings* HubSettings::record() const
{
    const QList<AppSettings*> records = m_context.records<AppSettings>();
    return records.isEmpty() ? nullptr : records.first();
}

void HubSettings::load()
{
    auto fetched = m_context.fetch<AppSettings>();
    if (!fetched)
        Log::line(u"Failed to fetch app settings: "_s + fetched.error().description);
    AppSettings* settings = fetched && !fetched->isEmpty() ? fetched->first() : nullptr;
    const std::optional<QByteArray> legacyBookmark = m_preferences.bytes(legacyBookmarkKey);
    if (!settings) {
        m_context.insert(
            new AppSettings(m_preferences.string(legacyPathKey).value_or(defaultPath()), legacyBookmark));
        (void)m_context.save(); // a failure keeps the record pending; nothing to tell
        return;
    }
    if (!settings->centralBookmarkData() && legacyBookmark) {
        settings->setCentralBookmarkData(legacyBookmark);
        settings->setUpdatedAt(QDateTime::currentDateTimeUtc());
        (void)m_context.save(); // a failure keeps the change pending; nothing to tell
    }
}

QString HubSettings::centralRepositoryPath() const
{
    const AppSettings* settings = record();
    return settings ? settings->centralRepositoryPath() : defaultPath();
}

std::optional<QByteArray> HubSettings::centralBookmarkData() const
{
    const AppSettings* settings = record();
    return settings ? settings->centralBookmarkData() : std::nullopt;
}

FolderLocation HubSettings::location() const
{
    return {centralBookmarkData(), centralRepositoryPath()};
}

Outcome HubSettings::setHub(const QString& path, const std::optional<QByteArray>& bookmark)
{
    AppSettings* settings = record();
    if (!settings) {
        settings = new AppSettings(path, bookmark);
        m_context.insert(settings);
    }
    settings->setCentralRepositoryPath(path);
    settings->setCentralBookmarkData(bookmark);
    settings->setUpdatedAt(QDateTime::currentDateTimeUtc());
    Outcome saved = m_context.save();
    if (!saved)
        Log::line(u"Failed to persist app settings: "_s + saved.error().description);
    return saved;
}

bool HubSettings::hasValidCentralHub() const
{
    const auto bookmark = centralBookmarkData();
    if (!bookmark)
        return false;
    const auto hub = SecurityScopedBookmarkManager::resolveBookmark(*bookmark);
    return hub && FileSystem::existsAsFolder(*hub) == true;
}

FolderLocation folderOf(const TargetApp& app)
{
    return {app.bookmarkData(), app.folderPath()};
}
