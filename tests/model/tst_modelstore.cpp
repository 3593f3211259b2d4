#include "model/AppSettings.h"
#include "model/ModelContext.h"
#include "model/SkillLinkRecord.h"
#include "model/SkillProvenanceRecord.h"
#include "model/SkillSourceRecord.h"
#include "model/TargetApp.h"
#include "support/StoreWriteLock.h"
#include "support/TestFiles.h"

#include <QPointer>
#include <QProcess>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

using namespace Qt::StringLiterals;

namespace {

// A plain SQLite connection to the store file, beside the one under test.
class RawConnection
{
public:
    explicit RawConnection(const QString& path)
        : m_name(QUuid::createUuid().toString())
    {
        QSqlDatabase database = QSqlDatabase::addDatabase(u"QSQLITE"_s, m_name);
        database.setDatabaseName(path);
        database.open();
    }
    ~RawConnection()
    {
        QSqlDatabase::database(m_name).close();
        QSqlDatabase::removeDatabase(m_name);
    }
    bool exec(const QString& statement)
    {
        QSqlQuery query(QSqlDatabase::database(m_name));
        return query.exec(statement);
    }
    int userVersion()
    {
        QSqlQuery query(QSqlDatabase::database(m_name));
        return query.exec(u"PRAGMA user_version"_s) && query.next() ? query.value(0).toInt() : -1;
    }

private:
    QString m_name;
};

std::unique_ptr<ModelContext> openContext(const QString& path)
{
    auto context = ModelContext::open(path);
    if (!context)
        qWarning() << context.error().description;
    return context ? std::move(context).value() : nullptr;
}

TargetApp* appNamed(ModelContext& context, const QString& name)
{
    auto apps = context.fetch<TargetApp>([&](const TargetApp& app) { return app.name() == name; });
    return apps && !apps->isEmpty() ? apps->first() : nullptr;
}

} // namespace

class TestModelStore : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString storePath() const { return m_dir.filePath(u"store.sqlite"_s); }

private Q_SLOTS:
    void init()
    {
        QVERIFY(m_dir.isValid());
        for (const QString& suffix : {u""_s, u"-wal"_s, u"-shm"_s})
            QFile::remove(storePath() + suffix);
    }

    // A command opens the store reading nothing; it reads a type, or one app's records,
    // when asked, and replaces a whole type without reading it.
    void onDemandReadsOnlyWhatIsAskedFor()
    {
        QUuid first;
        {
            auto context = openContext(storePath());
            auto* one = new TargetApp(u"One"_s, u"/one"_s, u"folder"_s, std::nullopt);
            auto* two = new TargetApp(u"Two"_s, u"/two"_s, u"folder"_s, std::nullopt);
            context->insert(one);
            context->insert(two);
            first = one->id();
            for (const QString& item : {u"a"_s, u"b"_s})
                context->insert(new SkillLinkRecord(one->id(), item));
            context->insert(new SkillLinkRecord(two->id(), u"c"_s));
            QVERIFY(context->save());
        }
        auto opened = ModelContext::open(storePath(), ModelContext::Loading::onDemand);
        QVERIFY(opened);
        ModelContext& context = *opened.value();
        const ColumnValue ofFirstApp{SkillLinkRecord::Columns::targetAppID,
                                     first.toString(QUuid::WithoutBraces)};
        const auto namesOfFirst = [&] {
            return context.storedColumnsWhere(RecordType::skillLinkRecord,
                                              {SkillLinkRecord::Columns::itemName}, {ofFirstApp});
        };
        QCOMPARE(namesOfFirst(), std::optional(QList<QVariantList>{{u"a"_s}, {u"b"_s}}));
        const auto ofFirst = [&] {
            return context.recordsWhere<SkillLinkRecord>(
                {ofFirstApp}, [&](const SkillLinkRecord& record) { return record.targetAppID() == first; });
        };
        const auto named = context.recordsWhere<SkillLinkRecord>(
            {ofFirstApp, {SkillLinkRecord::Columns::itemName, u"b"_s}},
            [](const SkillLinkRecord& record) { return record.itemName() == u"b"_s; });
        QCOMPARE(named.size(), 1);
        QCOMPARE(namesOfFirst(), std::nullopt); // records are held now: they tell, not the file
        QCOMPARE(ofFirst().size(), 2);
        QCOMPARE(ofFirst().size(), 2); // asked again: no second record of a row
        QCOMPARE(context.records<TargetApp>().size(), 2);
        // The whole type, read later, keeps the records already read.
        SkillLinkRecord* kept = ofFirst().first();
        QCOMPARE(context.records<SkillLinkRecord>().size(), 3);
        QVERIFY(context.records<SkillLinkRecord>().contains(kept));

        // Replacing a type: taken back by a rollback, written by a save.
        context.removeAll(RecordType::skillLinkRecord);
        context.insert(new SkillLinkRecord(first, u"new"_s));
        QCOMPARE(context.records<SkillLinkRecord>().size(), 1);
        QVERIFY(context.rollback());
        QCOMPARE(context.records<SkillLinkRecord>().size(), 3);
        context.removeAll(RecordType::skillLinkRecord);
        context.insert(new SkillLinkRecord(first, u"new"_s));
        QVERIFY(context.save());
        auto reopened = openContext(storePath());
        const auto records = reopened->records<SkillLinkRecord>();
        QCOMPARE(records.size(), 1);
        QCOMPARE(records.first()->itemName(), u"new"_s);
        QCOMPARE(reopened->records<TargetApp>().size(), 2);
    }

    // Every field of every kind of record comes back as it was saved, bookmark bytes and their
    // absence, and the moment a record was made, included.
    void recordsSurviveReopen()
    {
        const auto described = [](ModelContext& context) {
            const auto bytes = [](const std::optional<QByteArray>& data) {
                return data ? QString::fromLatin1(data->toHex()) : u"-"_s;
            };
            QStringList lines;
            for (const TargetApp* app : context.records<TargetApp>())
                lines.append(u"app %1 %2 %3 %4"_s.arg(app->id().toString(), app->name(), app->folderPath(),
                                                      bytes(app->bookmarkData())));
            for (const AppSettings* settings : context.records<AppSettings>())
                lines.append(u"settings %1 %2 %3"_s.arg(settings->id().toString(),
                                                        settings->centralRepositoryPath(),
                                                        bytes(settings->centralBookmarkData())));
            for (const SkillLinkRecord* record : context.records<SkillLinkRecord>())
                lines.append(u"link %1 %2 %3 %4"_s.arg(
                    record->id().toString(), record->targetAppID().toString(), record->itemName(),
                    QString::number(record->createdAt().toMSecsSinceEpoch())));
            lines.sort();
            return lines;
        };
        QStringList saved;
        {
            auto context = openContext(storePath());
            QVERIFY(context);
            auto* app = new TargetApp(u"Codex"_s, u"~/.codex/skills"_s, u"folder"_s,
                                      QByteArray::fromHex("0001ff") + "bookmark"); // not text
            for (Record* record : std::initializer_list<Record*>{
                     app, new TargetApp(u"Gemini"_s, u"/g"_s, u"folder"_s, std::nullopt),
                     new AppSettings(u"/hub"_s, std::nullopt), new SkillLinkRecord(app->id(), u"notes.md"_s)})
                context->insert(record);
            QVERIFY(context->save());
            QVERIFY(!context->hasChanges());
            saved = described(*context);
        }
        QCOMPARE(saved.size(), 4);
        QCOMPARE(described(*openContext(storePath())), saved);
    }

    // Changes show at once and last only once saved: inserts (one record however often
    // inserted), removals, changed fields, and a removal taken back before the save.
    void changesShowAtOnceAndLastOnceSaved()
    {
        {
            auto context = openContext(storePath());
            QSignalSpy changed(context.get(), &ModelContext::recordsChanged);
            context->insert(new TargetApp(u"Unsaved"_s, u"/u"_s, u"folder"_s, std::nullopt));
            QVERIFY(appNamed(*context, u"Unsaved"_s));
            QCOMPARE(changed.count(), 1);
            QCOMPARE(changed.first().first().value<RecordType>(), RecordType::targetApp);
        }
        {
            auto context = openContext(storePath());
            QVERIFY(!appNamed(*context, u"Unsaved"_s));
            auto* twice = new TargetApp(u"Twice"_s, u"/t"_s, u"folder"_s, std::nullopt);
            context->insert(twice);
            context->insert(twice);
            auto* back = new TargetApp(u"Back"_s, u"/b"_s, u"folder"_s, std::nullopt);
            context->insert(back);
            context->insert(new TargetApp(u"Drop"_s, u"/d"_s, u"folder"_s, std::nullopt));
            QVERIFY(context->save());
            context->remove(appNamed(*context, u"Drop"_s));
            twice->setName(u"Renamed"_s);
            back->setName(u"Returned"_s);
            context->remove(back);
            context->insert(back); // taken back before the save, keeping the new name
            QCOMPARE(context->fetch<TargetApp>()->size(), 2);
            QVERIFY(context->hasChanges());
            QVERIFY(context->save());
        }
        auto context = openContext(storePath());
        QStringList names;
        for (const TargetApp* app : context->records<TargetApp>())
            names.append(app->name());
        names.sort();
        QCOMPARE(names, (QStringList{u"Renamed"_s, u"Returned"_s}));
    }

    void batchesAnnounceEachChangedTypeOnceAtTheEnd()
    {
        auto context = openContext(storePath());
        QSignalSpy changed(context.get(), &ModelContext::recordsChanged);
        {
            const ModelContext::AnnouncementBatch outer(*context);
            auto* app = new TargetApp(u"A"_s, u"/a"_s, u"folder"_s, std::nullopt);
            context->insert(app);
            {
                const ModelContext::AnnouncementBatch inner(*context);
                context->insert(new SkillLinkRecord(app->id(), u"x"_s));
                context->insert(new TargetApp(u"B"_s, u"/b"_s, u"folder"_s, std::nullopt));
            }
            app->setName(u"A2"_s);
            QCOMPARE(changed.size(), 0); // nothing until the outermost batch ends
        }
        QCOMPARE(changed.size(), 2);
        QCOMPARE(changed[0].first().value<RecordType>(), RecordType::targetApp);
        QCOMPARE(changed[1].first().value<RecordType>(), RecordType::skillLinkRecord);
        changed.clear();
        context->insert(new AppSettings(u"/hub"_s, std::nullopt));
        QCOMPARE(changed.size(), 1); // announced at once again
    }

    // Views may still hold a record that just left the context; it is deleted only once
    // control is back in the event loop.
    void recordsThatLeaveAreDeletedLater()
    {
        auto context = openContext(storePath());
        QList<QPointer<SkillLinkRecord>> saved;
        for (int i = 0; i < 100; ++i) {
            auto* record = new SkillLinkRecord(QUuid::createUuid(), u"item"_s);
            context->insert(record);
            saved.append(record);
        }
        QVERIFY(context->save());
        QPointer<TargetApp> neverSaved = new TargetApp(u"Unsaved"_s, u"/u"_s, u"folder"_s, std::nullopt);
        context->insert(neverSaved);
        for (SkillLinkRecord* record : std::as_const(saved))
            context->remove(record);
        context->remove(neverSaved);
        QVERIFY(context->save());
        QVERIFY(neverSaved);
        QVERIFY(
            std::all_of(saved.cbegin(), saved.cend(), [](const auto& record) { return !record.isNull(); }));
        QCOMPARE(saved.first()->itemName(), u"item"_s);

        QTRY_VERIFY(!neverSaved);
        QVERIFY(
            std::all_of(saved.cbegin(), saved.cend(), [](const auto& record) { return record.isNull(); }));
        QVERIFY(context->records<SkillLinkRecord>().isEmpty());
    }

    // Rows of one kind share a prepared statement within a save; every row keeps its values.
    void largeMixedSaveKeepsEveryRow()
    {
        const QUuid app = QUuid::createUuid();
        {
            auto context = openContext(storePath());
            for (int i = 0; i < 3000; ++i)
                context->insert(new SkillLinkRecord(app, u"item-%1"_s.arg(i)));
            QVERIFY(context->save());
            const QList<SkillLinkRecord*> records = context->records<SkillLinkRecord>();
            for (int i = 0; i < 3000; i += 2)
                context->remove(records[i]);
            for (int i = 1; i < 3000; i += 6)
                records[i]->setItemName(u"renamed-%1"_s.arg(i));
            context->insert(new TargetApp(u"Also"_s, u"/a"_s, u"folder"_s, std::nullopt));
            QVERIFY(context->save());
        }
        auto context = openContext(storePath());
        QSet<QString> names;
        for (const SkillLinkRecord* record : context->records<SkillLinkRecord>()) {
            QCOMPARE(record->targetAppID(), app);
            names.insert(record->itemName());
        }
        QCOMPARE(names.size(), 1500);
        for (int i = 1; i < 3000; i += 2)
            QVERIFY(names.contains((i % 6 == 1 ? u"renamed-%1"_s : u"item-%1"_s).arg(i)));
        QVERIFY(appNamed(*context, u"Also"_s));
    }

    // A failed save keeps its changes pending, whether another writer held the lock for the
    // whole attempt or the save failed inside its transaction (here a trigger of another
    // connection aborts the insert); it is rolled back whole, and the next save succeeds.
    void failedSavesKeepChangesPending()
    {
        auto context = openContext(storePath());
        context->store().setBusyTimeout(std::chrono::milliseconds(50));
        context->insert(new TargetApp(u"Pending"_s, u"/p"_s, u"folder"_s, std::nullopt));
        {
            const StoreWriteLock other(storePath());
            QVERIFY(other.isLocked());
            const Outcome saved = context->save();
            QVERIFY(!saved);
            QVERIFY(!saved.error().description.isEmpty());
            QVERIFY(context->hasChanges());
            QVERIFY(appNamed(*context, u"Pending"_s));
        }
        QVERIFY(context->save());

        RawConnection other(storePath());
        QVERIFY(other.exec(u"CREATE TRIGGER refuse BEFORE INSERT ON target_apps "
                           "BEGIN SELECT RAISE(ABORT, 'refused'); END"_s));
        context->insert(new TargetApp(u"Kept"_s, u"/k"_s, u"folder"_s, std::nullopt));
        context->insert(new SkillLinkRecord(QUuid::createUuid(), u"item"_s));
        QVERIFY(!context->save());
        QVERIFY(context->hasChanges());
        QVERIFY(other.exec(u"DROP TRIGGER refuse"_s));
        QVERIFY(other.exec(u"BEGIN IMMEDIATE"_s)); // no write lock was left behind
        QVERIFY(other.exec(u"ROLLBACK"_s));
        QVERIFY(context->save());
        context.reset();
        auto reopened = openContext(storePath());
        QVERIFY(appNamed(*reopened, u"Pending"_s) && appNamed(*reopened, u"Kept"_s));
        QCOMPARE(reopened->records<SkillLinkRecord>().size(), 1);
    }

    void unreadableFilesAreRefusedAndKept_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("random bytes") << QByteArray(4096, '\x5a');
        QTest::newRow("text") << QByteArray("not a database at all\n");
        QByteArray truncatedHeader("SQLite format 3\0", 16);
        truncatedHeader.append(QByteArray(84, '\xff'));
        QTest::newRow("broken header") << truncatedHeader;
    }
    void unreadableFilesAreRefusedAndKept()
    {
        QFETCH(QByteArray, content);
        QVERIFY(TestFiles::writeFile(storePath(), content));
        auto context = ModelContext::open(storePath());
        QVERIFY(!context);
        QCOMPARE(context.error().shown().kind, Problem::Kind::storeDamaged);
        QCOMPARE(TestFiles::readFile(storePath()), content);
        QVERIFY(!QFile::exists(storePath() + u"-wal"_s));
    }

    // A file whose header reads but whose pages are damaged: the window refuses it at once;
    // a command may read it, but its first write is refused and nothing changes.
    void damagedPagesAreFoundBeforeAnyWrite()
    {
        {
            auto context = openContext(storePath());
            const QUuid app = QUuid::createUuid();
            for (int i = 0; i < 3000; ++i)
                context->insert(new SkillLinkRecord(app, u"item-%1"_s.arg(i)));
            QVERIFY(context->save());
        }
        QByteArray bytes = TestFiles::readFile(storePath());
        QVERIFY(bytes.size() > 8 * 4096);
        bytes.replace(4 * 4096, 64, QByteArray(64, '\x5a'));
        QVERIFY(TestFiles::writeFile(storePath(), bytes));

        auto window = ModelContext::open(storePath());
        QVERIFY(!window);
        QCOMPARE(window.error().shown().kind, Problem::Kind::storeDamaged);
        auto command = ModelContext::open(storePath(), ModelContext::Loading::onDemand);
        QVERIFY(command);
        command.value()->insert(new TargetApp(u"New"_s, u"/n"_s, u"folder"_s, std::nullopt));
        const Outcome saved = command.value()->save();
        QVERIFY(!saved);
        QCOMPARE(saved.error().shown().kind, Problem::Kind::storeDamaged);
        command.value().reset();
        QCOMPARE(TestFiles::readFile(storePath()), bytes);
    }

    void storeOfANewerVersionIsRefusedUnchanged()
    {
        QVERIFY(openContext(storePath()));
        {
            RawConnection raw(storePath());
            QCOMPARE(raw.userVersion(), ModelStore::schemaVersion); // a new store gets the current version
            QVERIFY(raw.exec(u"PRAGMA user_version = %1"_s.arg(ModelStore::schemaVersion + 1)));
            QVERIFY(raw.exec(u"PRAGMA wal_checkpoint(TRUNCATE)"_s));
        }
        const QByteArray before = TestFiles::readFile(storePath());
        auto context = ModelContext::open(storePath());
        QVERIFY(!context);
        QCOMPARE(context.error().shown().logText(), u"storeOfNewerVersion(%1, %2, %3)"_s.arg(storePath())
                                                        .arg(ModelStore::schemaVersion + 1)
                                                        .arg(ModelStore::schemaVersion));
        QCOMPARE(TestFiles::readFile(storePath()), before);
    }

    // A store of an older schema, as that release wrote it, keeps its rows and gains what
    // later versions add.
    void anOlderStoreIsUpgraded_data()
    {
        QTest::addColumn<int>("version");
        QTest::addColumn<QStringList>("laterTables");
        QTest::newRow("first schema") << 1
                                      << QStringList{u"store_revision"_s, u"skill_sources"_s,
                                                     u"installed_skills"_s, u"audit_acceptances"_s};
        QTest::newRow("third schema") << 3 << QStringList{u"installed_skills"_s, u"audit_acceptances"_s};
        QTest::newRow("fourth schema") << 4 << QStringList{u"audit_acceptances"_s};
        QTest::newRow("fifth schema") << 5 << QStringList{u"audit_acceptances"_s};
        QTest::newRow("sixth schema") << 6 << QStringList{u"audit_acceptances"_s};
        QTest::newRow("seventh schema") << 7 << QStringList{};
    }
    void anOlderStoreIsUpgraded()
    {
        QFETCH(int, version);
        QFETCH(QStringList, laterTables);
        {
            auto context = openContext(storePath());
            auto* app = new TargetApp(u"Old"_s, u"/old"_s, u"folder"_s, std::nullopt);
            context->insert(app);
            context->insert(new SkillLinkRecord(app->id(), u"pdf"_s));
            QVERIFY(context->save());
        }
        {
            RawConnection raw(storePath());
            for (const QString& table : laterTables)
                QVERIFY(raw.exec(u"DROP TABLE "_s + table));
            // Those before the sixth lack the columns of projects; those before the fifth the
            // columns of copies.
            if (version < 6) {
                QVERIFY(raw.exec(u"ALTER TABLE target_apps DROP COLUMN preset"_s));
                QVERIFY(raw.exec(u"ALTER TABLE target_apps DROP COLUMN project"_s));
            }
            if (version < 6 && !laterTables.contains(u"installed_skills"_s))
                QVERIFY(raw.exec(u"ALTER TABLE installed_skills DROP COLUMN commit_sha"_s));
            // Those before the eighth do not know when a commit was made.
            if (version < 8 && !laterTables.contains(u"installed_skills"_s))
                QVERIFY(raw.exec(u"ALTER TABLE installed_skills DROP COLUMN committed_at"_s));
            if (version < 5) {
                QVERIFY(raw.exec(u"ALTER TABLE target_apps DROP COLUMN placement"_s));
                QVERIFY(raw.exec(u"ALTER TABLE skill_link_records DROP COLUMN content_hash"_s));
            }
            QVERIFY(raw.exec(u"PRAGMA user_version = %1"_s.arg(version)));
        }
        auto context = openContext(storePath());
        QVERIFY(context);
        QVERIFY(appNamed(*context, u"Old"_s));
        QCOMPARE(appNamed(*context, u"Old"_s)->placement(), PlacementKind::link); // apps linked before copies
        QCOMPARE(context->records<SkillLinkRecord>().size(), 1);
        QCOMPARE(context->records<SkillLinkRecord>().first()->contentHash(), std::nullopt);
        QStringList sources;
        for (const SkillSourceRecord* source : context->records<SkillSourceRecord>())
            sources.append(source->location());
        QCOMPARE(sources, SkillSourceRecord::defaultRepositories()); // an upgrade finds skills at once
        QCOMPARE(RawConnection(storePath()).userVersion(), ModelStore::schemaVersion);
        const qint64 before = context->store().revision().value();
        const SkillProvenance installed{.itemName = u"pdf"_s,
                                        .source = u"o/r"_s,
                                        .repository = u"o/r"_s,
                                        .ref = u"main"_s,
                                        .path = u"skills/pdf"_s,
                                        .treeSha = u"t1"_s,
                                        .contentHash = u"c1"_s,
                                        .files = {{u"SKILL.md"_s, u"b1"_s}},
                                        .installedAt = QDateTime::fromSecsSinceEpoch(7, Qt::UTC),
                                        .commit = u"c0ffee"_s};
        context->insert(new SkillProvenanceRecord(installed));
        QVERIFY(context->save());
        QCOMPARE(context->store().revision().value(), before + 1);
        context.reset();
        QCOMPARE(openContext(storePath())->records<SkillProvenanceRecord>().value(0)->provenance(),
                 installed);
    }

    // Rows another connection read (as a worker thread does after a large write) are taken
    // in without reading them again; a commit made after that read is still found.
    void snapshotsOfAnotherConnectionAreTakenIn()
    {
        auto here = openContext(storePath());
        auto worker = openContext(storePath());
        const auto stale = worker->store().readSnapshot();
        worker->insert(new TargetApp(u"Imported"_s, u"/i"_s, u"folder"_s, std::nullopt));
        QVERIFY(worker->save());
        const auto imported = worker->store().readSnapshot();
        QVERIFY(stale && imported);

        QSignalSpy changed(here.get(), &ModelContext::recordsChanged);
        here->takeIn(imported.value());
        QCOMPARE(changed.count(), 1);
        QCOMPARE(here->records<TargetApp>().size(), 1);
        QCOMPARE(here->records<TargetApp>().first()->thread(), here->thread());
        here->takeIn(stale.value()); // older than what was seen: changes nothing
        QCOMPARE(here->records<TargetApp>().size(), 1);

        worker->insert(new TargetApp(u"Later"_s, u"/l"_s, u"folder"_s, std::nullopt));
        QVERIFY(worker->save());
        here->takeIn(imported.value()); // arrives late, after that commit
        QVERIFY(appNamed(*here, u"Later"_s));
        QCOMPARE(changed.count(), 2);
    }

    // A worker that replaced whole types hands its saved records over instead of the rows
    // being read again; a commit another connection made before them is still found.
    void replacedRecordsAreHandedOver()
    {
        auto here = openContext(storePath());
        here->insert(new TargetApp(u"Old"_s, u"/o"_s, u"folder"_s, std::nullopt));
        QVERIFY(here->save());
        QThread worker; // the records are made there and handed to this thread
        std::shared_ptr<ModelContext::PreparedSnapshot> prepared;
        QObject::connect(&worker, &QThread::started, [&] {
            auto context = ModelContext::open(storePath(), ModelContext::Loading::onDemand);
            if (context) {
                context.value()->removeAll(RecordType::targetApp);
                context.value()->insert(new TargetApp(u"Imported"_s, u"/i"_s, u"folder"_s, std::nullopt));
                if (context.value()->save())
                    prepared = context.value()->handOverReplacedTypes(here->thread());
            }
            worker.quit();
        });
        auto other = openContext(storePath()); // commits between this context's look and the worker's
        other->insert(new SkillSourceRecord(SkillSourceRecord::Kind::directory, u"/between"_s));
        QVERIFY(other->save());
        worker.start();
        QVERIFY(worker.wait());
        QVERIFY(prepared);

        QSignalSpy changed(here.get(), &ModelContext::recordsChanged);
        here->takeIn(*prepared);
        QCOMPARE(changed.count(), 1);
        const auto apps = here->records<TargetApp>();
        QCOMPARE(apps.size(), 1);
        QCOMPARE(apps.first()->name(), u"Imported"_s);
        QCOMPARE(apps.first()->thread(), here->thread());
        const auto sources = here->fetch<SkillSourceRecord>();
        QVERIFY(std::ranges::any_of(*sources,
                                    [](const auto* source) { return source->location() == u"/between"_s; }));
    }

    void anotherProcessesSavesAreKept()
    {
        auto context = openContext(storePath());
        context->insert(new TargetApp(u"Shared"_s, u"/before"_s, u"folder"_s, std::nullopt));
        QVERIFY(context->save());
        TargetApp* shared = appNamed(*context, u"Shared"_s);
        // This process changes one field and adds a record, without saving yet...
        shared->setName(u"Renamed here"_s);
        context->insert(new TargetApp(u"Mine"_s, u"/mine"_s, u"folder"_s, std::nullopt));
        QSignalSpy outsideChange(shared, &Record::fieldsChanged);
        // ...while another process changes another field and adds its own record.
        QCOMPARE(QProcess::execute(QStringLiteral(STORE_WRITER),
                                   {storePath(), u"set-folder"_s, shared->id().toString(), u"/after"_s}),
                 0);
        QCOMPARE(QProcess::execute(QStringLiteral(STORE_WRITER), {storePath(), u"insert-app"_s, u"Theirs"_s}),
                 0);

        // The next fetch takes in the outside changes and keeps the pending ones.
        QVERIFY(appNamed(*context, u"Theirs"_s));
        QCOMPARE(shared->folderPath(), u"/after"_s);
        QCOMPARE(shared->name(), u"Renamed here"_s);
        QCOMPARE(outsideChange.count(), 1);
        QVERIFY(context->save());
        context.reset();

        auto reopened = openContext(storePath());
        auto apps = reopened->fetch<TargetApp>();
        QVERIFY(apps);
        QStringList names;
        for (const TargetApp* app : apps.value())
            names.append(app->name() + u":"_s + app->folderPath());
        names.sort();
        QCOMPARE(names, QStringList({u"Mine:/mine"_s, u"Renamed here:/after"_s, u"Theirs:/apps/Theirs"_s}));

        // A commit made elsewhere between a context's last look and its own save is not covered
        // by that save: the next fetch still takes it in.
        QCOMPARE(QProcess::execute(QStringLiteral(STORE_WRITER), {storePath(), u"insert-app"_s, u"Late"_s}),
                 0);
        reopened->insert(new TargetApp(u"Later"_s, u"/later"_s, u"folder"_s, std::nullopt));
        QVERIFY(reopened->save());
        QVERIFY(appNamed(*reopened, u"Late"_s));
    }

    // A refresh announces only what another connection changed: here, one deletion.
    void refreshAnnouncesOnlyOutsideChanges()
    {
        auto here = openContext(storePath());
        here->insert(new TargetApp(u"Doomed"_s, u"/d"_s, u"folder"_s, std::nullopt));
        here->insert(new TargetApp(u"Quiet"_s, u"/q"_s, u"folder"_s, someBookmark()));
        here->insert(new AppSettings(u"/hub"_s, std::nullopt));
        QVERIFY(here->save());
        QSignalSpy changed(here.get(), &ModelContext::recordsChanged);
        QVERIFY(here->refresh());
        QCOMPARE(changed.count(), 0);

        auto elsewhere = openContext(storePath());
        elsewhere->remove(appNamed(*elsewhere, u"Doomed"_s));
        QVERIFY(elsewhere->save());
        QVERIFY(here->refresh());
        QCOMPARE(here->records<TargetApp>().size(), 1);
        QCOMPARE(changed.count(), 1);
    }

private:
    static std::optional<QByteArray> someBookmark() { return QByteArray("bytes"); }
};

QTEST_GUILESS_MAIN(TestModelStore)
#include "tst_modelstore.moc"
