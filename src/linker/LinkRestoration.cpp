// Making links again from their records, as after a backup import.
#include "linker/FileLinkerService.h"

#include "access/FileSystem.h"
#include "access/FolderAccess.h"
#include "linker/HubSettings.h"
#include "linker/Placement.h"

#include "access/ItemName.h"
#include "base/Log.h"
#include "model/ModelContext.h"
#include "model/SkillLinkRecord.h"
#include "model/TargetApp.h"

#include <QHash>

using namespace Qt::StringLiterals;

LinkRestorePlan FileLinkerService::planRestore()
{
    LinkRestorePlan plan;
    const auto apps = m_context.fetch<TargetApp>();
    const auto records =
        apps ? m_context.fetch<SkillLinkRecord>() : Result<QList<SkillLinkRecord*>>(apps.error());
    if (!records) {
        Log::line(u"Failed to restore recorded links: "_s + records.error().description);
        return plan;
    }
    auto hub = m_access.reach(m_hub.location());
    if (!hub)
        return plan;
    const QString hubPath = hub->path;
    plan.folders.push_back(std::move(*hub));

    // With two apps of one id, the first one stands for both. Each folder is reached once.
    QHash<QUuid, std::optional<QString>> folders;
    for (const TargetApp* app : apps.value()) {
        if (folders.contains(app->id()))
            continue;
        auto folder = m_access.reach(folderOf(*app));
        folders.insert(app->id(), folder ? std::optional(folder->path) : std::nullopt);
        if (folder)
            plan.folders.push_back(std::move(*folder));
    }

    for (const SkillLinkRecord* record : records.value()) {
        const auto folder = folders.value(record->targetAppID());
        if (!folder)
            continue;
        plan.links.append({record->itemName(), hubPath, *folder});
    }
    return plan;
}

void FileLinkerService::makePlannedLinks(const QList<PlannedLink>& links, const Placement& placement,
                                         const std::atomic<bool>& stop,
                                         const std::function<void(qsizetype)>& progress,
                                         LinkRestoreSummary& summary, QStringList& failures)
{
    for (qsizetype done = 0; done < links.size(); ++done) {
        if (stop.load(std::memory_order_relaxed))
            return;
        const PlannedLink& link = links[done];
        if (progress)
            progress(done + 1);
        // Records may come from an edited backup file: a name must stay one entry of each folder.
        if (const Outcome valid = checkItemName(link.name); !valid) {
            failures.append(u"Failed to restore link for "_s + link.name + u": "_s +
                            valid.error().description);
            ++summary.failed;
            continue;
        }
        const QString item = FileSystem::childPath(link.hub, link.name);
        const QString place = FileSystem::childPath(link.folder, link.name);
        if (FileSystem::exists(item) && !FileSystem::exists(place)) {
            if (const Outcome made = placement.place(item, place); made) {
                ++summary.restored;
            } else {
                failures.append(u"Failed to restore link for "_s + link.name + u": "_s +
                                made.error().description);
                ++summary.failed;
            }
        }
    }
}

LinkRestoreSummary FileLinkerService::restoreRecordedLinks()
{
    LinkRestorePlan plan = planRestore();
    QStringList failures;
    const std::atomic<bool> never = false;
    makePlannedLinks(plan.links, m_placement, never, {}, plan.summary, failures);
    for (const QString& failure : std::as_const(failures))
        Log::line(failure);
    return plan.summary;
}
