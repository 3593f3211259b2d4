#include "actions/ProjectRestore.h"

#include "access/FileSystem.h"
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

#include <QCoreApplication>
#include <QDir>
#include <QSet>

using namespace Qt::StringLiterals;

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(ProjectRestore)
};

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

// One app's placements of the locked skills, planned against its folder.
void planApp(RestorePlan& plan, const QString& lockName, const QString& folder, const TargetApp* app,
             const LockFile& lock, const QString& hub, const QSet<QString>& unplaceable,
             const RecordedItems& recorded)
{
    PlacementPlan placements;
    placements.appID = app ? app->id() : QUuid();
    placements.kind = app ? app->placement() : PlacementKind::copy;
    const bool copies = placements.kind == PlacementKind::copy;
    QSet<QString> locked;
    for (const LockedSkill& skill : lock.skills) {
        if (!skill.apps.contains(lockName))
            continue;
        locked.insert(skill.name);
        if (unplaceable.contains(skill.name))
            continue;
        const QString place = folder + u'/' + skill.name;
        const QString destination = hub + u'/' + skill.name;
        const PlanAction replacing{PlanAction::Op::replace, place, destination, skill.name};
        const bool isRecorded = recorded.contains(skill.name);
        if (FileSystem::isSymbolicLink(place)) {
            const auto leadsTo = FileSystem::linkDestinationText(place);
            const bool intoHub = leadsTo && leadsTo.value() == destination;
            if (!copies && intoHub) {
                if (!isRecorded)
                    plan.keeps.append({lockName, skill.name, place, {}});
            } else if (isRecorded) {
                placements.actions.append(replacing);
            } else {
                placements.conflicts.append({place, PlacementPlanner::inTheWay(place), skill.name, {}});
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
                plan.keeps.append({lockName, skill.name, place, skill.contentSha256});
            continue;
        }
        if (!isRecorded) {
            placements.conflicts.append({place, PlacementPlanner::inTheWay(place), skill.name, {}});
            continue;
        }
        // A copy Quorvane made: outdated when unchanged since, else changed here.
        const auto copied = recorded.value(skill.name);
        if (!copies || (hash && copied && *copied == hash.value()))
            placements.actions.append(replacing);
        else
            placements.conflicts.append({place, PlacementPlanner::changedHere(), skill.name, replacing});
    }
    for (auto entry = recorded.cbegin(); entry != recorded.cend(); ++entry)
        if (!locked.contains(entry.key()))
            plan.unlocked.append(folder + u'/' + entry.key());
    plan.placements.push_back(std::move(placements));
    plan.placementApps.append(lockName);
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
    const QString hub = workspace.hubSettings().centralRepositoryPath();
    QSet<QString> unplaceable;
    for (const LockedSkill& skill : lock.skills) {
        const QString hubItem = hub + u'/' + skill.name;
        const bool present = FileSystem::exists(hubItem) || FileSystem::isSymbolicLink(hubItem);
        if (present) {
            if (const auto hash = FolderContent::contentHashOf(hubItem);
                hash && hash.value() == skill.contentSha256)
                continue;
        }
        const bool cached = cache.holds(skill.contentSha256);
        QString refusal;
        if (!skill.source && !cached)
            refusal = present ? Texts::tr("Inhalt weicht von der Sperrdatei ab")
                              : Texts::tr("nicht im Hub, und ohne bekannte Quelle");
        else if (offline && !cached)
            refusal = Texts::tr("nicht im Zwischenspeicher; ohne Netz nicht zu holen");
        if (!refusal.isEmpty()) {
            plan.conflicts.append({hubItem, refusal, skill.name, {}});
            unplaceable.insert(skill.name);
            continue;
        }
        plan.fetches.append({skill.name, skill.source.value_or(LockedSource()), skill.contentSha256, cached});
    }

    QStringList lockNames;
    for (const LockedSkill& skill : lock.skills)
        lockNames += skill.apps;
    lockNames.removeDuplicates();
    lockNames.sort();
    const QList<TargetApp*> registered = ProjectLocks(workspace).appsOf(project);
    for (const QString& lockName : std::as_const(lockNames)) {
        const TargetApp* app = nullptr;
        QString folder;
        for (const TargetApp* candidate : registered) {
            const QString candidateFolder =
                expandingTilde(candidate->folderPath(), workspace.platform().user);
            if (ProjectLocks::lockName(*candidate, candidateFolder) == lockName) {
                app = candidate;
                folder = candidateFolder;
            }
        }
        if (!app) {
            const auto expected = folderOfLockName(project, lockName);
            if (!expected) {
                plan.conflicts.append(
                    {project, Texts::tr("„%1“ hat keinen Skills-Ordner im Projekt").arg(lockName), {}, {}});
                continue;
            }
            folder = *expected;
            plan.apps.append({lockName, folder});
        }
        planApp(plan, lockName, folder, app, lock, hub, unplaceable,
                app ? LinkRecords::recordedIn(workspace.context(), app->id()) : RecordedItems());
    }
    return plan;
}

void ProjectRestore::start()
{
    auto lock = LockFile::read(m_project);
    if (!lock)
        return finish({RestoreOutcome::Stage::unreadable, lock.error(), {}, {}});
    if (!lock.value())
        return finish({RestoreOutcome::Stage::unreadable,
                       Error{u"There is no %1 in %2."_s.arg(LockFile::fileName(), m_project)},
                       {},
                       {}});
    m_plan = plan(m_workspace, m_project, *lock.value(), *m_cache, m_options.offline);
    if (!m_askConsent(m_plan))
        return finish({RestoreOutcome::Stage::declined, std::nullopt, {}, {}});
    m_workspace.setRestoring(m_project, true);
    auto* fetch = new LockedFetch(m_workspace, m_options.offline ? FetchAccess{} : m_access, m_plan.fetches,
                                  m_options.acceptRisk, this);
    connect(fetch, &LockedFetch::finished, this,
            [this](const QStringList& failures, const QStringList& notFetched) {
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
            m_failures.append(app.folder + u": "_s + Texts::tr("die App konnte nicht hinzugefügt werden"));
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
            m_failures.append(keep.path + u": "_s + Texts::tr("nicht vermerkt"));
    for (const AppRecordChange& change : std::as_const(keptRecords))
        m_workspace.changes().announceTargetFolder(change.targetAppID);
    if (toCarryOut.empty())
        return finish({RestoreOutcome::Stage::restored, std::nullopt, m_failures, {}});
    PlanTask* task = PlanTask::start(m_workspace, std::move(toCarryOut), true);
    connect(task, &PlanTask::finished, this, [this](const PlanOutcome& placed) {
        finish({RestoreOutcome::Stage::restored, std::nullopt, m_failures + placed.failures, placed});
    });
    Q_EMIT taskStarted(task);
}

void ProjectRestore::finish(RestoreOutcome outcome)
{
    m_workspace.setRestoring(m_project, false);
    Q_EMIT finished(outcome);
    deleteLater();
}
