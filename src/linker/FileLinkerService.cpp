#include "linker/FileLinkerService.h"

#include "access/FileSystem.h"
#include "access/FolderAccess.h"
#include "base/Log.h"
#include "linker/HubSettings.h"
#include "linker/LinkRecords.h"
#include "linker/Placement.h"
#include "model/ModelContext.h"
#include "model/TargetApp.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

FileLinkerService::FileLinkerService(ModelContext& context, const HubSettings& hub,
                                     const FolderAccess& access, LinkRecords& records,
                                     const Placement& placement)
    : m_context(context)
    , m_hub(hub)
    , m_access(access)
    , m_records(records)
    , m_placement(placement)
{}

bool FileLinkerService::isSkillLinked(const Skill& skill, const TargetApp& app) const
{
    const QString itemPath = skill.url.toLocalFile();
    return m_access
        .withFolder(folderOf(app),
                    [&](const QString& folder) {
                        return m_placement.isPlacementOf(
                            FileSystem::childPath(folder, QFileInfo(itemPath).fileName()), itemPath);
                    })
        .value_or(false);
}

LinkToggleResult FileLinkerService::toggleLink(const Skill& skill, const TargetApp& app, bool linked)
{
    const QString itemPath = skill.url.toLocalFile();
    const QString name = QFileInfo(itemPath).fileName();
    enum class Done
    {
        nothing,
        created,
        removed
    };
    std::optional<Done> done;
    const auto reached = m_access.withFolder(folderOf(app), [&](const QString& folder) {
        const QString place = FileSystem::childPath(folder, name);
        if (m_placement.isPlacementOf(place, itemPath) == linked) {
            done = std::nullopt; // already as asked
            return true;
        }
        done = Done::nothing;
        const auto fail = [&](const QString& description) {
            Log::line(u"Failed to toggle link at "_s + place + u": "_s + description);
        };
        if (!linked) {
            if (const Outcome gone = m_placement.remove(place); gone)
                done = Done::removed;
            else
                fail(gone.error().description);
            return true;
        }
        if (FileSystem::exists(place)) {
            // The user's own content stays: it can be imported instead.
            if (!m_placement.mayReplace(place)) {
                fail(u"A file or folder that is not a link already has this name; it was left as it is."_s);
                return true;
            }
            if (const Outcome gone = m_placement.remove(place); !gone) {
                fail(gone.error().description);
                return true;
            }
        }
        if (const Outcome made = m_placement.place(itemPath, place); made)
            done = Done::created;
        else
            fail(made.error().description);
        return true;
    });
    if (!reached)
        return LinkToggleResult::folderUnreachable;
    if (!done)
        return LinkToggleResult::alreadyInState;
    if (*done == Done::removed)
        m_records.remove(app.id(), name);
    else if (*done == Done::created)
        m_records.upsert(app.id(), name);
    return *done == Done::nothing ? LinkToggleResult::failed : LinkToggleResult::changed;
}

bool FileLinkerService::removeTargetItem(const QString& itemPath, const TargetApp& app)
{
    // The folder only opens the access; the item deleted is the given path itself.
    const bool deleted =
        m_access.withFolder(folderOf(app), [&](const QString&) { return FileSystem::remove(itemPath).ok(); })
            .value_or(false);
    m_records.remove(app.id(), QFileInfo(itemPath).fileName());
    return deleted;
}

bool FileLinkerService::removeHubItem(const Skill& skill)
{
    const bool removed =
        m_access
            .withFolder(m_hub.location(),
                        [&](const QString&) { return FileSystem::remove(skill.url.toLocalFile()).ok(); })
            .value_or(false);
    // A later item of the same name did not come from where this one did.
    if (removed) {
        for (SkillProvenanceRecord* record : m_context.records<SkillProvenanceRecord>())
            if (record->itemName() == skill.url.fileName())
                m_context.remove(record);
        if (const Outcome saved = m_context.save(); !saved)
            Log::line(u"Failed to forget where "_s + skill.url.fileName() + u" came from: "_s +
                      saved.error().description);
    }
    return removed;
}
