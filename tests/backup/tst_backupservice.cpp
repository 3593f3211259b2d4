#include "AppSettings.h"
#include "BackupDocument.h"
#include "BackupService.h"
#include "LinkerFixture.h"
#include "LogCapture.h"
#include "SkillLinkRecord.h"
#include "StoreWriteLock.h"

#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace TestFiles;

namespace {

struct BackupFixture : LinkerFixture
{
    BackupService backups{platform.services()};
    QString file = path(u"backup.json"_s);

    // "name|folder|id" of every app and "app-id|item" of every record, to compare stores.
    QStringList storeContent()
    {
        QStringList lines;
        for (const TargetApp* app : context->fetch<TargetApp>().value())
            lines.append(app->name() + u"|"_s + app->folderPath() + u"|"_s + app->id().toString());
        for (const AppSettings* settings : context->fetch<AppSettings>().value())
            lines.append(u"settings|"_s + settings->centralRepositoryPath());
        for (const SkillLinkRecord* record : context->fetch<SkillLinkRecord>().value())
            lines.append(record->targetAppID().toString() + u"|"_s + record->itemName());
        lines.sort();
        return lines;
    }
    bool importFrom(const QByteArray& document)
    {
        const QString written = path(u"written.json"_s);
        writeFile(written, document);
        platform.panels.answers = {written};
        return backups.importBackup(*context, *linker);
    }
};

const QByteArray emptyBackup = R"({"formatVersion":2,"exportDate":"2026-03-01T14:05:09Z","targetApps":[]})";

} // namespace

class TestBackupService : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void exportWritesTheWholeConfiguration()
    {
        BackupFixture f;
        const QString hub = f.makeHub();
        TargetApp* app = f.makeApp(u"Codex"_s);
        f.context->insert(new SkillLinkRecord(app->id(), u"deploy"_s));
        f.useStore();
        f.linker->persistSettings();
        f.platform.panels.answers = {f.file};

        LogCapture log;
        QVERIFY(f.backups.exportBackup(*f.context, *f.linker));
        QCOMPARE(log.lines(), QStringList());
        const FilePanelRequest& request = f.platform.panels.fileRequests.first();
        QCOMPARE(request.title, u"Backup exportieren"_s);
        QCOMPARE(request.prompt, u"Exportieren"_s);
        QVERIFY(QRegularExpression(u"^Quorvane_\\d{4}-\\d\\d-\\d\\d_\\d\\d-\\d\\d-\\d\\d\\.json$"_s)
                    .match(request.proposedName)
                    .hasMatch());
        QCOMPARE(request.nameFilters, QStringList{u"JSON (*.json)"_s});

        const auto backup = AppBackup::decode(readFile(f.file));
        QVERIFY(backup);
        QCOMPARE(backup->formatVersion, 2);
        QCOMPARE(backup->centralRepositoryPath, std::optional(hub));
        QCOMPARE(backup->settings, std::optional(BackupAppSettings{hub, f.linker->centralBookmarkData()}));
        QCOMPARE(backup->targetApps, (QList<BackupTargetApp>{{app->id(), u"Codex"_s, app->folderPath(),
                                                              u"folder"_s, app->bookmarkData()}}));
        QCOMPARE(backup->linkRecords, std::optional(QList<BackupSkillLinkRecord>{{app->id(), u"deploy"_s}}));
    }

    void exportWithoutSettingsOrApps()
    {
        BackupFixture f;
        const QString hub = f.makeHub();
        f.platform.panels.answers = {f.file};
        QVERIFY(f.backups.exportBackup(*f.context, *f.linker));
        const auto backup = AppBackup::decode(readFile(f.file));
        QVERIFY(backup);
        QCOMPARE(backup->settings->centralRepositoryPath, hub);
        QVERIFY(readFile(f.file).contains("\"targetApps\": []"));
        QVERIFY(readFile(f.file).contains("\"linkRecords\": []"));
    }

    void cancelledPanelsChangeNothing()
    {
        BackupFixture f;
        f.makeApp(u"Codex"_s);
        const QStringList before = f.storeContent();
        LogCapture log;
        f.platform.panels.answers = {std::nullopt, std::nullopt};
        QVERIFY(!f.backups.exportBackup(*f.context, *f.linker));
        QVERIFY(!f.backups.importBackup(*f.context, *f.linker));
        QVERIFY(!QFileInfo::exists(f.file));
        QCOMPARE(f.storeContent().filter(u"Codex"_s), before.filter(u"Codex"_s));
        QCOMPARE(log.lines(), QStringList());
        QVERIFY(f.platform.alerts.shown.isEmpty());
        const FilePanelRequest& open = f.platform.panels.fileRequests.last();
        QCOMPARE(open.title, u"Backup wiederherstellen"_s);
        QCOMPARE(open.prompt, u"Importieren"_s);
    }

    void unreadableFilesAreRefused_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("detailWords");
        QTest::newRow("not JSON") << QByteArray("<html>") << u"not valid JSON"_s;
        QTest::newRow("no app list") << QByteArray(
                                            R"({"formatVersion":2,"exportDate":"2026-03-01T14:05:09Z"})")
                                     << u"targetApps"_s;
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
        QVERIFY(!f.importFrom(content));
        QCOMPARE(f.storeContent(), before);
        QCOMPARE(f.platform.alerts.shown.size(), 1);
        const QString alert = f.platform.alerts.shown.first();
        QVERIFY(alert.startsWith(u"Import Fehlgeschlagen|Die Backup-Datei konnte nicht gelesen werden: "_s));
        QVERIFY2(alert.contains(detailWords), qPrintable(alert));
        QCOMPARE(f.platform.alerts.styles, QList<AlertStyle>{AlertStyle::critical});
        QCOMPARE(log.lines().size(), 1);
        QVERIFY(log.lines().first().startsWith(u"Failed to import backup: "_s));
    }

    void theHubOfAnImport_data()
    {
        QTest::addColumn<QByteArray>("extra");
        QTest::addColumn<QString>("expectedPath"); // BEFORE: the hub path in use before
        QTest::newRow("settings") << QByteArray(R"("settings":{"centralRepositoryPath":"/from/settings"},)")
                                  << u"/from/settings"_s;
        QTest::newRow("top-level path only")
            << QByteArray(R"("centralRepositoryPath":"/top/level",)") << u"/top/level"_s;
        QTest::newRow("neither") << QByteArray() << u"BEFORE"_s;
    }
    void theHubOfAnImport()
    {
        QFETCH(QByteArray, extra);
        QFETCH(QString, expectedPath);
        BackupFixture f;
        f.linker->setCentralRepositoryPath(u"/before"_s);
        f.makeApp(u"Old"_s);
        QVERIFY(f.importFrom(QByteArray(emptyBackup).insert(1, extra)));
        if (expectedPath == u"BEFORE"_s)
            expectedPath = u"/before"_s;
        QCOMPARE(f.storeContent(), QStringList{u"settings|"_s + expectedPath});
        QCOMPARE(f.linker->centralRepositoryPath(), expectedPath);
        QCOMPARE(f.linker->centralBookmarkData(), std::nullopt);
    }

    void importingTwiceKeepsTheAppIdentities()
    {
        BackupFixture f;
        const QByteArray document = R"({"formatVersion":2,"exportDate":"2026-03-01T14:05:09Z","targetApps":[
            {"id":"6F9619FF-8B86-D011-B42D-00C04FC964FF","name":"Codex","folderPath":"/c","systemImageName":"folder"}],
            "linkRecords":[{"targetAppID":"6F9619FF-8B86-D011-B42D-00C04FC964FF","itemName":"deploy"}]})";
        QVERIFY(f.importFrom(document));
        const QStringList first = f.storeContent();
        const QUuid firstRecord = f.context->records<SkillLinkRecord>().first()->id();
        QVERIFY(f.importFrom(document));
        QCOMPARE(f.storeContent(), first);
        QVERIFY(first.contains(u"Codex|/c|{6f9619ff-8b86-d011-b42d-00c04fc964ff}"_s));
        QVERIFY(f.context->records<SkillLinkRecord>().first()->id() != firstRecord);
    }

    // Views re-read on each announcement: replacing many apps must not announce each one.
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
            QCOMPARE(f.importFrom(document), !saveFails);
        }
        QList<RecordType> types;
        for (const QList<QVariant>& signal : std::as_const(announced))
            types.append(signal.first().value<RecordType>());
        QCOMPARE(types.count(RecordType::targetApp), 1);
        QCOMPARE(types.count(RecordType::skillLinkRecord), 1);
        QCOMPARE(f.context->records<TargetApp>().size(), saveFails ? 3 : 2);
    }

    void aFailedSaveLeavesTheStoreAsItWas()
    {
        BackupFixture f;
        f.makeApp(u"Codex"_s);
        f.context->insert(new AppSettings(u"/hub"_s, std::nullopt));
        QVERIFY(f.context->save());
        const QStringList before = f.storeContent();
        f.context->store().setBusyTimeout(std::chrono::milliseconds(20));

        LogCapture log;
        {
            const StoreWriteLock lock(f.storePath());
            QVERIFY(!f.importFrom(emptyBackup));
        }
        QCOMPARE(f.storeContent(), before); // the context as well as the file
        QVERIFY(!f.context->hasChanges());
        QCOMPARE(f.platform.alerts.shown.size(), 1);
        f.reopenStore();
        QCOMPARE(f.storeContent(), before);
    }

    void exportThenImportRestoresEverything()
    {
        BackupFixture f;
        const QString hub = f.makeHub();
        QVERIFY(makeFolder(hub + u"/deploy"_s));
        f.useStore();
        f.linker->persistSettings();
        TargetApp* app = f.makeApp(u"Codex"_s);
        const QUuid appID = app->id();
        const auto appBookmark = app->bookmarkData();
        f.linker->scanCentralRepository();
        QCOMPARE(f.linker->toggleLink(f.hubSkill(u"deploy"_s), *app, true), LinkToggleResult::changed);
        f.platform.panels.answers = {f.file};
        QVERIFY(f.backups.exportBackup(*f.context, *f.linker));
        const QStringList before = f.storeContent();

        // Lose the link and the whole configuration, then restore.
        QVERIFY(FileSystem::remove(f.path(u"apps/Codex/deploy"_s)));
        QVERIFY(f.importFrom(emptyBackup));
        QVERIFY(f.context->records<TargetApp>().isEmpty());
        f.platform.panels.answers = {f.file};
        QVERIFY(f.backups.importBackup(*f.context, *f.linker));

        QCOMPARE(f.storeContent(), before);
        const TargetApp* restored = f.context->records<TargetApp>().first();
        QCOMPARE(restored->id(), appID);
        QCOMPARE(restored->bookmarkData(), appBookmark);
        QCOMPARE(f.linker->centralRepositoryPath(), hub);
        QCOMPARE(f.linker->availableSkills().size(), 1);
        QVERIFY(FileLinkerService::isLinked(f.path(u"apps/Codex"_s), hub + u"/deploy"_s));
    }
};

QTEST_GUILESS_MAIN(TestBackupService)
#include "tst_backupservice.moc"
