#pragma once

#include "access/FolderContent.h"
#include "actions/BackgroundTask.h"
#include "actions/LockedFetch.h"
#include "backup/LockFile.h"
#include "backup/ProjectPolicy.h"
#include "linker/PlacementPlan.h"
#include "store/GitHubTree.h"

#include <QObject>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class ContentCache;
class QNetworkAccessManager;
class TargetApp;
class Workspace;

// A project app the lock names that is not registered here.
struct RestoreApp
{
    QString lockName; // the preset id, or the folder relative to the project
    QString folder;   // absolute
};

// An entry that already holds exactly the locked content: taken as Quorvane's placement.
struct RestoreKeep
{
    QString lockName;
    QString itemName;
    QString path;
    QString contentSha256;
};

// What restoring a project from its lock file would do, before anything happens.
struct RestorePlan
{
    QList<RestoreFetch> fetches;
    QList<RestoreApp> apps;
    QList<RestoreKeep> keeps;
    std::vector<PlacementPlan> placements; // per app; an app still to add has a null id
    QStringList placementApps;             // the lock name of each placement plan
    QList<PlanConflict> conflicts;         // of fetches and apps; the placements hold their own
    QStringList unlocked; // Quorvane's placements in the project's folders the lock does not name
    QStringList unpinned; // skills the lock names no commit of: fetched at their ref as it is now

    qsizetype conflictCount() const;
};

// How a restore ended.
struct RestoreOutcome
{
    enum class Stage
    {
        unreadable, // no lock file, or one that cannot be used; nothing changed
        declined,   // the plan was not agreed to; nothing changed
        refused,    // the project's policy does not allow what the lock names; `failures` says what; nothing
                    // changed
        restored,   // carried out; `failures` names what could not be done
    };
    Stage stage = Stage::unreadable;
    std::optional<Problem> error; // why it was unreadable
    QList<Problem> failures;
    PlanOutcome placed;
};

// Restores a project from DIR/quorvane-lock.json, in the order of every plan here: read the
// lock, plan (fetches, apps, placements), ask, then act: fetch what the hub lacks at the
// locked commit (one tree listing per repository and commit, files a few at a time, the
// content cache first) and check it against the locked hash, add the missing apps, take
// entries that hold the locked content as placed, and make the rest with the plan task.
class ProjectRestore : public QObject
{
    Q_OBJECT

public:
    struct Options
    {
        bool offline = false;    // no request at all: what the cache lacks is a conflict
        bool acceptRisk = false; // let in folders with high audit findings, accepting them
    };
    // Shows the plan and answers whether to go on; it may consent to changes here.
    using AskConsent = std::function<bool(RestorePlan& plan)>;

    ProjectRestore(Workspace& workspace, FetchAccess access, QString project, Options options,
                   AskConsent askConsent);
    ~ProjectRestore() override;

    // What restoring the lock would do; reads only.
    static RestorePlan plan(Workspace& workspace, const QString& project, const LockFile& lock,
                            const ContentCache& cache, bool offline);

    // Once the caller is connected.
    void start();

Q_SIGNALS:
    void taskStarted(BackgroundTask* task);
    // The restore goes right after.
    void finished(const RestoreOutcome& outcome);

private:
    void addAppsAndPlace();
    void finish(RestoreOutcome outcome);

    Workspace& m_workspace;
    FetchAccess m_access;
    QString m_project;
    Options m_options;
    AskConsent m_askConsent;
    std::unique_ptr<ContentCache> m_cache;
    RestorePlan m_plan;
    QList<Problem> m_failures;
    QStringList m_notFetched;
    std::shared_ptr<void> m_lockHeld; // the lock file is not rewritten while it is restored
    std::optional<ProjectPolicy> m_policy;
};
