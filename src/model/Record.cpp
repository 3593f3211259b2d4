#include "model/Record.h"

#include "model/ModelContext.h"

#include <QTimeZone>

Record::Record()
    : m_storeKey(QUuid::createUuid().toString(QUuid::WithoutBraces))
{}

Record::~Record() = default;

void Record::noteFieldChanged(const QString& column)
{
    // A record not yet in a context is written whole when it is inserted.
    if (!m_assigningStoredValues && m_context)
        m_changedColumns.insert(column);
    announceChange();
}

void Record::announceChange()
{
    Q_EMIT fieldsChanged();
    if (m_context)
        m_context->noteRecordChanged(*this);
}

QVariant Record::storedDate(const QDateTime& date)
{
    return date.toMSecsSinceEpoch();
}

QDateTime Record::dateFromStored(const QVariant& value)
{
    return QDateTime::fromMSecsSinceEpoch(value.toLongLong(), QTimeZone::utc());
}

QVariant Record::storedBytes(const std::optional<QByteArray>& bytes)
{
    return bytes ? QVariant(*bytes) : QVariant(QMetaType::fromType<QByteArray>());
}

std::optional<QByteArray> Record::bytesFromStored(const QVariant& value)
{
    if (value.isNull())
        return std::nullopt;
    return value.toByteArray();
}

QVariant Record::storedText(const std::optional<QString>& text)
{
    return text ? QVariant(*text) : QVariant();
}

std::optional<QString> Record::textFromStored(const QVariant& value)
{
    if (value.isNull())
        return std::nullopt;
    return value.toString();
}

QStringList RecordSchema::columnNames() const
{
    QStringList names;
    for (const Column& column : columns)
        names.append(column.name);
    return names;
}
