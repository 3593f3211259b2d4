#include "backup/BackupDocument.h"
#include "backup/SharedSkillLock.h"

#include <QTest>
#include <QTimeZone>

using namespace Qt::StringLiterals;

namespace {

const QByteArray minimal = R"({"formatVersion":2,"exportDate":"2026-03-01T14:05:09Z","targetApps":[]})";

// The minimal document with one top-level key replaced or added.
QByteArray with(const char* key, const QByteArray& json)
{
    QByteArray document = minimal;
    const QByteArray quoted = '"' + QByteArray(key) + "\":";
    const qsizetype at = document.indexOf(quoted);
    if (at < 0)
        return document.insert(1, quoted + json + ',');
    qsizetype end = at + quoted.size();
    int depth = 0;
    for (; end < document.size(); ++end) {
        const char c = document[end];
        if (c == '[' || c == '{')
            ++depth;
        if (c == ']' || c == '}') {
            if (depth == 0)
                break;
            --depth;
        }
        if (c == ',' && depth == 0)
            break;
    }
    return document.replace(at + quoted.size(), end - at - quoted.size(), json);
}

const QByteArray app =
    R"({"id":"6F9619FF-8B86-D011-B42D-00C04FC964FF","name":"Codex","folderPath":"~/c","systemImageName":"folder"})";

} // namespace

class TestBackupDocument : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The lock file other installers share: what it records of a skill is read, keys of later
    // versions and other kinds pass; anything that could lead out of a folder or leak a secret
    // refuses the whole file.
    void otherInstallersLockFilesAreReadStrictly_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<Problem::Kind>("refusal"); // said: read
        const auto lock = [](const QByteArray& skills) -> QByteArray {
            return "{\"version\": 3, \"skills\": {" + skills + "}}";
        };
        QTest::newRow("a GitHub skill, a skill of another kind")
            << lock("\"pdf\": {\"source\": \"acme/skills\", \"sourceType\": \"github\", \"skillPath\": "
                    "\"skills/pdf/SKILL.md\", \"skillFolderHash\": \"abc\", \"ref\": \"v2\", \"later\": {}}, "
                    "\"notes\": {\"sourceType\": \"well-known\", \"sourceUrl\": \"https://x.example/s\"}")
            << Problem::Kind::said;
        QTest::newRow("not JSON") << QByteArray("{\"version\": 3,") << Problem::Kind::decoding;
        QTest::newRow("version 2") << QByteArray("{\"version\": 2, \"skills\": {}}")
                                   << Problem::Kind::lockVersionUnknown;
        QTest::newRow("a name with a slash") << lock("\"a/b\": {}") << Problem::Kind::notAFolderName;
        QTest::newRow("a name that climbs") << lock("\"..\": {}") << Problem::Kind::notAFolderName;
        QTest::newRow("a key of the wrong type")
            << lock("\"pdf\": {\"source\": 7}") << Problem::Kind::decoding;
        QTest::newRow("a user in an address")
            << lock("\"pdf\": {\"sourceUrl\": \"https://me@github.com/a/b.git\"}")
            << Problem::Kind::secretInUrl;
        QTest::newRow("a signature in an address")
            << lock("\"pdf\": {\"sourceUrl\": \"https://h.example/a.git?sig=x\"}")
            << Problem::Kind::secretInUrl;
        QTest::newRow("larger than allowed")
            << lock("\"pdf\": {\"pad\": \"" + QByteArray(SharedSkillLock::maximumBytes, 'x') + "\"}")
            << Problem::Kind::largerThanAllowed;
    }
    void otherInstallersLockFilesAreReadStrictly()
    {
        QFETCH(QByteArray, file);
        QFETCH(Problem::Kind, refusal);
        const auto read = SharedSkillLock::decode(file);
        QCOMPARE(read ? Problem::Kind::said : read.error().kind, refusal);
        if (!read)
            return;
        QCOMPARE(read->entries().size(), 2);
        const SharedLockEntry* pdf = read->entry(u"pdf"_s);
        QVERIFY(pdf && pdf->isGitHub() && !read->entry(u"notes"_s)->isGitHub());
        const SkillProvenance origin = pdf->provenance(u"pdf"_s, u"hash"_s, {});
        QCOMPARE(QStringList({origin.repository, origin.ref, origin.path, origin.treeSha}),
                 QStringList({u"acme/skills"_s, u"v2"_s, u"skills/pdf"_s, u"abc"_s}));
    }

    void writtenDocumentsReadBack()
    {
        AppBackup backup;
        backup.exportDate = QDateTime(QDate(2026, 3, 1), QTime(14, 5, 9, 456), QTimeZone::utc());
        backup.centralRepositoryPath = u"/Users/x/Hub"_s;
        backup.settings = BackupAppSettings{u"/Users/x/Hub"_s, QByteArray("\x00\xff bookmark", 11)};
        backup.targetApps = {{QUuid::createUuid(), u"Codex"_s, u"~/.codex/skills"_s, u"folder"_s,
                              QByteArray("b"), u"copy"_s, u"codex"_s, u"/work/repo"_s},
                             {QUuid::createUuid(), u"Gemini ü"_s, u"/g"_s, u"folder"_s, std::nullopt,
                              std::nullopt, std::nullopt, std::nullopt}};
        backup.linkRecords =
            QList<BackupSkillLinkRecord>{{backup.targetApps[0].id, u"deploy"_s, u"c0ffee"_s},
                                         {backup.targetApps[1].id, u"deploy"_s, std::nullopt}};
        backup.sources = QList<BackupSkillSource>{{u"github"_s, u"o/r@main:skills"_s},
                                                  {u"directory"_s, u"https://d.example"_s}};
        backup.provenance =
            QList<SkillProvenance>{{u"pdf"_s,
                                    u"o/r"_s,
                                    u"o/r"_s,
                                    u"main"_s,
                                    u"skills/pdf"_s,
                                    u"t1"_s,
                                    u"c1"_s,
                                    {{u"SKILL.md"_s, u"b1"_s}, {u"a/x"_s, u"b2"_s}},
                                    QDateTime(QDate(2026, 3, 1), QTime(9, 0), QTimeZone::utc()),
                                    u"c0ffee"_s}};

        const QByteArray bytes = backup.encode();
        QVERIFY(bytes.contains("\n  \"exportDate\": \"2026-03-01T14:05:09Z\""));
        QVERIFY(bytes.contains(backup.targetApps[0].id.toString(QUuid::WithoutBraces).toUpper().toUtf8()));
        QVERIFY(!bytes.contains("null"));
        auto decoded = AppBackup::decode(bytes);
        QVERIFY2(decoded, qPrintable(decoded ? QString() : decoded.error().description));
        AppBackup expected = backup;
        expected.exportDate = expected.exportDate.addMSecs(-456);
        QCOMPARE(decoded.value(), expected);
    }

    void decoding_data()
    {
        QTest::addColumn<QByteArray>("document");
        QTest::addColumn<QString>("failure"); // empty: decodes; otherwise words of the description
        QTest::newRow("only an empty app list") << minimal << QString();
        QTest::newRow("top-level path without settings")
            << with("centralRepositoryPath", "\"/hub\"") << QString();
        QTest::newRow("format version 1") << with("formatVersion", "1") << QString();
        QTest::newRow("format version as text") << with("formatVersion", "\"2\"") << u"Erwartet war Int64"_s;
        QTest::newRow("date with offset") << with("exportDate", "\"2026-03-01T16:05:09+02:00\"") << QString();
        QTest::newRow("date with fraction")
            << with("exportDate", "\"2026-03-01T14:05:09.123Z\"") << u"exportDate"_s;
        QTest::newRow("date without zone")
            << with("exportDate", "\"2026-03-01T14:05:09\"") << u"exportDate"_s;
        QTest::newRow("bookmark missing") << with("targetApps", "[" + app + "]") << QString();
        QByteArray nullBookmark = app;
        nullBookmark.insert(1, R"("bookmarkData":null,)");
        QTest::newRow("bookmark null") << with("targetApps", "[" + nullBookmark + "]") << QString();
        QTest::newRow("lower-case UUID")
            << with("targetApps", "[" +
                                      QByteArray(app).replace("6F9619FF-8B86-D011-B42D-00C04FC964FF",
                                                              "6f9619ff-8b86-d011-b42d-00c04fc964ff") +
                                      "]")
            << QString();
        QTest::newRow("id that is no UUID")
            << with("targetApps",
                    "[" + QByteArray(app).replace("6F9619FF-8B86-D011-B42D-00C04FC964FF", "abc") + "]")
            << u"targetApps[0].id"_s;
        QTest::newRow("UUID in braces")
            << with("targetApps", "[" +
                                      QByteArray(app).replace("6F9619FF-8B86-D011-B42D-00C04FC964FF",
                                                              "{6F9619FF-8B86-D011-B42D-00C04FC964FF}") +
                                      "]")
            << u"targetApps[0].id"_s;
        QByteArray badBase64 = app;
        badBase64.insert(1, R"("bookmarkData":"abc",)");
        QTest::newRow("Base64 without padding") << with("targetApps", "[" + badBase64 + "]") << u"Base64"_s;
        QTest::newRow("settings bookmark not Base64")
            << with("settings", R"({"centralRepositoryPath":"/h","centralBookmarkData":"@@@@"})")
            << u"Base64"_s;
        QTest::newRow("source without location")
            << with("sources", R"([{"kind":"github"}])") << u"location"_s;
        QTest::newRow("installed skill without tree SHA")
            << with("provenance",
                    R"([{"itemName":"a","source":"s","repository":"o/r","ref":"main","path":"",)"
                    R"("contentHash":"c","files":[],"installedAt":"2026-03-01T16:05:09Z"}])")
            << u"treeSha"_s;
        QTest::newRow("link record without item name")
            << with("linkRecords", R"([{"targetAppID":"6F9619FF-8B86-D011-B42D-00C04FC964FF"}])")
            << u"itemName"_s;
        QTest::newRow("no app list") << QByteArray(
                                            R"({"formatVersion":2,"exportDate":"2026-03-01T14:05:09Z"})")
                                     << u"targetApps"_s;
        QTest::newRow("settings without path") << with("settings", "{}") << u"centralRepositoryPath"_s;
        QTest::newRow("unknown keys") << with("futureKey", R"({"x":[1,2]})") << QString();
        QTest::newRow("not JSON") << QByteArray("<html>") << u"kein gültiges JSON"_s;
        QTest::newRow("an array") << QByteArray("[]") << u"Dictionary"_s;
    }
    void decoding()
    {
        QFETCH(QByteArray, document);
        QFETCH(QString, failure);
        const auto decoded = AppBackup::decode(document);
        if (failure.isEmpty()) {
            QVERIFY2(decoded, qPrintable(decoded ? QString() : decoded.error().description));
        } else {
            QVERIFY(!decoded);
            QVERIFY2(decoded.error().description.contains(failure), qPrintable(decoded.error().description));
        }
    }

    void decodedValues()
    {
        const auto top = AppBackup::decode(with("centralRepositoryPath", "\"/hub\""));
        QVERIFY(top);
        QCOMPARE(top->centralRepositoryPath, std::optional(u"/hub"_s));
        QCOMPARE(top->settings, std::nullopt);
        QCOMPARE(top->linkRecords, std::nullopt);
        const auto offset = AppBackup::decode(with("exportDate", "\"2026-03-01T16:05:09+02:00\""));
        QCOMPARE(offset->exportDate, QDateTime(QDate(2026, 3, 1), QTime(14, 5, 9), QTimeZone::utc()));
        const auto lower = AppBackup::decode(
            with("targetApps", "[" +
                                   QByteArray(app).replace("6F9619FF-8B86-D011-B42D-00C04FC964FF",
                                                           "6f9619ff-8b86-d011-b42d-00c04fc964ff") +
                                   "]"));
        QVERIFY(lower);
        QCOMPARE(lower->targetApps.first().id, QUuid::fromString(u"6F9619FF-8B86-D011-B42D-00C04FC964FF"_s));
    }
};

QTEST_GUILESS_MAIN(TestBackupDocument)
#include "tst_backupdocument.moc"
