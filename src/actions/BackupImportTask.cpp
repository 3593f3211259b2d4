#include "actions/BackupImportTask.h"

#include "actions/Workspace.h"
#include "backup/BackupService.h"
#include "base/Log.h"
#include "linker/HubSettings.h"
#include "model/ModelContext.h"

using namespace Qt::StringLiterals;

BackupImportTask::BackupImportTask(Workspace& workspace)
    : BackgroundTask(workspace, 0) // one step of unknown length
{}

BackgroundTask::Work BackupImportTask::work() const
{
    return {Work::Kind::importingBackup};
}

BackupImportTask* BackupImportTask::read(Workspace& workspace, const QString& filePath)
{
    auto* task = new BackupImportTask(workspace);
    task->runInBackground([task, filePath](Progress&) {
        auto read = BackupService::read(filePath);
        std::shared_ptr<const AppBackup> backup;
        std::optional<Error> failure;
        if (read)
            backup = std::make_shared<const AppBackup>(std::move(read).value());
        else
            failure = read.error();
        return std::function<void()>([task, backup = std::move(backup), failure] {
            if (failure) {
                Log::line(u"Failed to import backup: "_s + failure->description);
                Q_EMIT task->finished(*failure);
                return;
            }
            task->m_backup = backup;
            Q_EMIT task->finished(Outcome());
        });
    });
    return task;
}

BackupImportTask* BackupImportTask::write(Workspace& workspace, std::shared_ptr<const AppBackup> backup)
{
    auto* task = new BackupImportTask(workspace);
    task->m_refreshDeferral = std::make_unique<ModelContext::RefreshDeferral>(workspace.context());
    task->runInBackground([task, backup = std::move(backup),
                           storePath = workspace.context().store().filePath(),
                           hubPath = workspace.hubSettings().centralRepositoryPath(),
                           contextThread = workspace.context().thread()](Progress& progress) {
        auto replaced =
            BackupService::replaceStoredRecords(storePath, *backup, hubPath, contextThread, &progress.stop);
        std::optional<Error> failure;
        std::shared_ptr<ModelContext::PreparedSnapshot> prepared;
        if (replaced)
            prepared = std::move(replaced).value();
        else
            failure = replaced.error();
        return std::function<void()>([task, failure, prepared = std::move(prepared)]() mutable {
            task->m_refreshDeferral.reset();
            if (failure) {
                Log::line(u"Failed to import backup: "_s + failure->description);
                Q_EMIT task->finished(*failure);
                return;
            }
            Workspace& owner = task->workspace();
            owner.context().takeIn(*prepared);
            // Tens of thousands of rows are freed on a worker, not here.
            owner.runInBackground([rows = std::move(prepared)] {});
            owner.hubSettings().load();
            Q_EMIT task->finished(Outcome());
        });
    });
    return task;
}
