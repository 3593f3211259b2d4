// quorvane-cli: the target apps.
#include "cli/Commands.h"

#include "access/FileSystem.h"
#include "actions/AppActions.h"
#include "actions/Workspace.h"
#include "cli/CliSession.h"
#include "cli/Output.h"
#include "cli/PlanOutput.h"
#include "cli/Switches.h"
#include "model/AssistantPresets.h"
#include "model/TargetApp.h"
#include "texts/OutcomeTexts.h"

using namespace Qt::StringLiterals;
using namespace Output;

namespace Commands {

AppsCommand::AppsCommand()
    : Command({.words = {u"apps"_s},
               .summary = Cli::tr("the target apps (id, name, folder)"),
               .example = u"quorvane-cli apps"_s})
{}

int AppsCommand::run(CliSession& session, const QStringList&) const
{
    const QList<TargetApp*> apps = session.workspace().apps();
    if (session.json()) {
        Json list = Json::array();
        for (const TargetApp* app : apps)
            list.push_back({{"id", utf8(idText(*app))},
                            {"name", utf8(app->name())},
                            {"folderPath", utf8(app->folderPath())},
                            {"placement", utf8(placementKindName(app->placement()))},
                            {"project", app->project() ? Json(utf8(*app->project())) : Json(nullptr)}});
        printJson(list);
        return ExitCode::success;
    }
    for (const TargetApp* app : apps)
        print(u"%1\t%2\t%3"_s.arg(idText(*app), app->shownName(), app->folderPath()));
    return ExitCode::success;
}

AppsAddCommand::AppsAddCommand()
    : Command(
          {.words = {u"apps"_s, u"add"_s},
           .arguments =
               u"NAME FOLDER [--preset ID] [--copy|--link] | --preset ID [--project DIR] [--create] [--copy|--link]"_s,
           .summary = Cli::tr("register a target app, or a known assistant (see apps presets) in its folder, "
                              "in FOLDER, or in "
                              "the project DIR; a project places copies unless --link"),
           .example = u"quorvane-cli apps add --preset claude-code --project . --create"_s,
           .maximumArguments = 2,
           .switches = {Switch::preset(), Switch::project(), Switch::create(), Switch::copy(),
                        Switch::link()}})
{}

int AppsAddCommand::run(CliSession& session, const QStringList& args) const
{
    if ((!session.valueOf(Switch::preset()) && args.size() != 2) || args.size() == 1)
        return session.fail(Cli::tr("Say NAME FOLDER, --preset ID, or both."));
    const AssistantPreset* preset = nullptr;
    if (const auto id = session.valueOf(Switch::preset())) {
        preset = assistantPreset(*id);
        if (!preset)
            return session.fail(
                Cli::tr("No known assistant has the id %1; `quorvane-cli apps presets` lists them.")
                    .arg(*id));
    }
    const bool copy = session.isSet(Switch::copy());
    const bool link = session.isSet(Switch::link());
    const bool create = session.isSet(Switch::create());
    const auto project = session.valueOf(Switch::project());
    if (copy && link)
        return session.fail(Cli::tr("Say --copy or --link, not both."));
    if (project && (!preset || args.size() == 2))
        return session.fail(Cli::tr("A project app is added with --preset ID alone."));
    AppActions actions(session.workspace());
    std::optional<PlacementKind> placement;
    if (copy || link)
        placement = copy ? PlacementKind::copy : PlacementKind::link;
    const auto added =
        project ? actions.addToProject(*preset, absolute(*project), create, placement,
                                       OutcomeTexts::presetName(*preset))
        : args.size() == 2
            ? actions.add(args.at(0), absolute(args.at(1)),
                          placement.value_or(preset ? preset->recommendedPlacement : PlacementKind::link),
                          preset ? std::optional(preset->id) : std::nullopt)
            : actions.addPreset(*preset, create, placement, OutcomeTexts::presetName(*preset));
    if (!added)
        return session.fail(describe(added.error()));
    print(idText(*added.value()));
    return ExitCode::success;
}

namespace {

// The other folders as scripts read them before, a list of folders; which of two wins a name
// they share beside it.
Json alsoReadsOf(const AssistantPreset& preset)
{
    Json list = Json::array();
    for (const OtherSkillFolder& other : preset.alsoReads)
        list.push_back(utf8(other.folder));
    return list;
}

Json precedenceOf(const AssistantPreset& preset)
{
    Json byFolder = Json::object();
    for (const OtherSkillFolder& other : preset.alsoReads)
        byFolder[utf8(other.folder)] = utf8(precedenceName(other.precedence));
    return byFolder;
}

Json sourcesOf(const AssistantPreset& preset)
{
    Json list = Json::array();
    for (const PresetSource& source : preset.sources)
        list.push_back({{"fact", utf8(source.fact)}, {"url", utf8(source.url)}});
    return list;
}

} // namespace

AppsPresetsCommand::AppsPresetsCommand()
    : Command(
          {.words = {u"apps"_s, u"presets"_s},
           .summary = Cli::tr(
               "the known assistants: id, name, folder, whether it exists, whether copies are recommended, "
               "the folder in a project"),
           .example = u"quorvane-cli apps presets --json"_s})
{}

int AppsPresetsCommand::run(CliSession& session, const QStringList&) const
{
    AppActions actions(session.workspace());
    Json list = Json::array();
    for (const AssistantPreset& preset : assistantPresets()) {
        const bool exists = FileSystem::existsAsFolder(actions.presetFolder(preset)) == true;
        if (session.json())
            list.push_back(
                {{"id", utf8(preset.id)},
                 {"name", utf8(preset.name)},
                 {"folder", utf8(preset.folder)},
                 {"exists", exists},
                 {"copyRecommended", preset.copyRecommended()},
                 {"recommendedPlacement", utf8(placementKindName(preset.recommendedPlacement))},
                 {"projectFolder", preset.projectFolder ? Json(utf8(*preset.projectFolder)) : Json(nullptr)},
                 {"followsLinks", fact(preset.followsLinks)},
                 {"followsLinkedSkillFile", fact(preset.followsLinkedSkillFile)},
                 {"dropsSkillsForLinkOutside", fact(preset.dropsSkillsForLinkOutside)},
                 {"alsoReads", alsoReadsOf(preset)},
                 {"alsoReadsPrecedence", precedenceOf(preset)},
                 {"acceptedFrontmatter",
                  preset.acceptedFrontmatter ? utf8List(*preset.acceptedFrontmatter) : Json(nullptr)},
                 {"listingBudget", preset.listingBudget ? Json(*preset.listingBudget) : Json(nullptr)},
                 {"sources", sourcesOf(preset)}});
        else
            // Labelled fields after the fixed four, so scripts that read those keep working.
            print(u"%1\t%2\t%3\t%4%5%6"_s.arg(
                preset.id, OutcomeTexts::presetName(preset), preset.folder,
                exists ? u"exists"_s : u"missing"_s,
                preset.copyRecommended() ? Cli::tr("\tcopy recommended") : QString(),
                preset.projectFolder ? Cli::tr("\tproject folder ") + *preset.projectFolder : QString()));
    }
    if (session.json())
        printJson(list);
    return ExitCode::success;
}

AppsRenameCommand::AppsRenameCommand()
    : Command({.words = {u"apps"_s, u"rename"_s},
               .arguments = u"APP NEW-NAME"_s,
               .summary = Cli::tr("rename a target app"),
               .example = u"quorvane-cli apps rename Codex \"Codex CLI\""_s,
               .minimumArguments = 2,
               .maximumArguments = 2})
{}

int AppsRenameCommand::run(CliSession& session, const QStringList& args) const
{
    AppActions actions(session.workspace());
    const auto app = actions.find(args.at(0));
    if (!app)
        return session.fail(describe(app.error()));
    const auto renamed = actions.rename(*app.value(), args.at(1));
    return renamed ? ExitCode::success : session.fail(describe(renamed.error()));
}

AppsRemoveCommand::AppsRemoveCommand()
    : Command({.words = {u"apps"_s, u"remove"_s},
               .arguments = u"APP..."_s,
               .summary = Cli::tr("delete apps and their link records (links on disk stay)"),
               .example = u"quorvane-cli apps remove Gemini"_s,
               .minimumArguments = 1,
               .maximumArguments = -1})
{}

int AppsRemoveCommand::run(CliSession& session, const QStringList& args) const
{
    AppActions actions(session.workspace());
    QList<TargetApp*> doomed;
    for (const QString& argument : args) {
        const auto app = actions.find(argument);
        if (!app)
            return session.fail(describe(app.error())); // nothing is removed unless every app is known
        doomed.append(app.value());
    }
    const Outcome removed = actions.remove(doomed);
    return removed ? ExitCode::success
                   : session.fail(Cli::tr("The apps could not be removed: ") +
                                  Output::describe(removed.error().shown()));
}

AppsModeCommand::AppsModeCommand()
    : Command(
          {.words = {u"apps"_s, u"mode"_s},
           .arguments = u"APP link|copy [--dry-run] [--skip-conflicts] [--force] [--accept-risk]"_s,
           .summary =
               Cli::tr("switch how APP's items stand in its folder, converting what Quorvane placed there"),
           .example = u"quorvane-cli apps mode Cursor copy --dry-run"_s,
           .minimumArguments = 2,
           .maximumArguments = 2,
           .switches = {Switch::dryRun(), Switch::skipConflicts(), Switch::force(), Switch::acceptRisk()}})
{}

int AppsModeCommand::run(CliSession& session, const QStringList& args) const
{
    const auto app = AppActions(session.workspace()).find(args.first());
    if (!app)
        return session.fail(describe(app.error()));
    const auto kind = placementKindNamed(args.at(1));
    if (!kind)
        return session.fail(Cli::tr("The mode is link or copy, not \"%1\".").arg(args.at(1)));
    return PlanOutput::run(session, session.workspace().linker().planner.planSwitch(*app.value(), *kind),
                           *app.value());
}

} // namespace Commands
