#include "actions/BackupActions.h"

#include "actions/HubActions.h"
#include "actions/LinkActions.h"
#include "actions/Workspace.h"
#include "base/Log.h"
#include "model/TargetApp.h"

using namespace Qt::StringLiterals;

BackupActions::BackupActions(Workspace& workspace)
    : m_workspace(workspace)
{}

Result<QByteArray> BackupActions::prepareExport()
{
    auto document = m_workspace.backup().exportDocument();
    if (!document)
        Log::line(u"Failed to export backup: "_s + document.error().description);
    return document;
}

Outcome BackupActions::save(const QString& filePath, const QByteArray& document)
{
    Outcome written = BackupService::writeDocument(filePath, document);
    if (!written)
        Log::line(u"Failed to export backup: "_s + written.error().description);
    return written;
}

Outcome BackupActions::exportTo(const QString& filePath)
{
    const auto document = prepareExport();
    if (!document)
        return document.error();
    return save(filePath, document.value());
}

Outcome BackupActions::importFrom(const QString& filePath)
{
    if (Outcome replaced = m_workspace.backup().importFile(filePath); !replaced) {
        Log::line(u"Failed to import backup: "_s + replaced.error().description);
        return replaced;
    }
    HubActions(m_workspace).rescan();
    LinkActions(m_workspace).restoreLinks();
    return {};
}

Result<std::vector<PlacementPlan>> BackupActions::planImport(const QString& filePath) const
{
    const auto backup = BackupService::read(filePath);
    if (!backup)
        return backup.error();
    std::vector<std::unique_ptr<TargetApp>> apps;
    QList<RecordedPlacements> placements;
    QHash<QUuid, qsizetype> indexOf;
    for (const BackupTargetApp& app : backup->targetApps) {
        if (indexOf.contains(app.id))
            continue; // the first app of an id stands for both, as in the store
        apps.push_back(BackupService::appFrom(app));
        indexOf.insert(app.id, placements.size());
        placements.append(RecordedPlacements{apps.back().get(), {}});
    }
    for (const BackupSkillLinkRecord& record : backup->linkRecords.value_or(QList<BackupSkillLinkRecord>()))
        if (const auto index = indexOf.find(record.targetAppID); index != indexOf.end())
            placements[*index].items.insert(record.itemName, record.contentHash);
    FolderLocation hub = m_workspace.hubSettings().location();
    if (backup->settings)
        hub = {backup->settings->centralBookmarkData, backup->settings->centralRepositoryPath};
    else if (backup->centralRepositoryPath)
        hub = {std::nullopt, *backup->centralRepositoryPath};
    return m_workspace.linker().planner.planRestore(placements, hub);
}
