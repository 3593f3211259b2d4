#include "LinkerFixture.h"
#include "LogCapture.h"

#include <QProcess>
#include <QTest>

#include <sys/stat.h>

using namespace Qt::StringLiterals;
using namespace TestFiles;

class TestFolderChecks : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void writableFoldersPassAndStayUnchanged()
    {
        LinkerFixture f;
        const QString hub = f.makeHub();
        TargetApp* app = f.makeApp(u"Codex"_s);
        QVERIFY(writeFile(hub + u"/a.md"_s, "a"));
        const QStringList before = treeSnapshot(f.dir.path());
        QCOMPARE(f.linker->isCentralHubWritable(), std::optional(true));
        QCOMPARE(f.linker->isTargetFolderWritable(*app), std::optional(true));
        QCOMPARE(treeSnapshot(f.dir.path()), before);
        QCOMPARE(f.platform.scopes.openCount(), 0);
        QCOMPARE(f.platform.scopes.granted.size(), 2);
    }

    void unreachableFoldersGiveNoAnswer()
    {
        LinkerFixture f;
        f.linker->setCentralRepositoryPath(f.path(u"no hub"_s));
        TargetApp* gone = f.makeApp(u"Gone"_s, false);
        QCOMPARE(f.linker->isCentralHubWritable(), std::nullopt);
        QCOMPARE(f.linker->isTargetFolderWritable(*gone), std::nullopt);
        QCOMPARE(f.linker->hubContainsItem(u"x"_s), std::nullopt);
    }

    void aStaleBookmarkFallsBackToTheStoredPath()
    {
        LinkerFixture f;
        TargetApp* app = f.makeApp(u"Codex"_s);
        app->setBookmarkData(QByteArray("no longer a bookmark"));
        LogCapture log;
        QCOMPARE(f.linker->isTargetFolderWritable(*app), std::optional(true));
        QCOMPARE(f.platform.scopes.started, QStringList());
    }

    void aFolderThatIsAFileIsNotWritable()
    {
        LinkerFixture f;
        QVERIFY(writeFile(f.path(u"Hub"_s), "a file"));
        f.linker->setCentralRepositoryPath(f.path(u"Hub"_s));
        QCOMPARE(f.linker->isCentralHubWritable(), std::optional(false));
        QCOMPARE(readFile(f.path(u"Hub"_s)), QByteArray("a file"));
    }

    void readOnlyFoldersAreNotWritable()
    {
        LinkerFixture f;
        // Reachable by any user, but writable by none but root.
        QVERIFY(QFile::setPermissions(f.dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                        QFileDevice::ExeOwner | QFileDevice::ReadOther |
                                                        QFileDevice::ExeOther));
        const QString folder = f.path(u"read-only"_s);
        QVERIFY(makeFolder(folder));
        QVERIFY(writeFile(folder + u"/SKILL.md"_s, "x"));
        QVERIFY(::chmod(QFile::encodeName(folder).constData(), 0555) == 0);
        const QStringList before = entryNames(folder);

        QProcess probe;
        probe.start(QStringLiteral(PROBE_AS_OTHER_USER), {folder});
        QVERIFY(probe.waitForFinished(10000));
        if (probe.exitCode() == 77)
            QSKIP("cannot run as another user here");
        QCOMPARE(probe.exitCode(), 0);
        QCOMPARE(QString::fromUtf8(probe.readAllStandardOutput()).trimmed(), u"hub=no app=no"_s);
        QCOMPARE(entryNames(folder), before); // no probe file left behind
        QVERIFY(::chmod(QFile::encodeName(folder).constData(), 0755) == 0);
    }

    void hubContainsItem_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("expected");
        QTest::newRow("folder") << u"deploy"_s << true;
        QTest::newRow("file") << u"notes.md"_s << true;
        QTest::newRow("link to a folder") << u"linked"_s << true;
        QTest::newRow("dangling link") << u"dangling"_s << false;
        QTest::newRow("absent") << u"absent"_s << false;
        QTest::newRow("climbing out of the hub") << u"../outside"_s << false;
        QTest::newRow("the hub itself") << u"."_s << false;
    }
    void hubContainsItem()
    {
        QFETCH(QString, name);
        QFETCH(bool, expected);
        LinkerFixture f;
        const QString hub = f.makeHub();
        QVERIFY(makeFolder(hub + u"/deploy"_s));
        QVERIFY(writeFile(hub + u"/notes.md"_s, "n"));
        QVERIFY(makeFolder(f.path(u"outside"_s)));
        QVERIFY(makeLink(hub + u"/linked"_s, f.path(u"outside"_s)));
        QVERIFY(makeLink(hub + u"/dangling"_s, f.path(u"nowhere"_s)));
        QCOMPARE(f.linker->hubContainsItem(name), std::optional(expected));
    }
};

QTEST_GUILESS_MAIN(TestFolderChecks)
#include "tst_folderchecks.moc"
