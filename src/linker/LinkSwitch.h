#pragma once

#include "access/FolderAccess.h"
#include "base/Problem.h"
#include "linker/Placement.h"
#include "linker/PlacementPlan.h"
#include "model/Skill.h"

#include <optional>

class LinkRecords;
class ModelContext;
class PlacementPlanner;
class PlanRunner;

// How a switch of a link turned out.
enum class LinkToggleResult
{
    alreadyInState,    // nothing to do
    changed,           // the link was made or taken away, and its record with it
    failed,            // a file operation failed (logged)
    folderUnreachable, // the app's folder could not be reached; nothing changed
    refused,           // a copy changed here, or something Quorvane did not place, is in the way
    risky,             // the audit found open findings of level high, and they were not accepted
    notAllowed,        // the policy of the app's project keeps the item out; `problem` says why
};

// A switch's result, with what stood in the way when it was refused.
struct LinkToggle
{
    LinkToggleResult result;
    std::optional<PlanConflict> refusal;           // set with `refused`
    std::optional<Problem> problem = std::nullopt; // set with `notAllowed`
};

// One hub item in one app's folder, switched on or off: the switch in the window's detail
// view and `link ITEM APP`. A copy is switched as a plan of one entry, so it is refused as
// the bulk changes refuse it.
class LinkSwitch
{
public:
    LinkSwitch(const ModelContext& context, const FolderAccess& access, LinkRecords& records,
               Placements placements, const PlacementPlanner& planner, PlanRunner& runner);

    // Whether the app's folder holds the hub item placed by Quorvane the app's way: a link to
    // it, or a copy made of it. An unreachable folder reads as not linked.
    bool isSkillLinked(const Skill& skill, const TargetApp& app) const;
    // Places the skill into the app's folder or takes it away, and records it. Never
    // deletes or moves a real file or folder that Quorvane did not place, nor a copy
    // changed here unless `replaceChangedHere` (the user's consent).
    LinkToggle toggleLink(const Skill& skill, const TargetApp& app, bool linked,
                          bool replaceChangedHere = false);
    const Placements& placements() const { return m_placements; }
    const Placement& placementFor(const TargetApp& app) const { return m_placements.of(app.placement()); }

private:
    LinkToggle toggleCopy(const Skill& skill, const TargetApp& app, bool linked, bool replaceChangedHere);

    const ModelContext& m_context;
    const FolderAccess& m_access;
    LinkRecords& m_records;
    Placements m_placements;
    const PlacementPlanner& m_planner;
    PlanRunner& m_runner;
};
