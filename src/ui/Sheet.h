#pragma once

#include <QDialog>
#include <QPointer>

// A dialog that belongs to one window: window-modal, centred on it, sized to its content,
// drawn with a frame over a dimmed window, so it never reads as part of the views behind
// it (also where no window manager draws frames, as under Xvfb).
class Sheet : public QDialog
{
    Q_OBJECT

public:
    explicit Sheet(QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void centreOnWindow();

    QPointer<QWidget> m_backdrop; // a child of the parent's window while the sheet is open
};
