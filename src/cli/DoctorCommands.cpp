// quorvane-cli: whether each assistant can see each skill placed for it, and the safe fixes.
#include "cli/Commands.h"

#include "actions/AppActions.h"
#include "actions/Doctor.h"
#include "actions/Workspace.h"
#include "cli/CliSession.h"
#include "cli/Output.h"
#include "cli/PlanOutput.h"
#include "cli/Switches.h"
#include "texts/OutcomeTexts.h"

#include <QTextStream>

using namespace Qt::StringLiterals;
using namespace Output;

namespace {

bool anyError(const QList<DoctorFinding>& findings)
{
    return std::any_of(findings.cbegin(), findings.cend(),
                       [](const DoctorFinding& finding) { return finding.level == DoctorLevel::error; });
}

void printFindings(const CliSession& session, const QList<DoctorFinding>& findings)
{
    if (session.json()) {
        Json list = Json::array();
        for (const DoctorFinding& finding : findings)
            list.push_back(
                {{"app", finding.app.isEmpty() ? Json(nullptr) : Json(utf8(finding.app))},
                 {"entry", finding.entry.isEmpty() ? Json(nullptr) : Json(utf8(finding.entry))},
                 {"problem", utf8(finding.problem)},
                 {"level", utf8(Doctor::levelName(finding.level))},
                 {"message", utf8(OutcomeTexts::doctorFinding(finding, OutcomeTexts::Form::english))},
                 {"fix", finding.fix ? Json(utf8(*finding.fix)) : Json(nullptr)}});
        printJson(list);
        return;
    }
    QString lines; // one write: many apps of many entries
    for (const DoctorFinding& finding : findings)
        lines += u"%1 %2 %3 %4 %5\n"_s.arg(Doctor::levelName(finding.level),
                                           finding.app.isEmpty() ? u"-"_s : finding.app,
                                           finding.entry.isEmpty() ? u"-"_s : finding.entry, finding.problem,
                                           OutcomeTexts::doctorFinding(finding));
    QTextStream(stdout) << lines;
}

} // namespace

namespace Commands {

DoctorCommand::DoctorCommand()
    : Command(
          {.words = {u"doctor"_s},
           .arguments = u"[APP...] [--fix] [--dry-run] [--accept-risk]"_s,
           .summary = Cli::tr(
               "tell whether each assistant can see each skill placed for it: level, app, entry, problem, "
               "message; --fix carries out the safe fixes"),
           .example = u"quorvane-cli doctor --fix --dry-run"_s,
           .maximumArguments = -1,
           .switches = {Switch::fix(), Switch::dryRun(), Switch::force(), Switch::skipConflicts(),
                        Switch::acceptRisk()},
           .readsHubItems = true})
{}

int DoctorCommand::run(CliSession& session, const QStringList& args) const
{
    QList<TargetApp*> apps;
    for (const QString& name : args) {
        const auto app = AppActions(session.workspace()).find(name);
        if (!app)
            return session.fail(describe(app.error()));
        apps.append(app.value());
    }
    const Doctor doctor(session.workspace());
    const QList<DoctorFinding> findings = doctor.examine(apps);
    if (!session.isSet(Switch::fix())) {
        printFindings(session, findings);
        return anyError(findings) ? ExitCode::failure : ExitCode::success;
    }
    // The safe fixes, shown and carried out as every plan is; then what remains.
    std::vector<PlacementPlan> plans = doctor.fixes(findings);
    if (plans.empty()) {
        QTextStream(stderr) << Cli::tr("Nothing the doctor may fix by itself.\n");
        printFindings(session, findings);
        return anyError(findings) ? ExitCode::failure : ExitCode::success;
    }
    const int planned = PlanOutput::run(session, std::move(plans));
    if (session.isSet(Switch::dryRun()) || planned != ExitCode::success)
        return planned;
    const QList<DoctorFinding> remaining = doctor.examine(apps);
    if (!session.json())
        printFindings(session, remaining);
    return anyError(remaining) ? ExitCode::failure : ExitCode::success;
}

} // namespace Commands
