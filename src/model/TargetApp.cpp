#include "TargetApp.h"

#include "NameOrder.h"

#include <algorithm>

using namespace Qt::StringLiterals;

const RecordSchema& TargetApp::schema()
{
    static const RecordSchema schema{
        u"target_apps"_s, {u"id"_s, u"name"_s, u"folder_path"_s, u"system_image_name"_s, u"bookmark_data"_s}};
    return schema;
}

TargetApp::TargetApp(const QString& name, const QString& folderPath, const QString& systemImageName,
                     const std::optional<QByteArray>& bookmarkData)
    : m_name(name)
    , m_folderPath(folderPath)
    , m_systemImageName(systemImageName)
    , m_bookmarkData(bookmarkData)
{}

QList<TargetApp*> TargetApp::sortedByName(QList<TargetApp*> apps)
{
    std::stable_sort(apps.begin(), apps.end(), [](const TargetApp* a, const TargetApp* b) {
        return precedesByCodePoint(a->name(), b->name());
    });
    return apps;
}

void TargetApp::setId(const QUuid& id)
{
    m_id = id;
    noteFieldChanged(u"id"_s);
}

void TargetApp::setName(const QString& name)
{
    m_name = name;
    noteFieldChanged(u"name"_s);
    Q_EMIT nameChanged();
}

void TargetApp::setFolderPath(const QString& path)
{
    m_folderPath = path;
    noteFieldChanged(u"folder_path"_s);
    Q_EMIT folderPathChanged();
}

void TargetApp::setSystemImageName(const QString& name)
{
    m_systemImageName = name;
    noteFieldChanged(u"system_image_name"_s);
    Q_EMIT systemImageNameChanged();
}

void TargetApp::setBookmarkData(const std::optional<QByteArray>& bookmark)
{
    m_bookmarkData = bookmark;
    noteFieldChanged(u"bookmark_data"_s);
}

QVariantMap TargetApp::columnValues() const
{
    return {{u"id"_s, storedUuid(m_id)},
            {u"name"_s, m_name},
            {u"folder_path"_s, m_folderPath},
            {u"system_image_name"_s, m_systemImageName},
            {u"bookmark_data"_s, storedBytes(m_bookmarkData)}};
}

void TargetApp::assignColumnValues(const QVariantMap& values)
{
    // Only the columns present are assigned: the context leaves out those changed here.
    if (values.contains(u"id"_s))
        setId(uuidFromStored(values[u"id"_s]));
    if (values.contains(u"name"_s))
        setName(values[u"name"_s].toString());
    if (values.contains(u"folder_path"_s))
        setFolderPath(values[u"folder_path"_s].toString());
    if (values.contains(u"system_image_name"_s))
        setSystemImageName(values[u"system_image_name"_s].toString());
    if (values.contains(u"bookmark_data"_s))
        setBookmarkData(bytesFromStored(values[u"bookmark_data"_s]));
}
