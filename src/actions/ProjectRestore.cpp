#include "actions/ProjectRestore.h"

#include "access/FileSystem.h"
#include "access/ProjectFolder.h"
#include "access/UserEnvironment.h"
#include "actions/AppActions.h"
#include "actions/HubActions.h"
#include "actions/LockedFetch.h"
#include "actions/PlanTask.h"
#include "actions/ProjectLocks.h"
#include "actions/Workspace.h"
#include "base/Log.h"
#include "linker/HubInstaller.h"
#include "linker/Linker.h"
#include "model/AssistantPresets.h"
#include "model/ModelContext.h"
#include "model/SkillProvenanceRecord.h"
#include "model/TargetApp.h"
#include "store/ContentCache.h"

#include <QDir>
#include <QSet>

using namespace Qt::StringLiterals;

namespace {

// Where a lock's app stands in the project: a preset's project folder, else the folder it names.
std::optional<QString> folderOfLockName(const QString& project, const QString& lockName)
{
    if (const AssistantPreset* preset = assistantPreset(lockName)) {
        if (!preset->projectFolder)
            return std::nullopt;
        return project + u'/' + *preset->projectFolder;
    }
    return project + u'/' + lockName;
}

// Where a locked skill's content is for the placements.
struct LockedContent
{
    QString copyFrom;  // what copies are made from: the hub item, or the cache entry
    bool inHub = true; // the hub holds (or will hold) exactly the locked content, so links may be made
};

// A lock's app as the restore finds it in the project.
struct LockApp
{
    QString lockName;
    QString folder;
    const TargetApp* app = nullptr; // nothing for an app still to add
};

// One app's placements of the locked skills, planned against its folder.
void planApp(RestorePlan& plan, const LockApp& lockApp, const LockFile& lock,
             const QHash<QString, LockedContent>& contents, const RecordedItems& recorded)
{
    const QString& folder = lockApp.folder;
    PlacementPlan placements;
    placements.appID = lockApp.app ? lockApp.app->id() : QUuid();
    placements.kind = lockApp.app ? lockApp.app->placement() : PlacementKind::copy;
    const bool copies = placements.kind == PlacementKind::copy;
    QSet<QString> locked;
    for (const LockedSkill& skill : lock.skills) {
        if (!skill.apps.contains(lockApp.lockName))
            continue;
        locked.insert(skill.name);
        const auto content = contents.constFind(skill.name);
        if (content == contents.cend())
            continue; // it cannot be had: the plan says so once
        const QString place = folder + u'/' + skill.name;
        const QString& destination = content->copyFrom;
        const PlanAction replacing{PlanAction::Op::replace, place, destination, skill.name};
        const bool isRecorded = recorded.contains(skill.name);
        if (!copies && !content->inHub) {
            placements.conflicts.append({place, PlanConflict::Kind::hubHoldsOtherVersion, skill.name});
            continue;
        }
        if (FileSystem::isSymbolicLink(place)) {
            const auto leadsTo = FileSystem::linkDestinationText(place);
            const bool intoHub = leadsTo && leadsTo.value() == destination;
            if (!copies && intoHub) {
                if (!isRecorded)
                    plan.keeps.append({lockApp.lockName, skill.name, place, {}});
            } else if (isRecorded) {
                placements.actions.append(replacing);
            } else {
                placements.conflicts.append(PlacementPlanner::inTheWay(place, skill.name));
            }
            continue;
        }
        if (!FileSystem::exists(place)) {
            placements.actions.append(
                {copies ? PlanAction::Op::copy : PlanAction::Op::create, place, destination, skill.name});
            continue;
        }
        const auto hash = FolderContent::contentHashOf(place);
        if (hash && hash.value() == skill.contentSha256 && copies) {
            if (!isRecorded || recorded.value(skill.name) != hash.value())
                plan.keeps.append({lockApp.lockName, skill.name, place, skill.contentSha256});
            continue;
        }
        if (!isRecorded) {
            placements.conflicts.append(PlacementPlanner::inTheWay(place, skill.name));
            continue;
        }
        // A copy Quorvane made: outdated when unchanged since, else changed here.
        const auto copied = recorded.value(skill.name);
        if (!copies || (hash && copied && *copied == hash.value()))
            placements.actions.append(replacing);
        else
            placements.conflicts.append({place, PlanConflict::Kind::changedCopy, skill.name, replacing});
    }
    for (auto entry = recorded.cbegin(); entry != recorded.cend(); ++entry)
        if (!locked.contains(entry.key()))
            plan.unlocked.append(folder + u'/' + entry.key());
    plan.placements.push_back(std::move(placements));
    plan.placementApps.append(lockApp.lockName);
}

// The lock's apps in the project: those registered, and those still to add. A folder that a
// link leads out of the project is a conflict: nothing is written there.
QList<LockApp> lockAppsOf(Workspace& workspace, const QString& project, const LockFile& lock,
                          RestorePlan& plan)
{
    QStringList lockNames;
    for (const LockedSkill& skill : lock.skills)
        lockNames += skill.apps;
    lockNames.removeDuplicates();
    lockNames.sort();
    const QList<TargetApp*> registered = ProjectLocks(workspace).appsOf(project);
    QList<LockApp> apps;
    for (const QString& lockName : std::as_const(lockNames)) {
        LockApp found{lockName, {}, nullptr};
        for (const TargetApp* candidate : registered) {
            const QString candidateFolder =
                expandingTilde(candidate->folderPath(), workspace.platform().user);
            if (ProjectLocks::lockName(*candidate, candidateFolder) == lockName)
                found = {lockName, candidateFolder, candidate};
        }
        if (!found.app) {
            const auto expected = folderOfLockName(project, lockName);
            if (!expected) {
                plan.conflicts.append({project, PlanConflict::Kind::noProjectFolder, {}, {}, lockName});
                continue;
            }
            found.folder = *expected;
        }
        if (const auto link = ProjectFolder::linkLeaving(project, found.folder)) {
            plan.conflicts.append({*link, PlanConflict::Kind::leavesProject, {}});
            continue;
        }
        if (!found.app)
            plan.apps.append({lockName, found.folder});
        apps.append(found);
    }
    return apps;
}

// A committed copy in one of the skill's apps that holds exactly the locked content.
QString committedCopy(const LockedSkill& skill, const QList<LockApp>& apps)
{
    for (const LockApp& app : apps) {
        if (!skill.apps.contains(app.lockName))
            continue;
        const QString place = app.folder + u'/' + skill.name;
        if (FileSystem::isSymbolicLink(place) || !FileSystem::exists(place))
            continue;
        if (const auto hash = FolderContent::contentHashOf(place);
            hash && hash.value() == skill.contentSha256)
            return place;
    }
    return {};
}

} // namespace

qsizetype RestorePlan::conflictCount() const
{
    qsizetype count = conflicts.size();
    for (const PlacementPlan& plan : placements)
        count += plan.conflicts.size();
    return count;
}

ProjectRestore::ProjectRestore(Workspace& workspace, FetchAccess access, QString project, Options options,
                               AskConsent askConsent)
    : QObject(&workspace)
    , m_workspace(workspace)
    , m_access(std::move(access))
    , m_project(std::move(project))
    , m_options(options)
    , m_askConsent(std::move(askConsent))
    , m_cache(std::make_unique<ContentCache>())
{}

ProjectRestore::~ProjectRestore() = default;

RestorePlan ProjectRestore::plan(Workspace& workspace, const QString& project, const LockFile& lock,
                                 const ContentCache& cache, bool offline)
{
    RestorePlan plan;
    plan.unpinned = lock.unpinned();
    const QString hub = workspace.hubSettings().centralRepositoryPath();
    const QList<LockApp> apps = lockAppsOf(workspace, project, lock, plan);
    QHash<QString, LockedContent> contents;
    for (const LockedSkill& skill : lock.skills) {
        const QString hubItem = hub + u'/' + skill.name;
        const bool present = FileSystem::exists(hubItem) || FileSystem::isSymbolicLink(hubItem);
        const auto hash = present ? FolderContent::contentHashOf(hubItem) : Result<QString>(QString());
        if (present && hash && hash.value() == skill.contentSha256) {
            contents.insert(skill.name, {hubItem, true});
            continue;
        }
        const QString localCopy = committedCopy(skill, apps);
        const bool cached = cache.holds(skill.contentSha256);
        if (localCopy.isEmpty() && !cached && (!skill.source || offline)) {
            const auto refusal = skill.source ? PlanConflict::Kind::notFetchableOffline
                                 : present    ? PlanConflict::Kind::differsFromLock
                                              : PlanConflict::Kind::noKnownSource;
            plan.conflicts.append({hubItem, refusal, skill.name});
            continue;
        }
        // A hub item of other content is the user's: it stays, and the project's copies come
        // from the locked content kept in the cache.
        contents.insert(skill.name, present ? LockedContent{cache.pathOf(skill.contentSha256), false}
                                            : LockedContent{hubItem, true});
        plan.fetches.append({skill.name, skill.source.value_or(LockedSource()), skill.contentSha256, cached,
                             localCopy, !present});
    }
    for (const LockApp& app : apps)
        planApp(plan, app, lock, contents,
                app.app ? LinkRecords::recordedIn(workspace.context(), app.app->id()) : RecordedItems());
    // Content for the cache alone is brought only where a copy is to be made of it.
    plan.fetches.removeIf([&](const RestoreFetch& fetch) {
        if (fetch.intoHub)
            return false;
        for (const PlacementPlan& placements : plan.placements)
            for (const PlanAction& action : placements.actions)
                if (action.itemName == fetch.name)
                    return false;
        return true;
    });
    return plan;
}

void ProjectRestore::start()
{
    auto lock = LockFile::read(m_project);
    if (!lock)
        return finish({RestoreOutcome::Stage::unreadable, lock.error().shown(), {}, {}});
    if (!lock.value())
        return finish({RestoreOutcome::Stage::unreadable,
                       Problem(Problem::Kind::noLockFile, {LockFile::fileName(), m_project}),
                       {},
                       {}});
    // The policy is kept before anything is fetched: a source it does not allow stops the restore.
    auto policy = ProjectPolicy::read(m_project);
    if (!policy)
        return finish({RestoreOutcome::Stage::unreadable, policy.error(), {}, {}});
    m_policy = std::move(policy).value();
    if (m_policy) {
        QList<Problem> refusals;
        for (const LockedSkill& skill : lock.value()->skills)
            if (const auto refused = skill.source
                                         ? m_policy->refusalOfSource(skill.name, skill.source->repository)
                                         : std::nullopt)
                refusals.append(*refused);
        if (!refusals.isEmpty())
            return finish({RestoreOutcome::Stage::refused, std::nullopt, refusals, {}});
    }
    m_plan = plan(m_workspace, m_project, *lock.value(), *m_cache, m_options.offline);
    if (!m_askConsent(m_plan))
        return finish({RestoreOutcome::Stage::declined, std::nullopt, {}, {}});
    m_lockHeld = m_workspace.lockFiles().holdWhileRestoring(m_project);
    auto* fetch = new LockedFetch(m_workspace, m_options.offline ? FetchAccess{} : m_access, m_plan.fetches,
                                  m_options.acceptRisk, this);
    if (m_policy)
        fetch->keep(*m_policy, m_project);
    connect(fetch, &LockedFetch::finished, this,
            [this](const QList<Problem>& failures, const QStringList& notFetched) {
                m_failures += failures;
                m_notFetched = notFetched;
                addAppsAndPlace();
            });
    fetch->start();
}

void ProjectRestore::addAppsAndPlace()
{
    // The views learn of the items fetched once the hub was read again; the placements need no scan.
    HubActions(m_workspace).rescanInBackground();
    QHash<QString, QUuid> appOf;
    for (const RestoreApp& app : std::as_const(m_plan.apps)) {
        AppActions actions(m_workspace);
        const AssistantPreset* preset = assistantPreset(app.lockName);
        const auto added = preset ? actions.addToProject(*preset, m_project, true, std::nullopt)
                                  : actions.addFolderToProject(app.folder, m_project);
        if (!added) {
            m_failures.append({Problem::Kind::appNotAdded, {app.folder}});
            continue;
        }
        appOf.insert(app.lockName, added.value()->id());
    }
    std::vector<PlacementPlan> toCarryOut;
    for (std::size_t i = 0; i < m_plan.placements.size(); ++i) {
        PlacementPlan& placements = m_plan.placements[i];
        const QString& lockName = m_plan.placementApps.at(qsizetype(i));
        if (placements.appID.isNull())
            placements.appID = appOf.value(lockName);
        if (placements.appID.isNull())
            continue;
        appOf.insert(lockName, placements.appID);
        // Nothing of a skill that could not be fetched is placed.
        placements.actions.removeIf(
            [this](const PlanAction& action) { return m_notFetched.contains(action.itemName); });
        if (!placements.actions.isEmpty())
            toCarryOut.push_back(std::move(placements));
    }
    // Every entry kept is recorded with one save, so each project's lock is written once.
    QHash<QUuid, qsizetype> changeOf;
    QList<AppRecordChange> keptRecords;
    for (const RestoreKeep& keep : std::as_const(m_plan.keeps)) {
        const QUuid appID = appOf.value(keep.lockName);
        const TargetApp* app = m_workspace.app(appID);
        if (!app)
            continue;
        if (!changeOf.contains(appID)) {
            changeOf.insert(appID, keptRecords.size());
            keptRecords.append({appID, {}, {}});
        }
        const bool copies = app->placement() == PlacementKind::copy;
        keptRecords[changeOf.value(appID)].added.append(
            {keep.itemName, copies ? std::optional(keep.contentSha256) : std::nullopt});
    }
    if (!keptRecords.isEmpty() && !m_workspace.linkRecords().change(keptRecords))
        for (const RestoreKeep& keep : std::as_const(m_plan.keeps))
            m_failures.append({Problem::Kind::notRecorded, {keep.path}});
    for (const AppRecordChange& change : std::as_const(keptRecords))
        m_workspace.changes().announceTargetFolder(change.targetAppID);
    if (toCarryOut.empty())
        return finish({RestoreOutcome::Stage::restored, std::nullopt, m_failures, {}});
    AuditGate gate(m_workspace.context(), AuditGate::answering(m_options.acceptRisk),
                   !(m_policy && m_policy->auditMustPass));
    PlanTask* task = PlanTask::start(m_workspace, std::move(toCarryOut), true, gate);
    if (!task)
        return finish({RestoreOutcome::Stage::restored,
                       std::nullopt,
                       m_failures + AuditGate::refusals(gate.refused()),
                       {}});
    connect(task, &PlanTask::finished, this, [this](const PlanOutcome& placed) {
        finish({RestoreOutcome::Stage::restored, std::nullopt, m_failures + placed.failures, placed});
    });
    Q_EMIT taskStarted(task);
}

void ProjectRestore::finish(RestoreOutcome outcome)
{
    m_lockHeld.reset();
    Q_EMIT finished(outcome);
    deleteLater();
}
