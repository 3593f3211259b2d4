// quorvane-cli: the target apps.
#include "cli/Commands.h"

#include "access/FileSystem.h"
#include "actions/AppActions.h"
#include "actions/Workspace.h"
#include "cli/CliSession.h"
#include "cli/Output.h"
#include "cli/PlanOutput.h"
#include "model/AssistantPresets.h"
#include "model/TargetApp.h"
#include "texts/OutcomeTexts.h"

using namespace Qt::StringLiterals;
using namespace Output;

namespace Commands {

int apps(CliSession& session, const QStringList&)
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

int appsAdd(CliSession& session, const QStringList& args)
{
    if (session.flags().preset.has_value() == (args.size() == 2))
        return session.fail(Cli::tr("Say either NAME FOLDER or --preset ID."));
    const AssistantPreset* preset = nullptr;
    if (session.flags().preset) {
        preset = assistantPreset(*session.flags().preset);
        if (!preset)
            return session.fail(
                Cli::tr("No known assistant has the id %1; `quorvane-cli apps presets` lists them.")
                    .arg(*session.flags().preset));
    }
    const CommandFlags& flags = session.flags();
    if (flags.copy && flags.link)
        return session.fail(Cli::tr("Say --copy or --link, not both."));
    if (flags.project && !preset)
        return session.fail(Cli::tr("A project app is added with --preset ID."));
    AppActions actions(session.workspace());
    std::optional<PlacementKind> placement;
    if (flags.copy || flags.link)
        placement = flags.copy ? PlacementKind::copy : PlacementKind::link;
    const auto added =
        flags.project ? actions.addToProject(*preset, absolute(*flags.project), flags.create, placement,
                                             OutcomeTexts::presetName(*preset))
        : preset      ? actions.addPreset(*preset, flags.create, placement, OutcomeTexts::presetName(*preset))
                 : actions.add(args.at(0), absolute(args.at(1)), placement.value_or(PlacementKind::link));
    if (!added)
        return session.fail(describe(added.error()));
    print(idText(*added.value()));
    return ExitCode::success;
}

int appsPresets(CliSession& session, const QStringList&)
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
                 {"copyRecommended", preset.copyRecommended},
                 {"projectFolder", preset.projectFolder ? Json(utf8(*preset.projectFolder)) : Json(nullptr)},
                 {"followsLinks", fact(preset.followsLinks)},
                 {"followsLinkedSkillFile", fact(preset.followsLinkedSkillFile)},
                 {"alsoReads", utf8List(preset.alsoReads)}});
        else
            // Labelled fields after the fixed four, so scripts that read those keep working.
            print(u"%1\t%2\t%3\t%4%5%6"_s.arg(
                preset.id, OutcomeTexts::presetName(preset), preset.folder,
                exists ? u"exists"_s : u"missing"_s,
                preset.copyRecommended ? Cli::tr("\tcopy recommended") : QString(),
                preset.projectFolder ? Cli::tr("\tproject folder ") + *preset.projectFolder : QString()));
    }
    if (session.json())
        printJson(list);
    return ExitCode::success;
}

int appsRename(CliSession& session, const QStringList& args)
{
    AppActions actions(session.workspace());
    const auto app = actions.find(args.at(0));
    if (!app)
        return session.fail(describe(app.error()));
    const auto renamed = actions.rename(*app.value(), args.at(1));
    return renamed ? ExitCode::success : session.fail(describe(renamed.error()));
}

int appsRemove(CliSession& session, const QStringList& args)
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
                   : session.fail(Cli::tr("The apps could not be removed: ") + removed.error().description);
}

int appsMode(CliSession& session, const QStringList& args)
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
