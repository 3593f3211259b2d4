#pragma once

#include "base/Result.h"
#include "model/Record.h"

#include <QList>
#include <QString>
#include <QVariantMap>

#include <chrono>
#include <map>
#include <memory>

// One row as the store file holds it.
struct StoredRow
{
    QString storeKey;
    QVariantMap values; // column name -> stored value
};

// One change of a save; all changes of a save are written in one transaction.
struct RowChange
{
    enum class Kind
    {
        insert,
        update,
        remove,
        removeAll // every row of the table
    };
    Kind kind;
    const RecordSchema* schema;
    QString storeKey;
    // The values to write in the schema's column order: every column for an insert, the
    // columns at `changedColumns` for an update.
    QVariantList values;
    QList<qsizetype> changedColumns;
};

// Every stored row of every table as of one revision of the file, read in one transaction.
struct StoreSnapshot
{
    qint64 revision = 0;
    std::map<QString, QList<StoredRow>> rowsByTable;
};

// The SQLite file behind a ModelContext: schema, migrations and transactions.
// Several processes may have the same file open; every write takes the write lock first.
class ModelStore
{
public:
    static constexpr int schemaVersion = 8;

    // When every page of the file is checked: at once, or before the first write, so a
    // command that only reads does not walk the whole file. Nothing is written unchecked.
    enum class Verification
    {
        atOpen,
        beforeFirstWrite
    };
    // Opens (or creates) the store file, checks it and migrates it to schemaVersion.
    // A damaged file or one written by a newer version is refused and left untouched.
    static Result<std::unique_ptr<ModelStore>> open(const QString& filePath,
                                                    Verification verification = Verification::atOpen);

    // Where the program keeps its store: the user's application data folder.
    static QString defaultFilePath();

    ~ModelStore();
    ModelStore(const ModelStore&) = delete;
    ModelStore& operator=(const ModelStore&) = delete;

    const QString& filePath() const { return m_filePath; }

    // How long a write waits for another process to finish its own.
    void setBusyTimeout(std::chrono::milliseconds timeout);

    Result<QList<StoredRow>> readAll(const RecordSchema& schema);
    // The rows that meet the condition.
    Result<QList<StoredRow>> readWhere(const RecordSchema& schema, const RowCondition& where);
    // Only the wanted columns' values of the rows that meet the condition, in their order:
    // looking at two columns of many rows costs little more than the rows themselves.
    Result<QList<QVariantList>> readColumnsWhere(const RecordSchema& schema, const QList<Column>& wanted,
                                                 const RowCondition& where);
    // The rows of every table, or of the given ones only, as of one revision.
    Result<StoreSnapshot> readSnapshot();
    Result<StoreSnapshot> readSnapshot(const QList<const RecordSchema*>& tables);

    // Counts the commits to the file, by any connection and any process. Unlike SQLite's
    // data_version it means the same on every connection, so a snapshot read on a worker
    // thread can be compared with what the window's connection has seen.
    Result<qint64> revision();

    // Writes all changes in one immediate transaction; nothing is written on failure.
    // Returns the file's revision after the commit.
    Result<qint64> apply(const QList<RowChange>& changes);

private:
    explicit ModelStore(const QString& filePath, const QString& connectionName);

    // That the file is a store this version understands: its schema reads, its version is known.
    Outcome checkReadable();
    // That every page of the file is sound; checked once per connection.
    Outcome proveIntact();
    // The file is damaged, or not a database at all.
    Error damaged(const QString& detail) const;
    Outcome migrate();

    QString m_filePath;
    QString m_connectionName;
    bool m_provenIntact = false;
};
