// quorvane-cli: placing hub items into apps, and what is placed.
#include "cli/Commands.h"

#include "actions/AppActions.h"
#include "actions/LinkActions.h"
#include "actions/Workspace.h"
#include "cli/AuditOutput.h"
#include "cli/CliSession.h"
#include "cli/Output.h"
#include "cli/PlanOutput.h"
#include "cli/Switches.h"
#include "linker/HubCatalog.h"
#include "model/ModelContext.h"
#include "model/TargetApp.h"
#include "texts/OutcomeTexts.h"

#include <QTextStream>

using namespace Qt::StringLiterals;
using namespace Output;

namespace {

QString stateName(TargetItemState state)
{
    switch (state) {
    case TargetItemState::repairable:
        return u"repairable"_s;
    case TargetItemState::broken:
        return u"broken"_s;
    case TargetItemState::linked:
        return u"linked"_s;
    case TargetItemState::copyCurrent:
        return u"copied"_s;
    case TargetItemState::copyOutdated:
        return u"outdated"_s;
    case TargetItemState::copyModified:
        return u"modified"_s;
    case TargetItemState::externalLink:
    case TargetItemState::localItem:
        break;
    }
    return u"importable"_s;
}

int refuseToggle(CliSession& session, const PlanConflict& conflict, bool linked)
{
    if (session.isSet(Switch::skipConflicts()) && !conflict.concernsFolder()) {
        QTextStream(stderr) << "Skipped " << conflict.path << ": " << OutcomeTexts::conflict(conflict)
                            << '\n';
        return ExitCode::success;
    }
    // Only a copy changed here can be overwritten with consent; the user's own entries never.
    const QString consent = !conflict.withConsent ? QString()
                            : linked              ? Cli::tr(" --force replaces it.")
                                                  : Cli::tr(" --force removes it.");
    return session.fail(Cli::tr("%1: %2; nothing was changed.%3")
                            .arg(conflict.path, OutcomeTexts::conflict(conflict), consent));
}

int showTogglePlan(CliSession& session, const QStringList& itemNames, const TargetApp& app, bool linked)
{
    QStringList hubItems;
    for (const QString& itemName : itemNames) {
        const auto skill = session.workspace().hubCatalog().readItem(itemName);
        if (!skill)
            return session.fail(Cli::tr("The hub has no item \"%1\".").arg(itemName));
        hubItems.append(skill->path);
    }
    std::optional<PlacementPlan> plan =
        session.workspace().linker().planner.planToggle(hubItems, app, linked);
    if (!plan)
        return session.fail(Cli::tr("The folder of \"%1\" cannot be reached.").arg(app.shownName()));
    std::vector<PlacementPlan> plans;
    plans.push_back(std::move(*plan));
    int exitCode = ExitCode::success;
    PlanOutput::show(session, plans, exitCode);
    return exitCode;
}

int toggleOne(CliSession& session, const QString& itemName, TargetApp& app, bool linked)
{
    // Only the named item is read from the hub, not the whole hub.
    const auto skill = session.workspace().hubCatalog().readItem(itemName);
    if (!skill)
        return session.fail(Cli::tr("The hub has no item \"%1\".").arg(itemName));
    // The gate's question is answered by --accept-risk; what it was asked about is kept to show.
    QList<AuditReport> risks;
    const LinkToggle toggled = LinkActions(session.workspace())
                                   .setLinked(*skill, app, linked, session.isSet(Switch::force()),
                                              [&](const QList<AuditReport>& asked) {
                                                  risks = asked;
                                                  return session.isSet(Switch::acceptRisk());
                                              });
    switch (toggled.result) {
    case LinkToggleResult::changed:
        return ExitCode::success;
    case LinkToggleResult::alreadyInState:
        QTextStream(stderr) << (linked ? Cli::tr("Already linked: ") : Cli::tr("Not linked: ")) << itemName
                            << '\n';
        return ExitCode::success;
    case LinkToggleResult::folderUnreachable:
        return session.fail(Cli::tr("The folder of \"%1\" cannot be reached.").arg(app.shownName()));
    case LinkToggleResult::refused:
        return refuseToggle(session, *toggled.refusal, linked);
    case LinkToggleResult::risky:
        return AuditOutput::refuse(session, risks, AuditOutput::Step::placing);
    case LinkToggleResult::notAllowed:
        return session.fail(describe(*toggled.problem));
    case LinkToggleResult::failed:
        break;
    }
    return session.fail(
        linked ? Cli::tr("\"%1\" could not be linked into \"%2\".").arg(itemName, app.shownName())
               : Cli::tr("\"%1\" could not be unlinked from \"%2\".").arg(itemName, app.shownName()));
}

int toggle(CliSession& session, const QStringList& args, bool linked)
{
    // ITEM... APP: the app comes last; every item is tried, and a failure with one does
    // not keep the others from their place.
    const auto app = AppActions(session.workspace()).find(args.last());
    if (!app)
        return session.fail(describe(app.error()));
    const QStringList itemNames = args.first(args.size() - 1);
    if (session.isSet(Switch::dryRun()))
        return showTogglePlan(session, itemNames, *app.value(), linked);
    int exitCode = ExitCode::success;
    for (const QString& itemName : itemNames) {
        if (const int toggled = toggleOne(session, itemName, *app.value(), linked);
            toggled != ExitCode::success)
            exitCode = toggled;
    }
    return exitCode;
}

// ITEM... APP switches the items; --all APP plans the whole folder first.
int linkOrUnlink(CliSession& session, const QStringList& args, bool linked)
{
    if (!session.isSet(Switch::all()))
        return toggle(session, args, linked);
    if (args.size() != 1)
        return session.fail(Cli::tr("--all takes only the app."));
    const auto app = AppActions(session.workspace()).find(args.first());
    if (!app)
        return session.fail(describe(app.error()));
    const PlacementPlanner& planner = session.workspace().linker().planner;
    return PlanOutput::run(session,
                           linked ? planner.planLinkAll(*app.value()) : planner.planUnlinkAll(*app.value()),
                           *app.value());
}

} // namespace

namespace Commands {

LinkCommand::LinkCommand()
    : Command(
          {.words = {u"link"_s},
           .arguments = u"ITEM... APP | --all APP [--dry-run] [--skip-conflicts] [--force] [--accept-risk]"_s,
           .summary = Cli::tr(
               "place the hub items ITEM... (their file names), or every hub item, into APP's folder"),
           .example = u"quorvane-cli link --all Codex --dry-run"_s,
           .minimumArguments = 2,
           .maximumArguments = -1,
           .switches = {Switch::all(), Switch::dryRun(), Switch::skipConflicts(), Switch::force(),
                        Switch::acceptRisk()}})
{}

int LinkCommand::run(CliSession& session, const QStringList& args) const
{
    return linkOrUnlink(session, args, true);
}

UnlinkCommand::UnlinkCommand()
    : Command({.words = {u"unlink"_s},
               .arguments = u"ITEM... APP | --all APP [--dry-run] [--skip-conflicts] [--force]"_s,
               .summary = Cli::tr("take ITEM..., or everything Quorvane placed, out of APP's folder"),
               .example = u"quorvane-cli unlink --all Codex"_s,
               .minimumArguments = 2,
               .maximumArguments = -1,
               .switches = {Switch::all(), Switch::dryRun(), Switch::skipConflicts(), Switch::force()}})
{}

int UnlinkCommand::run(CliSession& session, const QStringList& args) const
{
    return linkOrUnlink(session, args, false);
}

SyncCommand::SyncCommand()
    : Command(
          {.words = {u"sync"_s},
           .arguments = u"APP [--dry-run] [--skip-conflicts] [--force] [--accept-risk]"_s,
           .summary = Cli::tr(
               "bring what Quorvane placed in APP's folder in line with the hub (outdated copies, missing "
               "entries)"),
           .example = u"quorvane-cli sync Cursor"_s,
           .minimumArguments = 1,
           .maximumArguments = 1,
           .switches = {Switch::dryRun(), Switch::skipConflicts(), Switch::force(), Switch::acceptRisk()}})
{}

int SyncCommand::run(CliSession& session, const QStringList& args) const
{
    const auto app = AppActions(session.workspace()).find(args.first());
    if (!app)
        return session.fail(describe(app.error()));
    return PlanOutput::run(session, session.workspace().linker().planner.planSync(*app.value()),
                           *app.value());
}

LinkedCommand::LinkedCommand()
    : Command({.words = {u"linked"_s},
               .arguments = u"ITEM"_s,
               .summary = Cli::tr("the apps ITEM is linked into"),
               .example = u"quorvane-cli linked notes.md"_s,
               .minimumArguments = 1,
               .maximumArguments = 1,
               .readsHubItems = true})
{}

int LinkedCommand::run(CliSession& session, const QStringList& args) const
{
    const auto skill = session.workspace().hubCatalog().itemNamed(args.at(0));
    if (!skill)
        return session.fail(Cli::tr("The hub has no item \"%1\".").arg(args.at(0)));
    Json list = Json::array();
    for (const TargetApp* app : session.workspace().apps()) {
        if (!session.workspace().linker().links.isSkillLinked(*skill, *app))
            continue;
        if (session.json())
            list.push_back({{"id", utf8(idText(*app))}, {"name", utf8(app->name())}});
        else
            print(u"%1\t%2"_s.arg(idText(*app), app->shownName()));
    }
    if (session.json())
        printJson(list);
    return ExitCode::success;
}

StatusCommand::StatusCommand()
    : Command({.words = {u"status"_s},
               .arguments = u"APP"_s,
               .summary =
                   Cli::tr("every entry of APP's folder with its state (linked, copied, outdated, modified, "
                           "repairable, broken, importable)"),
               .example = u"quorvane-cli status Codex"_s,
               .minimumArguments = 1,
               .maximumArguments = 1})
{}

int StatusCommand::run(CliSession& session, const QStringList& args) const
{
    const auto app = AppActions(session.workspace()).find(args.at(0));
    if (!app)
        return session.fail(describe(app.error()));
    const auto items = session.workspace().targetListing().list(*app.value());
    if (!items)
        return session.fail(Cli::tr("The folder of \"%1\" cannot be reached.").arg(app.value()->name()));
    Json list = Json::array();
    QString lines;
    for (const TargetAppSkill& item : *items) {
        const QString state = stateName(item.state);
        const QString destination = item.symlinkDestination.value_or(QString());
        if (session.json())
            list.push_back(
                {{"name", utf8(item.name)},
                 {"path", utf8(item.path)},
                 {"state", utf8(state)},
                 {"isSymlink", item.isSymlink},
                 {"destination", item.symlinkDestination ? Json(utf8(destination)) : Json(nullptr)},
                 {"hasNamesakeInHub", item.hasNamesakeInHub},
                 {"placement", isCopy(item.state) ? Json("copy")
                               : item.isSymlink   ? Json("link")
                                                  : Json(nullptr)}});
        else
            lines += u"%1\t%2%3\n"_s.arg(state, item.name,
                                         destination.isEmpty() ? QString() : u" -> "_s + destination);
    }
    if (session.json())
        printJson(list);
    else
        QTextStream(stdout) << lines; // one write: a folder may hold thousands of entries
    return ExitCode::success;
}

RestoreLinksCommand::RestoreLinksCommand()
    : Command({.words = {u"restore-links"_s},
               .arguments = u"[--dry-run] [--skip-conflicts] [--accept-risk]"_s,
               .summary = Cli::tr("recreate recorded links that are missing, after showing the plan"),
               .example = u"quorvane-cli restore-links --dry-run"_s,
               .switches = {Switch::dryRun(), Switch::skipConflicts(), Switch::acceptRisk()}})
{}

int RestoreLinksCommand::run(CliSession& session, const QStringList&) const
{
    return PlanOutput::run(session, session.workspace().linker().planner.planRestoreAll());
}

} // namespace Commands
