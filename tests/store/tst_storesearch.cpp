#include "store/DirectorySkillSource.h"
#include "store/SkillStoreService.h"
#include "support/FakeNetwork.h"
#include "support/LogCapture.h"

#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

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

class TestStoreSearch : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void hitsArriveAsTheyCame()
    {
        Client c;
        c.answer("ab", 200, twoHits);
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

    void shortQueriesAskNothing()
    {
        Client c;
        c.answer("ab", 200, twoHits);
        QVERIFY(c.search(u"ab"_s));
        QVERIFY(c.search(u"zz"_s)); // 404: an error message is shown
        QVERIFY(c.service.error());
        const QString shown = c.service.error()->logText();

        for (const QString& query : {u"a"_s, u"e\u0301"_s, QString()}) {
            c.service.search(query);
            QVERIFY(!c.service.isSearching());
            QVERIFY(c.service.searchResults().isEmpty());
            QCOMPARE(c.service.error() ? c.service.error()->logText() : QString(), shown);
        }
        QCOMPARE(c.server.requests.size(), 2);
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

    void noHitsIsNoError()
    {
        Client c;
        c.answer("ab", 200, twoHits);
        c.answer("cd", 200, R"({"query":"cd","searchType":"s","count":0,"skills":[]})");
        QVERIFY(c.search(u"ab"_s));
        QVERIFY(c.search(u"cd"_s));
        QVERIFY(c.service.searchResults().isEmpty());
        QVERIFY(!c.service.error());
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

QTEST_GUILESS_MAIN(TestStoreSearch)
#include "tst_storesearch.moc"
