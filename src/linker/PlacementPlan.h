#pragma once

#include "access/FolderAccess.h"
#include "base/Problem.h"
#include "linker/LinkRecords.h"
#include "model/TargetApp.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QUuid>

#include <optional>
#include <vector>

// One step of a plan, as the user is shown it before anything happens.
struct PlanAction
{
    enum class Op
    {
        create,      // a placement where nothing stands
        copy,        // a copy where nothing stands
        replace,     // a placement Quorvane made (or a broken link), made anew
        remove,      // a placement Quorvane made, taken away
        trash,       // an entry moved to the trash, where it can be brought back from
        takeIntoHub, // a copy changed here becomes the hub item; the hub's version goes to the trash
    };
    Op op;
    QString path;        // in the app's folder
    QString destination; // the hub item it stands for; empty for a removal
    QString itemName;
    // For a replace that turns a link into a copy or a copy into a link: what it becomes.
    std::optional<PlacementKind> becomes = std::nullopt;

    // Whether it puts a hub item into the app's folder: what a policy and the audit look at.
    bool placesItem() const { return op == Op::create || op == Op::copy || op == Op::replace; }
    // "create", "copy", "replace", "remove", "trash", "take-into-hub"
    static QString opName(Op op);
};

// Something in the way that Quorvane did not place, or cannot read, or a copy changed here.
struct PlanConflict
{
    // Why it stands in the way; `subject` holds what a kind names.
    enum class Kind
    {
        foreignLink,          // a link Quorvane did not make; subject: where it leads
        foreignFolder,        // a folder Quorvane did not make
        foreignFile,          // a file Quorvane did not make
        changedCopy,          // a copy changed here
        invalidName,          // a recorded name that is no entry's name
        folderUnreadable,     // the app's folder cannot be listed
        folderUnreachable,    // the app's folder cannot be reached
        leavesProject,        // a link on the way leads out of the project
        lockFileNotRegular,   // the project's lock file is a link or no ordinary file
        hubHoldsOtherVersion, // the hub's item is not the version the lock file holds
        noProjectFolder,      // the lock names an app without a skills folder in a project; subject: its name
        notFetchableOffline,  // not in the cache, and the network may not be used
        differsFromLock,      // the hub's item differs from the lock, and nothing else holds the locked one
        noKnownSource,        // not in the hub, and no source is known
        notAllowedByPolicy,   // the project's policy does not allow the item's source; subject: the source
        policyUnreadable,     // the project's policy cannot be read, so nothing is placed under it
        tooYoungForPolicy,    // its commit is younger than the project's policy allows; subject: its
                              // date (ISO 8601), empty where not known
    };
    QString path;
    Kind kind;
    QString itemName;
    // For a copy changed here: what would be done with the user's consent (window) or --force.
    std::optional<PlanAction> withConsent = std::nullopt;
    QString subject = {};

    // Whether it stands for the whole folder (it cannot be read, or must not be written), so
    // skipping it leaves nothing to do.
    bool concernsFolder() const { return itemName.isEmpty(); }
    // The kind's stable name for machine-readable output: "foreign-link", "changed-copy", …
    static QString kindName(Kind kind);
};

// What a bulk change of one app's folder would do. With any conflict nothing is done,
// unless the conflicting entries are skipped. The folders reached for it keep their
// access scopes open while it lives.
struct PlacementPlan
{
    QUuid appID;
    PlacementKind kind = PlacementKind::link; // how the entries are placed
    std::optional<PlacementKind> switchesTo;  // the app's new mode, set once the plan is carried out
    QList<PlanAction> actions;
    QList<PlanConflict> conflicts;
    std::vector<ReachedFolder> folders;

    // How many conflicts are copies changed here, which the user may allow to be overwritten.
    qsizetype changesHere() const;
    // The plan with the user's consent to overwrite or remove copies changed here.
    void consentToChangesHere();
};

// An app with the placements recorded for it, as the store or a backup document holds them:
// each item's name, with a copy's content hash.
struct RecordedPlacements
{
    const TargetApp* app = nullptr;
    RecordedItems items;
};

// How carrying out a plan went.
struct PlanOutcome
{
    QList<PlacedItem> placed; // the items placed or placed anew
    QStringList removed;      // the items whose placement was taken away
    int done = 0;
    int skipped = 0;         // conflicts left as they are
    QList<Problem> failures; // each action that failed, with why
    bool refused = false;    // there were conflicts and they were not to be skipped: nothing changed

    // Another plan's outcome added to this one, as for a task of several plans.
    void add(const PlanOutcome& other)
    {
        placed += other.placed;
        removed += other.removed;
        done += other.done;
        skipped += other.skipped;
        failures += other.failures;
    }
};
