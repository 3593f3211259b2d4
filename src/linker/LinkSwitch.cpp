#include "linker/LinkSwitch.h"
#include "linker/PlacementPlanner.h"
#include "linker/PlanRunner.h"

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

LinkSwitch::LinkSwitch(const ModelContext& context, const FolderAccess& access, LinkRecords& records,
                       Placements placements, const PlacementPlanner& planner, PlanRunner& runner)
    : m_context(context)
    , m_access(access)
    , m_records(records)
    , m_placements(placements)
    , m_planner(planner)
    , m_runner(runner)
{}

bool LinkSwitch::isSkillLinked(const Skill& skill, const TargetApp& app) const
{
    const QString itemPath = skill.path;
    const QString name = QFileInfo(itemPath).fileName();
    // A copy stays the app's copy when the hub item changes; only the record tells it apart.
    const bool copied = app.placement() == PlacementKind::copy &&
                        LinkRecords::recordedIn(m_context, app.id()).value(name).has_value();
    return m_access
        .withFolder(folderOf(app),
                    [&](const QString& folder) {
                        const QString place = FileSystem::childPath(folder, name);
                        if (copied)
                            return FileSystem::exists(place) && !FileSystem::isSymbolicLink(place);
                        return m_placements.link.isPlacementOf(place, itemPath);
                    })
        .value_or(false);
}

LinkToggle LinkSwitch::toggleCopy(const Skill& skill, const TargetApp& app, bool linked,
                                  bool replaceChangedHere)
{
    // One entry planned as the bulk changes are, so a copy changed here is refused the same way.
    std::optional<PlacementPlan> plan =
        linked ? m_planner.planLink({skill.path}, app) : m_planner.planUnlinkAll(app, skill.fileName());
    if (!plan)
        return {LinkToggleResult::folderUnreachable, {}};
    if (replaceChangedHere)
        plan->consentToChangesHere();
    // Not a failure: nothing was tried. The caller tells the user, in the user's words.
    if (!plan->conflicts.isEmpty())
        return {LinkToggleResult::refused, plan->conflicts.first()};
    if (plan->actions.isEmpty()) {
        if (!linked)
            m_records.remove(app.id(), skill.fileName());
        return {LinkToggleResult::alreadyInState, {}};
    }
    return {m_runner.carryOut(*plan, false).failures.isEmpty() ? LinkToggleResult::changed
                                                               : LinkToggleResult::failed,
            {}};
}

LinkToggle LinkSwitch::toggleLink(const Skill& skill, const TargetApp& app, bool linked,
                                  bool replaceChangedHere)
{
    if (app.placement() == PlacementKind::copy)
        return toggleCopy(skill, app, linked, replaceChangedHere);
    const Placement& placement = m_placements.link;
    const QString itemPath = skill.path;
    const QString name = QFileInfo(itemPath).fileName();
    enum class Done
    {
        nothing,
        created,
        removed
    };
    std::optional<Done> done;
    std::optional<PlanConflict> refusal;
    const auto reached = m_access.withFolder(folderOf(app), [&](const QString& folder) {
        if ((refusal = PlacementPlanner::projectRefusal(app, folder)))
            return true;
        const QString place = FileSystem::childPath(folder, name);
        if (placement.isPlacementOf(place, itemPath) == linked) {
            done = std::nullopt; // already as asked
            return true;
        }
        done = Done::nothing;
        const auto fail = [&](const QString& description) {
            Log::line(u"Failed to toggle link at "_s + place + u": "_s + description);
        };
        if (!linked) {
            if (const Outcome gone = Placement::remove(place); gone)
                done = Done::removed;
            else
                fail(gone.error().description);
            return true;
        }
        if (FileSystem::exists(place)) {
            // The user's own content stays: it can be imported instead.
            if (!placement.mayReplace(place)) {
                fail(u"A file or folder that is not a link already has this name; it was left as it is."_s);
                return true;
            }
            if (const Outcome gone = Placement::remove(place); !gone) {
                fail(gone.error().description);
                return true;
            }
        }
        if (const Outcome made = placement.place(itemPath, place); made)
            done = Done::created;
        else
            fail(made.error().description);
        return true;
    });
    if (!reached)
        return {LinkToggleResult::folderUnreachable, {}};
    if (refusal)
        return {LinkToggleResult::refused, refusal};
    if (!done)
        return {LinkToggleResult::alreadyInState, {}};
    if (*done == Done::removed)
        m_records.remove(app.id(), name);
    else if (*done == Done::created)
        m_records.upsert(app.id(), name);
    return {*done == Done::nothing ? LinkToggleResult::failed : LinkToggleResult::changed, {}};
}
