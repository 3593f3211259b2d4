#include "actions/BackupImportTask.h"

#include "actions/Workspace.h"
#include "backup/BackupService.h"
#include "base/Log.h"
#include "linker/HubSettings.h"
#include "model/ModelContext.h"

using namespace Qt::StringLiterals;

BackupImportTask::BackupImportTask(Workspace& workspace, const QString& filePath)
    : BackgroundTask(workspace, 0) // one step of unknown length
    , m_filePath(filePath)
{}

QString BackupImportTask::description() const
{
    return tr("Importiere Backup...");
}

BackupImportTask* BackupImportTask::start(Workspace& workspace, const QString& filePath)
{
    auto* task = new BackupImportTask(workspace, filePath);
    task->m_refreshDeferral = std::make_unique<ModelContext::RefreshDeferral>(workspace.context());
    task->runInBackground([task, filePath, storePath = workspace.context().store().filePath(),
                           hubPath = workspace.hubSettings().centralRepositoryPath()](Progress& progress) {
        auto snapshot = BackupService::replaceStoredRecords(storePath, filePath, hubPath, &progress.stop);
        return std::function<void()>([task, snapshot = std::move(snapshot)] {
            task->m_refreshDeferral.reset();
            if (!snapshot) {
                Log::line(u"Failed to import backup: "_s + snapshot.error().description);
                Q_EMIT task->finished(snapshot.error());
                return;
            }
            task->workspace().context().takeIn(snapshot.value());
            task->workspace().hubSettings().load();
            Q_EMIT task->finished(Outcome());
        });
    });
    return task;
}
