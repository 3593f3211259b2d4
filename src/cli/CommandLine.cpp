// The tool's command line: the commands and switches declared once, and everything a
// reader sees of them (usage, help, completion) made from the declarations.
#include "cli/CommandLine.h"

#include "cli/Commands.h"
#include "cli/Output.h"
#include "cli/Switches.h"

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

const QList<std::shared_ptr<const Command>>& CommandLine::commands()
{
    // In the order usage lists them; a command's longer form comes before its shorter one.
    static const QList<std::shared_ptr<const Command>> all = {
        std::make_shared<Commands::HubSetCommand>(),
        std::make_shared<Commands::HubCommand>(),
        std::make_shared<Commands::AppsAddCommand>(),
        std::make_shared<Commands::AppsModeCommand>(),
        std::make_shared<Commands::AppsPresetsCommand>(),
        std::make_shared<Commands::AppsRenameCommand>(),
        std::make_shared<Commands::AppsRemoveCommand>(),
        std::make_shared<Commands::AppsCommand>(),
        std::make_shared<Commands::LinkCommand>(),
        std::make_shared<Commands::UnlinkCommand>(),
        std::make_shared<Commands::SyncCommand>(),
        std::make_shared<Commands::LinkedCommand>(),
        std::make_shared<Commands::StatusCommand>(),
        std::make_shared<Commands::ImportEntryCommand>(),
        std::make_shared<Commands::AdoptCommand>(),
        std::make_shared<Commands::RepairCommand>(),
        std::make_shared<Commands::RemoveCommand>(),
        std::make_shared<Commands::SearchCommand>(),
        std::make_shared<Commands::InstallCommand>(),
        std::make_shared<Commands::UpdateCommand>(),
        std::make_shared<Commands::BackupExportCommand>(),
        std::make_shared<Commands::BackupImportCommand>(),
        std::make_shared<Commands::LockCommand>(),
        std::make_shared<Commands::RestoreCommand>(),
        std::make_shared<Commands::CacheClearCommand>(),
        std::make_shared<Commands::CacheCommand>(),
        std::make_shared<Commands::RestoreLinksCommand>(),
        std::make_shared<Commands::SourcesAddCommand>(),
        std::make_shared<Commands::SourcesRemoveCommand>(),
        std::make_shared<Commands::SourcesRefreshCommand>(),
        std::make_shared<Commands::SourcesCommand>(),
        std::make_shared<Commands::CheckCommand>(),
        std::make_shared<Commands::AuditCommand>(),
        std::make_shared<Commands::DoctorCommand>()};
    return all;
}

std::variant<ParsedCommandLine, int> CommandLine::parse(const QStringList& arguments)
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    QCommandLineParser parser;
    // "-x" is an option named x, as "--x" is; a word after "--" is never an option.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOptions(commonOptions());
    parser.addOptions(Switch::every());
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
    const Command* chosen = nullptr;
    for (const auto& command : commands()) {
        const QStringList& own = command->declaration().words;
        if (words.mid(0, own.size()) == own && (!chosen || own.size() > chosen->declaration().words.size()))
            chosen = command.get();
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
        out << CommandLine::help(chosen->declaration());
        return ExitCode::success;
    }
    const CommandDeclaration& declared = chosen->declaration();
    for (const QCommandLineOption& option : Switch::every()) {
        if (parser.isSet(option) && !chosen->takes(option)) {
            err << toolName << ": "
                << Cli::tr("%1 does not take --%2").arg(declared.words.join(u' '), option.names().constLast())
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
    parsed.switches = GivenSwitches(parser, Switch::every());

    parsed.arguments = words.mid(declared.words.size());
    // install takes its skill and folder name as switches; its run sees them as arguments.
    if (declared.words == QStringList{u"install"_s})
        parsed.arguments << parser.value(Switch::skillId()) << parser.value(Switch::name());
    const qsizetype count = parsed.arguments.size();
    // --all stands for the items a command otherwise names first.
    const int namedByAll = parsed.switches.isSet(Switch::all()) && declared.minimumArguments > 0 ? 1 : 0;
    const int minimum = declared.minimumArguments - namedByAll;
    const int maximum = declared.maximumArguments < 0 ? -1 : declared.maximumArguments - namedByAll;
    if (count < minimum || (maximum >= 0 && count > maximum)) {
        err << CommandLine::help(declared);
        return ExitCode::usage;
    }
    return parsed;
}

QString CommandLine::usage()
{
    QString text = Cli::tr("Usage: quorvane-cli [--json] COMMAND [ARGS]\n\nCommands:\n");
    for (const auto& each : commands()) {
        const CommandDeclaration& command = each->declaration();
        const QString form = command.words.join(u' ') + u' ' + command.arguments;
        // A long form gets the summary on a line of its own rather than running into it.
        if (form.size() < 46)
            text += u"  "_s + form.leftJustified(46) + command.summary + u'\n';
        else
            text += u"  "_s + form + u"\n  "_s + QString().leftJustified(46) + command.summary + u'\n';
    }
    text +=
        Cli::tr("\nOptions for commands that reach the network: --raw-url URL --api-url URL (GitHub's "
                "hosts);\nsearch also takes --directory-url URL, a directory searched for this one "
                "call.\nA token in GH_TOKEN or GITHUB_TOKEN (GH_ENTERPRISE_TOKEN for another GitHub host, or "
                "the login of gh) is sent to that host's API only.\nAPP is "
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
        for (const QCommandLineOption& option : command.switches)
            text += u"  "_s + switchForm(option).leftJustified(24) + option.description() + u'\n';
    }
    return text + Cli::tr("\nExample:\n") + u"  "_s + command.example + u'\n';
}

QString CommandLine::bashCompletion()
{
    QStringList firstWords;
    QMap<QString, QStringList> secondWords;
    QMap<QString, QStringList> switchesOf; // by the command's words, joined with '_'
    for (const auto& each : commands()) {
        const CommandDeclaration& command = each->declaration();
        if (!firstWords.contains(command.words.first()))
            firstWords.append(command.words.first());
        if (command.words.size() > 1)
            secondWords[command.words.first()].append(command.words.at(1));
        QStringList forms;
        for (const QCommandLineOption& option : command.switches)
            forms.append(u"--"_s + option.names().constLast());
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
