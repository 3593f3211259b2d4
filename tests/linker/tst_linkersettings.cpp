#include "AppSettings.h"
#include "LinkerFixture.h"
#include "LogCapture.h"
#include "StoreWriteLock.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace TestFiles;

namespace {

std::optional<QByteArray> bytesOrNothing(const QVariant& value)
{
    return value.isNull() ? std::nullopt : std::optional<QByteArray>(value.toByteArray());
}

AppSettings* onlySettings(ModelContext& context)
{
    auto all = context.fetch<AppSettings>();
    return all && all->size() == 1 ? all->first() : nullptr;
}

} // namespace

class TestLinkerSettings : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void loadSettings_data()
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
        QTest::newRow("first start, legacy path only")
            << none << none << legacyPath << none << u"/legacy/Hub"_s << none << true;
        QTest::newRow("first start, legacy values of the wrong type")
            << none << none << QVariant(QByteArray("/bytes")) << QVariant(u"text"_s) << u"default"_s << none
            << true;
        QTest::newRow("record without bookmark takes the legacy bookmark")
            << QVariant(u"/rec"_s) << none << legacyPath << legacyBookmark << u"/rec"_s << legacyBookmark
            << true;
        QTest::newRow("record with bookmark ignores legacy values")
            << QVariant(u"/rec"_s) << QVariant(QByteArray("rec-bytes")) << legacyPath << legacyBookmark
            << u"/rec"_s << QVariant(QByteArray("rec-bytes")) << false;
        QTest::newRow("record without bookmark, no legacy")
            << QVariant(u"/rec"_s) << none << legacyPath << none << u"/rec"_s << none << false;
    }
    void loadSettings()
    {
        QFETCH(QVariant, recordPath);
        QFETCH(QVariant, recordBookmark);
        QFETCH(QVariant, legacyPath);
        QFETCH(QVariant, legacyBookmark);
        QFETCH(QString, expectedPath);
        QFETCH(QVariant, expectedBookmark);
        QFETCH(bool, recordTouched);

        LinkerFixture f;
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

        f.linker->setModelContext(f.context.get());
        f.linker->loadSettings();

        QCOMPARE(f.linker->centralRepositoryPath(), expectedPath);
        QCOMPARE(f.linker->centralBookmarkData(), bytesOrNothing(expectedBookmark));
        // What was loaded is durable: the record in a fresh context says the same.
        f.reopenStore();
        AppSettings* record = onlySettings(*f.context);
        QVERIFY(record);
        QCOMPARE(record->centralRepositoryPath(), expectedPath);
        QCOMPARE(record->centralBookmarkData(), bytesOrNothing(expectedBookmark));
        if (!recordPath.isNull())
            QCOMPARE(record->updatedAt() != longAgo, recordTouched);
    }

    void loadingTwiceChangesNothing()
    {
        LinkerFixture f;
        f.platform.preferences.values.insert(u"centralBookmarkData"_s, QByteArray("legacy"));
        f.linker->setModelContext(f.context.get());
        f.linker->loadSettings();
        const QDateTime updatedAt = onlySettings(*f.context)->updatedAt();
        f.linker->loadSettings();
        QCOMPARE(onlySettings(*f.context)->updatedAt(), updatedAt);
        QVERIFY(!f.context->hasChanges());
    }

    void loadingWithoutBookmarkEmptiesTheHubList()
    {
        LinkerFixture f;
        writeFile(f.makeHub() + u"/a.md"_s, "a");
        f.linker->scanCentralRepository();
        QCOMPARE(f.linker->availableSkills().size(), 1);

        // A record with a bookmark leaves the list to the next scan...
        auto* record = new AppSettings(f.linker->centralRepositoryPath(), f.linker->centralBookmarkData());
        f.context->insert(record);
        f.linker->setModelContext(f.context.get());
        f.linker->loadSettings();
        QCOMPARE(f.linker->availableSkills().size(), 1);
        // ...one without empties it.
        record->setCentralBookmarkData(std::nullopt);
        f.linker->loadSettings();
        QVERIFY(f.linker->availableSkills().isEmpty());
    }

    void withoutContextNothingHappens()
    {
        LinkerFixture f;
        f.platform.preferences.values.insert(u"centralRepositoryPath"_s, u"/legacy"_s);
        const QString before = f.linker->centralRepositoryPath();
        f.linker->loadSettings();
        f.linker->persistSettings();
        QCOMPARE(f.linker->centralRepositoryPath(), before);
        QVERIFY(f.context->records<AppSettings>().isEmpty());
    }

    void persistWritesPathAndBookmark()
    {
        LinkerFixture f;
        f.linker->setModelContext(f.context.get());
        f.linker->persistSettings(); // no record yet: one is made
        QVERIFY(onlySettings(*f.context));
        const QDateTime firstWrite = onlySettings(*f.context)->updatedAt();

        QTest::qWait(5);
        f.linker->setCentralRepositoryPath(u"/new/Hub"_s);
        f.linker->setCentralBookmarkData(QByteArray("new-bytes"));
        f.linker->persistSettings();
        f.reopenStore();
        AppSettings* record = onlySettings(*f.context);
        QVERIFY(record);
        QCOMPARE(record->centralRepositoryPath(), u"/new/Hub"_s);
        QCOMPARE(record->centralBookmarkData(), std::optional<QByteArray>("new-bytes"));
        QVERIFY(record->updatedAt() > firstWrite);
    }

    void failedPersistIsLoggedAndKeptPending()
    {
        LinkerFixture f;
        f.linker->setModelContext(f.context.get());
        f.linker->loadSettings();
        f.context->store().setBusyTimeout(std::chrono::milliseconds(20));
        f.linker->setCentralRepositoryPath(u"/pending/Hub"_s);
        {
            const StoreWriteLock lock(f.storePath());
            QVERIFY(lock.isLocked());
            LogCapture log;
            f.linker->persistSettings();
            QCOMPARE(log.lines().size(), 1);
            QVERIFY(log.lines().first().startsWith(u"Failed to persist app settings: "_s));
        }
        QVERIFY(f.context->hasChanges());
        QCOMPARE(onlySettings(*f.context)->centralRepositoryPath(), u"/pending/Hub"_s);
        QVERIFY(f.context->save());
    }

    void resolvePath_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("expected"); // HOME and REAL stand for the two home folders
        QTest::newRow("tilde path existing in the real home") << u"~/skills"_s << u"REAL/skills"_s;
        QTest::newRow("tilde path missing in the real home") << u"~/missing"_s << u"HOME/missing"_s;
        QTest::newRow("tilde alone") << u"~"_s << u"HOME"_s;
        QTest::newRow("absolute path unchanged") << u"/opt/x/../y"_s << u"/opt/x/../y"_s;
        QTest::newRow("relative path unchanged") << u"relative/x"_s << u"relative/x"_s;
        QTest::newRow("another user's home") << u"~bob/skills"_s << u"/home/bob/skills"_s;
        QTest::newRow("unknown user stays") << u"~nobody-here/x"_s << u"~nobody-here/x"_s;
    }
    void resolvePath()
    {
        QFETCH(QString, path);
        QFETCH(QString, expected);
        LinkerFixture f;
        // The program's HOME (a container, say) differs from the password database's home.
        const QString realHome = f.path(u"real-home"_s);
        QVERIFY(makeFolder(realHome + u"/skills"_s));
        QVERIFY(makeFolder(f.platform.user.home + u"/skills"_s));
        f.platform.user.passwordHomes.insert(f.platform.user.login, realHome);
        f.platform.user.passwordHomes.insert(u"bob"_s, u"/home/bob"_s);

        expected.replace(u"HOME"_s, f.platform.user.home).replace(u"REAL"_s, realHome);
        QCOMPARE(f.linker->resolvePath(path), expected);
    }
};

QTEST_GUILESS_MAIN(TestLinkerSettings)
#include "tst_linkersettings.moc"
