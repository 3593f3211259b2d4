// The tool's command line: the commands and switches declared once, and everything a
// reader sees of them (usage, help, completion) made from the declarations.
#include "cli/CommandLine.h"

#include "cli/Commands.h"
#include "cli/Output.h"

#include <QCommandLineParser>
#include <QTextStream>

using namespace Qt::StringLiterals;

namespace {

constexpr const char* toolName = "quorvane-cli";

QString switchForm(const QCommandLineOption& option)
{
    QString form = u"--"_s + option.names().constLast();
    if (!option.valueName().isEmpty())
        form += u' ' + option.valueName();
    return form;
}

} // namespace

const QList<QCommandLineOption>& CommandLine::commonOptions()
{
    static const QList<QCommandLineOption> options = {
        {u"json"_s, Cli::tr("print results as JSON")},
        {{u"h"_s, u"help"_s}, Cli::tr("show the commands, or one command with an example")},
        {u"version"_s, Cli::tr("tell the version")},
        {u"raw-url"_s, Cli::tr("GitHub's raw content host"), u"URL"_s},
        {u"api-url"_s, Cli::tr("GitHub's API host"), u"URL"_s},
        {u"directory-url"_s, Cli::tr("a directory searched for this one call"), u"URL"_s},
    };
    return options;
}

const QList<QCommandLineOption>& CommandLine::switches()
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
        {u"path"_s, Cli::tr("audit this folder rather than hub items"), u"DIR"_s},
        {u"sarif"_s, Cli::tr("also write the findings as SARIF 2.1.0 to FILE"), u"FILE"_s},
        {u"rules"_s, Cli::tr("add the YARA rule files (*.yar) of DIR to the audit's rules"), u"DIR"_s},
        {u"accept"_s, Cli::tr("accept the named items' current findings")},
        {u"accept-risk"_s, Cli::tr("go on despite findings of level high, accepting them")},
        {u"fix"_s, Cli::tr("carry out every safe fix, after showing the plan")},
        {u"diff"_s, Cli::tr("show what the update changes, as a unified diff; change nothing")},
        {u"skill-id"_s, Cli::tr("the skill's folder in the repository, or its name"), u"PATH-OR-ID"_s},
        {u"name"_s, Cli::tr("the hub folder's name instead of the skill's"), u"NAME"_s},
    };
    return options;
}

const QList<CommandDeclaration>& CommandLine::commands()
{
    static const QList<CommandDeclaration> table = {
        {{u"hub"_s, u"set"_s},
         u"FOLDER"_s,
         Cli::tr("make FOLDER the central hub (bookmark, settings, rescan)"),
         u"quorvane-cli hub set ~/Skills"_s,
         1,
         1,
         &Commands::hubSet,
         {},
         true},
        {{u"hub"_s},
         {},
         Cli::tr("the hub folder and its items (file name, name, kind, first preview line)"),
         u"quorvane-cli --json hub"_s,
         0,
         0,
         &Commands::hub,
         {},
         true},
        {{u"apps"_s, u"add"_s},
         u"NAME FOLDER [--copy] | --preset ID [--project DIR] [--create] [--copy|--link]"_s,
         Cli::tr("register a target app, or a known assistant (see apps presets), globally or in the project "
                 "DIR; a project places copies unless --link"),
         u"quorvane-cli apps add --preset claude-code --project . --create"_s,
         0,
         2,
         &Commands::appsAdd,
         {u"preset"_s, u"project"_s, u"create"_s, u"copy"_s, u"link"_s}},
        {{u"apps"_s, u"mode"_s},
         u"APP link|copy [--dry-run] [--skip-conflicts] [--force] [--accept-risk]"_s,
         Cli::tr("switch how APP's items stand in its folder, converting what Quorvane placed there"),
         u"quorvane-cli apps mode Cursor copy --dry-run"_s,
         2,
         2,
         &Commands::appsMode,
         {u"dry-run"_s, u"skip-conflicts"_s, u"force"_s, u"accept-risk"_s}},
        {{u"apps"_s, u"presets"_s},
         QString(),
         Cli::tr("the known assistants: id, name, folder, whether it exists, whether copies are recommended, "
                 "the folder in a project"),
         u"quorvane-cli apps presets --json"_s,
         0,
         0,
         &Commands::appsPresets},
        {{u"apps"_s, u"rename"_s},
         u"APP NEW-NAME"_s,
         Cli::tr("rename a target app"),
         u"quorvane-cli apps rename Codex \"Codex CLI\""_s,
         2,
         2,
         &Commands::appsRename},
        {{u"apps"_s, u"remove"_s},
         u"APP..."_s,
         Cli::tr("delete apps and their link records (links on disk stay)"),
         u"quorvane-cli apps remove Gemini"_s,
         1,
         -1,
         &Commands::appsRemove},
        {{u"apps"_s},
         {},
         Cli::tr("the target apps (id, name, folder)"),
         u"quorvane-cli apps"_s,
         0,
         0,
         &Commands::apps},
        {{u"link"_s},
         u"ITEM... APP | --all APP [--dry-run] [--skip-conflicts] [--force] [--accept-risk]"_s,
         Cli::tr("place the hub items ITEM... (their file names), or every hub item, into APP's folder"),
         u"quorvane-cli link --all Codex --dry-run"_s,
         2,
         -1,
         &Commands::link,
         {u"all"_s, u"dry-run"_s, u"skip-conflicts"_s, u"force"_s, u"accept-risk"_s}},
        {{u"unlink"_s},
         u"ITEM... APP | --all APP [--dry-run] [--skip-conflicts] [--force]"_s,
         Cli::tr("take ITEM..., or everything Quorvane placed, out of APP's folder"),
         u"quorvane-cli unlink --all Codex"_s,
         2,
         -1,
         &Commands::unlink,
         {u"all"_s, u"dry-run"_s, u"skip-conflicts"_s, u"force"_s}},
        {{u"sync"_s},
         u"APP [--dry-run] [--skip-conflicts] [--force] [--accept-risk]"_s,
         Cli::tr("bring what Quorvane placed in APP's folder in line with the hub (outdated copies, missing "
                 "entries)"),
         u"quorvane-cli sync Cursor"_s,
         1,
         1,
         &Commands::sync,
         {u"dry-run"_s, u"skip-conflicts"_s, u"force"_s, u"accept-risk"_s}},
        {{u"linked"_s},
         u"ITEM"_s,
         Cli::tr("the apps ITEM is linked into"),
         u"quorvane-cli linked notes.md"_s,
         1,
         1,
         &Commands::linked,
         {},
         true},
        {{u"status"_s},
         u"APP"_s,
         Cli::tr("every entry of APP's folder with its state (linked, copied, outdated, modified, "
                 "repairable, broken, importable)"),
         u"quorvane-cli status Codex"_s,
         1,
         1,
         &Commands::status},
        {{u"import"_s},
         u"APP ENTRY"_s,
         Cli::tr("move ENTRY of APP's folder into the hub and leave a link"),
         u"quorvane-cli import Codex my-skill"_s,
         2,
         2,
         &Commands::importEntry},
        {{u"repair"_s},
         u"APP ENTRY"_s,
         Cli::tr("point a broken link at the hub item of the same name"),
         u"quorvane-cli repair Codex deploy"_s,
         2,
         2,
         &Commands::repair},
        {{u"remove"_s},
         u"APP ENTRY"_s,
         Cli::tr(
             "move ENTRY of APP's folder (a link as a link) to the trash, or delete it where there is none"),
         u"quorvane-cli remove Codex old-skill"_s,
         2,
         2,
         &Commands::remove},
        {{u"search"_s},
         u"QUERY"_s,
         Cli::tr("search every source: GitHub indexes here, directories over the network"),
         u"quorvane-cli search react"_s,
         1,
         1,
         &Commands::search,
         {},
         true},
        {{u"install"_s},
         u"OWNER/REPO[@REF] --skill-id PATH-OR-ID [--name NAME] [--force] [--accept-risk]"_s,
         Cli::tr("install a skill's whole folder from GitHub into the hub; prints the new folder"),
         u"quorvane-cli install anthropics/skills --skill-id skills/pdf"_s,
         3,
         3,
         &Commands::install,
         {u"force"_s, u"skill-id"_s, u"name"_s, u"accept-risk"_s},
         true},
        {{u"update"_s},
         u"--check | ITEM... [--diff] | --all [--force] [--dry-run] [--accept-risk]"_s,
         Cli::tr("compare installed skills with their repositories, or update them"),
         u"quorvane-cli update --check --json"_s,
         0,
         -1,
         &Commands::update,
         {u"check"_s, u"all"_s, u"force"_s, u"dry-run"_s, u"accept-risk"_s, u"diff"_s},
         true},
        {{u"backup"_s, u"export"_s},
         u"FILE"_s,
         Cli::tr("write the whole configuration to FILE"),
         u"quorvane-cli backup export ~/quorvane-backup.json"_s,
         1,
         1,
         &Commands::backupExport},
        {{u"backup"_s, u"import"_s},
         u"FILE [--dry-run] [--skip-conflicts] [--force] [--no-fetch] [--accept-risk]"_s,
         Cli::tr("replace the configuration with FILE's, fetch the installed skills the hub lacks and "
                 "recreate missing links, after showing the plan"),
         u"quorvane-cli backup import ~/quorvane-backup.json --dry-run"_s,
         1,
         1,
         &Commands::backupImport,
         {u"dry-run"_s, u"skip-conflicts"_s, u"force"_s, u"no-fetch"_s, u"accept-risk"_s}},
        {{u"lock"_s},
         u"[DIR] [--check]"_s,
         Cli::tr("write DIR's quorvane-lock.json from its project apps (DIR: the current folder); --check "
                 "only tells whether it is current"),
         u"quorvane-cli lock --check"_s,
         0,
         1,
         &Commands::lock,
         {u"check"_s}},
        {{u"restore"_s},
         u"[DIR] [--dry-run] [--frozen] [--offline] [--skip-conflicts] [--force] [--accept-risk]"_s,
         Cli::tr("bring back the skills DIR's quorvane-lock.json names, into the hub and the project's apps, "
                 "after showing the plan"),
         u"quorvane-cli restore --frozen"_s,
         0,
         1,
         &Commands::restore,
         {u"dry-run"_s, u"frozen"_s, u"offline"_s, u"skip-conflicts"_s, u"force"_s, u"accept-risk"_s},
         true},
        {{u"cache"_s, u"clear"_s},
         QString(),
         Cli::tr("empty the cache of fetched skill folders (the hub keeps its items)"),
         u"quorvane-cli cache clear"_s,
         0,
         0,
         &Commands::cacheClear},
        {{u"cache"_s},
         QString(),
         Cli::tr("the cache of fetched skill folders: its size and entries"),
         u"quorvane-cli --json cache"_s,
         0,
         0,
         &Commands::cache},
        {{u"restore-links"_s},
         u"[--dry-run] [--skip-conflicts] [--accept-risk]"_s,
         Cli::tr("recreate recorded links that are missing, after showing the plan"),
         u"quorvane-cli restore-links --dry-run"_s,
         0,
         0,
         &Commands::restoreLinks,
         {u"dry-run"_s, u"skip-conflicts"_s, u"accept-risk"_s}},
        {{u"sources"_s, u"add"_s},
         u"github OWNER/REPO[@REF][:PATH] | directory URL"_s,
         Cli::tr("add a place the store searches"),
         u"quorvane-cli sources add github anthropics/skills@main:skills"_s,
         2,
         2,
         &Commands::sourcesAdd},
        {{u"sources"_s, u"remove"_s},
         u"ID-OR-LOCATION"_s,
         Cli::tr("stop searching a source"),
         u"quorvane-cli sources remove openai/skills"_s,
         1,
         1,
         &Commands::sourcesRemove},
        {{u"sources"_s, u"refresh"_s},
         u"[ID-OR-LOCATION]"_s,
         Cli::tr("read the GitHub sources' skill lists again (only changed files are fetched)"),
         u"quorvane-cli sources refresh"_s,
         0,
         1,
         &Commands::sourcesRefresh},
        {{u"sources"_s},
         {},
         Cli::tr("the sources: id, kind, location, skill count, last refresh"),
         u"quorvane-cli --json sources"_s,
         0,
         0,
         &Commands::sources},
        {{u"check"_s},
         u"[ITEM]"_s,
         Cli::tr("check the hub's skill folders (or ITEM) against the skill format: item, level, message"),
         u"quorvane-cli check pdf-tools --json"_s,
         0,
         1,
         &Commands::check,
         {},
         true},
        {{u"audit"_s},
         u"[ITEM...] [--path DIR] [--rules DIR] [--sarif FILE] | --accept ITEM..."_s,
         Cli::tr("audit the hub's items (or ITEM..., or each skill folder under DIR) for hidden characters, "
                 "instructions aimed at the assistant, code fetched and run, secrets read or sent, with the "
                 "shipped YARA rules and the user's own: level, item/file:line, rule, message"),
         u"quorvane-cli audit --sarif audit.sarif"_s,
         0,
         -1,
         &Commands::audit,
         {u"path"_s, u"rules"_s, u"sarif"_s, u"accept"_s},
         true},
        {{u"doctor"_s},
         u"[APP...] [--fix] [--dry-run] [--accept-risk]"_s,
         Cli::tr("tell whether each assistant can see each skill placed for it: level, app, entry, problem, "
                 "message; --fix carries out the safe fixes"),
         u"quorvane-cli doctor --fix --dry-run"_s,
         0,
         -1,
         &Commands::doctor,
         {u"fix"_s, u"dry-run"_s, u"force"_s, u"skip-conflicts"_s, u"accept-risk"_s},
         true},
    };
    return table;
}

std::variant<ParsedCommandLine, int> CommandLine::parse(const QStringList& arguments)
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    QCommandLineParser parser;
    // "-x" is an option named x, as "--x" is; a word after "--" is never an option.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOptions(commonOptions());
    parser.addOptions(switches());
    if (!parser.parse(QStringList{QString::fromLatin1(toolName)} + arguments)) {
        if (const QStringList unknown = parser.unknownOptionNames(); !unknown.isEmpty())
            err << toolName << ": " << Cli::tr("unknown option --%1").arg(unknown.first()) << '\n';
        else
            err << toolName << ": " << parser.errorText() << '\n';
        return ExitCode::usage;
    }
    if (parser.isSet(u"version"_s)) {
        out << toolName << ' ' << QUORVANE_VERSION << '\n';
        return ExitCode::success;
    }
    const QStringList words = parser.positionalArguments();
    const bool help = parser.isSet(u"help"_s);
    const CommandDeclaration* chosen = nullptr;
    for (const CommandDeclaration& command : commands()) {
        if (words.mid(0, command.words.size()) == command.words &&
            (!chosen || command.words.size() > chosen->words.size()))
            chosen = &command;
    }
    if (!chosen) {
        if (help || words.isEmpty()) {
            (help ? out : err) << usage();
            return help ? ExitCode::success : ExitCode::usage;
        }
        err << toolName << ": " << Cli::tr("unknown command \"%1\"").arg(words.join(u' ')) << "\n\n"
            << usage();
        return ExitCode::usage;
    }
    if (help) {
        out << CommandLine::help(*chosen);
        return ExitCode::success;
    }
    for (const QCommandLineOption& option : switches()) {
        const QString& name = option.names().constLast();
        if (parser.isSet(option) && !chosen->switches.contains(name)) {
            err << toolName << ": " << Cli::tr("%1 does not take --%2").arg(chosen->words.join(u' '), name)
                << '\n';
            return ExitCode::usage;
        }
    }

    ParsedCommandLine parsed;
    parsed.command = chosen;
    parsed.json = parser.isSet(u"json"_s);
    parsed.endpoints = StoreEndpoints::defaults();
    if (parser.isSet(u"directory-url"_s))
        parsed.endpoints.directoryBase = parser.value(u"directory-url"_s);
    if (parser.isSet(u"raw-url"_s)) {
        const QString raw = parser.value(u"raw-url"_s);
        parsed.endpoints.rawBase = raw.endsWith(u'/') ? raw : raw + u'/';
    }
    if (parser.isSet(u"api-url"_s))
        parsed.endpoints.apiBase = parser.value(u"api-url"_s);
    CommandFlags& flags = parsed.flags;
    flags.check = parser.isSet(u"check"_s);
    flags.all = parser.isSet(u"all"_s);
    flags.force = parser.isSet(u"force"_s);
    flags.dryRun = parser.isSet(u"dry-run"_s);
    flags.create = parser.isSet(u"create"_s);
    flags.skipConflicts = parser.isSet(u"skip-conflicts"_s);
    flags.copy = parser.isSet(u"copy"_s);
    flags.link = parser.isSet(u"link"_s);
    flags.frozen = parser.isSet(u"frozen"_s);
    flags.offline = parser.isSet(u"offline"_s);
    flags.noFetch = parser.isSet(u"no-fetch"_s);
    flags.accept = parser.isSet(u"accept"_s);
    flags.acceptRisk = parser.isSet(u"accept-risk"_s);
    flags.diff = parser.isSet(u"diff"_s);
    flags.fix = parser.isSet(u"fix"_s);
    if (parser.isSet(u"path"_s))
        flags.path = parser.value(u"path"_s);
    if (parser.isSet(u"sarif"_s))
        flags.sarif = parser.value(u"sarif"_s);
    if (parser.isSet(u"rules"_s))
        flags.rules = parser.value(u"rules"_s);
    if (parser.isSet(u"preset"_s))
        flags.preset = parser.value(u"preset"_s);
    if (parser.isSet(u"project"_s))
        flags.project = parser.value(u"project"_s);

    parsed.arguments = words.mid(chosen->words.size());
    // install takes its skill and folder name as switches; its run sees them as arguments.
    if (chosen->words == QStringList{u"install"_s})
        parsed.arguments << parser.value(u"skill-id"_s) << parser.value(u"name"_s);
    const qsizetype count = parsed.arguments.size();
    // --all stands for the items a command otherwise names first.
    const int namedByAll = flags.all && chosen->minimumArguments > 0 ? 1 : 0;
    const int minimum = chosen->minimumArguments - namedByAll;
    const int maximum = chosen->maximumArguments < 0 ? -1 : chosen->maximumArguments - namedByAll;
    if (count < minimum || (maximum >= 0 && count > maximum)) {
        err << CommandLine::help(*chosen);
        return ExitCode::usage;
    }
    return parsed;
}

QString CommandLine::usage()
{
    QString text = Cli::tr("Usage: quorvane-cli [--json] COMMAND [ARGS]\n\nCommands:\n");
    for (const CommandDeclaration& command : commands()) {
        const QString form = command.words.join(u' ') + u' ' + command.arguments;
        // A long form gets the summary on a line of its own rather than running into it.
        if (form.size() < 46)
            text += u"  "_s + form.leftJustified(46) + command.summary + u'\n';
        else
            text += u"  "_s + form + u"\n  "_s + QString().leftJustified(46) + command.summary + u'\n';
    }
    text += Cli::tr("\nOptions for commands that reach the network: --raw-url URL --api-url URL (GitHub's "
                    "hosts);\nsearch also takes --directory-url URL, a directory searched for this one "
                    "call.\nA token in GITHUB_TOKEN or GH_TOKEN is sent to GitHub's API host only.\nAPP is "
                    "an app's id or its name as shown (a project's app: \"Cursor (shop)\"). Exit status: 0 "
                    "done, 1 failed, 2 usage error.\n--version tells the version.\n`quorvane-cli COMMAND "
                    "--help` shows a command with an example.\n");
    return text;
}

QString CommandLine::help(const CommandDeclaration& command)
{
    QString text =
        Cli::tr("Usage: quorvane-cli [--json] %1").arg(command.words.join(u' ') + u' ' + command.arguments) +
        u"\n\n"_s + command.summary + u"\n"_s;
    if (!command.switches.isEmpty()) {
        text += Cli::tr("\nSwitches:\n");
        for (const QCommandLineOption& option : switches())
            if (command.switches.contains(option.names().constLast()))
                text += u"  "_s + switchForm(option).leftJustified(24) + option.description() + u'\n';
    }
    return text + Cli::tr("\nExample:\n") + u"  "_s + command.example + u'\n';
}

QString CommandLine::bashCompletion()
{
    QStringList firstWords;
    QMap<QString, QStringList> secondWords;
    QMap<QString, QStringList> switchesOf; // by the command's words, joined with '_'
    for (const CommandDeclaration& command : commands()) {
        if (!firstWords.contains(command.words.first()))
            firstWords.append(command.words.first());
        if (command.words.size() > 1)
            secondWords[command.words.first()].append(command.words.at(1));
        QStringList forms;
        for (const QString& name : command.switches)
            forms.append(u"--"_s + name);
        switchesOf[command.words.join(u'_')] = forms;
    }
    QStringList common;
    for (const QCommandLineOption& option : commonOptions())
        common.append(u"--"_s + option.names().constLast());

    QString script =
        u"# bash completion for quorvane-cli, made by `quorvane-cli --bash-completion` from the\n"
        "# tool's own declarations: commands, their switches, and the app names of the store.\n\n"
        "_quorvane_cli_apps()\n{\n"
        "    # One name per line; names with blanks stay whole.\n"
        "    local IFS=$'\\n'\n"
        "    COMPREPLY=($(compgen -W \"$(quorvane-cli apps 2>/dev/null | cut -f2)\" -- \"$1\"))\n}\n\n"
        "_quorvane_cli()\n{\n"
        "    local cur=${COMP_WORDS[COMP_CWORD]}\n"_s;
    script += u"    local commands=\"%1\"\n"_s.arg(firstWords.join(u' '));
    script += u"    local -A subcommands=(\n"_s;
    for (auto it = secondWords.cbegin(); it != secondWords.cend(); ++it)
        script += u"        [%1]=\"%2\"\n"_s.arg(it.key(), it.value().join(u' '));
    script += u"    )\n    local -A switches=(\n"_s;
    for (auto it = switchesOf.cbegin(); it != switchesOf.cend(); ++it)
        script += u"        [%1]=\"%2\"\n"_s.arg(it.key(), it.value().join(u' '));
    script += u"    )\n\n"
              "    # The words before the current one, without options.\n"
              "    local words=() word\n"
              "    for word in \"${COMP_WORDS[@]:1:COMP_CWORD-1}\"; do\n"
              "        [[ $word == -* ]] || words+=(\"$word\")\n"
              "    done\n\n"
              "    if [[ $cur == -* ]]; then\n"
              "        local own=${switches[${words[0]}_${words[1]}]:-${switches[${words[0]}]}}\n"_s;
    script += u"        COMPREPLY=($(compgen -W \"%1 $own\" -- \"$cur\"))\n"_s.arg(common.join(u' '));
    script +=
        u"        return\n    fi\n"
        "    case ${#words[@]} in\n"
        "    0)\n        COMPREPLY=($(compgen -W \"$commands\" -- \"$cur\"))\n        return\n        ;;\n"
        "    1)\n"
        "        if [[ -n ${subcommands[${words[0]}]} ]]; then\n"
        "            COMPREPLY=($(compgen -W \"${subcommands[${words[0]}]}\" -- \"$cur\"))\n"
        "            return\n"
        "        fi\n        ;;\n    esac\n"
        "    case ${words[0]} in\n"
        "    link | unlink | sync | status | import | repair | remove)\n"
        "        _quorvane_cli_apps \"$cur\"\n        ;;\n"
        "    apps)\n"
        "        case ${words[1]} in\n"
        "        rename | remove | mode)\n"
        "            if [[ ${words[1]} == mode && ${#words[@]} -eq 3 ]]; then\n"
        "                COMPREPLY=($(compgen -W \"link copy\" -- \"$cur\"))\n"
        "            else\n"
        "                _quorvane_cli_apps \"$cur\"\n"
        "            fi\n            ;;\n"
        "        add) COMPREPLY=($(compgen -d -- \"$cur\")) ;;\n"
        "        esac\n        ;;\n"
        "    hub | backup)\n        COMPREPLY=($(compgen -f -- \"$cur\"))\n        ;;\n"
        "    esac\n}\n\n"
        "complete -F _quorvane_cli quorvane-cli\n"_s;
    return script;
}
