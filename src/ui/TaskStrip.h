#pragma once

#include <QPointer>
#include <QWidget>

class BackgroundTask;
class QLabel;
class QProgressBar;
class QPushButton;

// The line at the foot of the window that shows the long task running: what it does, how
// far it is, and "Abbrechen". Hidden while nothing runs.
class TaskStrip : public QWidget
{
    Q_OBJECT

public:
    explicit TaskStrip(QWidget* parent = nullptr);

    void follow(BackgroundTask& task);
    bool isBusy() const { return m_busy; }

Q_SIGNALS:
    void busyChanged(bool busy);

private:
    void setBusy(bool busy);

    QLabel* m_text;
    QProgressBar* m_progress;
    QPushButton* m_cancel;
    QPointer<BackgroundTask> m_task; // the one followed now
    bool m_busy = false;
    qint64 m_scale = 1;
};
