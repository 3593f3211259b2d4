#include "access/FileSystem.h"
#include "access/FolderAccess.h"
#include "access/SecurityScopedBookmarkManager.h"
#include "support/LogCapture.h"
#include "support/TestFiles.h"
#include "support/TestPlatform.h"

#include <QDataStream>
#include <QDir>
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
        for (const QString& entry : entryNames(m_dir.path()))
            QVERIFY(FileSystem::remove(path(entry)));
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

        // Work that fails still stops the scope.
        m_platform.scopes = {};
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, access.withFolder(first, [](const QString&) -> int {
            throw std::runtime_error("work failed");
        }));
        QCOMPARE(m_platform.scopes.stopped, QStringList{one});
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
        QVERIFY(makeFolder(realHome + u"/skills"_s) && makeFolder(m_platform.user.home + u"/skills"_s));
        m_platform.user.passwordHomes.insert(m_platform.user.login, realHome);
        m_platform.user.passwordHomes.insert(u"bob"_s, u"/home/bob"_s);
        const FolderAccess access(m_platform.scopes, m_platform.user);
        QCOMPARE(access.resolvePath(path),
                 expected.replace(u"HOME"_s, m_platform.user.home).replace(u"REAL"_s, realHome));
    }

    // Whether a folder can be written, told without leaving anything in it.
    void writability()
    {
        const FolderAccess access(m_platform.scopes, m_platform.user);
        const QString folder = path(u"writable"_s);
        QVERIFY(makeFolder(folder) && writeFile(path(u"a file"_s), "x"));
        const QStringList before = treeSnapshot(m_dir.path());
        QCOMPARE(access.isWritable({std::nullopt, folder}), std::optional(true));
        QCOMPARE(access.isWritable({std::nullopt, path(u"a file"_s)}), std::optional(false));
        QCOMPARE(access.isWritable({std::nullopt, path(u"missing"_s)}), std::nullopt);
        QCOMPARE(treeSnapshot(m_dir.path()), before); // no probe file left behind

        // A folder reachable by any user, but writable by none but root.
        QVERIFY(::chmod(QFile::encodeName(m_dir.path()).constData(), 0755) == 0);
        const QString readOnly = path(u"read-only"_s);
        QVERIFY(makeFolder(readOnly));
        QVERIFY(::chmod(QFile::encodeName(readOnly).constData(), 0555) == 0);
        QProcess probe;
        probe.start(QStringLiteral(PROBE_AS_OTHER_USER), {readOnly});
        QVERIFY(probe.waitForFinished(10000));
        if (probe.exitCode() == 77)
            QSKIP("cannot run as another user here");
        QCOMPARE(QString::fromUtf8(probe.readAllStandardOutput()).trimmed(), u"writable=no"_s);
        QCOMPARE(entryNames(readOnly), QStringList());
        QVERIFY(::chmod(QFile::encodeName(readOnly).constData(), 0755) == 0);
    }

    // Bookmarks: a folder found where it is, and again after it was renamed in its parent.
    void resolvesToTheSameFolder()
    {
        QVERIFY(makeFolder(path(u"Hub"_s)) && makeFolder(path(u"Other"_s)));
        LogCapture log;
        const auto bookmark = SecurityScopedBookmarkManager::createBookmark(path(u"Hub"_s));
        QVERIFY(bookmark);
        QCOMPARE(SecurityScopedBookmarkManager::resolveBookmark(*bookmark), path(u"Hub"_s));
        QVERIFY(QDir(m_dir.path()).rename(u"Hub"_s, u"Renamed Hub"_s));
        QCOMPARE(SecurityScopedBookmarkManager::resolveBookmark(*bookmark), path(u"Renamed Hub"_s));
        QCOMPARE(log.lines(), QStringList());
    }

    // A folder made after the bookmarked one was deleted may get its inode: only the same birth
    // time as well proves a sibling to be the folder renamed. A bookmark of the first version
    // holds no birth time, so it follows no rename at all.
    void aReusedInodeIsNoRename_data()
    {
        QTest::addColumn<int>("version");
        QTest::addColumn<qint64>("birthShift"); // added to the sibling's birth in the bookmark
        QTest::addColumn<bool>("followed");
        QTest::newRow("renamed") << 2 << qint64(0) << true;
        QTest::newRow("inode reused by a newer folder") << 2 << qint64(-1) << false;
        QTest::newRow("first version, no birth time") << 1 << qint64(0) << false;
    }
    void aReusedInodeIsNoRename()
    {
        QFETCH(int, version);
        QFETCH(qint64, birthShift);
        QFETCH(bool, followed);
        // The bookmark a deleted "Hub" would have left, had "Sibling" got its inode.
        QVERIFY(makeFolder(path(u"Sibling"_s)));
        QByteArray sibling = *SecurityScopedBookmarkManager::createBookmark(path(u"Sibling"_s));
        QDataStream in(sibling);
        in.setVersion(QDataStream::Qt_6_0);
        quint32 magic = 0;
        quint8 stored = 0;
        QString storedPath;
        quint64 device = 0, inode = 0;
        qint64 birth = 0;
        in >> magic >> stored >> storedPath >> device >> inode >> birth;
        QCOMPARE(stored, quint8(2));
        QByteArray forged;
        QDataStream out(&forged, QIODevice::WriteOnly);
        out.setVersion(QDataStream::Qt_6_0);
        out << magic << quint8(version) << path(u"Hub"_s) << device << inode;
        if (version >= 2)
            out << qint64(birth + birthShift);
        LogCapture log;
        QCOMPARE(SecurityScopedBookmarkManager::resolveBookmark(forged),
                 followed ? std::optional(path(u"Sibling"_s)) : std::nullopt);
        // At its own path a first-version bookmark still leads to the folder.
        if (version == 1) {
            QVERIFY(QDir(m_dir.path()).rename(u"Sibling"_s, u"Hub"_s));
            QCOMPARE(SecurityScopedBookmarkManager::resolveBookmark(forged), path(u"Hub"_s));
        }
    }

    void anotherItemAtThePathIsStale_data()
    {
        QTest::addColumn<bool>("replaceWithFile");
        QTest::newRow("new folder") << false;
        QTest::newRow("file") << true;
    }
    void anotherItemAtThePathIsStale()
    {
        QFETCH(bool, replaceWithFile);
        QVERIFY(makeFolder(path(u"Hub"_s)));
        const auto bookmark = SecurityScopedBookmarkManager::createBookmark(path(u"Hub"_s));
        // The newcomer is made while the old folder still exists, so it cannot reuse its inode.
        const QString newcomer = path(u"Newcomer"_s);
        QVERIFY(replaceWithFile ? writeFile(newcomer, "x") : makeFolder(newcomer));
        QVERIFY(FileSystem::remove(path(u"Hub"_s)));
        QVERIFY(QDir(m_dir.path()).rename(u"Newcomer"_s, u"Hub"_s));

        LogCapture log;
        QCOMPARE(SecurityScopedBookmarkManager::resolveBookmark(*bookmark), path(u"Hub"_s));
        QCOMPARE(SecurityScopedBookmarkManager::resolveBookmark(*bookmark), path(u"Hub"_s));
        QCOMPARE(log.lines(), QStringList(2, u"Bookmark is stale. Needs recreation."_s));
    }

    // What is no bookmark, or a bookmark of nothing, yields nothing and is logged.
    void failuresAreLoggedAndYieldNothing()
    {
        QVERIFY(makeFolder(path(u"Hub"_s)));
        const QByteArray bookmark = *SecurityScopedBookmarkManager::createBookmark(path(u"Hub"_s));
        LogCapture log;
        for (const QByteArray& bytes : {QByteArray("garbage"), QByteArray()})
            QCOMPARE(SecurityScopedBookmarkManager::resolveBookmark(bytes), std::nullopt);
        QCOMPARE(log.lines().size(), 2);
        QVERIFY(std::ranges::all_of(log.lines(), [](const QString& line) {
            return line.startsWith(u"Failed to resolve bookmark: "_s);
        }));
        for (qsizetype length = 0; length < bookmark.size(); ++length)
            QCOMPARE(SecurityScopedBookmarkManager::resolveBookmark(bookmark.left(length)), std::nullopt);
        QCOMPARE(SecurityScopedBookmarkManager::resolveBookmark(bookmark + "x"), std::nullopt);

        log.clear();
        QVERIFY(QDir(path(u"Hub"_s)).removeRecursively());
        QCOMPARE(SecurityScopedBookmarkManager::resolveBookmark(bookmark), std::nullopt);
        QCOMPARE(log.lines(), QStringList(u"Failed to resolve bookmark: The folder "_s + path(u"Hub"_s) +
                                          u" no longer exists."_s));
        log.clear();
        QCOMPARE(SecurityScopedBookmarkManager::createBookmark(path(u"missing"_s)), std::nullopt);
        QCOMPARE(log.lines().size(), 1);
        QVERIFY(log.lines().first().startsWith(u"Failed to create bookmark: "_s));
    }
};

QTEST_GUILESS_MAIN(TestFolderAccess)
#include "tst_folderaccess.moc"
