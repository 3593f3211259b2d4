#include "linker/EntryRemover.h"

#include "access/FileSystem.h"
#include "base/Log.h"
#include "linker/HubSettings.h"
#include "linker/LinkRecords.h"
#include "linker/PlacementPlanner.h"
#include "model/ModelContext.h"
#include "model/SkillProvenanceRecord.h"
#include "model/TargetApp.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

EntryRemover::EntryRemover(ModelContext& context, const HubSettings& hub, const FolderAccess& access,
                           LinkRecords& records)
    : m_context(context)
    , m_hub(hub)
    , m_access(access)
    , m_records(records)
{}

std::optional<Removal> EntryRemover::removeTargetItem(const QString& itemPath, const TargetApp& app)
{
    // The folder only opens the access; the item removed is the given path itself.
    std::optional<Removal> removed;
    bool refused = false;
    m_access.withFolder(folderOf(app), [&](const QString& folder) {
        if ((refused = !PlacementPlanner::mayWriteInto(app, folder)))
            return false;
        if (auto discarded = FileSystem::discard(itemPath))
            removed = Removal{discarded.value()};
        return true;
    });
    if (!refused)
        m_records.remove(app.id(), QFileInfo(itemPath).fileName());
    return removed;
}

std::optional<Removal> EntryRemover::removeHubItem(const Skill& skill)
{
    std::optional<Removal> removed;
    m_access.withFolder(m_hub.location(), [&](const QString&) {
        if (auto discarded = FileSystem::discard(skill.path))
            removed = Removal{discarded.value()};
        return true;
    });
    // A later item of the same name did not come from where this one did.
    if (removed) {
        for (SkillProvenanceRecord* record : m_context.records<SkillProvenanceRecord>())
            if (record->itemName() == skill.fileName())
                m_context.remove(record);
        if (const Outcome saved = m_context.save(); !saved)
            Log::line(u"Failed to forget where "_s + skill.fileName() + u" came from: "_s +
                      saved.error().description);
    }
    return removed;
}
