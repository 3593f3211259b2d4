#pragma once

#include <QDialog>
#include <QPointer>

class QHBoxLayout;
class QLabel;
class QPushButton;

// A dialog that belongs to one window: window-modal, centred on it, sized to its content,
// drawn with a frame over a dimmed window, so it never reads as part of the views behind
// it (also where no window manager draws frames, as under Xvfb).
class Sheet : public QDialog
{
    Q_OBJECT

public:
    explicit Sheet(QWidget* parent = nullptr);

protected:
    // The sheet's title: bold, to stand centred above its content.
    QLabel* makeTitle(const QString& text);
    // How Return answers a sheet.
    enum class OnReturn
    {
        confirm, // as `confirm` says, where it is the sheet's default
        cancel,  // "Abbrechen": what agreeing would accept must be clicked, never just pressed
    };
    // The row closing a sheet: "Abbrechen" (named `cancelName`), which rejects, and `confirm`.
    QHBoxLayout* makeButtonRow(QPushButton* confirm, const QString& cancelName = {},
                               OnReturn onReturn = OnReturn::confirm);

    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void centreOnWindow();

    QPointer<QWidget> m_backdrop; // a child of the parent's window while the sheet is open
};
