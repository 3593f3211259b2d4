#pragma once

#include "backup/LockFile.h"
#include "base/Result.h"

#include <QStringList>
#include <QUuid>

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
    // Keeps the lock of the app's project current (an app of no project has none).
    void keepFor(const QUuid& appID) const;

private:
    Workspace& m_workspace;
};
