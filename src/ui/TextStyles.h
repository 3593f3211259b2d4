#pragma once

#include <QColor>
#include <QFont>
#include <QString>

class QLabel;

// The text styles the views share, so a look is changed in one place.
namespace TextStyles {

// A font scaled from `font`, bold or not.
QFont scaled(QFont font, qreal factor, bool bold = false);

// Column titles such as "Zentraler Hub".
QLabel* title(const QString& text);
// Explanations in the secondary colour, wrapped and centred.
QLabel* secondary(const QString& text);
// Small labels above values, such as "Zentraler Pfad".
QLabel* caption(const QString& text);
// Paths, names and previews: monospaced, selectable, plain text.
QLabel* monospaced(const QString& text);
// Text in a colour of its own, with optional extra style sheet declarations.
QLabel* coloured(const QString& text, const QColor& color, const QString& extraStyle = {});

} // namespace TextStyles
