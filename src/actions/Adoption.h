#pragma once

#include "backup/SharedSkillLock.h"
#include "base/Problem.h"
#include "base/Result.h"
#include "model/TargetAppSkill.h"

#include <QList>
#include <QString>
#include <QUuid>

#include <optional>

struct AssistantPreset;
class ImportTask;
class Workspace;

// A skill in a known assistant's folder that Quorvane does not manage yet.
struct AdoptionCandidate
{
    TargetAppSkill entry;
    QString folder;                          // the folder it is in, as shown ("~/.claude/skills")
    QUuid appID;                             // its folder's app; null for an assistant not added yet
    const AssistantPreset* preset = nullptr; // the assistant whose folder it is, where known
    std::optional<SharedLockEntry> origin;   // where another installer recorded it came from
    // The hub, or a candidate before it, already holds an item of this name: it stays as it is.
    bool nameTaken = false;
};

// Skills other installers (or the user by hand) placed in the known assistants' folders,
// brought into the hub with their origin where another installer's lock file names it, each
// leaving a link or copy as its assistant needs. Only real folders and files are taken: a
// link there leads to one of them, which is adopted in its own folder.
class Adoption
{
public:
    explicit Adoption(Workspace& workspace);

    // Every unmanaged entry of the apps' folders and of the known assistants' folders that
    // exist but were not added; refused, and nothing read further, when the shared lock file
    // is malformed or hostile.
    Result<QList<AdoptionCandidate>, Problem> survey() const;
    // Adds the assistants not added yet, then moves the candidates into the hub in one task;
    // nothing when there is nothing to bring in.
    Result<ImportTask*, Problem> start(const QList<AdoptionCandidate>& candidates) const;

private:
    Workspace& m_workspace;
};
