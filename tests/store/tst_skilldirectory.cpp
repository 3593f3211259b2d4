#include "store/ContentCache.h"
#include "store/DirectorySkillSource.h"
#include "store/SkillDownload.h"
#include "store/SkillStoreService.h"
#include "support/FakeNetwork.h"
#include "support/LogCapture.h"
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

const QByteArray twoHits = R"({"query":"ab","searchType":"fuzzy","count":2,"skills":[
    {"id":"o/r/deploy","skillId":"deploy","name":"Deploy","installs":9007199254740993,"source":"o/r"},
    {"id":"x/y/z","skillId":null,"name":"Zed","installs":-3}]})";

struct Client
{
    FakeNetwork server;
    SkillStoreService service{std::make_unique<DirectorySkillSource>(
        server, StoreEndpoints{FakeNetwork::baseUrl(), u"Test Directory"_s, {}, {}, 2s})};

    // Searches and waits until the answer has been taken in.
    bool search(const QString& query)
    {
        service.search(query);
        return QTest::qWaitFor([&] { return !service.isSearching(); }, 5000);
    }
    void answer(const QByteArray& query, int status, const QByteArray& body)
    {
        server.respond("/api/search?q=" + query + "&limit=50", {status, body, false, 0});
    }
};

} // namespace

// The public skill directory: its search, and a hit's files found and downloaded; the cache of
// fetched content.
class TestSkillDirectory : public QObject
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

    // Hits arrive as they came; none at all is no error, and a short query asks nothing.
    void hitsArriveAsTheyCame()
    {
        Client c;
        c.answer("ab", 200, twoHits);
        c.answer("cd", 200, R"({"query":"cd","searchType":"s","count":0,"skills":[]})");
        QSignalSpy searching(&c.service, &SkillStoreService::isSearchingChanged);
        QVERIFY(c.search(u"ab"_s));
        QCOMPARE(searching.count(), 2);
        QVERIFY(!c.service.error());
        const QList<RemoteSkillItem> hits = c.service.searchResults();
        QCOMPARE(hits.size(), 2);
        QCOMPARE(
            hits[0],
            (RemoteSkillItem{
                u"o/r/deploy"_s, u"deploy"_s, u"Deploy"_s, 9007199254740993, u"o/r"_s, std::nullopt, {}}));
        QCOMPARE(hits[1],
                 (RemoteSkillItem{u"x/y/z"_s, std::nullopt, u"Zed"_s, -3, std::nullopt, std::nullopt, {}}));
        QVERIFY(c.search(u"cd"_s));
        QVERIFY(c.service.searchResults().isEmpty());
        QVERIFY(!c.service.error());

        // A query shorter than two characters asks nothing and empties the list; the last
        // search's message stays.
        QVERIFY(c.search(u"ab"_s) && c.search(u"zz"_s)); // 404
        QVERIFY(c.service.error());
        const QString shown = c.service.error()->logText();
        for (const QString& query : {u"a"_s, u"e\u0301"_s, QString()}) {
            c.service.search(query);
            QVERIFY(!c.service.isSearching());
            QVERIFY(c.service.searchResults().isEmpty());
            QCOMPARE(c.service.error() ? c.service.error()->logText() : QString(), shown);
        }
        QCOMPARE(c.server.requests.size(), 4);
    }

    void requestsCarryTheQueryAsTyped_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QByteArray>("target");
        QTest::newRow("two letters") << u"ab"_s << QByteArray("/api/search?q=ab&limit=50");
        QTest::newRow("blank and number sign") << u"a b#"_s << QByteArray("/api/search?q=a%20b%23&limit=50");
        QTest::newRow("ampersand and equals") << u"x&y=1"_s << QByteArray("/api/search?q=x&y=1&limit=50");
        QTest::newRow("two blanks") << u"  "_s << QByteArray("/api/search?q=%20%20&limit=50");
        QTest::newRow("percent and plus") << u"100%+"_s << QByteArray("/api/search?q=100%25+&limit=50");
        QTest::newRow("umlaut") << u"üx"_s << QByteArray("/api/search?q=%C3%BCx&limit=50");
        QTest::newRow("brackets") << u"[a]"_s << QByteArray("/api/search?q=%5Ba%5D&limit=50");
    }
    void requestsCarryTheQueryAsTyped()
    {
        QFETCH(QString, query);
        QFETCH(QByteArray, target);
        Client c;
        QVERIFY(c.search(query));
        QCOMPARE(c.server.targets(), QList<QByteArray>{target});
    }

    // Each bad answer: the message, the log line, and the earlier hits kept.
    void badAnswersKeepTheHits_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("problem");  // as the log says it
        QTest::addColumn<QString>("logStart"); // empty: nothing logged
        const QString bad = u"invalidResponse"_s;
        QTest::newRow("404") << 404 << twoHits << bad << QString();
        QTest::newRow("500") << 500 << QByteArray("oops") << bad << QString();
        QTest::newRow("no count") << 200 << QByteArray(R"({"query":"q","searchType":"s","skills":[]})")
                                  << u"unexpectedFormat"_s << u"Key 'count' not found: "_s;
        QTest::newRow("installs as text")
            << 200
            << QByteArray(
                   R"({"query":"q","searchType":"s","count":1,"skills":[{"id":"i","name":"n","installs":"12"}]})")
            << u"wrongDataType"_s << u"Type 'Int64' mismatch: "_s;
        QTest::newRow("installs with a fraction")
            << 200
            << QByteArray(
                   R"({"query":"q","searchType":"s","count":1,"skills":[{"id":"i","name":"n","installs":1.5}]})")
            << u"wrongDataType"_s << u"Type 'Int64' mismatch: "_s;
        QTest::newRow("installs null")
            << 200
            << QByteArray(
                   R"({"query":"q","searchType":"s","count":1,"skills":[{"id":"i","name":"n","installs":null}]})")
            << u"missingValue"_s << u"Value 'Int64' not found: "_s;
        QTest::newRow("installs beyond 64 bits")
            << 200
            << QByteArray(
                   R"({"query":"q","searchType":"s","count":1,"skills":[{"id":"i","name":"n","installs":18446744073709551615}]})")
            << u"unreadableData"_s << u"Data corrupted at skills[0].installs: "_s;
        QTest::newRow("HTML page") << 200 << QByteArray("<html><body>Error</body></html>")
                                   << u"unreadableData"_s << u"Data corrupted at the top level: "_s;
        QTest::newRow("oversized body") << 200 << QByteArray(17 * 1024 * 1024, ' ') << bad << QString();
    }
    void badAnswersKeepTheHits()
    {
        QFETCH(int, status);
        QFETCH(QByteArray, body);
        QFETCH(QString, problem);
        QFETCH(QString, logStart);
        Client c;
        c.answer("ab", 200, twoHits);
        c.answer("cd", status, body);
        QVERIFY(c.search(u"ab"_s));

        LogCapture log;
        QVERIFY(c.search(u"cd"_s));
        QVERIFY(c.service.error());
        QCOMPARE(c.service.error()->logText(), problem);
        QCOMPARE(c.service.searchResults().size(), 2);
        if (logStart.isEmpty()) {
            QCOMPARE(log.lines(), QStringList());
        } else {
            QCOMPARE(log.lines().size(), 1);
            QVERIFY2(log.lines().first().startsWith(logStart), qPrintable(log.lines().first()));
        }
    }

    // An older answer that arrives late never replaces the hits of a newer search.
    void aNewerSearchCancelsTheOneRunning()
    {
        Client c;
        c.server.respond("/api/search?q=ab&limit=50", {200, twoHits, false, 50});
        c.answer(
            "cd", 200,
            R"({"query":"cd","searchType":"s","count":1,"skills":[{"id":"c","name":"C","installs":1}]})");
        QSignalSpy searching(&c.service, &SkillStoreService::isSearchingChanged);
        c.service.search(u"ab"_s);
        QVERIFY(c.search(u"cd"_s));
        QTest::qWait(100); // the first answer would have come by now
        QCOMPARE(c.service.searchResults().size(), 1);
        QCOMPARE(c.service.searchResults().first().name, u"C"_s);
        QVERIFY(!c.service.isSearching());
        QCOMPARE(c.server.requests.size(), 2);
    }

    void unreachableDirectories_data()
    {
        QTest::addColumn<bool>("refused"); // false: never answers
        QTest::newRow("connection refused") << true;
        QTest::newRow("never answers") << false;
    }
    void unreachableDirectories()
    {
        QFETCH(bool, refused);
        FakeNetwork network;
        network.respond("/api/search?q=ab&limit=50", {refused ? 0 : 200, {}, !refused, 0});
        SkillStoreService service(std::make_unique<DirectorySkillSource>(
            network, StoreEndpoints{FakeNetwork::baseUrl(), u"Test"_s, {}, {}, 300ms}));
        service.search(u"ab"_s);
        QVERIFY(QTest::qWaitFor([&] { return !service.isSearching(); }, 5000));
        QVERIFY(service.error());
        QCOMPARE(service.error()->kind, Problem::Kind::network);
        QVERIFY(!service.error()->data.value(0).isEmpty()); // the network stack says why
    }
};

QTEST_GUILESS_MAIN(TestSkillDirectory)
#include "tst_skilldirectory.moc"
