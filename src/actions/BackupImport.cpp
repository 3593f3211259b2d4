#include "actions/BackupImport.h"

#include "actions/BackupImportTask.h"
#include "actions/ChangeFeed.h"
#include "actions/PlanTask.h"
#include "actions/RestorePlanning.h"
#include "actions/Workspace.h"
#include "backup/BackupService.h"
#include "linker/HubCatalog.h"
#include "linker/HubSettings.h"

using namespace Qt::StringLiterals;

BackupImport::BackupImport(Workspace& workspace, const QString& filePath, AskConsent askConsent)
    : QObject(&workspace)
    , m_workspace(workspace)
    , m_filePath(filePath)
    , m_askConsent(std::move(askConsent))
{}

void BackupImport::start()
{
    BackupImportTask* task = BackupImportTask::read(m_workspace, m_filePath);
    connect(task, &BackupImportTask::finished, this, [this, task](const Outcome& read) {
        if (task->wasCancelled())
            finish({BackupImportOutcome::Stage::declined, std::nullopt, {}});
        else if (!read)
            finish({BackupImportOutcome::Stage::unreadable, read.error(), {}});
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
    auto* planning = new RestorePlanning(m_workspace, std::move(placements), hub, this);
    connect(planning, &RestorePlanning::finished, this, [this, planning] {
        m_plans = planning->takePlans();
        planning->deleteLater();
        ask();
    });
}

void BackupImport::ask()
{
    if (!m_askConsent(m_plans)) {
        finish({BackupImportOutcome::Stage::declined, std::nullopt, {}});
        return;
    }
    std::erase_if(m_plans, [](const PlacementPlan& plan) { return plan.actions.isEmpty(); });
    write();
}

void BackupImport::write()
{
    BackupImportTask* task = BackupImportTask::write(m_workspace, m_backup);
    connect(task, &BackupImportTask::finished, this, [this, task](const Outcome& written) {
        if (!written) {
            const auto stage = task->wasCancelled() ? BackupImportOutcome::Stage::declined
                                                    : BackupImportOutcome::Stage::notSaved;
            finish({stage, written.error(), {}});
            return;
        }
        // The records are in; the links follow once the hub they name was read.
        m_workspace.hubCatalog().scanInBackground(this, [this] {
            m_workspace.changes().announceHubItems();
            makeLinks();
        });
    });
    Q_EMIT taskStarted(task);
}

void BackupImport::makeLinks()
{
    m_appsOfFile.clear(); // the store's apps of the same ids stand for them now
    if (m_plans.empty()) {
        finish({BackupImportOutcome::Stage::restored, std::nullopt, {}});
        return;
    }
    // One task for every app: one entry in the strip, and one save when it ends.
    PlanTask* task = PlanTask::start(m_workspace, std::move(m_plans), true);
    connect(task, &PlanTask::finished, this, [this](const PlanOutcome& links) {
        finish({BackupImportOutcome::Stage::restored, std::nullopt, links});
    });
    Q_EMIT taskStarted(task);
}

void BackupImport::finish(BackupImportOutcome outcome)
{
    Q_EMIT finished(outcome);
    deleteLater();
}
