#pragma once

#include "access/FolderAccess.h"
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

    // "create", "copy", "replace", "remove", "trash", "take-into-hub"
    static QString opName(Op op);
};

// Something in the way that Quorvane did not place, or cannot read, or a copy changed here.
struct PlanConflict
{
    QString path;
    QString reason; // for the user
    QString itemName;
    // For a copy changed here: what would be done with the user's consent (window) or --force.
    std::optional<PlanAction> withConsent;

    // Whether it stands for the whole folder (it cannot be read, or must not be written), so
    // skipping it leaves nothing to do.
    bool concernsFolder() const { return itemName.isEmpty(); }
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
    int skipped = 0;      // conflicts left as they are
    QStringList failures; // one line each, for the log
    bool refused = false; // there were conflicts and they were not to be skipped: nothing changed

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
