#include "app/WindowMemory.h"

#include "app/ContentView.h"

#include <QSettings>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace {

// The section as written to the file: "hub", "store", "health" or "app:" and the app's id.
QString sectionText(const std::optional<SidebarSelection>& section)
{
    if (!section || section->kind == SidebarSelection::Kind::centralHub)
        return u"hub"_s;
    if (section->kind == SidebarSelection::Kind::discoverStore)
        return u"store"_s;
    if (section->kind == SidebarSelection::Kind::health)
        return u"health"_s;
    return u"app:"_s + section->appID.toString(QUuid::WithoutBraces);
}

SidebarSelection sectionFrom(const QString& text)
{
    if (text == u"store"_s)
        return SidebarSelection::discoverStore();
    if (text == u"health"_s)
        return SidebarSelection::health();
    if (text.startsWith(u"app:"_s))
        if (const QUuid id = QUuid::fromString(text.mid(4)); !id.isNull())
            return SidebarSelection::app(id);
    return SidebarSelection::centralHub();
}

} // namespace

WindowMemory::WindowMemory(const QString& filePath)
    : m_filePath(filePath)
{}

QString WindowMemory::defaultFilePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           u"/Quorvane/window.ini"_s;
}

void WindowMemory::restore(ContentView& window) const
{
    const QSettings file(m_filePath, QSettings::IniFormat);
    if (const QByteArray geometry = file.value(u"window/geometry"_s).toByteArray(); !geometry.isEmpty())
        window.restoreGeometry(geometry);
    if (const QByteArray columns = file.value(u"window/columns"_s).toByteArray(); !columns.isEmpty())
        window.restoreColumns(columns);
    if (file.contains(u"window/section"_s))
        window.showSection(sectionFrom(file.value(u"window/section"_s).toString()));
}

bool WindowMemory::adoptionOffered() const
{
    return QSettings(m_filePath, QSettings::IniFormat).value(u"adoption/offered"_s).toBool();
}

void WindowMemory::rememberAdoptionOffered() const
{
    QSettings(m_filePath, QSettings::IniFormat).setValue(u"adoption/offered"_s, true);
}

void WindowMemory::remember(const ContentView& window) const
{
    QSettings file(m_filePath, QSettings::IniFormat);
    file.setValue(u"window/geometry"_s, window.saveGeometry());
    file.setValue(u"window/columns"_s, window.columnsState());
    file.setValue(u"window/section"_s, sectionText(window.section()));
}
