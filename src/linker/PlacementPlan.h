#pragma once

#include "access/FolderAccess.h"

#include <QList>
#include <QString>
#include <QUuid>

#include <vector>

// One step of a plan, as the user is shown it before anything happens.
struct PlanAction
{
    enum class Op
    {
        create,  // a placement where nothing stands
        copy,    // a copy where nothing stands
        replace, // a placement Quorvane made, made anew
        remove,  // a placement Quorvane made, taken away
    };
    Op op;
    QString path;        // in the app's folder
    QString destination; // the hub item it stands for; empty for a removal
    QString itemName;

    static QString opName(Op op); // "create", "copy", "replace", "remove"
};

// Something in the way that Quorvane did not place, or cannot read.
struct PlanConflict
{
    QString path;
    QString reason; // for the user
    QString itemName;
};

// What a bulk change of one app's folder would do. With any conflict nothing is done,
// unless the conflicting entries are skipped. The folders reached for it keep their
// access scopes open while it lives.
struct PlacementPlan
{
    QUuid appID;
    QList<PlanAction> actions;
    QList<PlanConflict> conflicts;
    std::vector<ReachedFolder> folders;
};

// How carrying out a plan went.
struct PlanOutcome
{
    QStringList placed;  // the items placed or placed anew
    QStringList removed; // the items whose placement was taken away
    int done = 0;
    int skipped = 0;      // conflicts left as they are
    QStringList failures; // one line each, for the log
    bool refused = false; // there were conflicts and they were not to be skipped: nothing changed
};
