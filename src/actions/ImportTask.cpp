#include "actions/ImportTask.h"

#include "access/FolderContent.h"
#include "actions/HubActions.h"
#include "actions/Workspace.h"
#include "model/SkillProvenanceRecord.h"
#include "model/TargetApp.h"

#include <QSet>

ImportTask::ImportTask(Workspace& workspace, std::vector<Planned> plans, qint64 bytes)
    : BackgroundTask(workspace, bytes)
    , m_plans(std::move(plans))
{}

BackgroundTask::Work ImportTask::work() const
{
    return {Work::Kind::importingItem, m_plans.size() == 1 ? m_plans.front().plan.name : QString()};
}

ImportTask* ImportTask::start(Workspace& workspace, const QList<Entry>& entries)
{
    std::vector<Planned> plans;
    qint64 bytes = 0;
    for (const Entry& entry : entries) {
        const TargetApp* app = workspace.app(entry.appID);
        if (!app)
            continue;
        ImportPlan plan = workspace.linker().importer.planImport(entry.entry, *app);
        if (!plan.isPossible())
            continue;
        bytes += plan.bytesToCopy;
        plans.push_back({std::move(plan), entry.appID, entry.origin});
    }
    if (plans.empty())
        return nullptr;
    // What the worker needs: the paths and each app's placement, never the access scopes.
    std::vector<std::pair<ImportPlan, const Placement*>> work;
    for (const Planned& planned : plans)
        work.emplace_back(planned.plan.withoutFolders(),
                          &workspace.linker().links.placementFor(*workspace.app(planned.appID)));
    auto* task = new ImportTask(workspace, std::move(plans), bytes);
    task->runInBackground(
        [task, work = std::make_shared<const decltype(work)>(std::move(work))](Progress& progress) {
            QList<Outcome> outcomes;
            qint64 before = 0;
            for (const auto& [plan, placement] : *work) {
                if (progress.stop)
                    break;
                const FileSystem::CopyControl control{&progress.stop, [&progress, before](qint64 copied) {
                                                          progress.done = before + copied;
                                                      }};
                outcomes.append(ItemImporter::performImport(plan, *placement, control));
                before += plan.bytesToCopy;
            }
            return std::function<void()>([task, outcomes] { task->conclude(outcomes); });
        });
    return task;
}

void ImportTask::conclude(const QList<Outcome>& outcomes)
{
    Workspace& owner = workspace();
    QSet<QUuid> changedApps;
    qsizetype imported = 0;
    for (qsizetype i = 0; i < qsizetype(m_plans.size()); ++i) {
        const Planned& planned = m_plans[std::size_t(i)];
        changedApps.insert(planned.appID);
        const TargetApp* importedInto = owner.app(planned.appID);
        // An entry the worker did not reach, having been stopped, stays as it was.
        if (i >= outcomes.size() || !importedInto ||
            !owner.linker().importer.concludeImport(planned.plan, outcomes[i], *importedInto))
            continue;
        ++imported;
        recordOrigin(planned);
    }
    const bool everything = imported == qsizetype(m_plans.size());
    m_plans.clear(); // the scopes close here, on the thread that opened them
    // In any case: a move that failed late may have left the item in the hub.
    HubActions(owner).rescanInBackground();
    for (const QUuid& app : std::as_const(changedApps))
        owner.changes().announceTargetFolder(app);
    Q_EMIT finished(everything);
}

void ImportTask::recordOrigin(const Planned& planned)
{
    if (!planned.origin || !planned.origin->isGitHub())
        return;
    const QString& name = planned.plan.name;
    if (const auto digest = FolderContent::digestOf(planned.plan.hub + u'/' + name))
        (void)SkillProvenanceRecord::record(
            workspace().context(), planned.origin->provenance(name, digest->contentHash, digest->files));
}
