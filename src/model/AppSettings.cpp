#include "model/AppSettings.h"

using namespace Qt::StringLiterals;

const QList<Field<AppSettings>>& AppSettings::fields()
{
    using R = AppSettings;
    static const QList<Field<R>> fields{
        {Columns::id, [](const R& r) { return storedUuid(r.m_id); },
         [](R& r, const QVariant& v) {
             r.m_id = uuidFromStored(v);
         }},
        {Columns::centralRepositoryPath, [](const R& r) { return QVariant(r.m_centralRepositoryPath); },
         [](R& r, const QVariant& v) {
             r.m_centralRepositoryPath = v.toString();
         }},
        {Columns::centralBookmarkData, [](const R& r) { return storedBytes(r.m_centralBookmarkData); },
         [](R& r, const QVariant& v) {
             r.m_centralBookmarkData = bytesFromStored(v);
         }},
        {Columns::updatedAt, [](const R& r) { return storedDate(r.m_updatedAt); },
         [](R& r, const QVariant& v) {
             r.m_updatedAt = dateFromStored(v);
         }},
    };
    return fields;
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
