// quorvane-cli: projects' lock files, restoring from them, and the content cache.
#include "cli/Commands.h"

#include "access/FileSystem.h"
#include "actions/ProjectLocks.h"
#include "actions/ProjectRestore.h"
#include "actions/Workspace.h"
#include "cli/CliSession.h"
#include "cli/Output.h"
#include "cli/Switches.h"
#include "store/ContentCache.h"
#include "texts/OutcomeTexts.h"

#include <QDir>
#include <QTextStream>

using namespace Qt::StringLiterals;
using namespace Output;

namespace {

QString projectArgument(const QStringList& args)
{
    return QDir::cleanPath(absolute(args.isEmpty() ? u"."_s : args.first()));
}

// The restore's plan, one line per step or as JSON; true when it may be carried out.
bool showRestorePlan(CliSession& session, RestorePlan& plan, int& exitCode)
{
    qsizetype changedHere = 0;
    for (PlacementPlan& placements : plan.placements) {
        if (session.isSet(Switch::force()))
            placements.consentToChangesHere();
        changedHere += placements.changesHere();
    }
    QString lines;
    Json fetches = Json::array();
    Json apps = Json::array();
    Json actions = Json::array();
    Json conflicts = Json::array();
    for (const RestoreFetch& fetch : std::as_const(plan.fetches)) {
        const QString from = fetch.source.repository.isEmpty() ? fetch.localCopy : fetch.source.text();
        // A plan's lines are for programs too: their words stay English in every language.
        static const QString hubKeeps = u" (the hub keeps its own version)"_s; // untranslated: a plan word
        lines += u"fetch %1 %2%3\n"_s.arg(fetch.name, from, fetch.intoHub ? QString() : hubKeeps);
        fetches.push_back(
            {{"name", utf8(fetch.name)},
             {"source", fetch.source.repository.isEmpty() ? Json(nullptr) : Json(utf8(fetch.source.text()))},
             {"hubKeepsOwnVersion", !fetch.intoHub}});
    }
    for (const RestoreApp& app : std::as_const(plan.apps)) {
        lines += u"add-app %1 %2\n"_s.arg(app.lockName, app.folder);
        apps.push_back({{"preset", utf8(app.lockName)}, {"folder", utf8(app.folder)}});
    }
    for (const RestoreKeep& keep : std::as_const(plan.keeps)) {
        lines += u"keep %1\n"_s.arg(keep.path);
        actions.push_back({{"op", "keep"}, {"path", utf8(keep.path)}, {"destination", nullptr}});
    }
    QList<PlanConflict> allConflicts = plan.conflicts;
    for (const PlacementPlan& placements : plan.placements) {
        for (const PlanAction& action : placements.actions) {
            if (action.op == PlanAction::Op::copy)
                lines += u"copy %1 -> %2\n"_s.arg(action.destination, action.path);
            else if (action.op == PlanAction::Op::create)
                lines += u"create %1 -> %2\n"_s.arg(action.path, action.destination);
            else
                lines += PlanAction::opName(action.op) + u' ' + action.path + u'\n';
            actions.push_back({{"op", utf8(PlanAction::opName(action.op))},
                               {"path", utf8(action.path)},
                               {"destination", utf8(action.destination)}});
        }
        allConflicts += placements.conflicts;
    }
    for (const PlanConflict& conflict : std::as_const(allConflicts)) {
        lines += u"conflict %1: %2\n"_s.arg(conflict.path, OutcomeTexts::conflict(conflict));
        conflicts.push_back(
            {{"path", utf8(conflict.path)},
             {"kind", utf8(PlanConflict::kindName(conflict.kind))},
             {"reason", utf8(OutcomeTexts::conflict(conflict, OutcomeTexts::Form::english))}});
    }
    if (session.json())
        printJson({{"fetches", fetches}, {"apps", apps}, {"actions", actions}, {"conflicts", conflicts}});
    else
        QTextStream(stdout) << lines;
    if (lines.isEmpty())
        QTextStream(stderr) << Cli::tr("Nothing to restore: the project is as its lock file says.\n");
    if (!plan.unpinned.isEmpty())
        QTextStream(stderr) << Cli::tr("Not pinned to a commit, so fetched at the ref as it is now: ")
                            << plan.unpinned.join(u", "_s) << '\n';

    if (session.isSet(Switch::frozen()) && (!allConflicts.isEmpty() || !plan.unlocked.isEmpty())) {
        exitCode =
            session.fail(plan.unlocked.isEmpty()
                             ? Cli::tr("%1 conflict(s); --frozen changes nothing.").arg(allConflicts.size())
                             : Cli::tr("Placed here but not in the lock file: %1; --frozen changes nothing.")
                                   .arg(plan.unlocked.join(u", "_s)));
        return false;
    }
    if (!allConflicts.isEmpty() && !session.isSet(Switch::skipConflicts())) {
        exitCode = session.fail(
            Cli::tr("%1 conflict(s); nothing was changed. --skip-conflicts does the rest%2.")
                .arg(allConflicts.size())
                .arg(changedHere > 0 ? Cli::tr("; --force also replaces copies changed here") : QString()));
        return false;
    }
    exitCode = ExitCode::success;
    return !session.isSet(Switch::dryRun());
}

} // namespace

namespace Commands {

LockCommand::LockCommand()
    : Command({.words = {u"lock"_s},
               .arguments = u"[DIR] [--check]"_s,
               .summary = Cli::tr(
                   "write DIR's quorvane-lock.json from its project apps (DIR: the current folder); --check "
                   "only tells whether it is current"),
               .example = u"quorvane-cli lock --check"_s,
               .maximumArguments = 1,
               .switches = {Switch::check()}})
{}

int LockCommand::run(CliSession& session, const QStringList& args) const
{
    const QString project = projectArgument(args);
    ProjectLocks locks(session.workspace());
    if (!locks.projects().contains(project))
        return session.fail(
            Cli::tr("No app belongs to the project %1; apps add --preset ID --project DIR adds one.")
                .arg(project));
    const auto lock = locks.lockOf(project);
    if (!lock)
        return session.fail(Output::describe(lock.error().shown()));
    if (const QStringList unpinned = lock.value().unpinned(); !unpinned.isEmpty())
        QTextStream(stderr) << Cli::tr("Not pinned to a commit (it could not be told at install): ")
                            << unpinned.join(u", "_s) << '\n';
    if (session.isSet(Switch::check())) {
        // Byte for byte: a file that reads the same but is written otherwise still differs in a diff.
        const auto written = FileSystem::readBytes(QDir(project).filePath(LockFile::fileName()));
        const bool current = written && written.value() == lock.value().encode();
        if (!current)
            return session.fail(Cli::tr("%1 is not current; quorvane-cli lock writes it.")
                                    .arg(QDir(project).filePath(LockFile::fileName())));
        return ExitCode::success;
    }
    if (const Outcome written = LockFile::write(project, lock.value()); !written)
        return session.fail(Output::describe(written.error().shown()));
    print(QDir(project).filePath(LockFile::fileName()));
    return ExitCode::success;
}

RestoreCommand::RestoreCommand()
    : Command(
          {.words = {u"restore"_s},
           .arguments =
               u"[DIR] [--dry-run] [--frozen] [--offline] [--skip-conflicts] [--force] [--accept-risk]"_s,
           .summary = Cli::tr(
               "bring back the skills DIR's quorvane-lock.json names, into the hub and the project's apps, "
               "after showing the plan"),
           .example = u"quorvane-cli restore --frozen"_s,
           .maximumArguments = 1,
           .switches = {Switch::dryRun(), Switch::frozen(), Switch::offline(), Switch::skipConflicts(),
                        Switch::force(), Switch::acceptRisk()},
           .readsHubItems = true})
{}

int RestoreCommand::run(CliSession& session, const QStringList& args) const
{
    int exitCode = ExitCode::success;
    auto* restoring =
        new ProjectRestore(session.workspace(), session.fetchAccess(), projectArgument(args),
                           {session.isSet(Switch::offline()), session.isSet(Switch::acceptRisk())},
                           [&](RestorePlan& plan) { return showRestorePlan(session, plan, exitCode); });
    const auto outcome = session.runToEnd<RestoreOutcome>(restoring);
    switch (outcome.stage) {
    case RestoreOutcome::Stage::unreadable:
        return session.fail(describe(*outcome.error));
    case RestoreOutcome::Stage::declined:
        return exitCode;
    case RestoreOutcome::Stage::refused:
    case RestoreOutcome::Stage::restored:
        break;
    }
    for (const Problem& failure : std::as_const(outcome.failures))
        QTextStream(stderr) << "quorvane-cli: " << describe(failure) << '\n';
    return outcome.failures.isEmpty() ? ExitCode::success : ExitCode::failure;
}

CacheCommand::CacheCommand()
    : Command({.words = {u"cache"_s},
               .summary = Cli::tr("the cache of fetched skill folders: its size and entries"),
               .example = u"quorvane-cli --json cache"_s})
{}

int CacheCommand::run(CliSession& session, const QStringList&) const
{
    const ContentCache content;
    const QList<ContentCache::Entry> entries = content.entries();
    qint64 total = 0;
    for (const ContentCache::Entry& entry : entries)
        total += entry.bytes;
    if (session.json()) {
        Json list = Json::array();
        for (const ContentCache::Entry& entry : entries)
            list.push_back({{"contentSha256", utf8(entry.contentHash)},
                            {"bytes", entry.bytes},
                            {"keptAt", utf8(entry.keptAt.toString(Qt::ISODate))}});
        printJson({{"folder", utf8(content.folder())}, {"bytes", total}, {"entries", list}});
        return ExitCode::success;
    }
    print(Cli::tr("%1\t%2 entries\t%3 bytes").arg(content.folder()).arg(entries.size()).arg(total));
    for (const ContentCache::Entry& entry : entries)
        print(
            u"%1\t%2\t%3"_s.arg(entry.contentHash).arg(entry.bytes).arg(entry.keptAt.toString(Qt::ISODate)));
    return ExitCode::success;
}

CacheClearCommand::CacheClearCommand()
    : Command({.words = {u"cache"_s, u"clear"_s},
               .summary = Cli::tr("empty the cache of fetched skill folders (the hub keeps its items)"),
               .example = u"quorvane-cli cache clear"_s})
{}

int CacheClearCommand::run(CliSession& session, const QStringList&) const
{
    if (const Outcome cleared = ContentCache().clear(); !cleared)
        return session.fail(Output::describe(cleared.error().shown()));
    return ExitCode::success;
}

} // namespace Commands
