// Bulk changes of an app's folder: planned in full first, carried out only without conflicts.
#include "linker/PlacementPlan.h"

#include "access/FileSystem.h"
#include "access/ItemName.h"
#include "base/Log.h"
#include "linker/FileLinkerService.h"
#include "linker/HubSettings.h"
#include "linker/LinkRecords.h"
#include "linker/Placement.h"
#include "model/ModelContext.h"
#include "model/SkillLinkRecord.h"
#include "model/TargetApp.h"

#include <QCoreApplication>
#include <QSet>

using namespace Qt::StringLiterals;

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("PlacementPlan", text);
}

// Why an entry that Quorvane did not place stands in the way.
QString conflictReason(const QString& place)
{
    if (FileSystem::isSymbolicLink(place)) {
        const auto destination = FileSystem::linkDestinationText(place);
        return tr("ein Link nach %1, den Quorvane nicht angelegt hat")
            .arg(destination ? destination.value() : u"?"_s);
    }
    return FileSystem::existsAsFolder(place) == true ? tr("ein Ordner, den Quorvane nicht angelegt hat")
                                                     : tr("eine Datei, die Quorvane nicht angelegt hat");
}

QSet<QString> recordedNames(const ModelContext& context, const QUuid& appID)
{
    QSet<QString> names;
    for (const SkillLinkRecord* record : context.records<SkillLinkRecord>())
        if (record->targetAppID() == appID)
            names.insert(record->itemName());
    return names;
}

} // namespace

QString PlanAction::opName(Op op)
{
    switch (op) {
    case Op::create:
        return u"create"_s;
    case Op::copy:
        return u"copy"_s;
    case Op::replace:
        return u"replace"_s;
    case Op::remove:
        break;
    }
    return u"remove"_s;
}

namespace {

// Reaches the app's folder and lists it once; `fill` plans from the listing. A folder that
// cannot be listed is the plan's one conflict.
template <typename Fill>
std::optional<PlacementPlan> planFolder(const FolderAccess& access, const TargetApp& app, Fill&& fill)
{
    auto folder = access.reach(folderOf(app));
    if (!folder)
        return std::nullopt;
    PlacementPlan plan;
    plan.appID = app.id();
    if (const auto entries = FileSystem::listFolderEntries(folder->path))
        fill(folder->path, entries.value(), plan);
    else
        plan.conflicts.append({folder->path, tr("der Ordner kann nicht gelesen werden"), {}});
    plan.folders.push_back(std::move(*folder));
    return plan;
}

QString nameOf(const FileSystem::FolderEntry& entry)
{
    return entry.path.mid(entry.path.lastIndexOf(u'/') + 1);
}

} // namespace

std::optional<PlacementPlan> FileLinkerService::planLinkAll(const QList<Skill>& hubItems,
                                                            const TargetApp& app) const
{
    const QSet<QString> recorded = recordedNames(m_context, app.id());
    return planFolder(
        m_access, app,
        [&](const QString& folder, const QList<FileSystem::FolderEntry>& entries, PlacementPlan& plan) {
            // One listing tells which places are free; only the others are looked at one by one.
            QSet<QString> taken;
            for (const FileSystem::FolderEntry& entry : entries)
                taken.insert(nameOf(entry));
            for (const Skill& skill : hubItems) {
                const QString name = skill.url.fileName();
                const QString hubItem = skill.url.toLocalFile();
                const QString place = FileSystem::childPath(folder, name);
                if (!taken.contains(name))
                    plan.actions.append({PlanAction::Op::create, place, hubItem, name});
                else if (m_placement.isPlacementOf(place, hubItem))
                    continue;
                // A link Quorvane made that leads elsewhere now (the hub moved) is made anew.
                else if (FileSystem::isSymbolicLink(place) && recorded.contains(name))
                    plan.actions.append({PlanAction::Op::replace, place, hubItem, name});
                else
                    plan.conflicts.append({place, conflictReason(place), name});
            }
        });
}

std::optional<PlacementPlan> FileLinkerService::planUnlinkAll(const TargetApp& app) const
{
    const QString hub = m_hub.centralRepositoryPath();
    return planFolder(
        m_access, app,
        [&](const QString&, const QList<FileSystem::FolderEntry>& entries, PlacementPlan& plan) {
            for (const FileSystem::FolderEntry& entry : entries)
                if (m_placement.isPlacementOf(entry.path, FileSystem::childPath(hub, nameOf(entry))))
                    plan.actions.append({PlanAction::Op::remove, entry.path, {}, nameOf(entry)});
            std::sort(plan.actions.begin(), plan.actions.end(),
                      [](const PlanAction& a, const PlanAction& b) { return a.path < b.path; });
        });
}

std::vector<PlacementPlan> FileLinkerService::planRestoreAll() const
{
    std::vector<PlacementPlan> plans;
    auto hub = m_access.reach(m_hub.location());
    if (!hub)
        return plans;
    QHash<QUuid, QStringList> recorded;
    for (const SkillLinkRecord* record : m_context.records<SkillLinkRecord>())
        recorded[record->targetAppID()].append(record->itemName());
    QSet<QUuid> planned; // with two apps of one id, the first one stands for both
    for (const TargetApp* app : TargetApp::sortedByName(m_context.records<TargetApp>())) {
        if (planned.contains(app->id()) || !recorded.contains(app->id()))
            continue;
        planned.insert(app->id());
        auto plan = planFolder(
            m_access, *app,
            [&](const QString& folder, const QList<FileSystem::FolderEntry>& entries,
                PlacementPlan& planning) {
                QSet<QString> taken;
                for (const FileSystem::FolderEntry& entry : entries)
                    taken.insert(nameOf(entry));
                for (const QString& name : recorded.value(app->id())) {
                    // Names come from records that a backup may have brought: one entry of the folder each.
                    if (!checkItemName(name)) {
                        planning.conflicts.append({folder + u'/' + name, tr("kein zulässiger Name"), name});
                        continue;
                    }
                    const QString hubItem = FileSystem::childPath(hub->path, name);
                    const QString place = FileSystem::childPath(folder, name);
                    if (!FileSystem::exists(hubItem) || m_placement.isPlacementOf(place, hubItem))
                        continue;
                    if (taken.contains(name))
                        planning.conflicts.append({place, conflictReason(place), name});
                    else
                        planning.actions.append({PlanAction::Op::create, place, hubItem, name});
                }
            });
        if (!plan) {
            plan.emplace();
            plan->appID = app->id();
            plan->conflicts.append({app->folderPath(), tr("der Ordner ist nicht erreichbar"), {}});
        }
        plans.push_back(std::move(*plan));
    }
    if (!plans.empty())
        plans.front().folders.push_back(std::move(*hub));
    return plans;
}

PlanOutcome FileLinkerService::carryOut(const PlacementPlan& plan, bool skipConflicts)
{
    PlanOutcome outcome;
    if (!plan.conflicts.isEmpty() && !skipConflicts) {
        outcome.refused = true;
        return outcome;
    }
    outcome.skipped = static_cast<int>(plan.conflicts.size());
    const std::atomic<bool> never = false;
    performPlan(plan.actions, m_placement, never, {}, outcome);
    recordPlan(plan.appID, outcome);
    return outcome;
}

void FileLinkerService::performPlan(const QList<PlanAction>& actions, const Placement& placement,
                                    const std::atomic<bool>& stop,
                                    const std::function<void(qsizetype done)>& progress, PlanOutcome& outcome)
{
    for (qsizetype i = 0; i < actions.size() && !stop; ++i) {
        const PlanAction& action = actions[i];
        Outcome done;
        if (action.op == PlanAction::Op::replace || action.op == PlanAction::Op::remove)
            done = placement.remove(action.path);
        if (done && action.op != PlanAction::Op::remove)
            done = placement.place(action.destination, action.path);
        if (progress)
            progress(i + 1);
        if (!done) {
            outcome.failures.append(u"Failed to %1 %2: %3"_s.arg(PlanAction::opName(action.op), action.path,
                                                                 done.error().description));
            continue;
        }
        ++outcome.done;
        (action.op == PlanAction::Op::remove ? outcome.removed : outcome.placed).append(action.itemName);
    }
}

void FileLinkerService::recordPlan(const QUuid& appID, const PlanOutcome& outcome)
{
    for (const QString& failure : outcome.failures)
        Log::line(failure);
    m_records.change(appID, outcome.placed, outcome.removed);
}
