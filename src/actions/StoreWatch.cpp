#include "actions/StoreWatch.h"

#include "actions/HubActions.h"
#include "actions/Workspace.h"
#include "base/Log.h"
#include "model/ModelContext.h"

#include <QByteArray>
#include <QFile>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

StoreWatch::StoreWatch(Workspace& workspace, QObject* parent)
    : QObject(parent)
    , m_workspace(workspace)
{
    m_timer.setInterval(intervalMilliseconds);
    connect(&m_timer, &QTimer::timeout, this, &StoreWatch::look);
    m_lastState = filesState();
    m_timer.start();
}

StoreWatch::FilesState StoreWatch::filesState() const
{
    const QByteArray path = QFile::encodeName(m_workspace.context().storeFilePath());
    FilesState state;
    struct stat info
    {};
    if (::stat(path.constData(), &info) == 0) {
        state.size = info.st_size;
        state.modified = qint64(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec;
    }
    if (const QByteArray log = path + "-wal"; ::stat(log.constData(), &info) == 0) {
        state.logSize = info.st_size;
        state.logModified = qint64(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec;
    }
    return state;
}

void StoreWatch::look()
{
    const FilesState now = filesState();
    if (m_lastState == now)
        return;
    m_lastState = now;
    takeInOutsideCommits();
}

bool StoreWatch::takeInOutsideCommits()
{
    ModelContext& context = m_workspace.context();
    bool settingsChanged = false;
    const QMetaObject::Connection noting =
        connect(&context, &ModelContext::recordsChanged, this,
                [&settingsChanged](RecordType type) { settingsChanged |= type == RecordType::appSettings; });
    const Outcome taken = context.refreshIfStoreChanged();
    disconnect(noting);
    if (!taken) {
        Log::line(u"Failed to refresh the store: "_s + taken.error().description);
        return false;
    }
    // Another hub folder was chosen: its items are read anew.
    if (settingsChanged) {
        m_workspace.hubSettings().load();
        HubActions(m_workspace).rescanInBackground();
    }
    return true;
}
