#pragma once

#include <QLabel>

// A one-line label that never asks for more width than it gets: what does not fit is elided
// (the whole text in its tooltip), so a long name cannot widen the window.
class ElidedLabel : public QLabel
{
    Q_OBJECT

public:
    explicit ElidedLabel(const QString& text, Qt::TextElideMode mode = Qt::ElideMiddle,
                         QWidget* parent = nullptr);

    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Qt::TextElideMode m_mode;
};
