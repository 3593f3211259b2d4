#pragma once

#include "model/Skill.h"
#include "ui/DesktopServices.h"

#include <QScrollArea>

class QVBoxLayout;
class SkillUpdates;
struct UpdatePreviewResult;
class HubAudit;
class Workspace;

// One hub item under the title "Skill Details": its kind and name, what the audit found in it,
// where it came from and whether an update waits, one switch per target app that links it into the app's
// folder, its path and, for a file, the first lines. The switches follow every change of the apps and their
// folders.
class SkillDetailView : public QScrollArea
{
    Q_OBJECT

public:
    SkillDetailView(const Skill& skill, Workspace& workspace, DesktopServices desktop, SkillUpdates& updates,
                    const HubAudit& audit, QWidget* parent = nullptr);

    const Skill& skill() const { return m_skill; }

private:
    // The switches read the linked state afresh every time.
    void rebuildLinkRows();
    QWidget* makePathBlock();
    // Where it came from and how it stands against that, read afresh on every change.
    void rebuildOrigin();
    // Shows what the update changes, then updates when the user agrees.
    void update();
    void confirmUpdate(const UpdatePreviewResult& preview);
    // The audit's findings beyond the format's, with "Risiko akzeptieren" while a high one is open.
    void rebuildFindings();

    Skill m_skill;
    Workspace& m_workspace;
    DesktopServices m_desktop;
    SkillUpdates& m_updates;
    const HubAudit& m_audit;
    QVBoxLayout* m_findings;
    QVBoxLayout* m_linkRows;
    QVBoxLayout* m_origin;
};
