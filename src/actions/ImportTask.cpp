#include "actions/ImportTask.h"

#include "actions/HubActions.h"
#include "actions/Workspace.h"
#include "model/TargetApp.h"

ImportTask::ImportTask(Workspace& workspace, ImportPlan plan, const QUuid& appID)
    : BackgroundTask(workspace, plan.bytesToCopy)
    , m_plan(std::move(plan))
    , m_appID(appID)
{}

BackgroundTask::Work ImportTask::work() const
{
    return {Work::Kind::importingItem, m_plan.name};
}

ImportTask* ImportTask::start(Workspace& workspace, const TargetAppSkill& entry, const TargetApp& app)
{
    ImportPlan plan = workspace.linker().importer.planImport(entry, app);
    if (!plan.isPossible())
        return nullptr;
    auto* task = new ImportTask(workspace, std::move(plan), app.id());
    task->runInBackground([task, plan = std::make_shared<const ImportPlan>(task->m_plan.withoutFolders()),
                           placement = &workspace.linker().links.placementFor(app)](Progress& progress) {
        const FileSystem::CopyControl control{&progress.stop, [&progress](qint64 bytes) {
                                                  progress.done = bytes;
                                              }};
        const Outcome outcome = ItemImporter::performImport(*plan, *placement, control);
        return std::function<void()>([task, outcome] {
            Workspace& owner = task->workspace();
            const TargetApp* importedInto = owner.app(task->m_appID);
            const bool imported =
                importedInto && owner.linker().importer.concludeImport(task->m_plan, outcome, *importedInto);
            task->m_plan = {}; // the scopes close here, on the thread that opened them
            // In any case: a move that failed late may have left the item in the hub.
            HubActions(owner).rescanInBackground();
            owner.changes().announceTargetFolder(task->m_appID);
            Q_EMIT task->finished(imported);
        });
    });
    return task;
}
