#pragma once

#include <QColor>
#include <QIcon>
#include <QString>

// Icons are named by system symbol names ("folder.fill", "globe"). This is the one place
// that maps them to the desktop's icon theme, with a bundled drawing where the theme has none.
QIcon symbolIcon(const QString& systemName);

// The symbol drawn in one colour, as rows show "folder.fill" in orange.
QIcon tintedSymbolIcon(const QString& systemName, const QColor& color);

// The colours the views give kinds of items.
namespace SymbolColors {
inline const QColor folder{0xF0, 0x8C, 0x00};
inline const QColor file{0x1E, 0x6F, 0xD9};
inline const QColor good{0x2E, 0x9E, 0x4A};
inline const QColor warning{0xF0, 0x8C, 0x00};
inline const QColor bad{0xD7, 0x2C, 0x2C};
} // namespace SymbolColors
