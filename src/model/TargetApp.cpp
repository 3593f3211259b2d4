#include "model/TargetApp.h"

#include "base/EnumNames.h"
#include "model/NameOrder.h"

#include <algorithm>

using namespace Qt::StringLiterals;

const QList<Field<TargetApp>>& TargetApp::fields()
{
    using R = TargetApp;
    static const QList<Field<R>> fields{
        {Columns::id, [](const R& r) { return storedUuid(r.m_id); },
         [](R& r, const QVariant& v) {
             r.m_id = uuidFromStored(v);
         }},
        {Columns::name, [](const R& r) { return QVariant(r.m_name); },
         [](R& r, const QVariant& v) {
             r.m_name = v.toString();
         }},
        {Columns::folderPath, [](const R& r) { return QVariant(r.m_folderPath); },
         [](R& r, const QVariant& v) {
             r.m_folderPath = v.toString();
         }},
        {Columns::systemImageName, [](const R& r) { return QVariant(r.m_systemImageName); },
         [](R& r, const QVariant& v) {
             r.m_systemImageName = v.toString();
         }},
        {Columns::bookmarkData, [](const R& r) { return storedBytes(r.m_bookmarkData); },
         [](R& r, const QVariant& v) {
             r.m_bookmarkData = bytesFromStored(v);
         }},
        // Apps stored before copies existed have no value here, and link.
        {Columns::placement, [](const R& r) { return QVariant(placementKindName(r.m_placement)); },
         [](R& r, const QVariant& v) {
             r.m_placement = placementKindNamed(v.toString()).value_or(PlacementKind::link);
         }},
        {Columns::preset, [](const R& r) { return storedText(r.m_preset); },
         [](R& r, const QVariant& v) {
             r.m_preset = textFromStored(v);
         }},
        {Columns::project, [](const R& r) { return storedText(r.m_project); },
         [](R& r, const QVariant& v) {
             r.m_project = textFromStored(v);
         }},
    };
    return fields;
}

namespace {

constexpr EnumName<PlacementKind> placementNames[] = {{PlacementKind::link, u"link"},
                                                      {PlacementKind::copy, u"copy"}};

} // namespace

QString placementKindName(PlacementKind kind)
{
    return nameIn<PlacementKind>(placementNames, kind);
}

std::optional<PlacementKind> placementKindNamed(const QString& name)
{
    return valueNamed<PlacementKind>(placementNames, name);
}

TargetApp::TargetApp(const QString& name, const QString& folderPath, const QString& systemImageName,
                     const std::optional<QByteArray>& bookmarkData)
    : m_name(name)
    , m_folderPath(folderPath)
    , m_systemImageName(systemImageName)
    , m_bookmarkData(bookmarkData)
{}

QString TargetApp::shownName() const
{
    if (!m_project)
        return m_name;
    const QString folder = m_project->section(u'/', -1, -1, QString::SectionSkipEmpty);
    return m_name + u" ("_s + folder + u')';
}

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
}

void TargetApp::setFolderPath(const QString& path)
{
    m_folderPath = path;
    noteFieldChanged(Columns::folderPath.name);
}

void TargetApp::setSystemImageName(const QString& name)
{
    m_systemImageName = name;
    noteFieldChanged(Columns::systemImageName.name);
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

void TargetApp::setPreset(const std::optional<QString>& id)
{
    m_preset = id;
    noteFieldChanged(Columns::preset.name);
}

void TargetApp::setProject(const std::optional<QString>& folder)
{
    m_project = folder;
    noteFieldChanged(Columns::project.name);
}
