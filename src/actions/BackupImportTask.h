#pragma once

#include "actions/BackgroundTask.h"
#include "base/Result.h"
#include "model/ModelContext.h"

#include <memory>

struct AppBackup;

// The two long steps of a backup import, on a worker so a backup of many links does not
// freeze the window: reading and checking the file, and later writing its records. The
// store changes in one transaction at the end of the write: stopping before it leaves the
// old configuration whole; the window's records then take in the new rows at once.
// BackupImport runs them, with the plan between.
class BackupImportTask : public BackgroundTask
{
    Q_OBJECT

public:
    static BackupImportTask* read(Workspace& workspace, const QString& filePath);
    static BackupImportTask* write(Workspace& workspace, std::shared_ptr<const AppBackup> backup);

    Work work() const override;
    // The document read, once a read finished well.
    std::shared_ptr<const AppBackup> backup() const { return m_backup; }

Q_SIGNALS:
    // After a write, the records are announced as changed just before a success.
    void finished(const Outcome& outcome);

private:
    explicit BackupImportTask(Workspace& workspace);

    std::shared_ptr<const AppBackup> m_backup;
    // The worker's rows will hold every commit until it is done.
    std::unique_ptr<ModelContext::RefreshDeferral> m_refreshDeferral;
};
