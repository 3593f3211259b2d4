#include "linker/HubScanner.h"
#include "linker/TargetListing.h"
#include "support/LogCapture.h"
#include "support/WorkspaceFixture.h"

#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace Qt::StringLiterals;
using namespace TestFiles;

namespace {

QStringList namesOf(const QList<Skill>& skills)
{
    QStringList names;
    for (const Skill& skill : skills)
        names.append(skill.name);
    return names;
}

const Skill* skillNamed(const QList<Skill>& skills, const QString& name)
{
    for (const Skill& skill : skills) {
        if (skill.name == name)
            return &skill;
    }
    return nullptr;
}

// The preview as reading the whole file as text gives it: nothing unless all is UTF-8.
std::optional<QString> previewOfWholeText(const QByteArray& bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return HubScanner::contentSnippet(text);
}

// name -> "state|namesake|destination" of a listing, for comparison in one go.
QMap<QString, QString> describe(const QList<TargetAppSkill>& skills, const QString& root)
{
    QMap<QString, QString> states;
    for (const TargetAppSkill& skill : skills) {
        QString destination = skill.symlinkDestination.value_or(u"-"_s);
        destination.replace(root, u"ROOT"_s);
        static const QStringList stateNames = {u"repairable"_s, u"broken"_s, u"linked"_s, u"external"_s,
                                               u"local"_s};
        states.insert(skill.name,
                      u"%1|%2|%3"_s.arg(stateNames.at(static_cast<int>(skill.state)),
                                        skill.hasNamesakeInHub ? u"namesake"_s : u"-"_s, destination));
    }
    return states;
}

} // namespace

// What is read from disk: the hub's items, and the entries of an app's folder.
class TestHubScan : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void snippet_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("empty") << QString() << QString();
        QTest::newRow("blank lines first") << u"\n   \n\t\nfirst\nsecond"_s << u"first\nsecond"_s;
        QTest::newRow("indentation kept") << u"  a\n\nb\nc\nd"_s << u"  a\nb\nc"_s;
        QTest::newRow("trailing spaces kept") << u"a  \nb"_s << u"a  \nb"_s;
        QTest::newRow("CRLF") << u"one\r\ntwo\r\nthree\r\nfour"_s << u"one\ntwo\nthree"_s;
        QTest::newRow("old Mac line ends") << u"one\rtwo"_s << u"one\ntwo"_s;
        QTest::newRow("Unicode separators") << u"a\u2028b\u2029c\u0085d"_s << u"a\nb\nc"_s;
        QTest::newRow("vertical tab and form feed") << u"a\vb\fc"_s << u"a\nb\nc"_s;
        QTest::newRow("no-break space is blank") << u"\u00A0\u3000\t\nx"_s << u"x"_s;
        QTest::newRow("long line untouched") << QString(5000, u'x') << QString(5000, u'x');
        QTest::newRow("fewer than three") << u"only"_s << u"only"_s;
    }
    void snippet()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(HubScanner::contentSnippet(text), expected);
    }

    // Files are read whole but only their beginning is decoded; the preview must be the
    // one the whole text gives, wherever lines, characters and faults fall.
    void previewMatchesWholeText_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray body = QByteArray("- a line of a long skill file\n").repeated(40'000); // > 1 MiB
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("short") << QByteArray("# Title\n\nbody\nmore\nrest\n");
        QTest::newRow("byte order mark") << QByteArray("\xEF\xBB\xBF# Title\nx\ny\n");
        QTest::newRow("large, lines at the start") << "# Big\nsecond\nthird\n" + body;
        QTest::newRow("content after many blank lines") << QByteArray(9000, '\n') + "late\nlater\n" + body;
        QTest::newRow("first line longer than a read") << QByteArray(70'000, 'x') + "\nb\nc\n" + body;
        QTest::newRow("third line ends at the text end") << QByteArray(5000, 'x') + "\nb\nc";
        QTest::newRow("only two lines in a large file")
            << QByteArray(8192, ' ') + "a\n" + QByteArray(8192, '\t') + "b";
        QTest::newRow("character across the first cut")
            << QByteArray(4095, 'a') + "\xE2\x82\xAC\nsecond\nthird\n" + body;
        QTest::newRow("CR LF across the first cut") << QByteArray(4095, 'a') + "\r\nb\r\nc\r\n" + body;
        QTest::newRow("line separator across a cut") << QByteArray(8191, 'a') + "\xE2\x80\xA8"
                                                                                "b\nc\nd";
        QTest::newRow("bad byte far behind the preview") << "# Fine\na\nb\n" + body + "\xFF";
        QTest::newRow("truncated character at the end") << "# Fine\na\nb\n" + body + "\xE2\x82";
        QTest::newRow("overlong encoding") << QByteArray("a\nb\nc\n\xC0\xAF");
        QTest::newRow("encoded surrogate") << "a\nb\nc\n" + body + "\xED\xA0\x80";
        QTest::newRow("beyond the last code point") << QByteArray("a\n\xF4\x90\x80\x80");
        QTest::newRow("noncharacter") << QByteArray("\xEF\xBF\xBE\nb\nc");
        // Files are checked 64 KiB at a time: characters cut at that border.
        const QByteArray chunk(64 * 1024 - 1, 'a');
        QTest::newRow("character across a chunk") << "x\ny\nz\n" + chunk + "\xE2\x82\xAC" + body;
        QTest::newRow("four bytes across a chunk")
            << "x\ny\nz\n" + chunk.left(chunk.size() - 2) + "\xF0\x9F\x98\x80";
        QTest::newRow("lead byte at a chunk end, then ASCII") << "x\ny\nz\n" + chunk + "\xE2" + "ab";
        QTest::newRow("bad byte first in a chunk") << "x\ny\nz\n" + chunk + "a\xFF";
        QTest::newRow("stray continuation first in a chunk") << "x\ny\nz\n" + chunk + "a\x80";
    }
    void previewMatchesWholeText()
    {
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        const QString file = dir.filePath(u"skill.md"_s);
        QVERIFY(writeFile(file, bytes));
        HubScanner::PreviewReader reader;
        QCOMPARE(reader.previewOf(file), previewOfWholeText(bytes));
        // The reader keeps its buffer: a smaller file read afterwards is not mixed with it.
        QVERIFY(writeFile(file, "small\n"));
        QCOMPARE(reader.previewOf(file), std::optional(u"small"_s));
    }

    void onlyRegularFilesAreRead()
    {
        QTemporaryDir dir;
        const QString fifo = dir.filePath(u"pipe.md"_s);
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        HubScanner::PreviewReader reader;
        // A pipe without a writer would block a scan forever; it has no preview.
        QCOMPARE(reader.previewOf(fifo), std::nullopt);
        QCOMPARE(reader.previewOf(dir.filePath(u"missing.md"_s)), std::nullopt);
        const Skill skill = HubScanner::makeSkill(fifo);
        QCOMPARE(skill.contentSnippet, QString());
        QVERIFY(!skill.isDirectory);

        // In a hub, the scan lists a pipe without waiting on it, directly or through a link.
        WorkspaceFixture f;
        const QString hub = f.makeHub();
        QCOMPARE(::mkfifo(QFile::encodeName(hub + u"/pipe.md"_s).constData(), 0600), 0);
        QVERIFY(makeLink(hub + u"/to-pipe.md"_s, fifo) && writeFile(hub + u"/real.md"_s, "real"));
        f.workspace->hubCatalog().scanCentralRepository();
        QCOMPARE(namesOf(f.workspace->hubCatalog().availableSkills()),
                 QStringList({u"pipe"_s, u"real"_s, u"to-pipe"_s}));
        QCOMPARE(skillNamed(f.workspace->hubCatalog().availableSkills(), u"pipe"_s)->contentSnippet,
                 QString());
        QCOMPARE(skillNamed(f.workspace->hubCatalog().availableSkills(), u"to-pipe"_s)->contentSnippet,
                 QString());
        QCOMPARE(skillNamed(f.workspace->hubCatalog().availableSkills(), u"real"_s)->contentSnippet,
                 u"real"_s);
    }

    void entriesBecomeSkills()
    {
        WorkspaceFixture f;
        const QString hub = f.makeHub();
        const QString outside = f.path(u"outside"_s);
        QVERIFY(makeFolder(outside) && writeFile(hub + u"/deploy/SKILL.md"_s, "never read"));
        QVERIFY(makeFolder(hub + u"/my.skill"_s) && writeFile(hub + u"/notes.md"_s, "\n# Notes\n  body\n"));
        QVERIFY(writeFile(hub + u"/latin1.txt"_s, "gr\xfc\xdf") && writeFile(hub + u"/Makefile"_s, "all:"));
        QVERIFY(makeLink(hub + u"/linked"_s, outside));
        QVERIFY(makeLink(hub + u"/dangling.md"_s, f.path(u"gone.md"_s)));
        for (const QString& name :
             {u"b"_s, u"B"_s, u"a"_s, u"Zeta"_s, u"alpha.md"_s, u".DS_Store"_s, u"foo.md"_s})
            QVERIFY(writeFile(hub + u"/"_s + name, "x"));
        QVERIFY(makeFolder(hub + u"/.git"_s) && makeFolder(hub + u"/foo"_s));
        QVERIFY(makeLink(hub + u"/.hidden-link"_s, hub + u"/.git"_s));

        f.workspace->hubCatalog().scanCentralRepository();
        const QList<Skill>& skills = f.workspace->hubCatalog().availableSkills();
        // Sorted by code point, namesakes in the order listed; hidden entries never appear.
        QCOMPARE(namesOf(skills), QStringList({u"B"_s, u"Makefile"_s, u"Zeta"_s, u"a"_s, u"alpha"_s, u"b"_s,
                                               u"dangling"_s, u"deploy"_s, u"foo"_s, u"foo"_s, u"latin1"_s,
                                               u"linked"_s, u"my"_s, u"notes"_s}));
        QStringList foos;
        for (const QString& entry : FileSystem::listFolder(hub).value())
            if (QFileInfo(entry).fileName().startsWith(u"foo"_s))
                foos.append(entry);
        QCOMPARE(QStringList({skills[8].path, skills[9].path}), foos);
        struct Expected
        {
            QString file, name, extension, snippet;
            bool folder;
        };
        const QList<Expected> expected = {
            {u"deploy"_s, u"deploy"_s, {}, u"[Folder]"_s, true},
            {u"my.skill"_s, u"my"_s, u"skill"_s, u"[Folder]"_s, true},
            {u"notes.md"_s, u"notes"_s, u"md"_s, u"# Notes\n  body"_s, false},
            {u"latin1.txt"_s, u"latin1"_s, u"txt"_s, {}, false},
            {u"Makefile"_s, u"Makefile"_s, {}, u"all:"_s, false},
            {u"linked"_s, u"linked"_s, {}, u"[Folder]"_s, true},
            {u"dangling.md"_s, u"dangling"_s, u"md"_s, {}, false},
        };
        for (const Expected& e : expected) {
            const Skill* skill = skillNamed(skills, e.name);
            QVERIFY2(skill, qPrintable(e.name));
            QCOMPARE(skill->path, hub + u"/"_s + e.file);
            QCOMPARE(skill->fileExtension, e.extension);
            QCOMPARE(skill->contentSnippet, e.snippet);
            QCOMPARE(skill->isDirectory, e.folder);
        }
    }

    // Each way a scan can fail: the list is emptied, once, and what the log says.
    void failedScansEmptyTheList_data()
    {
        QTest::addColumn<QString>("situation");
        QTest::addColumn<QString>("logStart"); // empty: nothing logged
        QTest::addColumn<int>("stops");
        QTest::newRow("stored path but no bookmark") << u"no bookmark"_s << QString() << 0;
        QTest::newRow("bookmark does not resolve") << u"vanished"_s << u"Failed to resolve bookmark: "_s << 0;
        QTest::newRow("scope refused")
            << u"refused"_s << u"Failed to access security scope for central repo."_s << 0;
        QTest::newRow("folder cannot be listed")
            << u"not a folder"_s << u"Error scanning central repository: "_s << 1;
    }
    void failedScansEmptyTheList()
    {
        QFETCH(QString, situation);
        QFETCH(QString, logStart);
        QFETCH(int, stops);
        WorkspaceFixture f;
        const QString hub = f.makeHub();
        QVERIFY(writeFile(hub + u"/a.md"_s, "a"));
        f.workspace->hubCatalog().scanCentralRepository();
        QCOMPARE(f.workspace->hubCatalog().availableSkills().size(), 1);
        f.platform.scopes = {};

        if (situation == u"no bookmark"_s) {
            QVERIFY(f.workspace->hubSettings().setHub(hub, std::nullopt).ok()); // the folder is still there
        } else if (situation == u"vanished"_s) {
            QVERIFY(QDir(hub).removeRecursively());
        } else if (situation == u"refused"_s) {
            f.platform.scopes.refuseAll();
        } else {
            const QString file = f.path(u"file.md"_s);
            QVERIFY(writeFile(file, "x"));
            QVERIFY(f.workspace->hubSettings()
                        .setHub(hub, SecurityScopedBookmarkManager::createBookmark(file))
                        .ok());
        }

        LogCapture log;
        f.workspace->hubCatalog().scanCentralRepository();
        QVERIFY(f.workspace->hubCatalog().availableSkills().isEmpty());
        if (logStart.isEmpty()) {
            QCOMPARE(log.lines(), QStringList());
        } else {
            QCOMPARE(log.lines().size(), 1);
            QVERIFY2(log.lines().first().startsWith(logStart), qPrintable(log.lines().first()));
        }
        QCOMPARE(f.platform.scopes.stopped.size(), stops);
        QCOMPARE(f.platform.scopes.openCount(), 0);
    }

    void everyStateIsTold()
    {
        WorkspaceFixture f;
        const QString hub = f.makeHub();
        TargetApp* app = f.makeApp(u"Codex"_s);
        const QString folder = app->folderPath();
        const QString root = f.dir.path();
        QVERIFY(makeFolder(hub + u"/deploy"_s) && writeFile(hub + u"/notes.md"_s, "n"));
        QVERIFY(makeFolder(hub + u"/notes"_s) && makeFolder(hub + u"/local-twin"_s));
        QVERIFY(makeLink(hub + u"/dangling-in-hub"_s, f.path(u"nowhere"_s)));
        QVERIFY(makeFolder(f.path(u"external/tool"_s)) && makeFolder(f.path(u"HubOld/old"_s)));

        QVERIFY(makeLink(folder + u"/deploy"_s, hub + u"/deploy"_s));
        QVERIFY(makeLink(folder + u"/relative"_s, u"../../Hub/deploy"_s));
        QVERIFY(makeLink(folder + u"/chain"_s, folder + u"/relative"_s));
        QVERIFY(makeLink(folder + u"/tool"_s, f.path(u"external/tool"_s)));
        QVERIFY(makeLink(folder + u"/notes.md"_s, hub + u"/gone.md"_s));
        QVERIFY(makeLink(folder + u"/lost"_s, hub + u"/lost"_s) && makeFolder(folder + u"/local-twin"_s));
        QVERIFY(writeFile(folder + u"/mine.txt"_s, "m") && writeFile(folder + u"/dangling-in-hub"_s, "d"));
        QVERIFY(makeLink(folder + u"/old"_s, f.path(u"HubOld/old"_s)));
        QVERIFY(writeFile(folder + u"/.hidden"_s, "h"));
        QVERIFY(makeLink(folder + u"/.hidden-link"_s, hub + u"/deploy"_s));

        LogCapture log;
        const auto listed = f.workspace->targetListing().list(*app);
        QVERIFY(listed);
        const QMap<QString, QString> expected = {
            {u"chain"_s, u"linked|-|ROOT/Hub/deploy"_s},
            {u"dangling-in-hub"_s, u"local|-|-"_s}, // a dangling hub link is no namesake
            {u"deploy"_s, u"linked|namesake|ROOT/Hub/deploy"_s},
            {u"local-twin"_s, u"local|namesake|-"_s},
            {u"lost"_s, u"broken|-|-"_s},
            {u"mine.txt"_s, u"local|-|-"_s},
            {u"notes.md"_s, u"repairable|namesake|-"_s}, // the hub folder "notes" does not count
            {u"old"_s, u"external|-|ROOT/HubOld/old"_s}, // a sibling of the hub is not the hub
            {u"relative"_s, u"linked|-|ROOT/Hub/deploy"_s},
            {u"tool"_s, u"external|-|ROOT/external/tool"_s},
        };
        QCOMPARE(describe(*listed, root), expected);
        QStringList order;
        for (const TargetAppSkill& skill : *listed)
            order.append(skill.name);
        QCOMPARE(order, expected.keys()); // sorted by name
        QCOMPARE(log.lines(), QStringList());
        QCOMPARE(f.platform.scopes.openCount(), 0);
    }

    // An app's listing at its edges: no hub, so no namesakes; a folder out of reach, an empty
    // one; and the stored path when the bookmark's scope is refused.
    void appListingsAtTheirEdges()
    {
        WorkspaceFixture f;
        QVERIFY(f.workspace->hubSettings().setHub(f.path(u"no hub"_s), std::nullopt).ok());
        TargetApp* app = f.makeApp(u"Codex"_s);
        QVERIFY(makeFolder(app->folderPath() + u"/deploy"_s));
        const auto listed = f.workspace->targetListing().list(*app);
        QVERIFY(listed && listed->size() == 1);
        QVERIFY(!listed->first().hasNamesakeInHub);

        TargetApp* gone = f.makeApp(u"Gone"_s, false);
        TargetApp* empty = f.makeApp(u"Empty"_s);
        QCOMPARE(f.workspace->targetListing().list(*gone), std::nullopt);
        QCOMPARE(f.workspace->targetListing().list(*empty), std::optional(QList<TargetAppSkill>()));

        f.platform.scopes.stopped.clear();
        f.platform.scopes.refuseAll();
        const auto stored = f.workspace->targetListing().list(*app);
        QVERIFY(stored && stored->size() == 1);
        QCOMPARE(f.platform.scopes.stopped, QStringList());
    }
};

QTEST_GUILESS_MAIN(TestHubScan)
#include "tst_hubscan.moc"
