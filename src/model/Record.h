#pragma once

#include <QDateTime>
#include <QObject>
#include <QSet>
#include <QString>
#include <QUuid>
#include <QVariantMap>

class ModelContext;

enum class RecordType
{
    targetApp,
    appSettings,
    skillLinkRecord,
    skillSource,
    skillProvenance,
    auditAcceptance
};

// One column of a record's table: declared once, and used by the schema, the
// migrations and the record's setters alike.
struct Column
{
    QString name;
    QString sqlType;      // "TEXT", "BLOB", "INTEGER"
    int sinceVersion = 1; // the schema version that added it
};

// A condition on a row: its column holds the value.
struct ColumnValue
{
    Column column;
    QVariant value;
};
using RowCondition = QList<ColumnValue>; // every one holds

// Table layout of one record type in the store file.
struct RecordSchema
{
    QString table;
    QList<Column> columns; // without the store key
    int sinceVersion = 1;  // the schema version that added the table

    QStringList columnNames() const;
};

// Where a record type's rows live: the table and the schema version that added it.
struct TableName
{
    QString name;
    int sinceVersion = 1;
};

// A persistent record owned by a ModelContext. Records are reference objects: two records
// are the same exactly when they are the same object, however equal their fields are, and
// the context keeps one object per stored row for its whole life.
class Record : public QObject
{
    Q_OBJECT

public:
    ~Record() override;

    virtual RecordType recordType() const = 0;

    // The record's key in the store: fixed at creation, unlike the user-visible id
    // (a backup import overwrites a target app's id).
    const QString& storeKey() const { return m_storeKey; }

    // The context the record was inserted into, or none.
    ModelContext* context() const { return m_context; }

Q_SIGNALS:
    // Any field changed, by this program or (after a refresh) by another process.
    void fieldsChanged();

protected:
    Record();

    // Subclass setters call this after assigning a field, with the field's column name.
    void noteFieldChanged(const QString& column);
    // Observers and the context hear that fields changed, as after stored values were assigned.
    void announceChange();

    // Column values as the store keeps them, and the way back.
    static QVariant storedUuid(const QUuid& uuid) { return uuid.toString(QUuid::WithoutBraces); }
    static QUuid uuidFromStored(const QVariant& value) { return QUuid::fromString(value.toString()); }
    static QVariant storedDate(const QDateTime& date);
    static QDateTime dateFromStored(const QVariant& value);
    static QVariant storedBytes(const std::optional<QByteArray>& bytes);
    static std::optional<QByteArray> bytesFromStored(const QVariant& value);
    static QVariant storedText(const std::optional<QString>& text);
    static std::optional<QString> textFromStored(const QVariant& value);

private:
    friend class ModelContext;

    // In the order of the schema's columns.
    virtual QVariantList columnValues() const = 0;
    // Assigns the stored values present, then tells observers, so they see outside changes.
    virtual void assignColumnValues(const QVariantMap& values) = 0;

    QString m_storeKey;
    ModelContext* m_context = nullptr;
    QSet<QString> m_changedColumns; // changed since the last save
    bool m_assigningStoredValues = false;
};

// One field of record type R: its column, and how its value goes into the store and back.
template <typename R> struct Field
{
    Column column;
    QVariant (*stored)(const R& record);
    void (*assign)(R& record, const QVariant& value);
};

// The base of a record type R declared once: R lists its fields in `R::fields()` and names
// its table in `R::table`; the schema, the values written and their assignment on reading
// all come from that list, so a column cannot be written in one place and missed in another.
template <typename R> class RecordOf : public Record
{
public:
    static const RecordSchema& schema()
    {
        static const RecordSchema schema = [] {
            RecordSchema made{R::table.name, {}, R::table.sinceVersion};
            for (const Field<R>& field : R::fields())
                made.columns.append(field.column);
            return made;
        }();
        return schema;
    }

    RecordType recordType() const final { return R::type; }

private:
    QVariantList columnValues() const final
    {
        QVariantList values;
        values.reserve(R::fields().size());
        for (const Field<R>& field : R::fields())
            values.append(field.stored(static_cast<const R&>(*this)));
        return values;
    }

    void assignColumnValues(const QVariantMap& values) final
    {
        // Only the columns present are assigned: the context leaves out those changed here.
        for (const Field<R>& field : R::fields())
            if (const auto value = values.constFind(field.column.name); value != values.cend())
                field.assign(static_cast<R&>(*this), *value);
        announceChange();
    }
};
