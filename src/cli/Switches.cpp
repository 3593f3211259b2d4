#include "cli/Switches.h"

#include "cli/Output.h"

using namespace Qt::StringLiterals;

namespace Switch {

const QCommandLineOption& all()
{
    static const QCommandLineOption option(u"all"_s, Cli::tr("every item (or every item with an update)"));
    return option;
}

const QCommandLineOption& check()
{
    static const QCommandLineOption option(u"check"_s, Cli::tr("only tell"));
    return option;
}

const QCommandLineOption& copy()
{
    static const QCommandLineOption option(u"copy"_s, Cli::tr("place copies rather than links"));
    return option;
}

const QCommandLineOption& create()
{
    static const QCommandLineOption option(u"create"_s, Cli::tr("make a missing folder"));
    return option;
}

const QCommandLineOption& dryRun()
{
    static const QCommandLineOption option(u"dry-run"_s, Cli::tr("tell what would change, change nothing"));
    return option;
}

const QCommandLineOption& force()
{
    static const QCommandLineOption option(
        u"force"_s, Cli::tr("also replace or remove what was changed here, or is of unknown origin"));
    return option;
}

const QCommandLineOption& skipConflicts()
{
    static const QCommandLineOption option(u"skip-conflicts"_s,
                                           Cli::tr("leave what is in the way, do the rest"));
    return option;
}

const QCommandLineOption& preset()
{
    static const QCommandLineOption option(u"preset"_s, Cli::tr("a known assistant (see apps presets)"),
                                           u"ID"_s);
    return option;
}

const QCommandLineOption& project()
{
    static const QCommandLineOption option(
        u"project"_s, Cli::tr("the project folder (a repository) the app's folder lies in"), u"DIR"_s);
    return option;
}

const QCommandLineOption& link()
{
    static const QCommandLineOption option(u"link"_s, Cli::tr("place links rather than copies in a project"));
    return option;
}

const QCommandLineOption& frozen()
{
    static const QCommandLineOption option(
        u"frozen"_s, Cli::tr("change nothing unless the lock file is restored exactly"));
    return option;
}

const QCommandLineOption& noFetch()
{
    static const QCommandLineOption option(u"no-fetch"_s, Cli::tr("bring back no hub items from GitHub"));
    return option;
}

const QCommandLineOption& offline()
{
    static const QCommandLineOption option(
        u"offline"_s, Cli::tr("make no network request; take fetched content from the cache only"));
    return option;
}

const QCommandLineOption& path()
{
    static const QCommandLineOption option(u"path"_s, Cli::tr("audit this folder rather than hub items"),
                                           u"DIR"_s);
    return option;
}

const QCommandLineOption& sarif()
{
    static const QCommandLineOption option(
        u"sarif"_s, Cli::tr("also write the findings as SARIF 2.1.0 to FILE"), u"FILE"_s);
    return option;
}

const QCommandLineOption& rules()
{
    static const QCommandLineOption option(
        u"rules"_s, Cli::tr("add the YARA rule files (*.yar) of DIR to the audit's rules"), u"DIR"_s);
    return option;
}

const QCommandLineOption& accept()
{
    static const QCommandLineOption option(u"accept"_s, Cli::tr("accept the named items' current findings"));
    return option;
}

const QCommandLineOption& acceptRisk()
{
    static const QCommandLineOption option(u"accept-risk"_s,
                                           Cli::tr("go on despite findings of level high, accepting them"));
    return option;
}

const QCommandLineOption& fix()
{
    static const QCommandLineOption option(u"fix"_s,
                                           Cli::tr("carry out every safe fix, after showing the plan"));
    return option;
}

const QCommandLineOption& diff()
{
    static const QCommandLineOption option(
        u"diff"_s, Cli::tr("show what the update changes, as a unified diff; change nothing"));
    return option;
}

const QCommandLineOption& skillId()
{
    static const QCommandLineOption option(
        u"skill-id"_s, Cli::tr("the skill's folder in the repository, or its name"), u"PATH-OR-ID"_s);
    return option;
}

const QCommandLineOption& name()
{
    static const QCommandLineOption option(u"name"_s, Cli::tr("the hub folder's name instead of the skill's"),
                                           u"NAME"_s);
    return option;
}

const QList<QCommandLineOption>& every()
{
    static const QList<QCommandLineOption> options = {
        all(),     check(),      copy(),   create(),  dryRun(),  force(), skipConflicts(), preset(),
        project(), link(),       frozen(), noFetch(), offline(), path(),  sarif(),         rules(),
        accept(),  acceptRisk(), fix(),    diff(),    skillId(), name()};
    return options;
}

} // namespace Switch
