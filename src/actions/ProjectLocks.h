#pragma once

#include "backup/LockFile.h"
#include "base/Result.h"

#include <QSet>
#include <QStringList>
#include <QUuid>

#include <memory>

class TargetApp;
class Workspace;

// The lock files of projects: what each project's apps place, made from the store and the
// hub, and written to DIR/quorvane-lock.json whenever a placement in the project changes.
class ProjectLocks
{
public:
    explicit ProjectLocks(Workspace& workspace);

    // The project folders that apps belong to, sorted.
    QStringList projects() const;
    // The project's apps, in name order.
    QList<TargetApp*> appsOf(const QString& project) const;
    // How the lock names an app: its preset id, else its folder relative to the project.
    static QString lockName(const TargetApp& app, const QString& folderPath);

    // The lock file as it would be written now.
    Result<LockFile> lockOf(const QString& project) const;
    // Writes the project's lock file (an unchanged one is left untouched).
    Outcome write(const QString& project) const;
    // Keeps the lock of the app's project current (an app of no project has none), except
    // for the projects named.
    void keepFor(const QUuid& appID, const QSet<QString>& except) const;

private:
    Workspace& m_workspace;
};

// Keeps each project's lock file in step with the records of its apps, except while the
// project is restored from it: a half-done restore must not rewrite the file it restores.
class LockFileKeeper
{
public:
    explicit LockFileKeeper(Workspace& workspace);

    // The records of the app (of every app, for a null id) changed.
    void recordsChanged(const QUuid& appID) const;
    // The project's lock is left as it is until the hold goes.
    [[nodiscard]] std::shared_ptr<void> holdWhileRestoring(const QString& project);

private:
    Workspace& m_workspace;
    std::shared_ptr<QSet<QString>> m_held = std::make_shared<QSet<QString>>(); // projects
};
