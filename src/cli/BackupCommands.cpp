// quorvane-cli: backups.
#include "cli/Commands.h"

#include "actions/BackupActions.h"
#include "actions/BackupImport.h"
#include "actions/Workspace.h"
#include "cli/CliSession.h"
#include "cli/Output.h"
#include "cli/PlanOutput.h"

#include <QTextStream>

using namespace Qt::StringLiterals;
using namespace Output;

namespace Commands {

int backupExport(CliSession& session, const QStringList& args)
{
    const Outcome written = BackupActions(session.workspace()).exportTo(absolute(args.first()));
    return written ? ExitCode::success : session.fail(Cli::tr("The backup could not be written."));
}

int backupImport(CliSession& session, const QStringList& args)
{
    // What restoring would do is shown, and agreed to, before the configuration is replaced.
    int exitCode = ExitCode::success;
    std::optional<FetchAccess> fetching;
    if (!session.flags().noFetch)
        fetching = session.fetchAccess();
    auto* import = new BackupImport(
        session.workspace(), absolute(args.first()),
        [&](BackupImportPlan& plan) {
            plan.acceptRisk = session.flags().acceptRisk;
            return PlanOutput::show(session, plan.links, exitCode, plan.fetches);
        },
        fetching);
    const auto outcome = session.runToEnd<BackupImportOutcome>(import);
    switch (outcome.stage) {
    case BackupImportOutcome::Stage::unreadable:
    case BackupImportOutcome::Stage::notSaved:
        return session.fail(
            Cli::tr("Import failed: the backup file could not be read: %1").arg(outcome.error->description));
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
