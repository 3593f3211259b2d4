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

LinkRestoreSummary FileLinkerService::restoreRecordedLinks()
{
    LinkRestoreSummary summary;
    const auto apps = m_context.fetch<TargetApp>();
    const auto records =
        apps ? m_context.fetch<SkillLinkRecord>() : Result<QList<SkillLinkRecord*>>(apps.error());
    if (!records) {
        Log::line(u"Failed to restore recorded links: "_s + records.error().description);
        return summary;
    }

    // With two apps of one id, the first one stands for both.
    QHash<QUuid, const TargetApp*> appsByID;
    for (const TargetApp* app : apps.value()) {
        if (!appsByID.contains(app->id()))
            appsByID.insert(app->id(), app);
    }

    for (const SkillLinkRecord* record : records.value()) {
        const TargetApp* app = appsByID.value(record->targetAppID());
        if (!app)
            continue;
        const QString name = record->itemName();
        // Records may come from an edited backup file: a name must stay one entry of each folder.
        if (const Outcome valid = checkItemName(name); !valid) {
            Log::line(u"Failed to restore link for "_s + name + u": "_s + valid.error().description);
            ++summary.failed;
            continue;
        }
        m_access.withFolders(
            m_hub.location(), folderOf(*app), [&](const QString& hub, const QString& target) {
                const QString item = FileSystem::childPath(hub, name);
                const QString place = FileSystem::childPath(target, name);
                if (!FileSystem::exists(item) || FileSystem::exists(place))
                    return false;
                if (const Outcome made = m_placement.place(item, place); !made) {
                    Log::line(u"Failed to restore link for "_s + name + u": "_s + made.error().description);
                    ++summary.failed;
                    return false;
                }
                ++summary.restored;
                return true;
            });
    }
    return summary;
}
