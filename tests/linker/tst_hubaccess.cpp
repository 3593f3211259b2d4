#include "LinkerFixture.h"
#include "LogCapture.h"

#include <QTest>

#include <stdexcept>

using namespace Qt::StringLiterals;
using namespace TestFiles;

class TestHubAccess : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void workRunsOnTheBookmarkedFolderInsideAScope()
    {
        LinkerFixture f;
        const QString hub = f.makeHub();
        f.linker->setCentralRepositoryPath(u"/stored/elsewhere"_s);
        const auto seen = f.linker->withCentralHubAccess([&](const QString& folder) {
            // The scope is open while the work runs.
            return folder + u"|"_s + QString::number(f.platform.scopes.openCount());
        });
        QCOMPARE(seen, std::optional<QString>(hub + u"|1"_s));
        QCOMPARE(f.platform.scopes.granted, QStringList{hub});
        QCOMPARE(f.platform.scopes.stopped, QStringList{hub});
    }

    // Every way to the stored path: the scope is refused, the bookmark is gone, or there is none.
    void fallsBackToTheStoredPath_data()
    {
        QTest::addColumn<QString>("situation");
        QTest::newRow("scope refused") << u"refused"_s;
        QTest::newRow("bookmark does not resolve") << u"vanished"_s;
        QTest::newRow("no bookmark") << u"none"_s;
    }
    void fallsBackToTheStoredPath()
    {
        QFETCH(QString, situation);
        LinkerFixture f;
        const QString bookmarked = f.makeHub(u"Bookmarked"_s);
        const QString stored = f.path(u"home/Stored Hub"_s);
        QVERIFY(makeFolder(stored));
        f.linker->setCentralRepositoryPath(u"~/Stored Hub"_s);
        if (situation == u"refused"_s)
            f.platform.scopes.refuseAll();
        else if (situation == u"vanished"_s)
            QVERIFY(QDir(bookmarked).removeRecursively());
        else
            f.linker->setCentralBookmarkData(std::nullopt);

        LogCapture log;
        const auto seen = f.linker->withCentralHubAccess([](const QString& folder) { return folder; });
        QCOMPARE(seen, std::optional<QString>(stored));
        QCOMPARE(f.platform.scopes.stopped, QStringList());
        QCOMPARE(f.platform.scopes.granted, QStringList());
        QCOMPARE(f.platform.scopes.started.size(), situation == u"refused"_s ? 1 : 0);
    }

    void unreachableHubRunsNoWork()
    {
        LinkerFixture f;
        f.linker->setCentralRepositoryPath(f.path(u"missing"_s));
        bool ran = false;
        const auto seen = f.linker->withCentralHubAccess([&](const QString&) { return ran = true; });
        QCOMPARE(seen, std::nullopt);
        QVERIFY(!ran);
    }

    void failingWorkStillStopsTheScope()
    {
        LinkerFixture f;
        const QString hub = f.makeHub();
        QVERIFY_THROWS_EXCEPTION(std::runtime_error,
                                 f.linker->withCentralHubAccess(
                                     [](const QString&) -> int { throw std::runtime_error("work failed"); }));
        QCOMPARE(f.platform.scopes.stopped, QStringList{hub});
        QCOMPARE(f.platform.scopes.openCount(), 0);
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
        LinkerFixture f;
        QVERIFY(makeFolder(f.path(u"Hub"_s)));
        QVERIFY(makeLink(f.path(u"HubLink"_s), f.path(u"Hub"_s)));
        QVERIFY(writeFile(f.path(u"file.md"_s), "x"));
        f.linker->setCentralRepositoryPath(f.path(u"Hub"_s)); // a stored path alone is not enough
        if (!bookmarkedItem.isEmpty())
            f.linker->setCentralBookmarkData(
                SecurityScopedBookmarkManager::createBookmark(f.path(bookmarkedItem)));
        if (removeAfterwards)
            QVERIFY(QDir(f.path(bookmarkedItem)).removeRecursively());

        LogCapture log;
        QCOMPARE(f.linker->hasValidCentralHub(), expected);
        QCOMPARE(f.platform.scopes.started, QStringList());
    }
};

QTEST_GUILESS_MAIN(TestHubAccess)
#include "tst_hubaccess.moc"
