#pragma once

#include <QElapsedTimer>
#include <QFileSystemWatcher>
#include <QObject>
#include <QSet>
#include <QString>
#include <QTimer>
#include <QUuid>

#include <optional>

class TargetApp;
class Workspace;

// Watches the folders on screen, so changes made by other programs show without the
// user asking: the hub folder, the target folder shown and the hub item shown, or every
// target folder while the health page shows them all. A burst
// of events becomes one rescan. Where a folder cannot be watched (the system's limit, a
// vanished folder) it says so once in the log; coming back to the window still rescans.
class FolderWatch : public QObject
{
    Q_OBJECT

public:
    // Quiet time that ends a burst, and the longest a change waits while events go on.
    static constexpr int settleMilliseconds = 150;
    static constexpr int longestWaitMilliseconds = 800;

    explicit FolderWatch(Workspace& workspace, QObject* parent = nullptr);

    // Watches the hub folder where it is now.
    void watchHub();
    // Watches this app's folder instead of the one watched before; none stops it.
    void watchTargetFolder(const TargetApp* app);
    // Watches this hub item, whose detail is on screen (a file's preview, a folder's files as
    // the audit sees them); empty stops it.
    void watchHubItem(const QString& path);
    // Watches every app's folder too, while a page that shows them all is on screen.
    void watchEveryTargetFolder(bool on);

private:
    void follow(QString& watched, const QString& path);
    void noteChange(bool hub, const std::optional<QUuid>& app);
    void applyChanges();

    Workspace& m_workspace;
    QFileSystemWatcher m_watcher;
    QTimer m_settle;
    QElapsedTimer m_firstPending;
    QString m_hubPath;
    QString m_targetPath;
    QString m_hubFile;
    QUuid m_targetAppID;
    bool m_hubChanged = false;
    bool m_targetChanged = false;
    QSet<QString> m_everyFolder; // watched for the page that shows every app
    bool m_everyChanged = false;
    QSet<QString> m_unwatchable; // told once each
};
