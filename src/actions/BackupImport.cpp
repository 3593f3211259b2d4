#include "actions/BackupImport.h"

#include "access/FileSystem.h"
#include "actions/BackupImportTask.h"
#include "actions/ChangeFeed.h"
#include "actions/HubActions.h"
#include "actions/PlanTask.h"
#include "actions/RestorePlanning.h"
#include "actions/Workspace.h"
#include "backup/BackupService.h"
#include "linker/HubCatalog.h"
#include "linker/HubSettings.h"
#include "linker/Linker.h"
#include "model/ModelContext.h"
#include "store/ContentCache.h"

using namespace Qt::StringLiterals;

BackupImport::BackupImport(Workspace& workspace, const QString& filePath, AskConsent askConsent,
                           std::optional<FetchAccess> fetching)
    : QObject(&workspace)
    , m_workspace(workspace)
    , m_filePath(filePath)
    , m_askConsent(std::move(askConsent))
    , m_fetching(std::move(fetching))
{}

void BackupImport::start()
{
    BackupImportTask* task = BackupImportTask::read(m_workspace, m_filePath);
    connect(task, &BackupImportTask::finished, this, [this, task](const Outcome& read) {
        if (task->wasCancelled())
            finish({BackupImportOutcome::Stage::declined, std::nullopt, {}, {}});
        else if (!read)
            finish({BackupImportOutcome::Stage::unreadable, read.error(), {}, {}});
        else
            plan(task->backup());
    });
    Q_EMIT taskStarted(task);
}

void BackupImport::plan(std::shared_ptr<const AppBackup> backup)
{
    m_backup = std::move(backup);
    QList<RecordedPlacements> placements;
    QHash<QUuid, qsizetype> indexOf;
    for (const BackupTargetApp& app : m_backup->targetApps) {
        if (indexOf.contains(app.id))
            continue; // the first app of an id stands for both, as in the store
        m_appsOfFile.push_back(BackupService::appFrom(app));
        indexOf.insert(app.id, placements.size());
        placements.append(RecordedPlacements{m_appsOfFile.back().get(), {}});
    }
    for (const BackupSkillLinkRecord& record : m_backup->linkRecords.value_or(QList<BackupSkillLinkRecord>()))
        if (const auto index = indexOf.find(record.targetAppID); index != indexOf.end())
            placements[*index].items.insert(record.itemName, record.contentHash);
    FolderLocation hub = m_workspace.hubSettings().location();
    if (m_backup->settings)
        hub = {m_backup->settings->centralBookmarkData, m_backup->settings->centralRepositoryPath};
    else if (m_backup->centralRepositoryPath)
        hub = {std::nullopt, *m_backup->centralRepositoryPath};
    if (m_fetching && m_backup->provenance) {
        const ContentCache cache;
        for (const SkillProvenance& known : *m_backup->provenance)
            if (!known.repository.isEmpty() && !known.contentHash.isEmpty() &&
                !FileSystem::exists(hub.storedPath + u'/' + known.itemName))
                m_plan.fetches.append(
                    {known.itemName,
                     LockedSource{known.repository, known.ref, known.commit, known.path, known.treeSha},
                     known.contentHash, cache.holds(known.contentHash), QString(), true});
    }
    auto* planning = new RestorePlanning(m_workspace, std::move(placements), hub, this);
    connect(planning, &RestorePlanning::finished, this, [this, planning] {
        m_plan.links = planning->takePlans();
        planning->deleteLater();
        ask();
    });
}

void BackupImport::ask()
{
    const auto changesHere = [this] {
        qsizetype count = 0;
        for (const PlacementPlan& plan : m_plan.links)
            count += plan.changesHere();
        return count;
    };
    const qsizetype before = changesHere();
    if (!m_askConsent(m_plan)) {
        finish({BackupImportOutcome::Stage::declined, std::nullopt, {}, {}});
        return;
    }
    m_consentedToChangesHere = before > 0 && changesHere() == 0;
    write();
}

void BackupImport::write()
{
    BackupImportTask* task = BackupImportTask::write(m_workspace, m_backup);
    connect(task, &BackupImportTask::finished, this, [this, task](const Outcome& written) {
        if (!written) {
            const auto stage = task->wasCancelled() ? BackupImportOutcome::Stage::declined
                                                    : BackupImportOutcome::Stage::notSaved;
            finish({stage, written.error(), {}, {}});
            return;
        }
        // The records are in; the links follow once the hub they name was read.
        if (!m_plan.fetches.isEmpty())
            return fetch();
        m_workspace.hubCatalog().scanInBackground(this, [this] {
            m_workspace.changes().announceHubItems();
            makeLinks();
        });
    });
    Q_EMIT taskStarted(task);
}

void BackupImport::fetch()
{
    auto* fetching = new LockedFetch(m_workspace, *m_fetching, m_plan.fetches, m_plan.acceptRisk, this);
    connect(fetching, &LockedFetch::finished, this,
            [this](const QList<Problem>& failures, const QStringList&) {
                m_fetchFailures = failures;
                // The links of the items that came were planned while they were missing: plan them
                // again now, keeping the consent given to the plan shown.
                HubActions(m_workspace).rescan();
                m_plan.links = m_workspace.linker().planner.planRestoreAll();
                if (m_consentedToChangesHere)
                    for (PlacementPlan& plan : m_plan.links)
                        plan.consentToChangesHere();
                makeLinks();
            });
    fetching->start();
}

void BackupImport::makeLinks()
{
    m_appsOfFile.clear(); // the store's apps of the same ids stand for them now
    std::erase_if(m_plan.links, [](const PlacementPlan& plan) { return plan.actions.isEmpty(); });
    if (m_plan.links.empty()) {
        finish({BackupImportOutcome::Stage::restored, std::nullopt, {}, m_fetchFailures});
        return;
    }
    // One task for every app: one entry in the strip, and one save when it ends.
    AuditGate gate(m_workspace.context(), AuditGate::answering(m_plan.acceptRisk));
    PlanTask* task = PlanTask::start(m_workspace, std::move(m_plan.links), true, gate);
    if (!task) {
        PlanOutcome refused;
        refused.failures = AuditGate::refusals(gate.refused());
        return finish({BackupImportOutcome::Stage::restored, std::nullopt, refused, m_fetchFailures});
    }
    connect(task, &PlanTask::finished, this, [this](const PlanOutcome& links) {
        finish({BackupImportOutcome::Stage::restored, std::nullopt, links, m_fetchFailures});
    });
    Q_EMIT taskStarted(task);
}

void BackupImport::finish(BackupImportOutcome outcome)
{
    Q_EMIT finished(outcome);
    deleteLater();
}
