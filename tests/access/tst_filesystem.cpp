#include "access/FileSystem.h"
#include "access/FolderDiff.h"
#include "access/ItemName.h"
#include "access/WriteProbe.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace Qt::StringLiterals;
using namespace TestFiles;

namespace {

enum class MoveRoute
{
    rename,
    copying,
    otherFileSystem
};

// Lays out a source and something at the destination, by kind.
bool place(const QString& path, const QString& kind)
{
    if (kind == u"file"_s)
        return writeFile(path, "content of " + path.toUtf8());
    if (kind == u"empty folder"_s)
        return makeFolder(path);
    if (kind == u"folder"_s)
        return makeFolder(path) && writeFile(path + u"/SKILL.md"_s, "# skill\n");
    if (kind == u"dangling link"_s)
        return makeLink(path, u"/nonexistent/quorvane-test"_s);
    return false;
}

QString numbered(int count)
{
    QString text;
    for (int i = 1; i <= count; ++i)
        text += QString::number(i) + u'\n';
    return text;
}

} // namespace

class TestFileSystem : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    // A folder on another file system than m_dir, for the cross-device route.
    std::unique_ptr<QTemporaryDir> m_otherDevice;

    QString path(const QString& name) const { return m_dir.filePath(name); }

    QString destinationFolder(MoveRoute route) const
    {
        return route == MoveRoute::otherFileSystem ? m_otherDevice->path() : m_dir.path();
    }

    static Outcome moveBy(MoveRoute route, const QString& from, const QString& to)
    {
        return route == MoveRoute::copying ? FileSystem::moveByCopying(from, to) : FileSystem::move(from, to);
    }

    static QList<std::pair<MoveRoute, const char*>> routes()
    {
        return {{MoveRoute::rename, "rename"},
                {MoveRoute::copying, "copying"},
                {MoveRoute::otherFileSystem, "other file system"}};
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        struct stat here
        {
        }, shm{};
        QVERIFY(::stat(QFile::encodeName(m_dir.path()).constData(), &here) == 0);
        if (::stat("/dev/shm", &shm) == 0 && shm.st_dev != here.st_dev) {
            m_otherDevice = std::make_unique<QTemporaryDir>(u"/dev/shm/quorvane-test-XXXXXX"_s);
            if (!m_otherDevice->isValid())
                m_otherDevice.reset(); // there, but not writable: the cases across file systems skip
        }
    }

    void init()
    {
        for (const QString& entry : entryNames(m_dir.path()))
            QVERIFY(FileSystem::remove(path(entry)));
        if (m_otherDevice) {
            for (const QString& entry : entryNames(m_otherDevice->path()))
                QVERIFY(FileSystem::remove(QDir(m_otherDevice->path()).filePath(entry)));
        }
    }

    void moveNeverReplaces_data()
    {
        QTest::addColumn<MoveRoute>("route");
        QTest::addColumn<QString>("sourceKind");
        QTest::addColumn<QString>("targetKind");
        const QList<std::pair<QString, QString>> cases = {{u"file"_s, u"file"_s},
                                                          {u"folder"_s, u"empty folder"_s},
                                                          {u"folder"_s, u"folder"_s},
                                                          {u"file"_s, u"empty folder"_s},
                                                          {u"file"_s, u"dangling link"_s}};
        for (const auto& [sourceKind, targetKind] : cases) {
            for (const auto& [route, routeName] : routes())
                QTest::addRow("%s onto %s, %s", qPrintable(sourceKind), qPrintable(targetKind), routeName)
                    << route << sourceKind << targetKind;
        }
    }
    void moveNeverReplaces()
    {
        QFETCH(MoveRoute, route);
        QFETCH(QString, sourceKind);
        QFETCH(QString, targetKind);
        if (route == MoveRoute::otherFileSystem && !m_otherDevice)
            QSKIP("/dev/shm is not another file system here");

        const QString source = path(u"source"_s);
        const QString target = QDir(destinationFolder(route)).filePath(u"target"_s);
        QVERIFY(place(source, sourceKind));
        QVERIFY(place(target, targetKind));
        const QStringList sourceBefore = treeSnapshot(m_dir.path());
        const QStringList targetBefore = treeSnapshot(destinationFolder(route));

        const Outcome moved = moveBy(route, source, target);
        QVERIFY(!moved);
        QVERIFY2(moved.error().description.contains(u"exists"_s), qPrintable(moved.error().description));
        QCOMPARE(treeSnapshot(m_dir.path()), sourceBefore);
        QCOMPARE(treeSnapshot(destinationFolder(route)), targetBefore);
    }

    void moveCarriesTreesWithLinksKept_data()
    {
        QTest::addColumn<MoveRoute>("route");
        for (const auto& [route, routeName] : routes())
            QTest::addRow("%s", routeName) << route;
    }
    void moveCarriesTreesWithLinksKept()
    {
        QFETCH(MoveRoute, route);
        if (route == MoveRoute::otherFileSystem && !m_otherDevice)
            QSKIP("/dev/shm is not another file system here");

        // A skill folder with a nested file, a hidden file, a relative and a dangling link.
        const QString source = path(u"skill"_s);
        QVERIFY(makeFolder(source + u"/scripts"_s) && writeFile(source + u"/SKILL.md"_s, "# Skill\n"));
        QVERIFY(writeFile(source + u"/scripts/run.sh"_s, "echo hi\n"));
        QVERIFY(writeFile(source + u"/.hidden"_s, "h") && makeLink(source + u"/readme"_s, u"SKILL.md"_s));
        QVERIFY(makeLink(source + u"/gone"_s, u"/nonexistent/x"_s));
        const QStringList before = treeSnapshot(source);

        const QString target = QDir(destinationFolder(route)).filePath(u"moved"_s);
        const Outcome moved = moveBy(route, source, target);
        QVERIFY2(moved, qPrintable(moved.ok() ? QString() : moved.error().description));
        QCOMPARE(treeSnapshot(target), before);
        QVERIFY(!QFileInfo::exists(source));
        QVERIFY(FileSystem::isSymbolicLink(target + u"/readme"_s));
        // No staging copy is left beside the destination.
        QCOMPARE(entryNames(destinationFolder(route)).filter(u".quorvane-"_s), QStringList());
    }

    void failedCopyKeepsTheSourceAndLeavesNothing()
    {
        // A named pipe cannot be copied, so the copy fails halfway through the tree.
        const QString source = path(u"skill"_s);
        QVERIFY(writeFile(source + u"/SKILL.md"_s, "# Skill\n"));
        QVERIFY(::mkfifo(QFile::encodeName(source + u"/pipe"_s).constData(), 0600) == 0);
        const QStringList before = treeSnapshot(m_dir.path());

        const QString target = path(u"moved"_s);
        QVERIFY(!FileSystem::moveByCopying(source, target));
        QCOMPARE(treeSnapshot(m_dir.path()), before);
        // Nor does a move of what is not there make anything.
        QVERIFY(!FileSystem::move(path(u"nothing"_s), target));
        QCOMPARE(treeSnapshot(m_dir.path()), before);
    }

    // A long copy reports its bytes; stopped halfway, it leaves the source whole and nothing beside.
    void aStoppedCopyLeavesTheSourceAndNoStaging()
    {
        constexpr qint64 large = 3 << 20;
        QVERIFY(makeFolder(path(u"source/inner"_s)));
        QVERIFY(writeFile(path(u"source/large"_s), QByteArray(large, 'a')));
        QVERIFY(writeFile(path(u"source/inner/small"_s), "b"));
        const QStringList before = treeSnapshot(path(u"source"_s));
        QCOMPARE(FileSystem::treeSize(path(u"source"_s)), large + 1);

        std::atomic<bool> stop = false;
        qint64 reported = 0;
        FileSystem::CopyControl control{&stop, [&](qint64 bytes) {
                                            reported = bytes;
                                            stop = bytes >= (1 << 20);
                                        }};
        QVERIFY(!FileSystem::moveByCopying(path(u"source"_s), path(u"target"_s), control));
        QVERIFY(reported < large + 1);
        QCOMPARE(treeSnapshot(path(u"source"_s)), before);
        QCOMPARE(entryNames(m_dir.path()), QStringList{u"source"_s});

        stop = false;
        control.progress = [&](qint64 bytes) {
            reported = bytes;
        };
        QVERIFY(FileSystem::moveByCopying(path(u"source"_s), path(u"target"_s), control));
        QCOMPARE(reported, large + 1);
        QCOMPARE(treeSnapshot(path(u"target"_s)), before);
    }

    void removeTakesTheLinkNotItsDestination()
    {
        QVERIFY(writeFile(path(u"real/keep.md"_s), "keep") && makeLink(path(u"link"_s), path(u"real"_s)));
        QVERIFY(makeFolder(path(u"folder"_s)) && makeLink(path(u"folder/inner"_s), path(u"real"_s)));

        QVERIFY(FileSystem::remove(path(u"link"_s)));
        QVERIFY(FileSystem::remove(path(u"folder"_s)));
        QCOMPARE(entryNames(m_dir.path()), QStringList{u"real"_s});
        QCOMPARE(readFile(path(u"real/keep.md"_s)), QByteArray("keep"));

        QVERIFY(makeLink(path(u"dangling"_s), path(u"missing"_s)));
        QVERIFY(FileSystem::remove(path(u"dangling"_s)));
        QVERIFY(!FileSystem::remove(path(u"dangling"_s)));
    }

    // Each kind of entry as a look that follows links tells it ("-": nothing there), and as its
    // folder's listing tells it, hidden ones included ("-": a link, left for a look that follows).
    void eachEntryIsToldItsKind_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("listed");
        QTest::newRow("hidden folder") << u".git"_s << u"folder"_s << u"folder"_s;
        QTest::newRow("file") << u"a.md"_s << u"regularFile"_s << u"regularFile"_s;
        QTest::newRow("link to a folder") << u"linked"_s << u"folder"_s << u"-"_s;
        QTest::newRow("dangling link") << u"dangling"_s << u"-"_s << u"-"_s;
        QTest::newRow("pipe") << u"pipe"_s << u"other"_s << u"other"_s;
    }
    void eachEntryIsToldItsKind()
    {
        QFETCH(QString, entry);
        QFETCH(QString, kind);
        QFETCH(QString, listed);
        QVERIFY(makeFolder(path(u"hub/.git"_s)) && writeFile(path(u"hub/a.md"_s), "a"));
        QVERIFY(makeFolder(path(u"elsewhere/inside"_s)) &&
                makeLink(path(u"hub/linked"_s), path(u"elsewhere"_s)));
        QVERIFY(makeLink(path(u"hub/dangling"_s), path(u"missing"_s)));
        QCOMPARE(::mkfifo(QFile::encodeName(path(u"hub/pipe"_s)).constData(), 0600), 0);
        const auto word = [](std::optional<FileSystem::ItemKind> told) {
            return told ? QStringList{u"folder"_s, u"regularFile"_s, u"other"_s}.value(int(*told)) : u"-"_s;
        };
        const QString at = path(u"hub/"_s + entry);
        QCOMPARE(word(FileSystem::kindOf(at)), kind);
        QCOMPARE(FileSystem::existsAsFolder(at),
                 kind == u"-"_s ? std::nullopt : std::optional(kind == u"folder"_s));
        QCOMPARE(FileSystem::exists(at), kind != u"-"_s);
        QCOMPARE(FileSystem::isSymbolicLink(at), listed == u"-"_s);
        QMap<QString, QString> listing; // each name, and the listing's word for it
        for (const FileSystem::FolderEntry& each : FileSystem::listFolderEntries(path(u"hub"_s)).value())
            listing.insert(QFileInfo(each.path).fileName(), word(each.kindUnlessLink));
        QCOMPARE(listing.keys(), (QStringList{u".git"_s, u"a.md"_s, u"dangling"_s, u"linked"_s, u"pipe"_s}));
        QCOMPARE(listing.value(entry), listed);
        QStringList paths = FileSystem::listFolder(path(u"hub"_s)).value();
        paths.sort();
        QCOMPARE(paths.first(), path(u"hub/.git"_s));
        QCOMPARE(paths.size(), listing.size());
        QVERIFY(!FileSystem::listFolder(path(u"missing"_s)) && !FileSystem::listFolder(path(u"hub/a.md"_s)));
    }

    // A link is made only where nothing stands; links resolve through chains, never a loop.
    void linksAreMadeOnlyInFreePlacesAndResolveThroughChains()
    {
        QVERIFY(makeLink(path(u"place"_s), path(u"missing"_s)));
        QVERIFY(!FileSystem::createSymbolicLink(path(u"place"_s), path(u"other"_s)));
        QCOMPARE(FileSystem::linkDestinationText(path(u"place"_s)).value(), path(u"missing"_s));
        QVERIFY(FileSystem::createSymbolicLink(path(u"fresh"_s), path(u"missing"_s)));
        QCOMPARE(FileSystem::linkDestinationText(path(u"fresh"_s)).value(), path(u"missing"_s));

        QVERIFY(makeFolder(path(u"hub/skill"_s)) && makeFolder(path(u"app"_s)));
        QVERIFY(makeLink(path(u"app/relative"_s), u"../hub/skill"_s));
        QVERIFY(makeLink(path(u"app/chain"_s), path(u"app/relative"_s)));
        QVERIFY(makeLink(path(u"app/dangling"_s), path(u"hub/gone"_s)));
        QVERIFY(makeLink(path(u"app/loop"_s), path(u"app/loop"_s)));
        QCOMPARE(FileSystem::resolveLink(path(u"app/relative"_s)).value(), path(u"hub/skill"_s));
        QCOMPARE(FileSystem::resolveLink(path(u"app/chain"_s)).value(), path(u"hub/skill"_s));
        QVERIFY(!FileSystem::resolveLink(path(u"app/dangling"_s)));
        QVERIFY(!FileSystem::resolveLink(path(u"app/loop"_s)));
    }

    // Reading into a buffer reuses it; writing a text replaces the file whole.
    void readingIntoABufferAndWritingText()
    {
        const QByteArray large = QByteArray("0123456789abcdef").repeated(20'000); // beyond the first read
        QVERIFY(writeFile(path(u"large"_s), large) && writeFile(path(u"small"_s), "small"));
        QVERIFY(writeFile(path(u"empty"_s), ""));
        QByteArray buffer;
        QCOMPARE(FileSystem::readInto(path(u"large"_s), buffer).value(), large.size());
        QCOMPARE(buffer.first(large.size()), large);
        const qsizetype capacity = buffer.capacity();
        QCOMPARE(FileSystem::readInto(path(u"small"_s), buffer).value(), 5);
        QCOMPARE(buffer.first(5), QByteArray("small"));
        QCOMPARE(FileSystem::readInto(path(u"empty"_s), buffer).value(), 0);
        QCOMPARE(buffer.capacity(), capacity);
        QVERIFY(!FileSystem::readInto(path(u"missing"_s), buffer));

        // A pipe without a writer reads as empty instead of waiting for one.
        QCOMPARE(::mkfifo(QFile::encodeName(path(u"pipe"_s)).constData(), 0600), 0);
        QCOMPARE(FileSystem::readInto(path(u"pipe"_s), buffer).value(), 0);

        QVERIFY(FileSystem::writeText(path(u"small"_s), u"neu ü"_s));
        QCOMPARE(readFile(path(u"small"_s)), QByteArray("neu \xc3\xbc"));
        QCOMPARE(entryNames(m_dir.path()), (QStringList{u"empty"_s, u"large"_s, u"pipe"_s, u"small"_s}));
        QVERIFY(!FileSystem::writeText(path(u"missing/SKILL.md"_s), u"x"_s));
    }

    void itemNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("folder name") << u"deploy"_s << true;
        QTest::newRow("file name") << u"notes.md"_s << true;
        QTest::newRow("spaces and umlauts") << u"Prüfe alles"_s << true;
        QTest::newRow("three dots") << u"..."_s << true;
        QTest::newRow("dots inside") << u"a..b"_s << true;
        QTest::newRow("hidden name") << u".config"_s << true;
        QTest::newRow("backslash is a plain character here") << u"a\\b"_s << true;
        QTest::newRow("empty") << QString() << false;
        QTest::newRow("dot") << u"."_s << false;
        QTest::newRow("dot-dot") << u".."_s << false;
        QTest::newRow("slash") << u"a/b"_s << false;
        QTest::newRow("leading slash") << u"/etc"_s << false;
        QTest::newRow("NUL") << u"a\u0000"_s << false;
        QTest::newRow("tab") << u"a\tb"_s << false;
        QTest::newRow("carriage return") << u"a\r"_s << false;
        QTest::newRow("DEL") << u"a\u007f"_s << false;
        QTest::newRow("C1 control") << u"a\u0085"_s << false;
    }
    void itemNames()
    {
        QFETCH(QString, name);
        QFETCH(bool, accepted);
        const Outcome checked = checkItemName(name);
        QCOMPARE(checked.ok(), accepted);
        if (!accepted)
            QVERIFY(checked.error().problem); // a kind the texts can word
    }

    // The hunks as GNU diff -u writes them for the same texts.
    void textsDifferAsDiffShowsThem_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::addColumn<QString>("expected");
        QTest::newRow("equal") << numbered(5) << numbered(5) << QString();
        QTest::newRow("one line, three of context")
            << numbered(10) << QString(numbered(10)).replace(u"\n5\n"_s, u"\nfive\n"_s)
            << u"@@ -2,7 +2,7 @@\n 2\n 3\n 4\n-5\n+five\n 6\n 7\n 8\n"_s;
        QTest::newRow("far apart: two hunks")
            << numbered(14)
            << QString(numbered(14)).replace(u"1\n2\n"_s, u"one\n2\n"_s).replace(u"14\n"_s, u"fourteen\n"_s)
            << u"@@ -1,4 +1,4 @@\n-1\n+one\n 2\n 3\n 4\n@@ -11,4 +11,4 @@\n 11\n 12\n 13\n-14\n+fourteen\n"_s;
        QTest::newRow("near: one hunk")
            << numbered(10) << u"1\nTWO\n3\n4\n5\n6\n7\nEIGHT\n9\n10\n"_s
            << u"@@ -1,10 +1,10 @@\n 1\n-2\n+TWO\n 3\n 4\n 5\n 6\n 7\n-8\n+EIGHT\n 9\n 10\n"_s;
        QTest::newRow("removed and added")
            << u"1\n2\n3\n"_s << u"1\n3\n4\n"_s << u"@@ -1,3 +1,3 @@\n 1\n-2\n 3\n+4\n"_s;
        QTest::newRow("no newline at the end")
            << u"a\nb"_s << u"a\nb\nc\n"_s
            << u"@@ -1,2 +1,3 @@\n a\n-b\n\\ No newline at end of file\n+b\n+c\n"_s;
        QTest::newRow("from nothing") << QString() << u"x\n"_s << u"@@ -0,0 +1 @@\n+x\n"_s;
        QTest::newRow("to nothing") << u"x\n"_s << QString() << u"@@ -1 +0,0 @@\n-x\n"_s;
    }
    void textsDifferAsDiffShowsThem()
    {
        QFETCH(QString, before);
        QFETCH(QString, after);
        QFETCH(QString, expected);
        QCOMPARE(FolderDiff::unified(before, after), expected);
    }

    // Files by path: added, removed and changed ones with their headers; a binary file and a
    // changed execute bit said so; equal files left out.
    void foldersDifferFileByFile()
    {
        const QList<ContentFile> before{{u"SKILL.md"_s, "# A\n", false},
                                        {u"old.md"_s, "gone\n", false},
                                        {u"run.sh"_s, "echo\n", false},
                                        {u"tool"_s,
                                         QByteArray("\x7f"
                                                    "ELF\0\1",
                                                    6),
                                         false},
                                        {u"same.md"_s, "same\n", false}};
        const QList<ContentFile> after{{u"SKILL.md"_s, "# B\n", false},
                                       {u"new.md"_s, "hi\n", false},
                                       {u"run.sh"_s, "echo\n", true},
                                       {u"tool"_s,
                                        QByteArray("\x7f"
                                                   "ELF\0\2",
                                                   6),
                                        false},
                                       {u"same.md"_s, "same\n", false}};
        QStringList shown;
        for (const FileChange& change : FolderDiff::between(before, after, u"pdf"_s))
            shown.append(u"%1 %2\n%3"_s.arg(change.path).arg(int(change.kind)).arg(change.diff));
        QCOMPARE(
            shown,
            (QStringList{u"SKILL.md 2\n--- a/pdf/SKILL.md\n+++ b/pdf/SKILL.md\n@@ -1 +1 @@\n-# A\n+# B\n"_s,
                         u"new.md 0\n--- /dev/null\n+++ b/pdf/new.md\n@@ -0,0 +1 @@\n+hi\n"_s,
                         u"old.md 1\n--- a/pdf/old.md\n+++ /dev/null\n@@ -1 +0,0 @@\n-gone\n"_s,
                         u"run.sh 2\nold mode 100644\nnew mode 100755\n"_s,
                         u"tool 2\nBinary files a/pdf/tool and b/pdf/tool differ\n"_s}));
    }
};

QTEST_GUILESS_MAIN(TestFileSystem)
#include "tst_filesystem.moc"
