#include "access/FolderAccess.h"
#include "access/SecurityScopedBookmarkManager.h"
#include "support/LogCapture.h"
#include "support/TestFiles.h"
#include "support/TestPlatform.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace Qt::StringLiterals;
using namespace TestFiles;

// The one rule every folder of the program is reached by: its bookmark inside a scope,
// else its stored path, else not at all.
class TestFolderAccess : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    TestPlatform m_platform;

    QString path(const QString& name) const { return m_dir.filePath(name); }

private Q_SLOTS:
    void init()
    {
        m_platform = {};
        m_platform.user.home = path(u"home"_s);
        QVERIFY(makeFolder(m_platform.user.home));
    }

    void reachesTheFolder_data()
    {
        QTest::addColumn<QString>("bookmark"); // "valid", "vanished", "garbage" or "none"
        QTest::addColumn<bool>("refuseScopes");
        QTest::addColumn<bool>("storedPathExists");
        QTest::addColumn<QString>("expected"); // "bookmarked", "stored" or "none"
        QTest::newRow("bookmark inside a scope") << u"valid"_s << false << true << u"bookmarked"_s;
        QTest::newRow("scope refused") << u"valid"_s << true << true << u"stored"_s;
        QTest::newRow("bookmarked folder gone") << u"vanished"_s << false << true << u"stored"_s;
        QTest::newRow("bookmark unreadable") << u"garbage"_s << false << true << u"stored"_s;
        QTest::newRow("no bookmark") << u"none"_s << false << true << u"stored"_s;
        QTest::newRow("nothing to reach") << u"none"_s << false << false << u"none"_s;
        QTest::newRow("scope refused, no stored folder") << u"valid"_s << true << false << u"none"_s;
    }
    void reachesTheFolder()
    {
        QFETCH(QString, bookmark);
        QFETCH(bool, refuseScopes);
        QFETCH(bool, storedPathExists);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        const QString bookmarked = dir.filePath(u"Bookmarked"_s);
        QVERIFY(makeFolder(bookmarked));
        FolderLocation location{std::nullopt, u"~/Stored"_s};
        if (bookmark == u"valid"_s || bookmark == u"vanished"_s)
            location.bookmark = SecurityScopedBookmarkManager::createBookmark(bookmarked);
        if (bookmark == u"vanished"_s)
            QVERIFY(QDir(bookmarked).removeRecursively());
        if (bookmark == u"garbage"_s)
            location.bookmark = QByteArray("no bookmark");
        QVERIFY(QDir(m_platform.user.home + u"/Stored"_s).removeRecursively());
        if (storedPathExists)
            QVERIFY(makeFolder(m_platform.user.home + u"/Stored"_s));
        if (refuseScopes)
            m_platform.scopes.refuseAll();

        LogCapture log;
        const FolderAccess access(m_platform.scopes, m_platform.user);
        int openWhileWorking = -1;
        const auto seen = access.withFolder(location, [&](const QString& folder) {
            openWhileWorking = m_platform.scopes.openCount();
            return folder;
        });
        const QString expectedPath = expected == u"bookmarked"_s ? bookmarked
                                     : expected == u"stored"_s   ? m_platform.user.home + u"/Stored"_s
                                                                 : QString();
        QCOMPARE(seen.value_or(QString()), expectedPath);
        QCOMPARE(openWhileWorking, expected == u"bookmarked"_s ? 1 : expected == u"stored"_s ? 0 : -1);
        // A granted scope is always stopped; a refused one never.
        QCOMPARE(m_platform.scopes.stopped, m_platform.scopes.granted);
        QCOMPARE(m_platform.scopes.openCount(), 0);
    }

    void twoFoldersAreBothReachedFirstAndReleasedInOrder()
    {
        const QString one = path(u"one"_s);
        const QString two = path(u"two"_s);
        QVERIFY(makeFolder(one) && makeFolder(two));
        const FolderAccess access(m_platform.scopes, m_platform.user);
        const FolderLocation first{SecurityScopedBookmarkManager::createBookmark(one), one};
        const FolderLocation second{SecurityScopedBookmarkManager::createBookmark(two), two};
        const auto both =
            access.withFolders(first, second, [&](const QString& a, const QString& b) -> QString {
                return a + u'|' + b + u'|' + QString::number(m_platform.scopes.openCount());
            });
        QCOMPARE(both, std::optional<QString>(one + u'|' + two + u"|2"_s));
        QCOMPARE(m_platform.scopes.stopped, (QStringList{one, two}));

        // When the second cannot be reached, no work runs and the first is released.
        m_platform.scopes = {};
        bool ran = false;
        const auto none = access.withFolders(first, {std::nullopt, path(u"missing"_s)},
                                             [&](const QString&, const QString&) { return ran = true; });
        QCOMPARE(none, std::nullopt);
        QVERIFY(!ran);
        QCOMPARE(m_platform.scopes.openCount(), 0);
    }

    void failingWorkStillStopsTheScope()
    {
        const QString folder = path(u"one"_s);
        QVERIFY(makeFolder(folder));
        const FolderAccess access(m_platform.scopes, m_platform.user);
        QVERIFY_THROWS_EXCEPTION(
            std::runtime_error,
            access.withFolder({SecurityScopedBookmarkManager::createBookmark(folder), folder},
                              [](const QString&) -> int { throw std::runtime_error("work failed"); }));
        QCOMPARE(m_platform.scopes.stopped, QStringList{folder});
    }

    void resolvePath_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("expected"); // HOME and REAL stand for the two home folders
        QTest::newRow("tilde path existing in the real home") << u"~/skills"_s << u"REAL/skills"_s;
        QTest::newRow("tilde path missing in the real home") << u"~/missing"_s << u"HOME/missing"_s;
        QTest::newRow("tilde alone") << u"~"_s << u"HOME"_s;
        QTest::newRow("absolute path unchanged") << u"/opt/x/../y"_s << u"/opt/x/../y"_s;
        QTest::newRow("another user's home") << u"~bob/skills"_s << u"/home/bob/skills"_s;
        QTest::newRow("unknown user stays") << u"~nobody-here/x"_s << u"~nobody-here/x"_s;
    }
    void resolvePath()
    {
        QFETCH(QString, path);
        QFETCH(QString, expected);
        // The program's HOME (a container, say) differs from the password database's home.
        const QString realHome = this->path(u"real-home"_s);
        QVERIFY(makeFolder(realHome + u"/skills"_s));
        QVERIFY(makeFolder(m_platform.user.home + u"/skills"_s));
        m_platform.user.passwordHomes.insert(m_platform.user.login, realHome);
        m_platform.user.passwordHomes.insert(u"bob"_s, u"/home/bob"_s);
        const FolderAccess access(m_platform.scopes, m_platform.user);
        QCOMPARE(access.resolvePath(path),
                 expected.replace(u"HOME"_s, m_platform.user.home).replace(u"REAL"_s, realHome));
    }

    void writability()
    {
        const FolderAccess access(m_platform.scopes, m_platform.user);
        const QString folder = path(u"writable"_s);
        QVERIFY(makeFolder(folder));
        QVERIFY(writeFile(path(u"a file"_s), "x"));
        const QStringList before = treeSnapshot(m_dir.path());
        QCOMPARE(access.isWritable({std::nullopt, folder}), std::optional(true));
        QCOMPARE(access.isWritable({std::nullopt, path(u"a file"_s)}), std::optional(false));
        QCOMPARE(access.isWritable({std::nullopt, path(u"missing"_s)}), std::nullopt);
        QCOMPARE(treeSnapshot(m_dir.path()), before); // no probe file left behind
    }

    void readOnlyFoldersAreNotWritable()
    {
        // Reachable by any user, but writable by none but root.
        QVERIFY(::chmod(QFile::encodeName(m_dir.path()).constData(), 0755) == 0);
        const QString folder = path(u"read-only"_s);
        QVERIFY(makeFolder(folder));
        QVERIFY(::chmod(QFile::encodeName(folder).constData(), 0555) == 0);
        QProcess probe;
        probe.start(QStringLiteral(PROBE_AS_OTHER_USER), {folder});
        QVERIFY(probe.waitForFinished(10000));
        if (probe.exitCode() == 77)
            QSKIP("cannot run as another user here");
        QCOMPARE(QString::fromUtf8(probe.readAllStandardOutput()).trimmed(), u"writable=no"_s);
        QCOMPARE(entryNames(folder), QStringList());
        QVERIFY(::chmod(QFile::encodeName(folder).constData(), 0755) == 0);
    }
};

QTEST_GUILESS_MAIN(TestFolderAccess)
#include "tst_folderaccess.moc"
