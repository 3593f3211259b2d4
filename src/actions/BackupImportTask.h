#pragma once

#include "actions/BackgroundTask.h"
#include "base/Result.h"
#include "model/ModelContext.h"

#include <memory>

// A backup file read, checked and written to the store in the background, so a backup
// of many links does not freeze the window. The store changes in one transaction at the
// end: stopping before it leaves the old configuration whole; the window's records then
// take in the new rows at once. Recreating the links is a task of its own, started after.
class BackupImportTask : public BackgroundTask
{
    Q_OBJECT

public:
    static BackupImportTask* start(Workspace& workspace, const QString& filePath);

    QString description() const override;

Q_SIGNALS:
    // The records are announced as changed just before a success.
    void finished(const Outcome& outcome);

private:
    BackupImportTask(Workspace& workspace, const QString& filePath);

    QString m_filePath;
    // The worker's rows will hold every commit until it is done.
    std::unique_ptr<ModelContext::RefreshDeferral> m_refreshDeferral;
};
