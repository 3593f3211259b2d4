#pragma once

#include <QIcon>
#include <QString>

// Icons are named by system symbol names ("folder.fill", "globe"). This is the one place
// that maps them to the desktop's icon theme, with a bundled drawing where the theme has none.
QIcon symbolIcon(const QString& systemName);
