#include "ui/TaskStrip.h"

#include "actions/BackgroundTask.h"
#include "texts/OutcomeTexts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include <limits>

using namespace Qt::StringLiterals;

TaskStrip::TaskStrip(QWidget* parent)
    : QWidget(parent)
    , m_text(new QLabel(this))
    , m_progress(new QProgressBar(this))
    , m_cancel(new QPushButton(tr("Cancel"), this))
{
    setObjectName(u"taskStrip"_s);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed); // a line, never a share of the window
    m_text->setObjectName(u"taskText"_s);
    m_progress->setObjectName(u"taskProgress"_s);
    m_progress->setMaximumWidth(240);
    m_progress->setFormat(u"%p %"_s);
    m_cancel->setObjectName(u"cancelTask"_s);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 4, 8, 4);
    layout->addWidget(m_text, 1);
    layout->addWidget(m_progress);
    layout->addWidget(m_cancel);
    hide();
}

void TaskStrip::follow(BackgroundTask& task)
{
    // A task that starts its successor as it finishes hands the strip over; its own end
    // must not hide the strip then.
    if (m_task)
        disconnect(m_task, nullptr, this, nullptr);
    disconnect(m_cancel, nullptr, nullptr, nullptr);
    m_task = &task;
    m_text->setText(OutcomeTexts::task(task.work(), task.total()));
    // Bytes can pass what a progress bar counts; it shows a share of the whole instead.
    m_scale = std::max<qint64>(1, task.total() / std::numeric_limits<int>::max() + 1);
    m_progress->setRange(0, static_cast<int>(task.total() / m_scale));
    m_progress->setValue(0);
    m_cancel->setEnabled(true);
    connect(m_cancel, &QPushButton::clicked, &task, [this, &task] {
        m_cancel->setEnabled(false);
        task.cancel();
    });
    connect(&task, &BackgroundTask::progressed, this,
            [this](qint64 done) { m_progress->setValue(static_cast<int>(done / m_scale)); });
    connect(&task, &BackgroundTask::ended, this, [this] {
        disconnect(m_cancel, nullptr, nullptr, nullptr);
        m_task = nullptr;
        setBusy(false);
    });
    setBusy(true);
}

void TaskStrip::setBusy(bool busy)
{
    m_busy = busy;
    setVisible(busy);
    Q_EMIT busyChanged(busy);
}
