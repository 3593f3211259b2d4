#include "ui/SymbolIcons.h"

#include <QFile>
#include <QHash>
#include <QImage>
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
        {u"link"_s, u"emblem-symbolic-link"_s},
        {u"link.circle.fill"_s, u"emblem-symbolic-link"_s},
        {u"doc.circle.fill"_s, u"text-x-generic"_s},
        {u"doc.badge.plus"_s, u"document-new"_s},
        {u"arrow.triangle.2.circlepath"_s, u"view-refresh"_s},
        {u"square.and.arrow.down"_s, u"document-save"_s},
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
    // Lists ask for the same few icons for every row on every redraw.
    static QHash<QString, QIcon> cache;
    const QString key = systemName + u'|' + color.name(QColor::HexArgb);
    if (const auto cached = cache.constFind(key); cached != cache.cend())
        return *cached;
    QIcon tinted;
    for (const int size : {16, 24, 32, 48, 64}) {
        // Every drawn pixel takes the colour, except white ones, which keep the glyph
        // inside filled symbols readable.
        QImage image =
            symbolIcon(systemName).pixmap(size, size).toImage().convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < image.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                const QRgb pixel = line[x];
                const bool white = qRed(pixel) > 0xE0 && qGreen(pixel) > 0xE0 && qBlue(pixel) > 0xE0;
                if (qAlpha(pixel) > 0 && !white)
                    line[x] = qRgba(color.red(), color.green(), color.blue(), qAlpha(pixel));
            }
        }
        tinted.addPixmap(QPixmap::fromImage(image));
    }
    cache.insert(key, tinted);
    return tinted;
}
