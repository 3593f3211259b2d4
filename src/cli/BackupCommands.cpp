// quorvane-cli: backups.
#include "cli/Commands.h"

#include "actions/BackupActions.h"
#include "actions/BackupImport.h"
#include "actions/Workspace.h"
#include "cli/CliSession.h"
#include "cli/Output.h"
#include "cli/PlanOutput.h"
#include "cli/Switches.h"

#include <QTextStream>

using namespace Qt::StringLiterals;
using namespace Output;

namespace Commands {

BackupExportCommand::BackupExportCommand()
    : Command({.words = {u"backup"_s, u"export"_s},
               .arguments = u"FILE"_s,
               .summary = Cli::tr("write the whole configuration to FILE"),
               .example = u"quorvane-cli backup export ~/quorvane-backup.json"_s,
               .minimumArguments = 1,
               .maximumArguments = 1})
{}

int BackupExportCommand::run(CliSession& session, const QStringList& args) const
{
    const Outcome written = BackupActions(session.workspace()).exportTo(absolute(args.first()));
    return written ? ExitCode::success : session.fail(Cli::tr("The backup could not be written."));
}

BackupImportCommand::BackupImportCommand()
    : Command({.words = {u"backup"_s, u"import"_s},
               .arguments = u"FILE [--dry-run] [--skip-conflicts] [--force] [--no-fetch] [--accept-risk]"_s,
               .summary = Cli::tr(
                   "replace the configuration with FILE's, fetch the installed skills the hub lacks and "
                   "recreate missing links, after showing the plan"),
               .example = u"quorvane-cli backup import ~/quorvane-backup.json --dry-run"_s,
               .minimumArguments = 1,
               .maximumArguments = 1,
               .switches = {Switch::dryRun(), Switch::skipConflicts(), Switch::force(), Switch::noFetch(),
                            Switch::acceptRisk()}})
{}

int BackupImportCommand::run(CliSession& session, const QStringList& args) const
{
    // What restoring would do is shown, and agreed to, before the configuration is replaced.
    int exitCode = ExitCode::success;
    std::optional<FetchAccess> fetching;
    if (!session.isSet(Switch::noFetch()))
        fetching = session.fetchAccess();
    auto* import = new BackupImport(
        session.workspace(), absolute(args.first()),
        [&](BackupImportPlan& plan) {
            plan.acceptRisk = session.isSet(Switch::acceptRisk());
            return PlanOutput::show(session, plan.links, exitCode, plan.fetches);
        },
        fetching);
    const auto outcome = session.runToEnd<BackupImportOutcome>(import);
    switch (outcome.stage) {
    case BackupImportOutcome::Stage::unreadable:
    case BackupImportOutcome::Stage::notSaved:
        return session.fail(Cli::tr("Import failed: the backup file could not be read: %1")
                                .arg(Output::describe(outcome.error->shown())));
    case BackupImportOutcome::Stage::declined:
        return exitCode;
    case BackupImportOutcome::Stage::restored:
        break;
    }
    for (const Problem& failure : std::as_const(outcome.fetchFailures))
        QTextStream(stderr) << "quorvane-cli: " << describe(failure) << '\n';
    return outcome.fetchFailures.isEmpty() ? ExitCode::success : ExitCode::failure;
}

} // namespace Commands
