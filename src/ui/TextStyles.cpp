#include "ui/TextStyles.h"

#include <QFontDatabase>
#include <QLabel>

using namespace Qt::StringLiterals;

namespace TextStyles {

QFont scaled(QFont font, qreal factor, bool bold)
{
    font.setPointSizeF(font.pointSizeF() * factor);
    font.setBold(bold);
    return font;
}

QLabel* title(const QString& text)
{
    auto* label = new QLabel(text);
    label->setTextFormat(Qt::PlainText);
    label->setFont(scaled(label->font(), 1.3, true));
    return label;
}

QLabel* secondary(const QString& text)
{
    auto* label = new QLabel(text);
    label->setForegroundRole(QPalette::PlaceholderText);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

QLabel* caption(const QString& text)
{
    auto* label = new QLabel(text);
    label->setFont(scaled(label->font(), 0.85));
    label->setForegroundRole(QPalette::PlaceholderText);
    return label;
}

QLabel* monospaced(const QString& text)
{
    auto* label = new QLabel(text);
    label->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

QLabel* coloured(const QString& text, const QColor& color, const QString& extraStyle)
{
    auto* label = new QLabel(text);
    label->setStyleSheet(u"QLabel { color: %1; %2 }"_s.arg(color.name(), extraStyle));
    return label;
}

} // namespace TextStyles
