#include "model/AppSettings.h"

using namespace Qt::StringLiterals;

const RecordSchema& AppSettings::schema()
{
    static const RecordSchema schema{
        u"app_settings"_s,
        {Columns::id, Columns::centralRepositoryPath, Columns::centralBookmarkData, Columns::updatedAt}};
    return schema;
}

AppSettings::AppSettings(const QString& centralRepositoryPath,
                         const std::optional<QByteArray>& centralBookmarkData)
    : m_centralRepositoryPath(centralRepositoryPath)
    , m_centralBookmarkData(centralBookmarkData)
{}

void AppSettings::setId(const QUuid& id)
{
    m_id = id;
    noteFieldChanged(Columns::id.name);
}

void AppSettings::setCentralRepositoryPath(const QString& path)
{
    m_centralRepositoryPath = path;
    noteFieldChanged(Columns::centralRepositoryPath.name);
    Q_EMIT centralRepositoryPathChanged();
}

void AppSettings::setCentralBookmarkData(const std::optional<QByteArray>& bookmark)
{
    m_centralBookmarkData = bookmark;
    noteFieldChanged(Columns::centralBookmarkData.name);
}

void AppSettings::setUpdatedAt(const QDateTime& date)
{
    m_updatedAt = date;
    noteFieldChanged(Columns::updatedAt.name);
}

QVariantList AppSettings::columnValues() const
{
    return {storedUuid(m_id), m_centralRepositoryPath, storedBytes(m_centralBookmarkData),
            storedDate(m_updatedAt)};
}

void AppSettings::assignColumnValues(const QVariantMap& values)
{
    // Only the columns present are assigned: the context leaves out those changed here.
    if (values.contains(Columns::id.name))
        setId(uuidFromStored(values[Columns::id.name]));
    if (values.contains(Columns::centralRepositoryPath.name))
        setCentralRepositoryPath(values[Columns::centralRepositoryPath.name].toString());
    if (values.contains(Columns::centralBookmarkData.name))
        setCentralBookmarkData(bytesFromStored(values[Columns::centralBookmarkData.name]));
    if (values.contains(Columns::updatedAt.name))
        setUpdatedAt(dateFromStored(values[Columns::updatedAt.name]));
}
