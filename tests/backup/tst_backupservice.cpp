#include "access/FileSystem.h"
#include "actions/BackupActions.h"
#include "actions/LinkActions.h"
#include "backup/BackupDocument.h"
#include "backup/BackupService.h"
#include "backup/LockFile.h"
#include "backup/SharedSkillLock.h"
#include "linker/Placement.h"
#include "model/AppSettings.h"
#include "model/SkillLinkRecord.h"
#include "model/SkillProvenanceRecord.h"
#include "model/SkillSourceRecord.h"
#include "support/LogCapture.h"
#include "support/StoreWriteLock.h"
#include "support/WorkspaceFixture.h"

#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QTimeZone>

using namespace Qt::StringLiterals;
using namespace TestFiles;

namespace {

struct BackupFixture : WorkspaceFixture
{
    BackupActions backups{*workspace};
    QString file = path(u"backup.json"_s);

    // "name|folder|id|mode" of every app and "app-id|item|copied hash" of every record, to compare stores.
    QStringList storeContent()
    {
        QStringList lines;
        for (const TargetApp* app : context->fetch<TargetApp>().value())
            lines.append(app->name() + u"|"_s + app->folderPath() + u"|"_s + app->id().toString() + u'|' +
                         placementKindName(app->placement()));
        for (const AppSettings* settings : context->fetch<AppSettings>().value())
            lines.append(u"settings|"_s + settings->centralRepositoryPath());
        for (const SkillLinkRecord* record : context->fetch<SkillLinkRecord>().value())
            lines.append(record->targetAppID().toString() + u"|"_s + record->itemName() + u'|' +
                         record->contentHash().value_or(u"-"_s));
        for (const SkillProvenanceRecord* record : context->fetch<SkillProvenanceRecord>().value())
            lines.append(u"installed|"_s + record->itemName() + u'|' + record->provenance().repository +
                         u'|' + record->provenance().treeSha + u'|' +
                         record->provenance().files.keys().join(u','));
        lines.sort();
        return lines;
    }
    Outcome importFrom(const QByteArray& document)
    {
        const QString written = path(u"written.json"_s);
        writeFile(written, document);
        return importFile(written);
    }
    Outcome importFile(const QString& filePath)
    {
        const BackupImportOutcome outcome = importBackup(filePath);
        if (outcome.stage != BackupImportOutcome::Stage::restored)
            return outcome.error.value_or(Error{u"declined"_s});
        return {};
    }
};

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

class TestBackupService : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void exportWritesTheWholeConfiguration()
    {
        BackupFixture f;
        const QString hub = f.makeHub();
        // Without apps, their lists are there and empty.
        QVERIFY(f.backups.exportTo(f.file).ok());
        QCOMPARE(AppBackup::decode(readFile(f.file))->settings->centralRepositoryPath, hub);
        QVERIFY(readFile(f.file).contains("\"targetApps\": []"));
        QVERIFY(readFile(f.file).contains("\"linkRecords\": []"));
        TargetApp* app = f.makeApp(u"Codex"_s);
        f.context->insert(new SkillLinkRecord(app->id(), u"deploy"_s));

        LogCapture log;
        QVERIFY(f.backups.exportTo(f.file).ok());
        QCOMPARE(log.lines(), QStringList());
        QVERIFY(QRegularExpression(u"^Quorvane_\\d{4}-\\d\\d-\\d\\d_\\d\\d-\\d\\d-\\d\\d\\.json$"_s)
                    .match(BackupService::proposedFileName())
                    .hasMatch());

        const auto backup = AppBackup::decode(readFile(f.file));
        QVERIFY(backup);
        QCOMPARE(backup->formatVersion, 2);
        QCOMPARE(backup->centralRepositoryPath, std::optional(hub));
        QCOMPARE(backup->settings,
                 std::optional(BackupAppSettings{hub, f.workspace->hubSettings().centralBookmarkData()}));
        QCOMPARE(backup->targetApps,
                 (QList<BackupTargetApp>{{app->id(), u"Codex"_s, app->folderPath(), u"folder"_s,
                                          app->bookmarkData(), u"link"_s, std::nullopt, std::nullopt}}));
        QCOMPARE(backup->linkRecords,
                 std::optional(QList<BackupSkillLinkRecord>{{app->id(), u"deploy"_s, std::nullopt}}));
    }

    void unreadableFilesAreRefused_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("detailWords"); // of the refusal, as the log tells it
        QTest::newRow("not JSON") << QByteArray("<html>") << u"notJson"_s;
        QTest::newRow("no app list") << QByteArray(
                                            R"({"formatVersion":2,"exportDate":"2026-03-01T14:05:09Z"})")
                                     << u"jsonKeyMissing(targetApps"_s;
    }
    void unreadableFilesAreRefused()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, detailWords);
        BackupFixture f;
        f.makeApp(u"Codex"_s);
        f.context->insert(new SkillLinkRecord(QUuid::createUuid(), u"x"_s));
        QVERIFY(f.context->save());
        const QStringList before = f.storeContent();

        LogCapture log;
        const Outcome imported = f.importFrom(content);
        QVERIFY(!imported.ok());
        QVERIFY2(imported.error().description.contains(detailWords),
                 qPrintable(imported.error().description));
        QCOMPARE(f.storeContent(), before);
        QCOMPARE(log.lines().size(), 1);
        QVERIFY(log.lines().first().startsWith(u"Failed to import backup: "_s));
    }

    // The hub an import sets, from its settings or its top-level path or else the one before; and
    // its sources, which backups of older versions do not carry and so leave as they are.
    void theHubAndSourcesOfAnImport_data()
    {
        QTest::addColumn<QByteArray>("extra"); // keys added to an empty backup
        QTest::addColumn<QString>("expectedPath");
        QTest::addColumn<QStringList>("expectedSources");
        QTest::newRow("settings, an older backup")
            << QByteArray(R"("settings":{"centralRepositoryPath":"/from/settings"},)") << u"/from/settings"_s
            << SkillSourceRecord::defaultRepositories();
        QTest::newRow("top-level path only, no sources")
            << QByteArray(R"("centralRepositoryPath":"/top/level","sources":[],)") << u"/top/level"_s
            << QStringList();
        QTest::newRow("neither, a source of an unknown kind left out")
            << QByteArray(R"("sources":[{"kind":"github","location":"o/r"},{"kind":"ftp","location":"x"}],)")
            << u"/before"_s << QStringList{u"o/r"_s};
    }
    void theHubAndSourcesOfAnImport()
    {
        QFETCH(QByteArray, extra);
        QFETCH(QString, expectedPath);
        QFETCH(QStringList, expectedSources);
        BackupFixture f;
        QVERIFY(f.workspace->hubSettings().setHub(u"/before"_s, std::nullopt).ok());
        f.makeApp(u"Old"_s);
        QVERIFY(f.importFrom(QByteArray(minimal).insert(1, extra)).ok());
        QCOMPARE(f.storeContent(), QStringList{u"settings|"_s + expectedPath});
        QCOMPARE(f.workspace->hubSettings().centralRepositoryPath(), expectedPath);
        QCOMPARE(f.workspace->hubSettings().centralBookmarkData(), std::nullopt);
        QStringList locations;
        for (const SkillSourceRecord* source : f.context->records<SkillSourceRecord>())
            locations.append(source->location());
        QCOMPARE(locations, expectedSources);
        QVERIFY(f.backups.exportTo(f.file).ok());
        QCOMPARE(AppBackup::decode(readFile(f.file))->sources->size(), expectedSources.size());
    }

    void importingTwiceKeepsTheAppIdentities()
    {
        BackupFixture f;
        const QByteArray document = R"({"formatVersion":2,"exportDate":"2026-03-01T14:05:09Z","targetApps":[
            {"id":"6F9619FF-8B86-D011-B42D-00C04FC964FF","name":"Codex","folderPath":"/c","systemImageName":"folder"}],
            "linkRecords":[{"targetAppID":"6F9619FF-8B86-D011-B42D-00C04FC964FF","itemName":"deploy"}]})";
        QVERIFY(f.importFrom(document).ok());
        const QStringList first = f.storeContent();
        const QUuid firstRecord = f.context->records<SkillLinkRecord>().first()->id();
        QVERIFY(f.importFrom(document).ok());
        QCOMPARE(f.storeContent(), first);
        // A backup of an older version has no mode: its apps link.
        QVERIFY(first.contains(u"Codex|/c|{6f9619ff-8b86-d011-b42d-00c04fc964ff}|link"_s));
        QVERIFY(f.context->records<SkillLinkRecord>().first()->id() != firstRecord);
    }

    // Views re-read on each announcement: replacing many apps must not announce each one.
    // A failed save leaves the store, the file and the context, as it was, and announces nothing.
    void anImportAnnouncesEachTypeOnce_data()
    {
        QTest::addColumn<bool>("saveFails");
        QTest::newRow("saved") << false;
        QTest::newRow("save fails") << true;
    }
    void anImportAnnouncesEachTypeOnce()
    {
        QFETCH(bool, saveFails);
        BackupFixture f;
        for (const QString& name : {u"One"_s, u"Two"_s, u"Three"_s})
            f.makeApp(name);
        f.context->insert(new AppSettings(u"/hub"_s, std::nullopt));
        QVERIFY(f.context->save());
        const QStringList before = f.storeContent();
        f.context->store().setBusyTimeout(std::chrono::milliseconds(20));
        const QByteArray document = R"({"formatVersion":2,"exportDate":"2026-03-01T14:05:09Z","targetApps":[
            {"id":"6F9619FF-8B86-D011-B42D-00C04FC964FF","name":"A","folderPath":"/a","systemImageName":"folder"},
            {"id":"7F9619FF-8B86-D011-B42D-00C04FC964FF","name":"B","folderPath":"/b","systemImageName":"folder"}],
            "linkRecords":[{"targetAppID":"6F9619FF-8B86-D011-B42D-00C04FC964FF","itemName":"x"},
                           {"targetAppID":"6F9619FF-8B86-D011-B42D-00C04FC964FF","itemName":"y"}]})";
        QSignalSpy announced(f.context.get(), &ModelContext::recordsChanged);
        {
            LogCapture log;
            std::optional<StoreWriteLock> lock;
            if (saveFails)
                lock.emplace(f.storePath());
            QCOMPARE(f.importFrom(document).ok(), !saveFails);
        }
        QList<RecordType> types;
        for (const QList<QVariant>& signal : std::as_const(announced))
            types.append(signal.first().value<RecordType>());
        QCOMPARE(types.count(RecordType::targetApp), saveFails ? 0 : 1);
        QCOMPARE(types.count(RecordType::skillLinkRecord), saveFails ? 0 : 1);
        QCOMPARE(f.context->records<TargetApp>().size(), saveFails ? 3 : 2);
        if (saveFails) {
            QCOMPARE(f.storeContent(), before); // the context as well as the file
            QVERIFY(!f.context->hasChanges());
        }
    }

    void exportThenImportRestoresEverything()
    {
        BackupFixture f;
        const QString hub = f.makeHub();
        QVERIFY(makeFolder(hub + u"/deploy"_s));
        TargetApp* app = f.makeApp(u"Codex"_s);
        const QUuid appID = app->id();
        const auto appBookmark = app->bookmarkData();
        QVERIFY(f.place(u"deploy"_s, *app));
        TargetApp* copying = f.makeApp(u"Cursor"_s);
        const QUuid copyingID = copying->id();
        copying->setPlacement(PlacementKind::copy);
        QVERIFY(f.place(u"deploy"_s, *copying));
        f.context->insert(new SkillProvenanceRecord({.itemName = u"deploy"_s,
                                                     .source = u"o/r"_s,
                                                     .repository = u"o/r"_s,
                                                     .ref = u"main"_s,
                                                     .path = u"deploy"_s,
                                                     .treeSha = u"t1"_s,
                                                     .contentHash = u"c1"_s,
                                                     .files = {{u"SKILL.md"_s, u"b1"_s}}}));
        QVERIFY(f.context->save());
        QVERIFY(f.backups.exportTo(f.file).ok());
        const QStringList before = f.storeContent();

        // Lose the link, the copy and the whole configuration, then restore.
        QVERIFY(FileSystem::remove(f.path(u"apps/Codex/deploy"_s)));
        QVERIFY(FileSystem::remove(f.path(u"apps/Cursor/deploy"_s)));
        QVERIFY(f.importFrom(minimal).ok());
        QVERIFY(f.context->records<TargetApp>().isEmpty());
        QCOMPARE(f.context->records<SkillProvenanceRecord>().size(), 1); // an older backup leaves it
        QSignalSpy hubChanged(&f.workspace->changes(), &ChangeFeed::hubItemsChanged);
        QSignalSpy foldersChanged(&f.workspace->changes(), &ChangeFeed::targetFolderChanged);
        QVERIFY(f.importFile(f.file).ok());

        QCOMPARE(f.storeContent(), before);
        const TargetApp* restored = f.workspace->app(appID);
        QVERIFY(restored);
        QCOMPARE(restored->bookmarkData(), appBookmark);
        QCOMPARE(f.workspace->hubSettings().centralRepositoryPath(), hub);
        QCOMPARE(f.workspace->hubCatalog().availableSkills().size(), 1);
        QVERIFY(SymbolicLinkPlacement().isPlacementOf(f.path(u"apps/Codex/deploy"_s), hub + u"/deploy"_s));
        QVERIFY(CopyPlacement().isPlacementOf(f.path(u"apps/Cursor/deploy"_s), hub + u"/deploy"_s));
        QCOMPARE(hubChanged.count(), 1);
        // Each folder whose links were made is announced once.
        QSet<QUuid> announced;
        for (const QList<QVariant>& signal : std::as_const(foldersChanged))
            announced.insert(signal.first().toUuid());
        QCOMPARE(foldersChanged.count(), 2);
        QCOMPARE(announced, (QSet<QUuid>{appID, copyingID}));
    }

    // A project's lock file comes from anyone: whatever could place an item outside its folder,
    // or read a file without end, refuses the whole file, and says why.
    void hostileLockFilesAreRefused_data()
    {
        QTest::addColumn<QByteArray>("skill");
        QTest::addColumn<QString>("refusal"); // as the log tells it
        const QByteArray sha(64, 'a');
        const auto with = [&](const QByteArray& name, const QByteArray& apps,
                              const QByteArray& source = "null") -> QByteArray {
            return "{\"name\":\"" + name + "\",\"source\":" + source + ",\"contentSha256\":\"" + sha +
                   "\",\"apps\":" + apps + "}";
        };
        QTest::newRow("name with a slash")
            << with("a/b", "[]") << u"jsonValueRefused(skills[0].name): nameHasSlash"_s;
        QTest::newRow("name ..") << with("..", "[]")
                                 << u"jsonValueRefused(skills[0].name): nameIsAFolderItself(..)"_s;
        QTest::newRow("app outside") << with("a", "[\"../../x\"]")
                                     << u"jsonValueRefused(skills[0].apps): appLeavesProject(../../x)"_s;
        QTest::newRow("absolute app")
            << with("a", "[\"/etc\"]") << u"jsonValueRefused(skills[0].apps): appLeavesProject(/etc)"_s;
        QTest::newRow("enormous") << QByteArray(9 * 1024 * 1024, ' ') << u"lockFileTooLarge(8)"_s;
        QTest::newRow("a skill named twice") << QByteArray(with("a", "[]") + ',' + with("a", "[]"))
                                             << u"jsonValueRefused(skills): namedTwice"_s;
        QTest::newRow("source path ..")
            << with("a", "[]",
                    "{\"repository\":\"o/r\",\"ref\":\"main\",\"commit\":\"\",\"path\":\"../"
                    "x\",\"tree\":\"\"}")
            << u"jsonValueRefused(skills[0].source.path): pathLeavesRepository"_s;
    }
    void hostileLockFilesAreRefused()
    {
        QFETCH(QByteArray, skill);
        QFETCH(QString, refusal);
        const auto read = LockFile::decode("{\"lockVersion\":1,\"skills\":[" + skill + "]}");
        QCOMPARE(read ? QString() : read.error().shown().logText(), refusal);
    }

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
        QTest::newRow("not JSON") << QByteArray("{\"version\": 3,") << Problem::Kind::notJson;
        QTest::newRow("version 2") << QByteArray("{\"version\": 2, \"skills\": {}}")
                                   << Problem::Kind::lockVersionUnknown;
        QTest::newRow("a name with a slash") << lock("\"a/b\": {}") << Problem::Kind::notAFolderName;
        QTest::newRow("a name that climbs") << lock("\"..\": {}") << Problem::Kind::notAFolderName;
        QTest::newRow("a key of the wrong type")
            << lock("\"pdf\": {\"source\": 7}") << Problem::Kind::jsonWrongType;
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
        backup.provenance = QList<SkillProvenance>{
            {.itemName = u"pdf"_s,
             .source = u"o/r"_s,
             .repository = u"o/r"_s,
             .ref = u"main"_s,
             .path = u"skills/pdf"_s,
             .treeSha = u"t1"_s,
             .contentHash = u"c1"_s,
             .files = {{u"SKILL.md"_s, u"b1"_s}, {u"a/x"_s, u"b2"_s}},
             .installedAt = QDateTime(QDate(2026, 3, 1), QTime(9, 0), QTimeZone::utc()),
             .commit = u"c0ffee"_s}};

        const QByteArray bytes = backup.encode();
        QVERIFY(bytes.contains("\n  \"exportDate\": \"2026-03-01T14:05:09Z\""));
        QVERIFY(bytes.contains(backup.targetApps[0].id.toString(QUuid::WithoutBraces).toUpper().toUtf8()));
        QVERIFY(!bytes.contains("null"));
        auto decoded = AppBackup::decode(bytes);
        QVERIFY2(decoded, qPrintable(decoded ? QString() : decoded.error().problem.logText()));
        AppBackup expected = backup;
        expected.exportDate = expected.exportDate.addMSecs(-456);
        QCOMPARE(decoded.value(), expected);
    }

    void decoding_data()
    {
        QTest::addColumn<QByteArray>("document");
        QTest::addColumn<QString>("failure"); // empty: decodes; otherwise the refusal, as the log tells it
        QTest::newRow("only an empty app list") << minimal << QString();
        QTest::newRow("format version 1") << with("formatVersion", "1") << QString();
        QTest::newRow("format version as text")
            << with("formatVersion", "\"2\"") << u"jsonWrongType(Int64, text, formatVersion)"_s;
        QTest::newRow("date with fraction")
            << with("exportDate", "\"2026-03-01T14:05:09.123Z\"")
            << u"jsonValueRefused(exportDate): notADate(2026-03-01T14:05:09.123Z)"_s;
        QTest::newRow("date without zone")
            << with("exportDate", "\"2026-03-01T14:05:09\"")
            << u"jsonValueRefused(exportDate): notADate(2026-03-01T14:05:09)"_s;
        QTest::newRow("bookmark missing") << with("targetApps", "[" + app + "]") << QString();
        QByteArray nullBookmark = app;
        nullBookmark.insert(1, R"("bookmarkData":null,)");
        QTest::newRow("bookmark null") << with("targetApps", "[" + nullBookmark + "]") << QString();
        QTest::newRow("id that is no UUID")
            << with("targetApps",
                    "[" + QByteArray(app).replace("6F9619FF-8B86-D011-B42D-00C04FC964FF", "abc") + "]")
            << u"jsonValueRefused(targetApps[0].id): notAUuid(abc)"_s;
        QTest::newRow("UUID in braces")
            << with("targetApps", "[" +
                                      QByteArray(app).replace("6F9619FF-8B86-D011-B42D-00C04FC964FF",
                                                              "{6F9619FF-8B86-D011-B42D-00C04FC964FF}") +
                                      "]")
            << u"jsonValueRefused(targetApps[0].id): notAUuid({6F9619FF-8B86-D011-B42D-00C04FC964FF})"_s;
        QByteArray badBase64 = app;
        badBase64.insert(1, R"("bookmarkData":"abc",)");
        QTest::newRow("Base64 without padding")
            << with("targetApps", "[" + badBase64 + "]")
            << u"jsonValueRefused(targetApps[0].bookmarkData): notBase64"_s;
        QTest::newRow("settings bookmark not Base64")
            << with("settings", R"({"centralRepositoryPath":"/h","centralBookmarkData":"@@@@"})")
            << u"jsonValueRefused(settings.centralBookmarkData): notBase64"_s;
        QTest::newRow("source without location")
            << with("sources", R"([{"kind":"github"}])") << u"jsonKeyMissing(location, sources[0])"_s;
        QTest::newRow("installed skill without tree SHA")
            << with("provenance",
                    R"([{"itemName":"a","source":"s","repository":"o/r","ref":"main","path":"",)"
                    R"("contentHash":"c","files":[],"installedAt":"2026-03-01T16:05:09Z"}])")
            << u"jsonKeyMissing(treeSha, provenance[0])"_s;
        QTest::newRow("link record without item name")
            << with("linkRecords", R"([{"targetAppID":"6F9619FF-8B86-D011-B42D-00C04FC964FF"}])")
            << u"jsonKeyMissing(itemName, linkRecords[0])"_s;
        QTest::newRow("no app list") << QByteArray(
                                            R"({"formatVersion":2,"exportDate":"2026-03-01T14:05:09Z"})")
                                     << u"jsonKeyMissing(targetApps, )"_s;
        QTest::newRow("settings without path")
            << with("settings", "{}") << u"jsonKeyMissing(centralRepositoryPath, settings)"_s;
        QTest::newRow("unknown keys") << with("futureKey", R"({"x":[1,2]})") << QString();
        QTest::newRow("not JSON") << QByteArray("<html>") << u"notJson"_s;
        QTest::newRow("an array") << QByteArray("[]") << u"jsonWrongType(Dictionary, list, )"_s;
    }
    void decoding()
    {
        QFETCH(QByteArray, document);
        QFETCH(QString, failure);
        const auto decoded = AppBackup::decode(document);
        QCOMPARE(decoded ? QString() : decoded.error().problem.logText(), failure);
    }

    // What a top-level path, a date with an offset and a lower-case UUID decode to.
    void decodedValues()
    {
        const auto top = AppBackup::decode(with("centralRepositoryPath", "\"/hub\""));
        QVERIFY(top);
        QCOMPARE(top->centralRepositoryPath, std::optional(u"/hub"_s));
        QCOMPARE(top->settings, std::nullopt);
        QCOMPARE(top->linkRecords, std::nullopt);
        const auto offset = AppBackup::decode(with("exportDate", "\"2026-03-01T16:05:09+02:00\""));
        QVERIFY(offset);
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

QTEST_GUILESS_MAIN(TestBackupService)
#include "tst_backupservice.moc"
