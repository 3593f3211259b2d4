#include "store/ContentCache.h"
#include "store/DirectorySkillSource.h"
#include "store/SkillDownload.h"
#include "support/FakeNetwork.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace TestFiles;
using namespace std::chrono_literals;

namespace {

using Files = QMap<QByteArray, FakeNetwork::Response>;

struct DownloadOutcome
{
    std::optional<QString> text;
    QString foundAt; // branch/path
    std::optional<Problem> error;
};

DownloadOutcome download(FakeNetwork& server, const RemoteSkillItem& item)
{
    DirectorySkillSource source(server, {server.baseUrl(), u"Test"_s, server.baseUrl() + u"/raw/"_s,
                                         server.baseUrl() + u"/api"_s, 2s});
    DownloadOutcome outcome;
    QObject context;
    source.download(item, &context, [&](const DownloadAnswer& answer) {
        if (answer) {
            outcome.text = answer->text;
            outcome.foundAt = answer->branch + u'/' + answer->path;
        } else
            outcome.error = answer.error();
    });
    (void)QTest::qWaitFor([&] { return outcome.text || outcome.error; },
                          10000); // an empty outcome fails the test
    return outcome;
}

QByteArray tree(const QList<QByteArray>& paths)
{
    QByteArray entries;
    for (const QByteArray& path : paths)
        entries += (entries.isEmpty() ? "" : ",") + QByteArray(R"({"path":")") + path + R"(","type":"blob"})";
    return R"({"sha":"x","tree":[)" + entries + "]}";
}

FakeNetwork::Response ok(const QByteArray& body)
{
    return {200, body, false, 0};
}

} // namespace

class TestSkillDownload : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void aHitWithoutSourceAsksNothing()
    {
        FakeNetwork server;
        const DownloadOutcome outcome =
            download(server, {u"id"_s, u"s"_s, u"n"_s, 1, std::nullopt, std::nullopt, {}});
        QVERIFY(outcome.error);
        QCOMPARE(outcome.error->kind, Problem::Kind::invalidUrl);
        QVERIFY(server.requests.isEmpty());
    }

    // Where the file lies, which requests are made in which order, and what comes back.
    void findsTheFile_data()
    {
        QTest::addColumn<QVariant>("skillId"); // null: none
        QTest::addColumn<Files>("files");
        QTest::addColumn<QList<QByteArray>>("expectedTargets");
        QTest::addColumn<QString>("expectedText"); // empty: not found

        const QByteArray main = "/raw/o/r/main", master = "/raw/o/r/master";
        const QByteArray mainTree = "/api/repos/o/r/git/trees/main?recursive=1";
        const QByteArray masterTree = "/api/repos/o/r/git/trees/master?recursive=1";
        const QList<QByteArray> sixTries = {
            main + "/deploy/SKILL.md", master + "/deploy/SKILL.md",      main + "/SKILL.md",
            master + "/SKILL.md",      main + "/skills/deploy/SKILL.md", master + "/skills/deploy/SKILL.md"};

        QTest::newRow("root of main") << QVariant(u"deploy"_s) << Files{{main + "/SKILL.md", ok("# root")}}
                                      << sixTries.mid(0, 3) << u"# root"_s;
        QTest::newRow("skills folder on master")
            << QVariant(u"deploy"_s) << Files{{master + "/skills/deploy/SKILL.md", ok("# skills")}}
            << sixTries << u"# skills"_s;
        QTest::newRow("deep in the main tree")
            << QVariant(u"deploy"_s)
            << Files{{mainTree, ok(tree({"README.md", "plugins/x/deploy/SKILL.md"}))},
                     {main + "/plugins/x/deploy/SKILL.md", ok("# plugin")}}
            << sixTries + QList<QByteArray>{mainTree, main + "/plugins/x/deploy/SKILL.md"} << u"# plugin"_s;
        QTest::newRow("no skill id takes the first SKILL.md of the tree")
            << QVariant()
            << Files{{mainTree, ok(tree({"docs/a.md", "a/b/SKILL.md", "c/SKILL.md"}))},
                     {main + "/a/b/SKILL.md", ok("# first")}}
            << QList<QByteArray>{main + "/SKILL.md",
                                 master + "/SKILL.md",
                                 main + "/SKILL.md",
                                 master + "/SKILL.md",
                                 main + "/skills/SKILL.md",
                                 master + "/skills/SKILL.md",
                                 mainTree,
                                 main + "/a/b/SKILL.md"}
            << u"# first"_s;
        QTest::newRow("refused main tree falls back to master")
            << QVariant(u"deploy"_s)
            << Files{{mainTree, {403, "rate limited", false, 0}},
                     {masterTree, ok(tree({"deploy/SKILL.md"}))},
                     {master + "/deploy/SKILL.md", {404, {}, false, 0}}}
            << sixTries + QList<QByteArray>{mainTree, masterTree, master + "/deploy/SKILL.md"} << QString();
        QTest::newRow("text that is not UTF-8 is skipped")
            << QVariant(u"deploy"_s)
            << Files{{main + "/deploy/SKILL.md", ok("gr\xfc\xdf")}, {main + "/SKILL.md", ok("# utf-8 ü")}}
            << sixTries.mid(0, 3) << u"# utf-8 ü"_s;
        QTest::newRow("only the first matching entry is tried")
            << QVariant(u"deploy"_s)
            << Files{{mainTree, ok(tree({"x/deploy/SKILL.md", "y/deploy/SKILL.md"}))},
                     {main + "/y/deploy/SKILL.md", ok("# second")}}
            << sixTries + QList<QByteArray>{mainTree, main + "/x/deploy/SKILL.md", masterTree} << QString();
        QTest::newRow("ten requests at most")
            << QVariant(u"deploy"_s)
            << Files{{mainTree, ok(tree({"deploy/SKILL.md"}))}, {masterTree, ok(tree({"deploy/SKILL.md"}))}}
            << sixTries + QList<QByteArray>{mainTree, main + "/deploy/SKILL.md", masterTree,
                                            master + "/deploy/SKILL.md"}
            << QString();
        QTest::newRow("a tree that is not JSON")
            << QVariant(u"deploy"_s) << Files{{mainTree, ok("<html>")}, {masterTree, ok(R"({"tree":[1]})")}}
            << sixTries + QList<QByteArray>{mainTree, masterTree} << QString();
    }
    void findsTheFile()
    {
        QFETCH(QVariant, skillId);
        QFETCH(Files, files);
        QFETCH(QList<QByteArray>, expectedTargets);
        QFETCH(QString, expectedText);
        FakeNetwork server;
        for (auto it = files.cbegin(); it != files.cend(); ++it)
            server.respond(it.key(), it.value());
        const RemoteSkillItem item{
            u"id"_s,     skillId.isNull() ? std::nullopt : std::optional(skillId.toString()),
            u"Deploy"_s, 1,
            u"o/r"_s,    std::nullopt,
            {}};

        const DownloadOutcome outcome = download(server, item);
        QCOMPARE(server.targets(), expectedTargets);
        if (expectedText.isEmpty()) {
            QVERIFY(outcome.error);
            QCOMPARE(outcome.error->kind, Problem::Kind::noSkillFile);
        } else {
            QCOMPARE(outcome.text, std::optional(expectedText));
            // Where it was found is where it was fetched from last.
            QVERIFY(expectedTargets.last().endsWith(QByteArray('/' + outcome.foundAt.toUtf8())));
        }
        for (const FakeNetwork::Request& request : server.requests) {
            const bool treeRequest = request.target.startsWith("/api/");
            QCOMPARE(request.headers.value("accept") == "application/vnd.github.v3+json", treeRequest);
        }
    }

    // An entry is handed out only while its files still hash to its name; a damaged one is as
    // good as none, and the next good files replace it.
    void entriesAreHandedOutOnlyWhole_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::newRow("whole") << QString();
        QTest::newRow("a file changed") << u"changed"_s;
        QTest::newRow("a file added") << u"added"_s;
        QTest::newRow("a file gone") << u"gone"_s;
    }
    void entriesAreHandedOutOnlyWhole()
    {
        QFETCH(QString, damage);
        QTemporaryDir dir;
        ContentCache cache(dir.filePath(u"cache"_s));
        const QList<ContentFile> files = {{u"SKILL.md"_s, "# A", false}, {u"run.sh"_s, "echo\n", true}};
        const QString hash = FolderContent::digest(files).contentHash;
        QVERIFY(!cache.keep(QString(64, u'f'), files)); // files that are not what the name says
        QVERIFY(cache.keep(hash, files));
        const QString entry = cache.pathOf(hash);
        if (damage == u"changed"_s)
            QVERIFY(writeFile(entry + u"/SKILL.md"_s, "# B"));
        else if (damage == u"added"_s)
            QVERIFY(writeFile(entry + u"/extra"_s, "x"));
        else if (damage == u"gone"_s)
            QVERIFY(QFile::remove(entry + u"/run.sh"_s));
        QVERIFY(cache.holds(hash));
        QCOMPARE(cache.find(hash).has_value(), damage.isEmpty());
        QVERIFY(cache.keep(hash, files));
        const auto found = cache.find(hash);
        QVERIFY(found);
        QCOMPARE(FolderContent::digest(*found).contentHash, hash);
        QVERIFY(QFileInfo(entry + u"/run.sh"_s).isExecutable());
    }

    // Past its limit the cache lets the oldest entries go, but never the newest.
    void theOldestGoFirst()
    {
        QTemporaryDir dir;
        ContentCache cache(dir.filePath(u"cache"_s), 1500);
        QStringList kept;
        for (const char letter : {'a', 'b', 'c'}) {
            const QList<ContentFile> files = {{u"big"_s, QByteArray(1000, letter), false}};
            kept.append(FolderContent::digest(files).contentHash);
            QVERIFY(cache.keep(kept.last(), files));
            QTest::qWait(20); // entries are told apart by when they were kept
        }
        QVERIFY(!cache.holds(kept[0]) && !cache.holds(kept[1]));
        QVERIFY(cache.holds(kept[2]));
    }
};

QTEST_GUILESS_MAIN(TestSkillDownload)
#include "tst_skilldownload.moc"
