#include "model/TargetApp.h"

#include "model/NameOrder.h"

#include <algorithm>

using namespace Qt::StringLiterals;

const RecordSchema& TargetApp::schema()
{
    static const RecordSchema schema{u"target_apps"_s,
                                     {Columns::id, Columns::name, Columns::folderPath,
                                      Columns::systemImageName, Columns::bookmarkData, Columns::placement}};
    return schema;
}

QString placementKindName(PlacementKind kind)
{
    return kind == PlacementKind::copy ? u"copy"_s : u"link"_s;
}

std::optional<PlacementKind> placementKindNamed(const QString& name)
{
    if (name == u"link"_s)
        return PlacementKind::link;
    if (name == u"copy"_s)
        return PlacementKind::copy;
    return std::nullopt;
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
    noteFieldChanged(Columns::id.name);
}

void TargetApp::setName(const QString& name)
{
    m_name = name;
    noteFieldChanged(Columns::name.name);
    Q_EMIT nameChanged();
}

void TargetApp::setFolderPath(const QString& path)
{
    m_folderPath = path;
    noteFieldChanged(Columns::folderPath.name);
    Q_EMIT folderPathChanged();
}

void TargetApp::setSystemImageName(const QString& name)
{
    m_systemImageName = name;
    noteFieldChanged(Columns::systemImageName.name);
    Q_EMIT systemImageNameChanged();
}

void TargetApp::setBookmarkData(const std::optional<QByteArray>& bookmark)
{
    m_bookmarkData = bookmark;
    noteFieldChanged(Columns::bookmarkData.name);
}

void TargetApp::setPlacement(PlacementKind kind)
{
    m_placement = kind;
    noteFieldChanged(Columns::placement.name);
}

QVariantList TargetApp::columnValues() const
{
    return {storedUuid(m_id),
            m_name,
            m_folderPath,
            m_systemImageName,
            storedBytes(m_bookmarkData),
            placementKindName(m_placement)};
}

void TargetApp::assignColumnValues(const QVariantMap& values)
{
    // Only the columns present are assigned: the context leaves out those changed here.
    if (values.contains(Columns::id.name))
        setId(uuidFromStored(values[Columns::id.name]));
    if (values.contains(Columns::name.name))
        setName(values[Columns::name.name].toString());
    if (values.contains(Columns::folderPath.name))
        setFolderPath(values[Columns::folderPath.name].toString());
    if (values.contains(Columns::systemImageName.name))
        setSystemImageName(values[Columns::systemImageName.name].toString());
    if (values.contains(Columns::bookmarkData.name))
        setBookmarkData(bytesFromStored(values[Columns::bookmarkData.name]));
    // Apps stored before copies existed have no value here, and link.
    if (values.contains(Columns::placement.name))
        setPlacement(
            placementKindNamed(values[Columns::placement.name].toString()).value_or(PlacementKind::link));
}
