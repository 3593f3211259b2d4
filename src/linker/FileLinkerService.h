#pragma once

#include "access/FileSystem.h"
#include "access/FolderAccess.h"
#include "access/FolderContent.h"
#include "base/Result.h"
#include "linker/Placement.h"
#include "linker/PlacementPlan.h"
#include "model/Skill.h"
#include "model/SkillProvenanceRecord.h"
#include "model/TargetAppSkill.h"

#include <QString>

#include <QList>
#include <QStringList>

#include <atomic>
#include <functional>
#include <optional>
#include <vector>

class HubItems;
class HubSettings;
class LinkRecords;
class ModelContext;

// How a switch of a link turned out.
enum class LinkToggleResult
{
    alreadyInState,    // nothing to do
    changed,           // the link was made or taken away, and its record with it
    failed,            // a file operation failed (logged)
    folderUnreachable, // the app's folder could not be reached; nothing changed
    refused,           // a copy changed here, or something Quorvane did not place, is in the way
};

// A switch's result, with what stood in the way when it was refused.
struct LinkToggle
{
    LinkToggleResult result;
    std::optional<PlanConflict> refusal; // set with `refused`
};

// Importing in three steps, so the middle one, which may copy a large tree across file
// systems, can run on a worker: the plan reaches the folders (their scopes stay open while
// it lives), the move works on plain paths, and the end logs and records.
struct ImportPlan
{
    QString name;
    QString entry;  // the entry in the app's folder
    QString source; // what moves: the entry, or what the link there leads to
    QString hub;
    QString target;
    bool viaLink = false;
    qint64 bytesToCopy = 0; // when the move has to copy
    std::vector<ReachedFolder> folders;

    bool isPossible() const { return !folders.empty(); }
    // The paths alone, for a worker; the scopes stay with the original.
    ImportPlan withoutFolders() const { return {name, entry, source, hub, target, viaLink, bytesToCopy, {}}; }
};

// Where a removed entry went: into the desktop's trash (its path there), or gone for good.
struct Removal
{
    std::optional<QString> inTrash;
};

// A fetched skill folder to put into the hub, in two halves like an import: the plan is
// made where the records live (the hub's scope stays open while it lives), the files are
// placed from plain paths on a worker.
struct SkillInstallTarget
{
    QString name;
    QString folder;                          // in the hub
    std::optional<SkillProvenance> recorded; // what was installed there before, if anything
};
struct SkillInstallPlan
{
    SkillInstallTarget target;
    std::vector<ReachedFolder> folders;
};

// How the folder an install would replace differs from what was installed there.
struct LocalChanges
{
    bool unknownOrigin = false; // nothing records where it came from
    QStringList files;          // changed here; for a folder of unknown origin, all it holds
};

// Why an install did not happen.
struct InstallRefusal
{
    QString message;
    std::optional<LocalChanges> changesHere; // set when only the user's consent is missing

    // The refusal to replace the item `name` without consent, in the user's words.
    static InstallRefusal withoutConsent(const QString& name, const LocalChanges& changes);
};

// The one object through which every change on disk passes: links made and taken
// away, entries imported, repaired and removed, downloaded skills written. It reads
// nothing back for views and tells no one; the actions that call it announce changes.
// Failures are logged and also reported to the caller.
class FileLinkerService
{
public:
    FileLinkerService(ModelContext& context, const HubSettings& hub, const FolderAccess& access,
                      LinkRecords& records, Placements placements);

    // --- Links and copies
    // Whether the app's folder holds the hub item placed by Quorvane the app's way: a link to
    // it, or a copy made of it. An unreachable folder reads as not linked.
    bool isSkillLinked(const Skill& skill, const TargetApp& app) const;
    // Places the skill into the app's folder or takes it away, and records it. Never
    // deletes or moves a real file or folder that Quorvane did not place, nor a copy
    // changed here unless `replaceChangedHere` (the user's consent).
    LinkToggle toggleLink(const Skill& skill, const TargetApp& app, bool linked, bool replaceChangedHere = false);
    const Placements& placements() const { return m_placements; }
    const Placement& placementFor(const TargetApp& app) const { return m_placements.of(app.placement()); }

    // --- Bulk changes, planned before they act
    // Every hub item (every visible entry of the hub, as listed now) placed in the app's
    // folder: what is missing is made; what stands in the way and was not placed by
    // Quorvane is a conflict. Nothing when the folder or the hub cannot be reached.
    std::optional<PlacementPlan> planLinkAll(const TargetApp& app) const;
    // The same for the hub items named, by their paths.
    std::optional<PlacementPlan> planLink(const QStringList& hubItems, const TargetApp& app) const;
    // Every placement Quorvane made in the app's folder taken away (only the one of `onlyItem`
    // when given); nothing else is touched, and a copy changed here only with consent.
    std::optional<PlacementPlan> planUnlinkAll(const TargetApp& app,
                                               const std::optional<QString>& onlyItem = std::nullopt) const;
    // Every placement Quorvane recorded brought in line with the hub: made where missing,
    // made anew where outdated (a copy of an item changed since, a link into a moved hub).
    std::optional<PlacementPlan> planSync(const TargetApp& app) const;
    // Every placement Quorvane recorded in the app's folder converted to `kind`; the app's
    // mode changes with the records once the plan is carried out.
    std::optional<PlacementPlan> planSwitch(const TargetApp& app, PlacementKind kind) const;
    // planSync() for every app with records; an app whose folder cannot be reached has a plan
    // with that one conflict.
    std::vector<PlacementPlan> planRestoreAll() const;
    // What the records say of each app, in name order (with two apps of one id, the first
    // stands for both): the input of planRestore().
    QList<RecordedPlacements> recordedPlacements() const;
    // The same for placements not (yet) in the store, as a backup document holds them.
    std::vector<PlacementPlan> planRestore(const QList<RecordedPlacements>& apps,
                                           const FolderLocation& hub) const;
    // Carries the plan out and records it with one save; with conflicts, only when they
    // are to be skipped.
    PlanOutcome carryOut(const PlacementPlan& plan, bool skipConflicts);
    // Every plan carried out, its conflicts skipped, and all recorded with one save.
    std::vector<PlanOutcome> carryOutAll(const std::vector<PlacementPlan>& plans);
    // The files' part, in order until `stop` is set; touches files only and logs nothing,
    // so it may run on a worker.
    static void performPlan(const QList<PlanAction>& actions, const Placement& placement,
                            const std::atomic<bool>& stop,
                            const std::function<void(qsizetype done)>& progress, PlanOutcome& outcome);
    // Logs the failures and records what was placed and taken away, and the app's new mode,
    // with one save.
    void recordPlan(const PlacementPlan& plan, const PlanOutcome& outcome);
    // The same for many plans, each with its outcome, with one save.
    void recordPlans(const std::vector<PlacementPlan>& plans, const std::vector<PlanOutcome>& outcomes);

    // --- Removing
    // Moves an entry of the app's folder (a link as a link) to the trash, or deletes it where
    // there is none, and forgets its record. Nothing when it could not be removed.
    std::optional<Removal> removeTargetItem(const QString& itemPath, const TargetApp& app);
    // The same for a hub item (a folder with its contents), which also forgets where it came
    // from. Links to it stay and show as broken.
    std::optional<Removal> removeHubItem(const Skill& skill);

    // --- Bringing content into the hub
    // Moves a local entry of the app's folder (or what a link there leads to) into the
    // hub under the entry's name and leaves a link to it in its place. Never replaces a hub entry.
    bool importSkill(const TargetAppSkill& item, const TargetApp& app);
    ImportPlan planImport(const TargetAppSkill& item, const TargetApp& app) const;
    // The files' part: touches files only and logs nothing, so it may run on a worker.
    static Outcome performImport(const ImportPlan& plan, const Placement& placement,
                                 const FileSystem::CopyControl& control);
    // Logs a failure, or records the link; true when imported.
    bool concludeImport(const ImportPlan& plan, const Outcome& outcome, const TargetApp& app);
    // Points a broken link at the hub entry of the same name.
    bool repairLink(const TargetAppSkill& item, const TargetApp& app);

    // --- Installing fetched skill folders
    // Refuses a name that is not a plain visible folder name, and an unreachable hub.
    Result<SkillInstallPlan, QString> planSkillInstall(const QString& name) const;
    // Nothing when the folder is missing or holds exactly what was installed. Reads files only.
    static Result<std::optional<LocalChanges>> changesHere(const SkillInstallTarget& target);
    // Writes the files into a hidden staging folder in the hub, then puts it in place: by a
    // move that never replaces, or, over an existing folder, by one exchange after which the
    // old folder is removed. A folder changed here or of unknown origin is replaced only
    // with `replaceChanged`. On any failure the staging folder goes and the hub stays as it was.
    static Result<FolderDigest, InstallRefusal>
    placeSkillFolder(const SkillInstallTarget& plan, const QList<ContentFile>& files, bool replaceChanged);

private:
    // Logs the plan's failures and sets the app's new mode; returns what its records are to say.
    AppRecordChange concludePlan(const PlacementPlan& plan, const PlanOutcome& outcome);
    PlanOutcome performSkippingConflicts(const PlacementPlan& plan) const;
    LinkToggle toggleCopy(const Skill& skill, const TargetApp& app, bool linked, bool replaceChangedHere);
    // The app's recorded placements planned the `kind` way, the hub reached for the plan's life.
    std::optional<PlacementPlan> planInHub(const TargetApp& app, PlacementKind kind,
                                           bool createMissing) const;
    std::optional<PlacementPlan> planRecorded(const RecordedPlacements& placements, const HubItems& hub,
                                              PlacementKind kind, bool createMissing) const;

    ModelContext& m_context;
    const HubSettings& m_hub;
    const FolderAccess& m_access;
    LinkRecords& m_records;
    Placements m_placements;
};
