// quorvane-cli: single entries of an app's folder.
#include "cli/Commands.h"

#include "access/ItemName.h"
#include "access/UserEnvironment.h"
#include "actions/Adoption.h"
#include "actions/AppActions.h"
#include "actions/ImportTask.h"
#include "actions/LinkActions.h"
#include "actions/Workspace.h"
#include "cli/CliSession.h"
#include "cli/Output.h"
#include "cli/Switches.h"
#include "model/TargetApp.h"

#include <QTextStream>

using namespace Qt::StringLiterals;
using namespace Output;

namespace {

int onEntry(CliSession& session, const QStringList& args,
            const std::function<int(TargetApp&, const TargetAppSkill&)>& action)
{
    const auto app = AppActions(session.workspace()).find(args.at(0));
    if (!app)
        return session.fail(describe(app.error()));
    const QString& name = args.at(1);
    if (const Outcome valid = checkItemName(name); !valid)
        return session.fail(Output::describe(valid.error().shown()));
    const auto entry = session.workspace().targetListing().entry(*app.value(), name);
    if (!entry)
        return session.fail(Cli::tr("The folder of \"%1\" cannot be reached.").arg(app.value()->name()));
    if (!*entry)
        return session.fail(
            Cli::tr("There is no entry \"%1\" in the folder of \"%2\".").arg(name, app.value()->name()));
    return action(*app.value(), **entry);
}

} // namespace

namespace Commands {

ImportEntryCommand::ImportEntryCommand()
    : Command({.words = {u"import"_s},
               .arguments = u"APP ENTRY"_s,
               .summary = Cli::tr("move ENTRY of APP's folder into the hub and leave a link"),
               .example = u"quorvane-cli import Codex my-skill"_s,
               .minimumArguments = 2,
               .maximumArguments = 2})
{}

int ImportEntryCommand::run(CliSession& session, const QStringList& args) const
{
    return onEntry(session, args, [&session](TargetApp& app, const TargetAppSkill& entry) {
        if (!isImportable(entry.state))
            return session.fail(
                Cli::tr("\"%1\" is not a local item or a link outside the hub; there is nothing to import.")
                    .arg(entry.name));
        // Where another installer recorded the entry came from, kept with it; a hostile record
        // stops the import before anything moves.
        const auto origin =
            SharedSkillLock::originOf(entry.name, session.workspace().platform().user.homeFolder());
        if (!origin)
            return session.fail(describe(origin.error()));
        // The same task the window runs; across file systems it copies, with progress.
        ImportTask* task = ImportTask::start(session.workspace(), {{entry, app.id(), origin.value()}});
        bool imported = false;
        if (task) {
            QObject::connect(task, &ImportTask::finished, task, [&imported](bool done) { imported = done; });
            session.waitFor(*task);
        }
        return imported ? ExitCode::success
                        : session.fail(Cli::tr("\"%1\" could not be imported.").arg(entry.name));
    });
}

AdoptCommand::AdoptCommand()
    : Command({.words = {u"adopt"_s},
               .arguments = u"[--dry-run]"_s,
               .summary = Cli::tr("move every skill in the known assistants' folders that Quorvane does not "
                                  "manage into the hub, with its origin where another installer recorded it, "
                                  "and leave a link or copy: entry, folder, origin"),
               .example = u"quorvane-cli adopt --dry-run"_s,
               .switches = {Switch::dryRun()},
               .readsHubItems = true})
{}

int AdoptCommand::run(CliSession& session, const QStringList&) const
{
    const Adoption adoption(session.workspace());
    const auto candidates = adoption.survey();
    if (!candidates)
        return session.fail(describe(candidates.error()));
    Json list = Json::array();
    for (const AdoptionCandidate& candidate : candidates.value()) {
        const QString origin = candidate.origin && candidate.origin->isGitHub()
                                   ? candidate.origin->source + u':' + candidate.origin->folder()
                                   : QString();
        if (session.json())
            list.push_back({{"entry", utf8(candidate.entry.name)},
                            {"folder", utf8(candidate.folder)},
                            {"origin", origin.isEmpty() ? Json(nullptr) : Json(utf8(origin))},
                            {"nameTaken", candidate.nameTaken}});
        else
            print(u"%1\t%2\t%3%4"_s.arg(
                candidate.entry.name, candidate.folder, origin.isEmpty() ? Cli::tr("origin unknown") : origin,
                candidate.nameTaken ? Cli::tr("\tleft as it is: the hub already has an item of this name")
                                    : QString()));
    }
    if (session.json())
        printJson(list);
    if (session.isSet(Switch::dryRun()))
        return ExitCode::success;
    const auto task = adoption.start(candidates.value());
    if (!task)
        return session.fail(describe(task.error()));
    if (!task.value())
        return ExitCode::success;
    bool everything = false;
    QObject::connect(task.value(), &ImportTask::finished, task.value(),
                     [&everything](bool done) { everything = done; });
    session.waitFor(*task.value());
    return everything ? ExitCode::success : session.fail(Cli::tr("Not every skill could be adopted."));
}

RepairCommand::RepairCommand()
    : Command({.words = {u"repair"_s},
               .arguments = u"APP ENTRY"_s,
               .summary = Cli::tr("point a broken link at the hub item of the same name"),
               .example = u"quorvane-cli repair Codex deploy"_s,
               .minimumArguments = 2,
               .maximumArguments = 2})
{}

int RepairCommand::run(CliSession& session, const QStringList& args) const
{
    return onEntry(session, args, [&session](TargetApp& app, const TargetAppSkill& entry) {
        if (entry.state != TargetItemState::repairable)
            return session.fail(
                Cli::tr("\"%1\" is not a broken link with an item of the same name in the hub.")
                    .arg(entry.name));
        return LinkActions(session.workspace()).repairEntry(entry, app)
                   ? ExitCode::success
                   : session.fail(Cli::tr("\"%1\" could not be repaired.").arg(entry.name));
    });
}

RemoveCommand::RemoveCommand()
    : Command({.words = {u"remove"_s},
               .arguments = u"APP ENTRY"_s,
               .summary = Cli::tr("move ENTRY of APP's folder (a link as a link) to the trash, or delete it "
                                  "where there is none"),
               .example = u"quorvane-cli remove Codex old-skill"_s,
               .minimumArguments = 2,
               .maximumArguments = 2})
{}

int RemoveCommand::run(CliSession& session, const QStringList& args) const
{
    return onEntry(session, args, [&session](TargetApp& app, const TargetAppSkill& entry) {
        const auto removed = LinkActions(session.workspace()).removeEntry(entry, app);
        if (!removed)
            return session.fail(Cli::tr("\"%1\" could not be removed.").arg(entry.name));
        // Said on standard error: the result of the command is the removal itself.
        QTextStream(stderr)
            << (removed->inTrash
                    ? Cli::tr("Moved \"%1\" to the trash: %2\n").arg(entry.name, *removed->inTrash)
                    : Cli::tr("Deleted \"%1\" (there is no trash for this folder).\n").arg(entry.name));
        return ExitCode::success;
    });
}

} // namespace Commands
