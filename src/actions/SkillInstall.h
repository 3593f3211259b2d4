#pragma once

#include "audit/AuditGate.h"
#include "audit/SkillScanner.h"
#include "linker/Linker.h"
#include "store/RemoteSkillItem.h"
#include "store/SkillSource.h"

#include <QObject>
#include <QString>

class Workspace;

// What an install may do beyond adding a new folder.
struct InstallOptions
{
    std::optional<QString> folderName; // instead of the hit's own
    // Replace a folder that was changed here or whose origin is unknown (the user agreed).
    bool replaceChanged = false;
    bool isUpdate = false; // the hub's own update of an installed item, not an install from the store
    // Place a folder in which the audit finds something of level high, and accept the findings
    // (the user agreed).
    bool acceptRisk = false;
    // Asked, while the fetched files wait, when the audit finds something of level high.
    RiskConsent consent = {};
    // Already fetched, as an update's preview did: installed without fetching again.
    std::optional<FetchedSkill> fetched = std::nullopt;
};

// How an install ended.
struct InstallResult
{
    bool succeeded = false;
    std::optional<Problem> problem; // why nothing was done
    QString folderPath;             // the skill's folder in the hub, when it succeeded
    // The folder in the way was changed here or is of unknown origin: nothing was done,
    // and an install with `replaceChanged` would replace it.
    std::optional<LocalChanges> needsConsent;
    // The audit found open findings of level high in the fetched folder, and the consent said
    // no: nothing was done.
    std::optional<AuditReport> risk = std::nullopt;

    // What a successful install has to say.
    QString name = {};          // the hit as the store shows it, or the hub item an update replaced
    bool updated = false;       // a hub item was updated, rather than installed
    bool commitUnknown = false; // lock files cannot hold this state
    std::optional<Problem> incomplete = std::nullopt; // only the SKILL.md came, for this reason
    QStringList skipped = {};                         // links and submodules left out

    // Nothing was done, for this reason.
    static InstallResult failure(Problem problem) { return {false, std::move(problem), {}, {}, {}}; }
};

// One store install or update: the skill's folder is fetched, audited, written beside its
// place in the hub and then put in place, and where it came from is recorded. It belongs to the
// workspace, not to a view, so it finishes and reports even when the view that started
// it is gone. It deletes itself once it has reported.
class SkillInstall : public QObject
{
    Q_OBJECT

public:
    // Starts at once; `finished` comes later, never before this returns.
    static SkillInstall* start(Workspace& workspace, SkillSource& source, const RemoteSkillItem& item,
                               const InstallOptions& options = {});

    // The hit's folder in the hub: its skillId, else its name.
    static QString folderName(const RemoteSkillItem& item);
    // The hit that fetches an installed skill again from where it came.
    static RemoteSkillItem hitFor(const SkillProvenance& provenance);

Q_SIGNALS:
    void finished(const InstallResult& result);

private:
    SkillInstall(Workspace& workspace, SkillSource& source, const RemoteSkillItem& item,
                 const InstallOptions& options);
    void begin();
    void fetch();
    void place(const FetchedSkill& skill);
    void placeInHub(const FetchedSkill& skill);
    void conclude(const FetchedSkill& skill, const FolderDigest& digest);
    void refuse(const InstallRefusal& refusal);
    void finish(InstallResult result);
    // Runs `work` on a worker and `then` with its result here.
    template <typename T> void inBackground(std::function<T()> work, std::function<void(const T&)> then);

    Workspace& m_workspace;
    SkillSource& m_source;
    RemoteSkillItem m_item;
    InstallOptions m_options;
    QString m_name;
    std::optional<SkillInstallPlan> m_plan;
    bool m_replacing = false;
};
