#include "cli/Switches.h"

#include "cli/Output.h"

using namespace Qt::StringLiterals;

namespace Switch {

const QList<QCommandLineOption>& every()
{
    static const QList<QCommandLineOption> options = {
        {u"all"_s, Cli::tr("every item (or every item with an update)")},
        {u"check"_s, Cli::tr("only tell")},
        {u"copy"_s, Cli::tr("place copies rather than links")},
        {u"create"_s, Cli::tr("make a missing folder")},
        {u"dry-run"_s, Cli::tr("tell what would change, change nothing")},
        {u"force"_s, Cli::tr("also replace or remove what was changed here, or is of unknown origin")},
        {u"skip-conflicts"_s, Cli::tr("leave what is in the way, do the rest")},
        {u"preset"_s, Cli::tr("a known assistant (see apps presets)"), u"ID"_s},
        {u"project"_s, Cli::tr("the project folder (a repository) the app's folder lies in"), u"DIR"_s},
        {u"link"_s, Cli::tr("place links rather than copies in a project")},
        {u"frozen"_s, Cli::tr("change nothing unless the lock file is restored exactly")},
        {u"no-fetch"_s, Cli::tr("bring back no hub items from GitHub")},
        {u"offline"_s, Cli::tr("make no network request; take fetched content from the cache only")},
        {u"path"_s,
         Cli::tr("audit: this folder rather than hub items; sources add git: the skills' folder in the "
                 "repository"),
         u"DIR"_s},
        {u"ref"_s, Cli::tr("the branch, tag or commit of a git source"), u"REF"_s},
        {u"host"_s, Cli::tr("the GitHub host of a github source, such as https://github.example.com"),
         u"URL"_s},
        {u"sarif"_s, Cli::tr("also write the findings as SARIF 2.1.0 to FILE"), u"FILE"_s},
        {u"rules"_s, Cli::tr("add the YARA rule files (*.yar) of DIR to the audit's rules"), u"DIR"_s},
        {u"accept"_s, Cli::tr("accept the named items' current findings")},
        {u"accept-risk"_s, Cli::tr("go on despite findings of level high, accepting them")},
        {u"fix"_s, Cli::tr("carry out every safe fix, after showing the plan")},
        {u"diff"_s, Cli::tr("show what the update changes, as a unified diff; change nothing")},
        {u"skill-id"_s, Cli::tr("the skill's folder in the repository, or its name"), u"PATH-OR-ID"_s},
        {u"name"_s, Cli::tr("the hub folder's name instead of the skill's"), u"NAME"_s}};
    return options;
}

namespace {

const QCommandLineOption& named(const QString& name)
{
    for (const QCommandLineOption& option : every())
        if (option.names().constLast() == name)
            return option;
    Q_UNREACHABLE();
}

} // namespace

const QCommandLineOption& all()
{
    return named(u"all"_s);
}

const QCommandLineOption& check()
{
    return named(u"check"_s);
}

const QCommandLineOption& copy()
{
    return named(u"copy"_s);
}

const QCommandLineOption& create()
{
    return named(u"create"_s);
}

const QCommandLineOption& dryRun()
{
    return named(u"dry-run"_s);
}

const QCommandLineOption& force()
{
    return named(u"force"_s);
}

const QCommandLineOption& skipConflicts()
{
    return named(u"skip-conflicts"_s);
}

const QCommandLineOption& preset()
{
    return named(u"preset"_s);
}

const QCommandLineOption& project()
{
    return named(u"project"_s);
}

const QCommandLineOption& link()
{
    return named(u"link"_s);
}

const QCommandLineOption& frozen()
{
    return named(u"frozen"_s);
}

const QCommandLineOption& noFetch()
{
    return named(u"no-fetch"_s);
}

const QCommandLineOption& offline()
{
    return named(u"offline"_s);
}

const QCommandLineOption& path()
{
    return named(u"path"_s);
}

const QCommandLineOption& ref()
{
    return named(u"ref"_s);
}

const QCommandLineOption& host()
{
    return named(u"host"_s);
}

const QCommandLineOption& sarif()
{
    return named(u"sarif"_s);
}

const QCommandLineOption& rules()
{
    return named(u"rules"_s);
}

const QCommandLineOption& accept()
{
    return named(u"accept"_s);
}

const QCommandLineOption& acceptRisk()
{
    return named(u"accept-risk"_s);
}

const QCommandLineOption& fix()
{
    return named(u"fix"_s);
}

const QCommandLineOption& diff()
{
    return named(u"diff"_s);
}

const QCommandLineOption& skillId()
{
    return named(u"skill-id"_s);
}

const QCommandLineOption& name()
{
    return named(u"name"_s);
}

} // namespace Switch
