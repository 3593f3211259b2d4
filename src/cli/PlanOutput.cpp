// quorvane-cli: plans shown, agreed to by the switches, and carried out.
#include "cli/PlanOutput.h"

#include "actions/PlacementPolicy.h"
#include "actions/PlanTask.h"
#include "actions/Workspace.h"
#include "cli/AuditOutput.h"
#include "cli/CliSession.h"
#include "cli/Output.h"
#include "cli/Switches.h"
#include "model/ModelContext.h"
#include "model/TargetApp.h"
#include "texts/OutcomeTexts.h"

#include <QTextStream>

using namespace Qt::StringLiterals;
using namespace Output;

namespace PlanOutput {

int run(CliSession& session, std::optional<PlacementPlan> plan, const TargetApp& app)
{
    if (!plan)
        return session.fail(Cli::tr("The folder of \"%1\" cannot be reached.").arg(app.shownName()));
    std::vector<PlacementPlan> plans;
    plans.push_back(std::move(*plan));
    return run(session, std::move(plans));
}

bool show(CliSession& session, std::vector<PlacementPlan>& plans, int& exitCode,
          const QList<RestoreFetch>& fetches)
{
    qsizetype conflictCount = 0;
    qsizetype changedHere = 0;
    bool folderRefused = false; // skipping it would leave nothing done
    Json actions = Json::array();
    Json conflicts = Json::array();
    // One write for the whole plan: it may be thousands of lines. Only the form asked for is made.
    QString lines;
    if (!session.json()) {
        qsizetype length = 0;
        for (const PlacementPlan& plan : plans)
            for (const PlanAction& action : plan.actions)
                length += action.path.size() + action.destination.size() + 16;
        lines.reserve(length);
    }
    Json fetched = Json::array();
    for (const RestoreFetch& fetch : fetches) {
        const QString from = fetch.source.text();
        lines += u"fetch " % fetch.name % u' ' % from % u'\n';
        fetched.push_back({{"name", utf8(fetch.name)}, {"source", utf8(from)}});
    }
    for (PlacementPlan& plan : plans) {
        if (session.isSet(Switch::force()))
            plan.consentToChangesHere();
        conflictCount += plan.conflicts.size();
        changedHere += plan.changesHere();
        for (const PlanAction& action : plan.actions) {
            if (session.json()) {
                actions.push_back(
                    {{"op", utf8(PlanAction::opName(action.op))},
                     {"path", utf8(action.path)},
                     {"destination",
                      action.destination.isEmpty() ? Json(nullptr) : Json(utf8(action.destination))}});
                continue;
            }
            switch (action.op) {
            case PlanAction::Op::create:
                lines += u"create " % action.path % u" -> " % action.destination % u'\n';
                break;
            case PlanAction::Op::copy:
                lines += u"copy " % action.destination % u" -> " % action.path % u'\n';
                break;
            case PlanAction::Op::takeIntoHub:
                lines += u"take-into-hub " % action.path % u" -> " % action.destination % u'\n';
                break;
            case PlanAction::Op::trash:
            case PlanAction::Op::replace:
            case PlanAction::Op::remove:
                lines += PlanAction::opName(action.op) % u' ' % action.path % u'\n';
                break;
            }
        }
        for (const PlanConflict& conflict : plan.conflicts) {
            folderRefused = folderRefused || conflict.concernsFolder();
            if (session.json())
                conflicts.push_back(
                    {{"path", utf8(conflict.path)},
                     {"kind", utf8(PlanConflict::kindName(conflict.kind))},
                     {"reason", utf8(OutcomeTexts::conflict(conflict, OutcomeTexts::Form::english))}});
            else
                lines += u"conflict " % conflict.path % u": " % OutcomeTexts::conflict(conflict) % u'\n';
        }
    }
    if (session.json())
        printJson(fetches.isEmpty()
                      ? Json{{"actions", actions}, {"conflicts", conflicts}}
                      : Json{{"fetches", fetched}, {"actions", actions}, {"conflicts", conflicts}});
    else
        printText(lines);
    if (fetches.isEmpty() && actions.empty() && conflictCount == 0 && lines.isEmpty())
        QTextStream(stderr) << Cli::tr("Nothing to change.\n");
    if (folderRefused) {
        exitCode = session.fail(Cli::tr("%1 conflict(s); nothing was changed.").arg(conflictCount));
        return false;
    }
    if (conflictCount > 0 && !session.isSet(Switch::skipConflicts())) {
        exitCode = session.fail(
            Cli::tr("%1 conflict(s); nothing was changed. --skip-conflicts does the rest%2.")
                .arg(conflictCount)
                .arg(changedHere > 0 ? Cli::tr("; --force also replaces copies changed here") : QString()));
        return false;
    }
    exitCode = ExitCode::success;
    return !session.isSet(Switch::dryRun());
}

int run(CliSession& session, std::vector<PlacementPlan> plans)
{
    int exitCode = ExitCode::success;
    PlacementPolicy::markRefusals(session.workspace(), plans);
    if (!show(session, plans, exitCode))
        return exitCode;
    // The same task the window runs for a plan; the tool waits for it. Conflicts left are
    // those the user asked to skip.
    AuditGate gate(session.workspace().context(), AuditGate::answering(session.isSet(Switch::acceptRisk())));
    PlanTask* task = PlanTask::start(session.workspace(), std::move(plans), true, gate);
    if (!task)
        return AuditOutput::refuse(session, gate.refused(), AuditOutput::Step::placing);
    PlanOutcome outcome;
    QObject::connect(task, &PlanTask::finished, task,
                     [&outcome](const PlanOutcome& ended) { outcome = ended; });
    session.waitFor(*task);
    return outcome.failures.isEmpty() ? ExitCode::success : ExitCode::failure;
}

} // namespace PlanOutput
