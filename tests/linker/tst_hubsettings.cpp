#include "access/LegacyPreferences.h"
#include "access/SecurityScopedBookmarkManager.h"
#include "linker/HubSettings.h"
#include "model/AppSettings.h"
#include "support/LogCapture.h"
#include "support/StoreWriteLock.h"
#include "support/WorkspaceFixture.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace TestFiles;

namespace {

std::optional<QByteArray> bytesOrNothing(const QVariant& value)
{
    return value.isNull() ? std::nullopt : std::optional<QByteArray>(value.toByteArray());
}

// The one settings record as a fresh context reads it from the file.
std::unique_ptr<AppSettings> storedSettings(const QString& storePath)
{
    auto context = ModelContext::open(storePath);
    if (!context)
        return nullptr;
    const QList<AppSettings*> all = context.value()->records<AppSettings>();
    if (all.size() != 1)
        return nullptr;
    return std::make_unique<AppSettings>(all.first()->centralRepositoryPath(),
                                         all.first()->centralBookmarkData());
}

} // namespace

class TestHubSettings : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void load_data()
    {
        QTest::addColumn<QVariant>("recordPath");     // null: no record
        QTest::addColumn<QVariant>("recordBookmark"); // null: none
        QTest::addColumn<QVariant>("legacyPath");     // null: key missing
        QTest::addColumn<QVariant>("legacyBookmark");
        QTest::addColumn<QString>("expectedPath"); // "default": ~/.agents/Skills
        QTest::addColumn<QVariant>("expectedBookmark");
        QTest::addColumn<bool>("recordTouched");

        const QVariant none;
        const QVariant legacyPath(u"/legacy/Hub"_s);
        const QVariant legacyBookmark(QByteArray("legacy-bytes"));
        QTest::newRow("first start, no legacy")
            << none << none << none << none << u"default"_s << none << true;
        QTest::newRow("first start, both legacy keys")
            << none << none << legacyPath << legacyBookmark << u"/legacy/Hub"_s << legacyBookmark << true;
        QTest::newRow("first start, legacy values of the wrong type")
            << none << none << QVariant(QByteArray("/bytes")) << QVariant(u"text"_s) << u"default"_s << none
            << true;
        QTest::newRow("record without bookmark takes the legacy bookmark")
            << QVariant(u"/rec"_s) << none << legacyPath << legacyBookmark << u"/rec"_s << legacyBookmark
            << true;
        QTest::newRow("record with bookmark ignores legacy values")
            << QVariant(u"/rec"_s) << QVariant(QByteArray("rec-bytes")) << legacyPath << legacyBookmark
            << u"/rec"_s << QVariant(QByteArray("rec-bytes")) << false;
    }
    void load()
    {
        QFETCH(QVariant, recordPath);
        QFETCH(QVariant, recordBookmark);
        QFETCH(QVariant, legacyPath);
        QFETCH(QVariant, legacyBookmark);
        QFETCH(QString, expectedPath);
        QFETCH(QVariant, expectedBookmark);
        QFETCH(bool, recordTouched);
        WorkspaceFixture f;
        const QDateTime longAgo = QDateTime::currentDateTimeUtc().addDays(-3);
        if (!recordPath.isNull()) {
            auto* record = new AppSettings(recordPath.toString(), bytesOrNothing(recordBookmark));
            record->setUpdatedAt(longAgo);
            f.context->insert(record);
            QVERIFY(f.context->save());
        }
        if (!legacyPath.isNull())
            f.platform.preferences.values.insert(u"centralRepositoryPath"_s, legacyPath);
        if (!legacyBookmark.isNull())
            f.platform.preferences.values.insert(u"centralBookmarkData"_s, legacyBookmark);
        if (expectedPath == u"default"_s)
            expectedPath = f.platform.user.home + u"/.agents/Skills"_s;

        HubSettings& hub = f.workspace->hubSettings();
        hub.load();
        QCOMPARE(hub.centralRepositoryPath(), expectedPath);
        QCOMPARE(hub.centralBookmarkData(), bytesOrNothing(expectedBookmark));
        if (!recordPath.isNull())
            QCOMPARE(hub.record()->updatedAt() != longAgo, recordTouched);
        // What was loaded is durable, and loading again changes nothing.
        const auto stored = storedSettings(f.storePath());
        QVERIFY(stored);
        QCOMPARE(stored->centralRepositoryPath(), expectedPath);
        QCOMPARE(stored->centralBookmarkData(), bytesOrNothing(expectedBookmark));
        const QDateTime updatedAt = hub.record()->updatedAt();
        hub.load();
        QCOMPARE(hub.record()->updatedAt(), updatedAt);
        QVERIFY(!f.context->hasChanges());
    }

    // A hub set is saved at once; a save that fails is logged and kept pending. The hub is read
    // from the record each time: a replaced record is never hidden behind a copy.
    void setHubIsDurableAndAFailureIsLoggedAndKeptPending()
    {
        WorkspaceFixture f;
        HubSettings& hub = f.workspace->hubSettings();
        QVERIFY(hub.setHub(u"/new/Hub"_s, QByteArray("new-bytes")).ok()); // no record yet: one is made
        QCOMPARE(storedSettings(f.storePath())->centralRepositoryPath(), u"/new/Hub"_s);

        f.context->store().setBusyTimeout(std::chrono::milliseconds(20));
        {
            const StoreWriteLock lock(f.storePath());
            QVERIFY(lock.isLocked());
            LogCapture log;
            QVERIFY(!hub.setHub(u"/pending/Hub"_s, std::nullopt).ok());
            QCOMPARE(log.lines().size(), 1);
            QVERIFY(log.lines().first().startsWith(u"Failed to persist app settings: "_s));
        }
        QVERIFY(f.context->hasChanges());
        QCOMPARE(hub.centralRepositoryPath(), u"/pending/Hub"_s);
        QVERIFY(f.context->save());

        f.context->remove(f.context->records<AppSettings>().first());
        f.context->insert(new AppSettings(u"/replaced"_s, QByteArray("bytes")));
        QCOMPARE(hub.centralRepositoryPath(), u"/replaced"_s);
        QCOMPARE(hub.centralBookmarkData(), std::optional<QByteArray>("bytes"));
    }

    void validHubNeedsABookmarkedFolder_data()
    {
        QTest::addColumn<QString>("bookmarkedItem"); // empty: no bookmark
        QTest::addColumn<bool>("removeAfterwards");
        QTest::addColumn<bool>("expected");
        QTest::newRow("folder") << u"Hub"_s << false << true;
        QTest::newRow("link to a folder") << u"HubLink"_s << false << true;
        QTest::newRow("file") << u"file.md"_s << false << false;
        QTest::newRow("folder removed") << u"Hub"_s << true << false;
        QTest::newRow("no bookmark") << QString() << false << false;
    }
    void validHubNeedsABookmarkedFolder()
    {
        QFETCH(QString, bookmarkedItem);
        QFETCH(bool, removeAfterwards);
        QFETCH(bool, expected);
        WorkspaceFixture f;
        QVERIFY(makeFolder(f.path(u"Hub"_s)) && makeLink(f.path(u"HubLink"_s), f.path(u"Hub"_s)));
        QVERIFY(writeFile(f.path(u"file.md"_s), "x"));
        std::optional<QByteArray> bookmark;
        if (!bookmarkedItem.isEmpty())
            bookmark = SecurityScopedBookmarkManager::createBookmark(f.path(bookmarkedItem));
        // A stored path alone is not enough.
        QVERIFY(f.workspace->hubSettings().setHub(f.path(u"Hub"_s), bookmark).ok());
        if (removeAfterwards)
            QVERIFY(QDir(f.path(bookmarkedItem)).removeRecursively());
        LogCapture log;
        QCOMPARE(f.workspace->hubSettings().hasValidCentralHub(), expected);
        QCOMPARE(f.platform.scopes.started, QStringList());
    }

    // Earlier versions kept the hub in the application's settings file; what is read back
    // must keep its type, since the migration takes only a text path and bookmark bytes.
    void legacyValuesKeepTheirTypes()
    {
        QTemporaryDir config;
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
        {
            QSettings settings(u"Quorvane"_s, u"Quorvane"_s);
            settings.setValue(u"centralRepositoryPath"_s, u"/Users/me/Skills"_s);
            settings.setValue(u"centralBookmarkData"_s, QByteArray("\x00\x01\xff", 3));
            settings.setValue(u"number"_s, 5);
        }
        QVERIFY(QFile::exists(config.filePath(u"Quorvane/Quorvane.conf"_s)));
        const SettingsFileLegacyPreferences preferences;
        QCOMPARE(preferences.string(u"centralRepositoryPath"_s), std::optional(u"/Users/me/Skills"_s));
        QCOMPARE(preferences.bytes(u"centralBookmarkData"_s), std::optional(QByteArray("\x00\x01\xff", 3)));
        QCOMPARE(preferences.bytes(u"centralRepositoryPath"_s), std::nullopt);
        QCOMPARE(preferences.string(u"centralBookmarkData"_s), std::nullopt);
        QCOMPARE(preferences.string(u"missing"_s), std::nullopt);
    }
};

QTEST_GUILESS_MAIN(TestHubSettings)
#include "tst_hubsettings.moc"
