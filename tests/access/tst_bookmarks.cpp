#include "access/FileSystem.h"
#include "access/SecurityScopedBookmarkManager.h"
#include "support/LogCapture.h"
#include "support/TestFiles.h"

#include <QDataStream>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace TestFiles;

class TestBookmarks : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString path(const QString& name) const { return m_dir.filePath(name); }

private Q_SLOTS:
    void init()
    {
        for (const QString& entry : entryNames(m_dir.path()))
            QVERIFY(FileSystem::remove(path(entry)));
    }

    void resolvesToTheSameFolder()
    {
        QVERIFY(makeFolder(path(u"Hub"_s)));
        LogCapture log;
        const auto bookmark = SecurityScopedBookmarkManager::createBookmark(path(u"Hub"_s));
        QVERIFY(bookmark);
        QCOMPARE(SecurityScopedBookmarkManager::resolveBookmark(*bookmark), path(u"Hub"_s));
        QCOMPARE(log.lines(), QStringList());
    }

    void findsAFolderRenamedInItsParent()
    {
        QVERIFY(makeFolder(path(u"Hub"_s)));
        QVERIFY(makeFolder(path(u"Other"_s)));
        const auto bookmark = SecurityScopedBookmarkManager::createBookmark(path(u"Hub"_s));
        QVERIFY(QDir(m_dir.path()).rename(u"Hub"_s, u"Renamed Hub"_s));
        LogCapture log;
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

    void failuresAreLoggedAndYieldNothing_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("logStart");
        QTest::newRow("not a bookmark") << QByteArray("garbage") << u"Failed to resolve bookmark: "_s;
        QTest::newRow("empty") << QByteArray() << u"Failed to resolve bookmark: "_s;
    }
    void failuresAreLoggedAndYieldNothing()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, logStart);
        LogCapture log;
        QCOMPARE(SecurityScopedBookmarkManager::resolveBookmark(bytes), std::nullopt);
        QCOMPARE(log.lines().size(), 1);
        QVERIFY(log.lines().first().startsWith(logStart));
    }

    void aVanishedFolderDoesNotResolve()
    {
        QVERIFY(makeFolder(path(u"Hub"_s)));
        const auto bookmark = SecurityScopedBookmarkManager::createBookmark(path(u"Hub"_s));
        QVERIFY(QDir(path(u"Hub"_s)).removeRecursively());
        LogCapture log;
        QCOMPARE(SecurityScopedBookmarkManager::resolveBookmark(*bookmark), std::nullopt);
        QCOMPARE(log.lines(), QStringList(u"Failed to resolve bookmark: The folder "_s + path(u"Hub"_s) +
                                          u" no longer exists."_s));
    }

    void creatingABookmarkOfNothingFails()
    {
        LogCapture log;
        QCOMPARE(SecurityScopedBookmarkManager::createBookmark(path(u"missing"_s)), std::nullopt);
        QCOMPARE(log.lines().size(), 1);
        QVERIFY(log.lines().first().startsWith(u"Failed to create bookmark: "_s));
    }

    void truncatedBookmarksAreRejected()
    {
        QVERIFY(makeFolder(path(u"Hub"_s)));
        const QByteArray bookmark = *SecurityScopedBookmarkManager::createBookmark(path(u"Hub"_s));
        LogCapture log;
        for (qsizetype length = 0; length < bookmark.size(); ++length)
            QCOMPARE(SecurityScopedBookmarkManager::resolveBookmark(bookmark.left(length)), std::nullopt);
        QCOMPARE(SecurityScopedBookmarkManager::resolveBookmark(bookmark + "x"), std::nullopt);
    }
};

QTEST_GUILESS_MAIN(TestBookmarks)
#include "tst_bookmarks.moc"
