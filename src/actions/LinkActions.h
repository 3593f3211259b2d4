#pragma once

#include "linker/FileLinkerService.h"
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

    LinkToggleResult setLinked(const Skill& skill, const TargetApp& app, bool linked);
    bool isLinked(const Skill& skill, const TargetApp& app) const;

    bool importEntry(const TargetAppSkill& entry, const TargetApp& app);
    bool repairEntry(const TargetAppSkill& entry, const TargetApp& app);
    bool removeEntry(const TargetAppSkill& entry, const TargetApp& app);
    // Links to a deleted hub item stay in the target folders and show as broken.
    bool removeHubItem(const Skill& skill);

    // Makes missing links again from their records.
    LinkRestoreSummary restoreLinks();

private:
    Workspace& m_workspace;
};
