// quorvane-cli: single entries of an app's folder.
#include "cli/Commands.h"

#include "access/ItemName.h"
#include "actions/AppActions.h"
#include "actions/ImportTask.h"
#include "actions/LinkActions.h"
#include "actions/Workspace.h"
#include "cli/CliSession.h"
#include "cli/Output.h"
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
        return session.fail(valid.error().description);
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
        // The same task the window runs; across file systems it copies, with progress.
        ImportTask* task = ImportTask::start(session.workspace(), entry, app);
        bool imported = false;
        if (task) {
            QObject::connect(task, &ImportTask::finished, task, [&imported](bool done) { imported = done; });
            session.waitFor(*task);
        }
        return imported ? ExitCode::success
                        : session.fail(Cli::tr("\"%1\" could not be imported.").arg(entry.name));
    });
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
