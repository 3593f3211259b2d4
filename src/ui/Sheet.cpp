#include "ui/Sheet.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace {

// Covers its window and dims it, so the sheet stands out from what it belongs to.
class Backdrop : public QWidget
{
public:
    explicit Backdrop(QWidget* window)
        : QWidget(window)
    {
        setObjectName(QStringLiteral("sheetBackdrop"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setGeometry(window->rect());
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), QColor(0, 0, 0, 90));
    }
};

} // namespace

QLabel* Sheet::makeTitle(const QString& text)
{
    auto* title = new QLabel(text, this);
    QFont font = title->font();
    font.setBold(true);
    title->setFont(font);
    return title;
}

QHBoxLayout* Sheet::makeButtonRow(QPushButton* confirm, const QString& cancelName, OnReturn onReturn)
{
    auto* cancel = new QPushButton(tr("Cancel"), this);
    cancel->setObjectName(cancelName);
    cancel->setAutoDefault(false);
    if (onReturn == OnReturn::cancel) {
        // Neither a focused confirm button takes Return for itself.
        confirm->setAutoDefault(false);
        confirm->setDefault(false);
        cancel->setDefault(true);
    }
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject); // Escape rejects as well
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(cancel);
    row->addWidget(confirm);
    return row;
}

Sheet::Sheet(QWidget* parent)
    : QDialog(parent)
{
    setWindowModality(parent ? Qt::WindowModal : Qt::ApplicationModal);
    setSizeGripEnabled(false);
}

void Sheet::showEvent(QShowEvent* event)
{
    adjustSize();
    centreOnWindow();
    if (QWidget* window = parentWidget() ? parentWidget()->window() : nullptr; window && !m_backdrop) {
        m_backdrop = new Backdrop(window);
        m_backdrop->show();
        m_backdrop->raise();
    }
    QDialog::showEvent(event);
}

void Sheet::hideEvent(QHideEvent* event)
{
    delete m_backdrop;
    QDialog::hideEvent(event);
}

void Sheet::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void Sheet::centreOnWindow()
{
    QWidget* window = parentWidget() ? parentWidget()->window() : nullptr;
    if (!window)
        return;
    // Never larger than the window: a long list scrolls inside the sheet instead.
    resize(size().boundedTo(window->size() - QSize(40, 40)).expandedTo(minimumSize()));
    const QRect frame = window->geometry();
    move(frame.center() - rect().center());
}
