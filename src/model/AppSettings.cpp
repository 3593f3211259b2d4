#include "AppSettings.h"

using namespace Qt::StringLiterals;

const RecordSchema& AppSettings::schema()
{
    static const RecordSchema schema{
        u"app_settings"_s,
        {u"id"_s, u"central_repository_path"_s, u"central_bookmark_data"_s, u"updated_at"_s}};
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
    noteFieldChanged(u"id"_s);
}

void AppSettings::setCentralRepositoryPath(const QString& path)
{
    m_centralRepositoryPath = path;
    noteFieldChanged(u"central_repository_path"_s);
    Q_EMIT centralRepositoryPathChanged();
}

void AppSettings::setCentralBookmarkData(const std::optional<QByteArray>& bookmark)
{
    m_centralBookmarkData = bookmark;
    noteFieldChanged(u"central_bookmark_data"_s);
}

void AppSettings::setUpdatedAt(const QDateTime& date)
{
    m_updatedAt = date;
    noteFieldChanged(u"updated_at"_s);
}

QVariantMap AppSettings::columnValues() const
{
    return {{u"id"_s, storedUuid(m_id)},
            {u"central_repository_path"_s, m_centralRepositoryPath},
            {u"central_bookmark_data"_s, storedBytes(m_centralBookmarkData)},
            {u"updated_at"_s, storedDate(m_updatedAt)}};
}

void AppSettings::assignColumnValues(const QVariantMap& values)
{
    // Only the columns present are assigned: the context leaves out those changed here.
    if (values.contains(u"id"_s))
        setId(uuidFromStored(values[u"id"_s]));
    if (values.contains(u"central_repository_path"_s))
        setCentralRepositoryPath(values[u"central_repository_path"_s].toString());
    if (values.contains(u"central_bookmark_data"_s))
        setCentralBookmarkData(bytesFromStored(values[u"central_bookmark_data"_s]));
    if (values.contains(u"updated_at"_s))
        setUpdatedAt(dateFromStored(values[u"updated_at"_s]));
}
