// Exporting and importing a large configuration: 200 apps, 20,000 link records.
#include "access/FileSystem.h"
#include "access/SecurityScopedBookmarkManager.h"
#include "actions/BackupActions.h"
#include "actions/BackupImport.h"
#include "app/ContentView.h"
#include "backup/BackupService.h"
#include "benchmarks/BenchmarkData.h"
#include "benchmarks/BenchmarkPlatform.h"
#include "benchmarks/Scenario.h"
#include "store/DirectorySkillSource.h"
#include "store/SkillStoreService.h"

#include "model/AppSettings.h"
#include "model/ModelContext.h"
#include "model/SkillLinkRecord.h"
#include "model/TargetApp.h"
#include "support/TestFiles.h"
#include <QAction>
#include <QNetworkAccessManager>

#include <QDateTime>
#include <QFile>
#include <QHash>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>
#include <QUuid>

#include <nlohmann/json.hpp>

#include <fcntl.h>
#include <unistd.h>

#include <map>
#include <memory>
#include <unordered_map>

using namespace Qt::StringLiterals;

namespace {

constexpr int appCount = 200;
constexpr int itemsPerApp = 100; // 200 × 100 = 20,000 records and links

// A store holding the configuration, the folders it names, and a backup file of it.
struct LargeConfiguration
{
    QString hubPath;
    QStringList itemNames;
    QStringList appFolders;
    QString storePath;
    QString backupPath;
};

const LargeConfiguration& largeConfiguration()
{
    static std::map<BenchmarkData::Medium, LargeConfiguration> configurations;
    if (const auto made = configurations.find(BenchmarkData::medium()); made != configurations.end())
        return made->second;
    return configurations[BenchmarkData::medium()] = [] {
        LargeConfiguration made;
        made.hubPath = BenchmarkData::newFolder(u"backup-hub"_s);
        made.itemNames = BenchmarkData::skillNames(itemsPerApp);
        for (const QString& name : std::as_const(made.itemNames)) {
            const QString item = made.hubPath + u'/' + name;
            BenchmarkData::require(
                TestFiles::makeFolder(item) &&
                    TestFiles::writeFile(item + u"/SKILL.md"_s, "# " + name.toUtf8() + '\n'),
                item);
        }
        const QString storeFolder = BenchmarkData::newFolder(u"backup-store"_s);
        made.storePath = storeFolder + u"/store.sqlite"_s;
        made.backupPath = storeFolder + u"/backup.json"_s;

        auto opened = ModelContext::open(made.storePath);
        BenchmarkData::require(opened.ok(), made.storePath);
        auto context = std::move(opened).value();
        context->insert(
            new AppSettings(made.hubPath, SecurityScopedBookmarkManager::createBookmark(made.hubPath)));
        for (int i = 0; i < appCount; ++i) {
            const QString folder = BenchmarkData::newFolder(u"backup-apps/app-%1"_s.arg(i));
            made.appFolders.append(folder);
            auto* app = new TargetApp(u"App %1"_s.arg(i), folder, u"folder"_s,
                                      SecurityScopedBookmarkManager::createBookmark(folder));
            context->insert(app);
            for (const QString& name : std::as_const(made.itemNames))
                context->insert(new SkillLinkRecord(app->id(), name));
        }
        BenchmarkData::require(context->save().ok(), made.storePath);
        context.reset();
        BenchmarkWorkspace bench(made.storePath);
        BenchmarkData::require(BackupActions(*bench.workspace).exportTo(made.backupPath).ok(),
                               made.backupPath);
        return made;
    }();
}

// Takes away every link in the app folders, so that the next import makes them all again.
void removeLinks(const LargeConfiguration& configuration)
{
    for (const QString& folder : configuration.appFolders) {
        for (const QString& name : configuration.itemNames)
            ::unlink(QFile::encodeName(folder + u'/' + name).constData());
    }
}

qsizetype linkCount(const LargeConfiguration& configuration)
{
    qsizetype count = 0;
    for (const QString& folder : configuration.appFolders)
        count += TestFiles::entryNames(folder).size();
    return count;
}

// Building the same document from plain values and writing it.
void exportBaseline(benchmark::State& state)
{
    const auto& configuration = largeConfiguration();
    const std::string path = QFile::encodeName(configuration.backupPath + u".baseline"_s).toStdString();
    for (auto _ : state) {
        timeIteration(state, [&] {
            nlohmann::ordered_json document;
            document["formatVersion"] = 2;
            document["targetApps"] = nlohmann::ordered_json::array();
            document["linkRecords"] = nlohmann::ordered_json::array();
            for (int i = 0; i < appCount; ++i) {
                const std::string id = "00000000-0000-0000-0000-" + std::to_string(100000000000 + i);
                document["targetApps"].push_back(
                    {{"id", id}, {"name", "App"}, {"folderPath", configuration.appFolders[i].toStdString()}});
                for (const QString& name : configuration.itemNames)
                    document["linkRecords"].push_back(
                        {{"targetAppID", id}, {"itemName", name.toStdString()}});
            }
            const std::string text = document.dump(2);
            const int file = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
            benchmark::DoNotOptimize(::write(file, text.data(), text.size()));
            ::fsync(file);
            ::close(file);
        });
    }
}

void exportBackup(benchmark::State& state)
{
    const auto& configuration = largeConfiguration();
    BenchmarkWorkspace bench(configuration.storePath);
    BackupActions backup(*bench.workspace);
    bool written = true;
    for (auto _ : state)
        timeIteration(state, [&] {
            written = backup.exportTo(configuration.backupPath + u".exported"_s).ok() && written;
        });
    if (!written)
        state.SkipWithError("the export failed");
}

// The floor of an import: parsing the file; replacing the apps and link records in one
// transaction of plain SQL, with the statements prepared once and the values bound by name,
// in a copy of the store; and one symlink() per link.
void importBaseline(benchmark::State& state)
{
    const auto& configuration = largeConfiguration();
    const std::string hub = QFile::encodeName(configuration.hubPath).toStdString();
    const QString storeCopy = configuration.storePath + u".baseline"_s;
    QFile::remove(storeCopy);
    BenchmarkData::require(QFile::copy(configuration.storePath, storeCopy), storeCopy);
    const QString connection = u"import-baseline"_s;
    {
        QSqlDatabase database = QSqlDatabase::addDatabase(u"QSQLITE"_s, connection);
        database.setDatabaseName(storeCopy);
        BenchmarkData::require(database.open(), storeCopy);
        QSqlQuery(database).exec(u"PRAGMA journal_mode = WAL"_s);
    }
    for (auto _ : state) {
        removeLinks(configuration);
        timeIteration(state, [&] {
            const QByteArray bytes = FileSystem::readBytes(configuration.backupPath).value();
            const auto document = nlohmann::json::parse(bytes.begin(), bytes.end());
            QSqlDatabase database = QSqlDatabase::database(connection);
            QSqlQuery(database).exec(u"BEGIN IMMEDIATE"_s);
            QSqlQuery(database).exec(u"DELETE FROM skill_link_records"_s);
            QSqlQuery(database).exec(u"DELETE FROM target_apps"_s);
            QSqlQuery app(database);
            app.prepare(u"INSERT INTO target_apps (store_key, id, name, folder_path, system_image_name) "
                        "VALUES (:v0, :v1, :v2, :v3, :v4)"_s);
            QSqlQuery record(database);
            record.prepare(
                u"INSERT INTO skill_link_records (store_key, id, target_app_id, item_name, created_at) "
                "VALUES (:v0, :v1, :v2, :v3, :v4)"_s);
            // By name: Qt binds a value by position through a name it spells out each time.
            const QStringList placeholders{u":v0"_s, u":v1"_s, u":v2"_s, u":v3"_s, u":v4"_s};
            std::unordered_map<std::string, std::string> folders;
            for (const auto& entry : document["targetApps"]) {
                const std::string id = entry["id"].get<std::string>();
                const std::string folder = entry["folderPath"].get<std::string>();
                folders[id] = folder;
                int position = 0;
                for (const QVariant& value :
                     {QVariant(QUuid::createUuid().toString(QUuid::WithoutBraces)),
                      QVariant(QString::fromStdString(id)),
                      QVariant(QString::fromStdString(entry["name"].get<std::string>())),
                      QVariant(QString::fromStdString(folder)), QVariant(u"folder"_s)})
                    app.bindValue(placeholders[position++], value);
                BenchmarkData::require(app.exec(), u"baseline app insert"_s);
            }
            const qint64 now = QDateTime::currentMSecsSinceEpoch();
            for (const auto& entry : document["linkRecords"]) {
                const std::string name = entry["itemName"].get<std::string>();
                const std::string& folder = folders[entry["targetAppID"].get<std::string>()];
                int position = 0;
                for (const QVariant& value :
                     {QVariant(QUuid::createUuid().toString(QUuid::WithoutBraces)),
                      QVariant(QUuid::createUuid().toString(QUuid::WithoutBraces)),
                      QVariant(QString::fromStdString(entry["targetAppID"].get<std::string>())),
                      QVariant(QString::fromStdString(name)), QVariant(now)})
                    record.bindValue(placeholders[position++], value);
                BenchmarkData::require(record.exec(), u"baseline record insert"_s);
                benchmark::DoNotOptimize(
                    ::symlink((hub + '/' + name).c_str(), (folder + '/' + name).c_str()));
            }
            QSqlQuery(database).exec(u"COMMIT"_s);
        });
    }
    QSqlDatabase::removeDatabase(connection);
    if (linkCount(configuration) != appCount * itemsPerApp)
        state.SkipWithError("the baseline did not make every link");
}

void importBackup(benchmark::State& state)
{
    const auto& configuration = largeConfiguration();
    BenchmarkWorkspace bench(configuration.storePath);
    bool imported = true;
    for (auto _ : state) {
        removeLinks(configuration);
        timeIteration(state, [&] {
            auto* import = new BackupImport(*bench.workspace, configuration.backupPath,
                                            [](BackupImportPlan&) { return true; });
            QEventLoop waiting;
            QObject::connect(import, &BackupImport::finished, &waiting,
                             [&](const BackupImportOutcome& outcome) {
                                 imported = outcome.stage == BackupImportOutcome::Stage::restored && imported;
                                 waiting.quit();
                             });
            import->start();
            waiting.exec();
        });
    }
    if (!imported)
        state.SkipWithError("the import failed");
    else if (linkCount(configuration) != appCount * itemsPerApp)
        state.SkipWithError("the import did not make every link");
}

// The same import from the window's menu: the open views follow the change, and the
// event loop runs until everything the import left for it is done.
void importBackupInWindow(benchmark::State& state)
{
    const auto& configuration = largeConfiguration();
    BenchmarkWorkspace bench(configuration.storePath);
    QNetworkAccessManager network;
    SkillStoreService store(std::make_unique<DirectorySkillSource>(network, StoreEndpoints::defaults()));
    ContentView window(*bench.workspace, store, bench.desktop.services());
    window.show();
    BenchmarkData::require(QTest::qWaitForWindowExposed(&window), u"the window"_s);
    auto* importAction = window.findChild<QAction*>(u"importBackupAction"_s);
    const auto* strip = window.findChild<QWidget*>(u"taskStrip"_s);
    bool imported = true;
    for (auto _ : state) {
        removeLinks(configuration);
        bench.desktop.panels.answers.append(configuration.backupPath);
        const int sheetsBefore = PlanAgreement::shown;
        timeIteration(state, [&] {
            importAction->trigger();
            imported = bench.desktop.alerts.shown.isEmpty() && imported;
            // The file is read and the restore planned and agreed to, then the records are
            // written and the links made in the background: the import is under way as long
            // as it cannot be started again.
            while (!importAction->isEnabled() || strip->isVisible() || PlanAgreement::shown == sheetsBefore)
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QCoreApplication::processEvents();
        });
    }
    if (!imported)
        state.SkipWithError("the import failed");
    else if (linkCount(configuration) != appCount * itemsPerApp)
        state.SkipWithError("the import did not make every link");
}

[[maybe_unused]] const int declared[] = {
    Scenario::declare({.name = "backup export, 20,000 records",
                       .baseline = exportBaseline,
                       .program = exportBackup,
                       .target = std::nullopt,
                       .iterations = 3}),
    Scenario::declare({.name = "backup import, 20,000 links",
                       .baseline = importBaseline,
                       .program = importBackup,
                       .target = Scenario::ratioAtMost(2.0),
                       .iterations = 1,
                       .onBothMedia = true}),
    Scenario::declare({.name = "backup import, window open",
                       .baseline = importBaseline,
                       .program = importBackupInWindow,
                       .target = Scenario::ratioAtMost(2.0),
                       .iterations = 1,
                       .onBothMedia = true}),
};

} // namespace
