// Saving link records and the key lookup that precedes every new record.
#include "benchmarks/BenchmarkData.h"
#include "benchmarks/Scenario.h"
#include "model/ModelContext.h"
#include "model/SkillLinkRecord.h"

#include <QDateTime>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QUuid>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

constexpr int savedPerIteration = 1'000;
constexpr int storedRecords = 20'000;

std::unique_ptr<ModelContext> openStore(const QString& folderName)
{
    const QString path = BenchmarkData::newFolder(folderName) + u"/store.sqlite"_s;
    auto opened = ModelContext::open(path);
    BenchmarkData::require(opened.ok(), path);
    return std::move(opened).value();
}

// The same file format without the program: one raw connection to a file the store made.
class RawConnection
{
public:
    explicit RawConnection(const QString& folderName)
    {
        const QString path = openStore(folderName)->store().filePath();
        QSqlDatabase database = QSqlDatabase::addDatabase(u"QSQLITE"_s, m_name);
        database.setDatabaseName(path);
        BenchmarkData::require(database.open(), path);
        run(u"PRAGMA journal_mode = WAL"_s);
    }
    ~RawConnection()
    {
        QSqlDatabase::database(m_name).close();
        QSqlDatabase::removeDatabase(m_name);
    }
    RawConnection(const RawConnection&) = delete;
    RawConnection& operator=(const RawConnection&) = delete;

    QSqlDatabase database() const { return QSqlDatabase::database(m_name); }
    void run(const QString& statement) const
    {
        QSqlQuery query(database());
        BenchmarkData::require(query.exec(statement), statement);
    }

private:
    QString m_name = u"benchmark-"_s + QUuid::createUuid().toString(QUuid::WithoutBraces);
};

void saveBaseline(benchmark::State& state)
{
    const RawConnection connection(u"save-baseline"_s);
    const QUuid app = QUuid::createUuid();
    const QStringList names = BenchmarkData::skillNames(savedPerIteration);
    for (auto _ : state) {
        connection.run(u"DELETE FROM skill_link_records"_s);
        QList<QString> keys;
        for (int i = 0; i < savedPerIteration; ++i)
            keys.append(QUuid::createUuid().toString(QUuid::WithoutBraces));
        timeIteration(state, [&] {
            connection.run(u"BEGIN IMMEDIATE"_s);
            QSqlQuery insert(connection.database());
            insert.prepare(
                u"INSERT INTO skill_link_records (store_key, id, target_app_id, item_name, created_at)"
                " VALUES (:key, :id, :app, :name, :created)"_s);
            // By name: Qt binds a value by position through a name it spells out each time.
            for (int i = 0; i < savedPerIteration; ++i) {
                insert.bindValue(u":key"_s, keys[i]);
                insert.bindValue(u":id"_s, keys[i]);
                insert.bindValue(u":app"_s, app.toString(QUuid::WithoutBraces));
                insert.bindValue(u":name"_s, names[i]);
                insert.bindValue(u":created"_s, QDateTime::currentMSecsSinceEpoch());
                BenchmarkData::require(insert.exec(), u"baseline insert"_s);
            }
            connection.run(u"COMMIT"_s);
        });
    }
}

void save(benchmark::State& state)
{
    auto context = openStore(u"save"_s);
    const QUuid app = QUuid::createUuid();
    const QStringList names = BenchmarkData::skillNames(savedPerIteration);
    bool saved = true;
    for (auto _ : state) {
        for (SkillLinkRecord* record : context->records<SkillLinkRecord>())
            context->remove(record);
        saved = context->save().ok() && saved;
        timeIteration(state, [&] {
            for (const QString& name : names)
                context->insert(new SkillLinkRecord(app, name));
            saved = context->save().ok() && saved;
        });
    }
    if (!saved)
        state.SkipWithError("a save failed");
}

// The records of 200 apps with 100 items each; the key looked up is the last one.
struct StoredRecords
{
    QList<QUuid> apps;
    QStringList names = BenchmarkData::skillNames(storedRecords / 200);
};

StoredRecords fill(ModelContext& context)
{
    StoredRecords stored;
    for (int i = 0; i < 200; ++i) {
        stored.apps.append(QUuid::createUuid());
        for (const QString& name : std::as_const(stored.names))
            context.insert(new SkillLinkRecord(stored.apps.constLast(), name));
    }
    BenchmarkData::require(context.save().ok(), u"the records to look up"_s);
    return stored;
}

void lookupBaseline(benchmark::State& state)
{
    const RawConnection connection(u"lookup-baseline"_s);
    {
        auto context = ModelContext::open(connection.database().databaseName()).value();
        const StoredRecords stored = fill(*context);
        QSqlQuery select(connection.database());
        select.prepare(
            u"SELECT store_key FROM skill_link_records WHERE target_app_id = ? AND item_name = ?"_s);
        int found = 0;
        for (auto _ : state) {
            timeIteration(state, [&] {
                select.addBindValue(stored.apps.constLast().toString(QUuid::WithoutBraces));
                select.addBindValue(stored.names.constLast());
                BenchmarkData::require(select.exec(), u"baseline select"_s);
                found = 0;
                while (select.next())
                    ++found;
            });
        }
        if (found != 1)
            state.SkipWithError("the baseline did not find the record");
    }
}

void lookup(benchmark::State& state)
{
    auto context = openStore(u"lookup"_s);
    const StoredRecords stored = fill(*context);
    const QUuid& app = stored.apps.constLast();
    const QString& name = stored.names.constLast();
    qsizetype found = 0;
    for (auto _ : state) {
        timeIteration(state, [&] {
            // The lookup upsertLinkRecord makes before it inserts.
            const auto existing = context->fetch<SkillLinkRecord>([&](const SkillLinkRecord& record) {
                return record.targetAppID() == app && record.itemName() == name;
            });
            found = existing ? existing->size() : -1;
        });
    }
    if (found != 1)
        state.SkipWithError("the lookup did not find the record");
}

[[maybe_unused]] const int declared[] = {
    Scenario::declare({.name = "store save, 1,000 new records",
                       .baseline = saveBaseline,
                       .program = save,
                       .target = std::nullopt,
                       .iterations = 20}),
    Scenario::declare({.name = "record lookup among 20,000",
                       .baseline = lookupBaseline,
                       .program = lookup,
                       .target = std::nullopt}),
};

} // namespace
