#include "actions/FolderWatch.h"

#include "access/FileSystem.h"
#include "actions/HubActions.h"
#include "actions/Workspace.h"
#include "base/Log.h"
#include "model/TargetApp.h"

using namespace Qt::StringLiterals;

FolderWatch::FolderWatch(Workspace& workspace, QObject* parent)
    : QObject(parent)
    , m_workspace(workspace)
{
    m_settle.setSingleShot(true);
    m_settle.setInterval(settleMilliseconds);
    connect(&m_settle, &QTimer::timeout, this, &FolderWatch::applyChanges);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, [this](const QString& path) {
        m_everyChanged = m_everyChanged || m_everyFolder.contains(path);
        noteChange(path == m_hubPath || path == m_hubFile,
                   path == m_targetPath ? std::optional(m_targetAppID) : std::nullopt);
    });
    // An edited file is often replaced rather than written, which ends its watch: it is watched again.
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, [this](const QString& path) {
        if (path != m_hubFile)
            return;
        if (!m_watcher.files().contains(path) && FileSystem::exists(path))
            m_watcher.addPath(path);
        noteChange(true, std::nullopt);
    });
}

void FolderWatch::follow(QString& watched, const QString& path)
{
    if (watched == path)
        return;
    if (!watched.isEmpty())
        m_watcher.removePath(watched);
    watched = path;
    if (path.isEmpty() || m_watcher.addPath(path))
        return;
    if (!m_unwatchable.contains(path)) {
        m_unwatchable.insert(path);
        Log::line(u"Failed to watch "_s + path +
                  u"; changes made elsewhere show when you come back to the window."_s);
    }
    watched.clear();
}

void FolderWatch::watchHub()
{
    const auto hub = m_workspace.folderAccess().reach(m_workspace.hubSettings().location());
    follow(m_hubPath, hub ? hub->path : QString());
}

void FolderWatch::watchTargetFolder(const TargetApp* app)
{
    const auto folder = app ? m_workspace.folderAccess().reach(folderOf(*app)) : std::nullopt;
    m_targetAppID = app ? app->id() : QUuid();
    follow(m_targetPath, folder ? folder->path : QString());
}

void FolderWatch::watchHubItem(const QString& path)
{
    follow(m_hubFile, path);
}

void FolderWatch::watchEveryTargetFolder(bool on)
{
    for (const QString& path : std::as_const(m_everyFolder))
        m_watcher.removePath(path);
    m_everyFolder.clear();
    if (!on)
        return;
    for (const TargetApp* app : m_workspace.apps()) {
        const auto folder = m_workspace.folderAccess().reach(folderOf(*app));
        // The hub is watched already, and stays so.
        if (!folder || folder->path == m_hubPath || m_everyFolder.contains(folder->path))
            continue;
        if (m_watcher.addPath(folder->path))
            m_everyFolder.insert(folder->path);
    }
}

void FolderWatch::noteChange(bool hub, const std::optional<QUuid>& app)
{
    m_hubChanged = m_hubChanged || hub;
    m_targetChanged = m_targetChanged || app.has_value();
    if (!m_settle.isActive())
        m_firstPending.start();
    // Each event restarts the wait, but a change never waits longer than the longest wait.
    const qint64 waited = m_firstPending.elapsed();
    m_settle.start(
        static_cast<int>(std::clamp<qint64>(longestWaitMilliseconds - waited, 0, settleMilliseconds)));
}

void FolderWatch::applyChanges()
{
    if (std::exchange(m_hubChanged, false))
        HubActions(m_workspace).rescanInBackground();
    if (std::exchange(m_targetChanged, false))
        m_workspace.changes().announceTargetFolder(m_targetAppID);
    if (std::exchange(m_everyChanged, false))
        m_workspace.changes().announceTargetFolder(QUuid()); // one of them: the page reads all again
}
