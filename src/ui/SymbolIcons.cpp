#include "SymbolIcons.h"

#include <QFile>
#include <QHash>
#include <QPainter>
#include <QPixmap>

using namespace Qt::StringLiterals;

namespace {

// System symbol name -> freedesktop icon theme name.
const QHash<QString, QString>& themeNames()
{
    static const QHash<QString, QString> names = {
        {u"globe"_s, u"applications-internet"_s},
        {u"server.rack"_s, u"network-server"_s},
        {u"folder"_s, u"folder"_s},
        {u"folder.fill"_s, u"folder"_s},
        {u"doc.text"_s, u"text-x-generic"_s},
        {u"sidebar.left"_s, u"view-left-pane"_s},
        {u"exclamationmark.triangle"_s, u"dialog-warning"_s},
        {u"magnifyingglass"_s, u"edit-find"_s},
        {u"doc.text.magnifyingglass"_s, u"document-preview"_s},
        {u"arrow.clockwise"_s, u"view-refresh"_s},
        {u"plus"_s, u"list-add"_s},
        {u"trash"_s, u"edit-delete"_s},
        {u"arrow.down.doc"_s, u"document-save"_s},
    };
    return names;
}

} // namespace

QIcon symbolIcon(const QString& systemName)
{
    const QString bundled = u":/symbols/"_s + systemName + u".svg"_s;
    const QIcon fallback = QFile::exists(bundled) ? QIcon(bundled) : QIcon();
    const QString themeName = themeNames().value(systemName);
    if (themeName.isEmpty())
        return fallback;
    return QIcon::fromTheme(themeName, fallback);
}

QIcon tintedSymbolIcon(const QString& systemName, const QColor& color)
{
    QIcon tinted;
    for (const int size : {16, 24, 32, 48, 64}) {
        QPixmap pixmap = symbolIcon(systemName).pixmap(size, size);
        QPainter painter(&pixmap);
        painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
        painter.fillRect(pixmap.rect(), color);
        painter.end();
        tinted.addPixmap(pixmap);
    }
    return tinted;
}
