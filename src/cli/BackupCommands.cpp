// quorvane-cli: backups.
#include "cli/Commands.h"

#include "actions/BackupActions.h"
#include "actions/Workspace.h"
#include "cli/CliSession.h"
#include "cli/Output.h"

using namespace Qt::StringLiterals;
using namespace Output;

namespace Commands {

int backupExport(CliSession& session, const QStringList& args)
{
    const Outcome written = BackupActions(session.workspace()).exportTo(absolute(args.first()));
    return written ? ExitCode::success : session.fail(u"The backup could not be written."_s);
}

int backupImport(CliSession& session, const QStringList& args)
{
    // What restoring would do is shown, and agreed to, before the configuration is replaced.
    auto plans = BackupActions(session.workspace()).planImport(absolute(args.first()));
    if (!plans)
        return session.fail(u"Import Fehlgeschlagen: Die Backup-Datei konnte nicht gelesen werden: %1"_s.arg(
            plans.error().description));
    int exitCode = ExitCode::success;
    if (!session.showPlans(plans.value(), exitCode))
        return exitCode;
    plans.value().clear(); // the folders' scopes close before the import reaches them again
    const Outcome imported = BackupActions(session.workspace()).importFrom(absolute(args.first()));
    if (!imported)
        return session.fail(u"Import Fehlgeschlagen: Die Backup-Datei konnte nicht gelesen werden: %1"_s.arg(
            imported.error().description));
    return ExitCode::success;
}

} // namespace Commands
