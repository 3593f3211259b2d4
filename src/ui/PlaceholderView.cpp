#include "ui/PlaceholderView.h"

#include "ui/SymbolIcons.h"

#include <QLabel>
#include <QVBoxLayout>

PlaceholderView::PlaceholderView(QWidget* parent)
    : QWidget(parent)
    , m_symbol(new QLabel(this))
    , m_title(new QLabel(this))
    , m_text(new QLabel(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->addStretch();
    for (QLabel* label : {m_symbol, m_title, m_text}) {
        label->setAlignment(Qt::AlignCenter);
        label->setTextFormat(Qt::PlainText); // titles and texts may hold names from outside
        layout->addWidget(label);
    }
    layout->addStretch();

    QFont titleFont = m_title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.4);
    titleFont.setBold(true);
    m_title->setFont(titleFont);
    m_text->setWordWrap(true);
    m_text->setForegroundRole(QPalette::PlaceholderText);
}

void PlaceholderView::show(const QString& title, const QString& symbolName, const QString& text)
{
    m_symbolName = symbolName;
    m_symbol->setPixmap(symbolIcon(symbolName).pixmap(56, 56));
    m_title->setText(title);
    m_text->setText(text);
}

QString PlaceholderView::title() const
{
    return m_title->text();
}

QString PlaceholderView::text() const
{
    return m_text->text();
}
