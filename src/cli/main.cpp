// quorvane-cli: what the window does, from a shell, on the same store.
#include "base/Log.h"
#include "base/QtTexts.h"
#include "cli/CliSession.h"

#include <QCoreApplication>
#include <QTextStream>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

struct Command
{
    QStringList words;
    QString arguments;
    QString summary;
    QString example;
    int minimumArguments;
    int maximumArguments; // -1: any number
    std::function<int(CliSession&, const QStringList&)> run;
    QStringList flags = {};     // the switches it takes besides the common options
    bool readsHubItems = false; // whether it shows or changes the hub's items, which are read first
};

const QList<Command>& commands()
{
    static const QList<Command> table = {
        {{u"hub"_s, u"set"_s},
         u"FOLDER"_s,
         u"make FOLDER the central hub (bookmark, settings, rescan)"_s,
         u"quorvane-cli hub set ~/Skills"_s,
         1,
         1,
         &CliSession::hubSet,
         {},
         true},
        {{u"hub"_s},
         {},
         u"the hub folder and its items (file name, name, kind, first preview line)"_s,
         u"quorvane-cli --json hub"_s,
         0,
         0,
         &CliSession::hub,
         {},
         true},
        {{u"apps"_s, u"add"_s},
         u"NAME FOLDER [--copy] | --preset ID [--create] [--copy]"_s,
         u"register a target app, or a known assistant (see apps presets); --copy places copies"_s,
         u"quorvane-cli apps add --preset claude-code --create"_s,
         0,
         2,
         &CliSession::appsAdd,
         {u"--preset"_s, u"--create"_s, u"--copy"_s}},
        {{u"apps"_s, u"mode"_s},
         u"APP link|copy [--dry-run] [--skip-conflicts] [--force]"_s,
         u"switch how APP's items stand in its folder, converting what Quorvane placed there"_s,
         u"quorvane-cli apps mode Cursor copy --dry-run"_s,
         2,
         2,
         &CliSession::appsMode,
         {u"--dry-run"_s, u"--skip-conflicts"_s, u"--force"_s}},
        {{u"apps"_s, u"presets"_s},
         QString(),
         u"the known assistants: id, name, folder, whether it exists, whether copies are recommended"_s,
         u"quorvane-cli apps presets --json"_s,
         0,
         0,
         &CliSession::appsPresets},
        {{u"apps"_s, u"rename"_s},
         u"APP NEW-NAME"_s,
         u"rename a target app"_s,
         u"quorvane-cli apps rename Codex \"Codex CLI\""_s,
         2,
         2,
         &CliSession::appsRename},
        {{u"apps"_s, u"remove"_s},
         u"APP..."_s,
         u"delete apps and their link records (links on disk stay)"_s,
         u"quorvane-cli apps remove Gemini"_s,
         1,
         -1,
         &CliSession::appsRemove},
        {{u"apps"_s},
         {},
         u"the target apps (id, name, folder)"_s,
         u"quorvane-cli apps"_s,
         0,
         0,
         &CliSession::apps},
        {{u"link"_s},
         u"ITEM... APP | --all APP [--dry-run] [--skip-conflicts] [--force]"_s,
         u"place the hub items ITEM... (their file names), or every hub item, into APP's folder"_s,
         u"quorvane-cli link --all Codex --dry-run"_s,
         2,
         -1,
         &CliSession::link,
         {u"--all"_s, u"--dry-run"_s, u"--skip-conflicts"_s, u"--force"_s}},
        {{u"unlink"_s},
         u"ITEM... APP | --all APP [--dry-run] [--skip-conflicts] [--force]"_s,
         u"take ITEM..., or everything Quorvane placed, out of APP's folder"_s,
         u"quorvane-cli unlink --all Codex"_s,
         2,
         -1,
         &CliSession::unlink,
         {u"--all"_s, u"--dry-run"_s, u"--skip-conflicts"_s, u"--force"_s}},
        {{u"sync"_s},
         u"APP [--dry-run] [--skip-conflicts] [--force]"_s,
         u"bring what Quorvane placed in APP's folder in line with the hub (outdated copies, missing entries)"_s,
         u"quorvane-cli sync Cursor"_s,
         1,
         1,
         &CliSession::sync,
         {u"--dry-run"_s, u"--skip-conflicts"_s, u"--force"_s}},
        {{u"linked"_s},
         u"ITEM"_s,
         u"the apps ITEM is linked into"_s,
         u"quorvane-cli linked notes.md"_s,
         1,
         1,
         &CliSession::linked,
         {},
         true},
        {{u"status"_s},
         u"APP"_s,
         u"every entry of APP's folder with its state (linked, copied, outdated, modified, repairable, broken, importable)"_s,
         u"quorvane-cli status Codex"_s,
         1,
         1,
         &CliSession::status},
        {{u"import"_s},
         u"APP ENTRY"_s,
         u"move ENTRY of APP's folder into the hub and leave a link"_s,
         u"quorvane-cli import Codex my-skill"_s,
         2,
         2,
         &CliSession::importEntry},
        {{u"repair"_s},
         u"APP ENTRY"_s,
         u"point a broken link at the hub item of the same name"_s,
         u"quorvane-cli repair Codex deploy"_s,
         2,
         2,
         &CliSession::repair},
        {{u"remove"_s},
         u"APP ENTRY"_s,
         u"move ENTRY of APP's folder (a link as a link) to the trash, or delete it where there is none"_s,
         u"quorvane-cli remove Codex old-skill"_s,
         2,
         2,
         &CliSession::remove},
        {{u"search"_s},
         u"QUERY"_s,
         u"search every source: GitHub indexes here, directories over the network"_s,
         u"quorvane-cli search react"_s,
         1,
         1,
         &CliSession::search,
         {},
         true},
        {{u"install"_s},
         u"OWNER/REPO[@REF] --skill-id PATH-OR-ID [--name NAME] [--force]"_s,
         u"install a skill's whole folder from GitHub into the hub; prints the new folder"_s,
         u"quorvane-cli install anthropics/skills --skill-id skills/pdf"_s,
         3,
         3,
         &CliSession::install,
         {u"--force"_s},
         true},
        {{u"update"_s},
         u"--check | ITEM... | --all [--force] [--dry-run]"_s,
         u"compare installed skills with their repositories, or update them"_s,
         u"quorvane-cli update --check --json"_s,
         0,
         -1,
         &CliSession::update,
         {u"--check"_s, u"--all"_s, u"--force"_s, u"--dry-run"_s},
         true},
        {{u"backup"_s, u"export"_s},
         u"FILE"_s,
         u"write the whole configuration to FILE"_s,
         u"quorvane-cli backup export ~/quorvane-backup.json"_s,
         1,
         1,
         &CliSession::backupExport},
        {{u"backup"_s, u"import"_s},
         u"FILE [--dry-run] [--skip-conflicts]"_s,
         u"replace the configuration with FILE's and recreate missing links, after showing the plan"_s,
         u"quorvane-cli backup import ~/quorvane-backup.json --dry-run"_s,
         1,
         1,
         &CliSession::backupImport,
         {u"--dry-run"_s, u"--skip-conflicts"_s}},
        {{u"restore-links"_s},
         u"[--dry-run] [--skip-conflicts]"_s,
         u"recreate recorded links that are missing, after showing the plan"_s,
         u"quorvane-cli restore-links --dry-run"_s,
         0,
         0,
         &CliSession::restoreLinks,
         {u"--dry-run"_s, u"--skip-conflicts"_s}},
        {{u"sources"_s, u"add"_s},
         u"github OWNER/REPO[@REF][:PATH] | directory URL"_s,
         u"add a place the store searches"_s,
         u"quorvane-cli sources add github anthropics/skills@main:skills"_s,
         2,
         2,
         &CliSession::sourcesAdd},
        {{u"sources"_s, u"remove"_s},
         u"ID-OR-LOCATION"_s,
         u"stop searching a source"_s,
         u"quorvane-cli sources remove openai/skills"_s,
         1,
         1,
         &CliSession::sourcesRemove},
        {{u"sources"_s, u"refresh"_s},
         u"[ID-OR-LOCATION]"_s,
         u"read the GitHub sources' skill lists again (only changed files are fetched)"_s,
         u"quorvane-cli sources refresh"_s,
         0,
         1,
         &CliSession::sourcesRefresh},
        {{u"sources"_s},
         {},
         u"the sources: id, kind, location, skill count, last refresh"_s,
         u"quorvane-cli --json sources"_s,
         0,
         0,
         &CliSession::sources},
        {{u"check"_s},
         u"[ITEM]"_s,
         u"check the hub's skill folders (or ITEM) against the skill format: item, level, message"_s,
         u"quorvane-cli check pdf-tools --json"_s,
         0,
         1,
         &CliSession::check,
         {},
         true},
    };
    return table;
}

void printUsage(QTextStream& out)
{
    out << "Usage: quorvane-cli [--json] COMMAND [ARGS]\n\nCommands:\n";
    for (const Command& command : commands()) {
        const QString form = command.words.join(u' ') + u' ' + command.arguments;
        // A long form gets the summary on a line of its own rather than running into it.
        if (form.size() < 46)
            out << "  " << form.leftJustified(46) << command.summary << '\n';
        else
            out << "  " << form << "\n  " << QString().leftJustified(46) << command.summary << '\n';
    }
    out << "\nOptions for commands that reach the network: --raw-url URL --api-url URL (GitHub's hosts);\n"
           "search also takes --directory-url URL, a directory searched for this one call.\n"
           "A token in GITHUB_TOKEN or GH_TOKEN is sent to GitHub's API host only.\n"
           "APP is an app's id or its exact name. Exit status: 0 done, 1 failed, 2 usage error.\n"
           "--version tells the version.\n"
           "`quorvane-cli COMMAND --help` shows a command with an example.\n";
}

void printCommandHelp(const Command& command, QTextStream& out)
{
    out << "Usage: quorvane-cli [--json] " << command.words.join(u' ') << ' ' << command.arguments << "\n\n"
        << command.summary << "\n\nExample:\n  " << command.example << '\n';
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(u"Quorvane"_s);
    QCoreApplication::setApplicationVersion(QStringLiteral(QUORVANE_VERSION));
    // Results alone go to standard output; log lines join the messages.
    Log::setSink(Log::standardErrorSink());
    loadQtGermanTexts();
    QTextStream out(stdout);
    QTextStream err(stderr);

    QStringList words;
    bool json = false;
    bool help = false;
    StoreEndpoints endpoints = StoreEndpoints::defaults();
    QString skillId;
    QString name;
    CommandFlags flags;
    QStringList flagsGiven;
    const QStringList arguments = application.arguments().mid(1);
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        const auto value = [&]() -> std::optional<QString> {
            if (i + 1 >= arguments.size())
                return std::nullopt;
            return arguments[++i];
        };
        if (argument == u"--json"_s) {
            json = true;
        } else if (argument == u"--help"_s || argument == u"-h"_s) {
            help = true;
        } else if (argument == u"--version"_s) {
            out << "quorvane-cli " << QUORVANE_VERSION << '\n';
            return ExitCode::success;
        } else if (argument == u"--directory-url"_s || argument == u"--raw-url"_s ||
                   argument == u"--api-url"_s || argument == u"--skill-id"_s || argument == u"--name"_s) {
            const auto given = value();
            if (!given) {
                err << "quorvane-cli: " << argument << " needs a value.\n";
                return ExitCode::usage;
            }
            if (argument == u"--directory-url"_s)
                endpoints.directoryBase = *given;
            else if (argument == u"--raw-url"_s)
                endpoints.rawBase = given->endsWith(u'/') ? *given : *given + u'/';
            else if (argument == u"--api-url"_s)
                endpoints.apiBase = *given;
            else if (argument == u"--skill-id"_s)
                skillId = *given;
            else
                name = *given;
        } else if (argument == u"--preset"_s) {
            const auto given = value();
            if (!given) {
                err << "quorvane-cli: --preset needs a value.\n";
                return ExitCode::usage;
            }
            flagsGiven.append(argument);
            flags.preset = *given;
        } else if (argument == u"--check"_s || argument == u"--all"_s || argument == u"--force"_s ||
                   argument == u"--dry-run"_s || argument == u"--create"_s ||
                   argument == u"--skip-conflicts"_s || argument == u"--copy"_s) {
            flagsGiven.append(argument);
            flags.check = flags.check || argument == u"--check"_s;
            flags.all = flags.all || argument == u"--all"_s;
            flags.force = flags.force || argument == u"--force"_s;
            flags.dryRun = flags.dryRun || argument == u"--dry-run"_s;
            flags.create = flags.create || argument == u"--create"_s;
            flags.skipConflicts = flags.skipConflicts || argument == u"--skip-conflicts"_s;
            flags.copy = flags.copy || argument == u"--copy"_s;
        } else if (argument.startsWith(u"--"_s)) {
            err << "quorvane-cli: unknown option " << argument << "\n";
            return ExitCode::usage;
        } else {
            words.append(argument);
        }
    }

    const Command* chosen = nullptr;
    for (const Command& command : commands()) {
        if (words.mid(0, command.words.size()) == command.words &&
            (!chosen || command.words.size() > chosen->words.size()))
            chosen = &command;
    }
    if (!chosen) {
        if (help || words.isEmpty()) {
            printUsage(help ? out : err);
            return help ? ExitCode::success : ExitCode::usage;
        }
        err << "quorvane-cli: unknown command \"" << words.join(u' ') << "\"\n\n";
        printUsage(err);
        return ExitCode::usage;
    }
    if (help) {
        printCommandHelp(*chosen, out);
        return ExitCode::success;
    }
    for (const QString& flag : std::as_const(flagsGiven)) {
        if (!chosen->flags.contains(flag)) {
            err << "quorvane-cli: " << chosen->words.join(u' ') << " does not take " << flag << "\n";
            return ExitCode::usage;
        }
    }
    QStringList commandArguments = words.mid(chosen->words.size());
    if (chosen->words == QStringList{u"install"_s})
        commandArguments << skillId << name;
    const qsizetype count = commandArguments.size();
    // --all stands for the items a command otherwise names first.
    const int namedByAll = flags.all && chosen->minimumArguments > 0 ? 1 : 0;
    const int minimum = chosen->minimumArguments - namedByAll;
    const int maximum = chosen->maximumArguments < 0 ? -1 : chosen->maximumArguments - namedByAll;
    if (count < minimum || (maximum >= 0 && count > maximum)) {
        printCommandHelp(*chosen, err);
        return ExitCode::usage;
    }

    CliSession session(json, endpoints, flags);
    if (const int opened = session.open(chosen->readsHubItems); opened != ExitCode::success)
        return opened;
    return chosen->run(session, commandArguments);
}
