#pragma once

#include "audit/AuditGate.h"
#include "linker/Linker.h"
#include "model/Skill.h"
#include "model/TargetAppSkill.h"

class TargetApp;
class Workspace;

// What the user does with hub items and the entries of target folders. Each action
// changes the disk through the linker and then announces what it changed.
class LinkActions
{
public:
    explicit LinkActions(Workspace& workspace);

    // A copy changed here is replaced or taken away only with `replaceChangedHere`. An item
    // with open findings of level high is placed only when `consent` accepts them.
    LinkToggle setLinked(const Skill& skill, const TargetApp& app, bool linked, bool replaceChangedHere,
                         const RiskConsent& consent);

    bool repairEntry(const TargetAppSkill& entry, const TargetApp& app);
    // Into the trash where there is one; nothing when it could not be removed.
    std::optional<Removal> removeEntry(const TargetAppSkill& entry, const TargetApp& app);
    // Links to a deleted hub item stay in the target folders and show as broken.
    std::optional<Removal> removeHubItem(const Skill& skill);

private:
    Workspace& m_workspace;
};
