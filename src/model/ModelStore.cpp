#include "model/ModelStore.h"

#include "model/RecordTypes.h"
#include "model/SkillSourceRecord.h"

#include <QDir>
#include <QFileInfo>
#include <QScopeGuard>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QUuid>

#include <functional>
#include <map>

using namespace Qt::StringLiterals;

namespace {

const QList<const RecordSchema*>& allSchemas()
{
    static const QList<const RecordSchema*> schemas = [] {
        QList<const RecordSchema*> listed;
        for (const RecordTypeEntry& entry : recordTypes())
            listed.append(&entry.schema());
        return listed;
    }();
    return schemas;
}

// The statements that bring the file from version - 1 to version: the tables and columns
// that version added, as their declarations say.
QStringList migrationTo(int version)
{
    QStringList statements;
    for (const RecordSchema* schema : allSchemas()) {
        QStringList added;
        for (const Column& column : schema->columns) {
            if (column.sinceVersion == version ||
                (schema->sinceVersion == version && column.sinceVersion < version))
                added.append(column.name + u' ' + column.sqlType);
        }
        if (schema->sinceVersion == version)
            statements.append(u"CREATE TABLE %1 (store_key TEXT PRIMARY KEY NOT NULL, %2)"_s.arg(
                schema->table, added.join(u", "_s)));
        else
            for (const QString& column : std::as_const(added))
                statements.append(u"ALTER TABLE %1 ADD COLUMN %2"_s.arg(schema->table, column));
    }
    if (version == 2)
        statements += {u"CREATE TABLE store_revision (revision INTEGER NOT NULL)"_s,
                       u"INSERT INTO store_revision (revision) VALUES (0)"_s};
    // Every store, new or upgraded, starts with the public collections; removing them is for good.
    if (version == 3)
        for (const QString& repository : SkillSourceRecord::defaultRepositories())
            statements.append(u"INSERT INTO skill_sources (store_key, id, kind, location, added_at) "
                              "VALUES ('%1', '%2', 'github', '%3', %4)"_s
                                  .arg(QUuid::createUuid().toString(QUuid::WithoutBraces),
                                       QUuid::createUuid().toString(QUuid::WithoutBraces), repository)
                                  .arg(QDateTime::currentMSecsSinceEpoch()));
    return statements;
}

Error sqlError(const QString& what, const QSqlError& error)
{
    return Error{what + u": "_s + error.text()};
}

QSqlDatabase connection(const QString& name)
{
    return QSqlDatabase::database(name, false);
}

Result<QSqlQuery> run(const QString& connectionName, const QString& statement)
{
    QSqlQuery query(connection(connectionName));
    query.setForwardOnly(true); // rows are read once, in order; no cache of the whole result
    if (!query.exec(statement))
        return sqlError(statement, query.lastError());
    return query;
}

Result<int> userVersion(const QString& connectionName)
{
    auto query = run(connectionName, u"PRAGMA user_version"_s);
    if (!query)
        return query.error();
    if (!query.value().next())
        return Error{u"The file has no schema version."_s};
    return query.value().value(0).toInt();
}

// Runs work inside BEGIN IMMEDIATE ... COMMIT, rolling back on any failure.
Outcome inImmediateTransaction(const QString& connectionName, const std::function<Outcome()>& work)
{
    if (auto begun = run(connectionName, u"BEGIN IMMEDIATE"_s); !begun)
        return begun.error();
    Outcome outcome = work();
    if (outcome) {
        if (auto committed = run(connectionName, u"COMMIT"_s); committed)
            return {};
        else
            outcome = committed.error();
    }
    (void)run(connectionName, u"ROLLBACK"_s);
    return outcome;
}

// The rows a SELECT of store_key and then the schema's columns, in order, yields.
QList<StoredRow> rowsOf(QSqlQuery& query, const RecordSchema& schema)
{
    QList<StoredRow> rows;
    while (query.next()) {
        StoredRow row{query.value(0).toString(), {}};
        for (qsizetype column = 0; column < schema.columns.size(); ++column)
            row.values.insert(schema.columns[column].name, query.value(static_cast<int>(column + 1)));
        rows.append(row);
    }
    return rows;
}

// Runs a SELECT of `columns` from the schema's table, of the rows that meet the condition.
Outcome selectWhere(QSqlQuery& query, const RecordSchema& schema, const QString& columns,
                    const RowCondition& where)
{
    QStringList tests;
    for (const ColumnValue& condition : where)
        tests.append(condition.column.name + u" = ?"_s);
    const QString statement = u"SELECT %1 FROM %2 WHERE %3 ORDER BY rowid"_s.arg(
        columns, schema.table, tests.isEmpty() ? u"1"_s : tests.join(u" AND "_s));
    query.setForwardOnly(true);
    if (!query.prepare(statement))
        return sqlError(statement, query.lastError());
    for (const ColumnValue& condition : where)
        query.addBindValue(condition.value);
    if (!query.exec())
        return sqlError(statement, query.lastError());
    return {};
}

// The name of the placeholder for a statement's value at `position`. Values are bound by
// name: binding by position makes Qt spell out a name for each value, thousands of times in
// a large save.
const QString& placeholder(qsizetype position)
{
    static const QStringList names = [] {
        QStringList made;
        for (int i = 0; i < 64; ++i)
            made.append(u":v"_s + QString::number(i));
        return made;
    }();
    return names.at(position);
}

// The statement that writes the change, with a placeholder for each of its values.
QString statementOf(const RowChange& change)
{
    const QString& table = change.schema->table;
    switch (change.kind) {
    case RowChange::Kind::insert: {
        QStringList placeholders;
        for (qsizetype i = 0; i <= change.schema->columns.size(); ++i)
            placeholders.append(placeholder(i));
        return u"INSERT INTO %1 (store_key, %2) VALUES (%3)"_s.arg(
            table, change.schema->columnNames().join(u", "_s), placeholders.join(u", "_s));
    }
    case RowChange::Kind::update: {
        QStringList assignments;
        for (qsizetype i = 0; i < change.changedColumns.size(); ++i)
            assignments.append(change.schema->columns[change.changedColumns[i]].name + u" = "_s +
                               placeholder(i));
        return u"UPDATE %1 SET %2 WHERE store_key = %3"_s.arg(table, assignments.join(u", "_s),
                                                              placeholder(change.changedColumns.size()));
    }
    case RowChange::Kind::remove:
        return u"DELETE FROM %1 WHERE store_key = %2"_s.arg(table, placeholder(0));
    case RowChange::Kind::removeAll:
        return u"DELETE FROM %1"_s.arg(table);
    }
    Q_UNREACHABLE();
}

// Binds the values for the placeholders of statementOf(change), in their order.
void bindValuesOf(QSqlQuery& query, const RowChange& change)
{
    qsizetype position = 0;
    if (change.kind == RowChange::Kind::insert || change.kind == RowChange::Kind::remove)
        query.bindValue(placeholder(position++), change.storeKey);
    for (const QVariant& value : change.values)
        query.bindValue(placeholder(position++), value);
    if (change.kind == RowChange::Kind::update)
        query.bindValue(placeholder(position), change.storeKey);
}

} // namespace

ModelStore::ModelStore(const QString& filePath, const QString& connectionName)
    : m_filePath(filePath)
    , m_connectionName(connectionName)
{}

ModelStore::~ModelStore()
{
    {
        QSqlDatabase database = connection(m_connectionName);
        database.close();
    }
    QSqlDatabase::removeDatabase(m_connectionName);
}

QString ModelStore::defaultFilePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + u"/quorvane.sqlite"_s;
}

Result<std::unique_ptr<ModelStore>> ModelStore::open(const QString& filePath, Verification verification)
{
    if (!QDir().mkpath(QFileInfo(filePath).absolutePath()))
        return Error::of(Problem::fileFailed("create-folder", QFileInfo(filePath).absolutePath()));

    const QString connectionName = u"quorvane-"_s + QUuid::createUuid().toString(QUuid::WithoutBraces);
    {
        QSqlDatabase database = QSqlDatabase::addDatabase(u"QSQLITE"_s, connectionName);
        database.setDatabaseName(filePath);
    }
    std::unique_ptr<ModelStore> store(new ModelStore(filePath, connectionName));
    if (!connection(connectionName).open())
        return sqlError(u"Cannot open "_s + filePath, connection(connectionName).lastError());

    store->setBusyTimeout(std::chrono::seconds(5));
    // Nothing may write to the file before it has proven to be a store we understand.
    if (Outcome readable = store->checkReadable(); !readable)
        return readable.error();
    if (verification == Verification::atOpen) {
        if (Outcome intact = store->proveIntact(); !intact)
            return intact.error();
    }
    if (Outcome migrated = store->migrate(); !migrated)
        return migrated.error();
    // Readers do not block a writer in another process, and commits survive a crash.
    bool inWalMode = false;
    {
        auto mode = run(connectionName, u"PRAGMA journal_mode"_s);
        if (!mode)
            return mode.error();
        inWalMode = mode.value().next() && mode.value().value(0).toString() == u"wal"_s;
    } // the statement ends here, as the mode cannot change while one runs
    if (!inWalMode) {
        if (Outcome intact = store->proveIntact(); !intact)
            return intact.error();
        if (auto wal = run(connectionName, u"PRAGMA journal_mode = WAL"_s); !wal)
            return wal.error();
    }
    // In WAL mode a commit need not wait for the disk: the file stays whole whatever happens, and
    // only a power cut right after a commit could take that last commit back. The checkpoints
    // still reach the disk before they count.
    if (auto synchronous = run(connectionName, u"PRAGMA synchronous = NORMAL"_s); !synchronous)
        return synchronous.error();
    return store;
}

void ModelStore::setBusyTimeout(std::chrono::milliseconds timeout)
{
    (void)run(m_connectionName, u"PRAGMA busy_timeout = %1"_s.arg(timeout.count()));
}

Error ModelStore::damaged(const QString& detail) const
{
    return {m_filePath + u" is damaged or no database: "_s + detail,
            Problem(Problem::Kind::storeDamaged, {m_filePath, detail})};
}

Outcome ModelStore::proveIntact()
{
    if (m_provenIntact)
        return {};
    auto check = run(m_connectionName, u"PRAGMA quick_check"_s);
    if (!check)
        return damaged(check.error().description);
    if (!check.value().next() || check.value().value(0).toString() != u"ok"_s)
        return damaged(check.value().value(0).toString());
    m_provenIntact = true;
    return {};
}

Outcome ModelStore::checkReadable()
{
    // Reading the schema fails on anything that is not an SQLite file, or has a broken header.
    if (auto schema = run(m_connectionName, u"SELECT count(*) FROM sqlite_master"_s); !schema)
        return damaged(schema.error().description);

    auto version = userVersion(m_connectionName);
    if (!version)
        return version.error();
    if (version.value() > schemaVersion)
        return Error{u"%1 is of a newer schema (%2; this version knows up to %3)"_s.arg(m_filePath)
                         .arg(version.value())
                         .arg(schemaVersion),
                     Problem(Problem::Kind::storeOfNewerVersion,
                             {m_filePath, QString::number(version.value()), QString::number(schemaVersion)})};
    return {};
}

Outcome ModelStore::migrate()
{
    // A version only grows, so the steps already taken need no write lock to be skipped:
    // a store that is up to date is opened without taking one.
    auto current = userVersion(m_connectionName);
    if (!current)
        return current.error();
    if (current.value() < schemaVersion) {
        if (Outcome intact = proveIntact(); !intact)
            return intact.error();
    }
    for (int target = current.value() + 1; target <= schemaVersion; ++target) {
        Outcome step = inImmediateTransaction(m_connectionName, [&]() -> Outcome {
            // Another process may have migrated meanwhile; the write lock makes the check final.
            auto version = userVersion(m_connectionName);
            if (!version)
                return version.error();
            if (version.value() >= target)
                return {};
            for (const QString& statement : migrationTo(target)) {
                if (auto done = run(m_connectionName, statement); !done)
                    return done.error();
            }
            if (auto set = run(m_connectionName, u"PRAGMA user_version = %1"_s.arg(target)); !set)
                return set.error();
            return {};
        });
        if (!step)
            return Error{u"Cannot upgrade the store file to schema %1: "_s.arg(target) +
                         step.error().description};
    }
    return {};
}

Result<QList<StoredRow>> ModelStore::readAll(const RecordSchema& schema)
{
    auto query = run(m_connectionName, u"SELECT store_key, %1 FROM %2 ORDER BY rowid"_s.arg(
                                           schema.columnNames().join(u", "_s), schema.table));
    if (!query)
        return query.error();
    return rowsOf(query.value(), schema);
}

Result<QList<StoredRow>> ModelStore::readWhere(const RecordSchema& schema, const RowCondition& where)
{
    QSqlQuery query(connection(m_connectionName));
    if (Outcome selected =
            selectWhere(query, schema, u"store_key, "_s + schema.columnNames().join(u", "_s), where);
        !selected)
        return selected.error();
    return rowsOf(query, schema);
}

Result<QList<QVariantList>> ModelStore::readColumnsWhere(const RecordSchema& schema,
                                                         const QList<Column>& wanted,
                                                         const RowCondition& where)
{
    QStringList names;
    for (const Column& column : wanted)
        names.append(column.name);
    QSqlQuery query(connection(m_connectionName));
    if (Outcome selected = selectWhere(query, schema, names.join(u", "_s), where); !selected)
        return selected.error();
    QList<QVariantList> rows;
    while (query.next()) {
        QVariantList values;
        values.reserve(wanted.size());
        for (int column = 0; column < wanted.size(); ++column)
            values.append(query.value(column));
        rows.append(std::move(values));
    }
    return rows;
}

Result<qint64> ModelStore::revision()
{
    auto query = run(m_connectionName, u"SELECT revision FROM store_revision"_s);
    if (!query)
        return query.error();
    if (!query.value().next())
        return Error{u"The store file "_s + m_filePath + u" has lost its revision."_s};
    return query.value().value(0).toLongLong();
}

Result<StoreSnapshot> ModelStore::readSnapshot()
{
    return readSnapshot(allSchemas());
}

Result<StoreSnapshot> ModelStore::readSnapshot(const QList<const RecordSchema*>& tables)
{
    if (auto begun = run(m_connectionName, u"BEGIN"_s); !begun)
        return begun.error();
    const auto endRead = qScopeGuard([this] { (void)run(m_connectionName, u"COMMIT"_s); });
    StoreSnapshot snapshot;
    auto current = revision();
    if (!current)
        return current.error();
    snapshot.revision = current.value();
    for (const RecordSchema* schema : tables) {
        auto rows = readAll(*schema);
        if (!rows)
            return rows.error();
        snapshot.rowsByTable.emplace(schema->table, std::move(rows).value());
    }
    return snapshot;
}

Result<qint64> ModelStore::apply(const QList<RowChange>& changes)
{
    if (Outcome intact = proveIntact(); !intact)
        return intact.error();
    qint64 committed = 0;
    Outcome written = inImmediateTransaction(m_connectionName, [&]() -> Outcome {
        // Rows of one kind share a statement, prepared once per save: inserts and deletions
        // are known by kind and table alone, as they name every column or none; updates by
        // the columns they change.
        std::map<std::pair<RowChange::Kind, const RecordSchema*>, QSqlQuery> byTable;
        std::map<QString, QSqlQuery> updates;
        for (const RowChange& change : changes) {
            const bool isUpdate = change.kind == RowChange::Kind::update;
            const QString updateStatement = isUpdate ? statementOf(change) : QString();
            QSqlQuery* query = nullptr;
            if (isUpdate) {
                if (const auto known = updates.find(updateStatement); known != updates.end())
                    query = &known->second;
            } else if (const auto known = byTable.find({change.kind, change.schema});
                       known != byTable.end()) {
                query = &known->second;
            }
            if (!query) {
                QSqlQuery fresh(connection(m_connectionName));
                if (!fresh.prepare(isUpdate ? updateStatement : statementOf(change)))
                    return sqlError(u"Cannot save to "_s + change.schema->table, fresh.lastError());
                query = isUpdate ? &updates.emplace(updateStatement, std::move(fresh)).first->second
                                 : &byTable.emplace(std::pair(change.kind, change.schema), std::move(fresh))
                                        .first->second;
            }
            bindValuesOf(*query, change);
            if (!query->exec())
                return sqlError(u"Cannot save to "_s + change.schema->table, query->lastError());
        }
        if (auto counted = run(m_connectionName, u"UPDATE store_revision SET revision = revision + 1"_s);
            !counted)
            return counted.error();
        auto current = revision();
        if (!current)
            return current.error();
        committed = current.value();
        return {};
    });
    if (!written)
        return written.error();
    return committed;
}
