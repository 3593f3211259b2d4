// quorvane-cli: the store's sources.
#include "cli/Commands.h"

#include "actions/SourceActions.h"
#include "actions/Workspace.h"
#include "cli/CliSession.h"
#include "cli/Output.h"
#include "cli/Switches.h"
#include "store/SkillSources.h"
#include "store/SkillStoreService.h"

using namespace Qt::StringLiterals;
using namespace Output;

namespace Commands {

SourcesCommand::SourcesCommand()
    : Command({.words = {u"sources"_s},
               .summary = Cli::tr("the sources: id, kind, location, skill count, last refresh"),
               .example = u"quorvane-cli --json sources"_s})
{}

int SourcesCommand::run(CliSession& session, const QStringList&) const
{
    session.store();
    Json list = Json::array();
    for (const SkillSourceRecord* source : SourceActions(session.workspace()).sources()) {
        const auto index = source->kind() != SkillSourceRecord::Kind::directory
                               ? session.sources().index(source->location())
                               : std::nullopt;
        const QString refreshed =
            index && index->refreshedAt ? index->refreshedAt->toUTC().toString(Qt::ISODate) : QString();
        if (session.json()) {
            list.push_back({{"id", utf8(source->id().toString(QUuid::WithoutBraces))},
                            {"kind", utf8(SkillSourceRecord::kindName(source->kind()))},
                            {"location", utf8(source->location())},
                            {"skillCount", index ? Json(index->skills.size()) : Json(nullptr)},
                            {"refreshedAt", refreshed.isEmpty() ? Json(nullptr) : Json(utf8(refreshed))}});
            continue;
        }
        print(u"%1\t%2\t%3\t%4\t%5"_s.arg(source->id().toString(QUuid::WithoutBraces),
                                          SkillSourceRecord::kindName(source->kind()), source->location(),
                                          index ? QString::number(index->skills.size()) : u"-"_s,
                                          refreshed.isEmpty() ? u"-"_s : refreshed));
    }
    if (session.json())
        printJson(list);
    return ExitCode::success;
}

SourcesAddCommand::SourcesAddCommand()
    : Command({.words = {u"sources"_s, u"add"_s},
               .arguments = u"KIND LOCATION: github OWNER/REPO[@REF][:PATH] [--host URL] | git URL [--ref "
                            u"REF] [--path PATH] | "
                            "directory URL"_s,
               .summary = Cli::tr("add a place the store searches"),
               .example = u"quorvane-cli sources add git git@git.example.com:team/skills.git --path skills"_s,
               .minimumArguments = 2,
               .maximumArguments = 2,
               .switches = {Switch::ref(), Switch::path(), Switch::host()}})
{}

int SourcesAddCommand::run(CliSession& session, const QStringList& args) const
{
    const auto kind = SkillSourceRecord::kindNamed(args.at(0));
    if (!kind)
        return session.fail(
            Cli::tr("A source is \"github\", \"git\" or \"directory\", not \"%1\".").arg(args.at(0)));
    QString location = args.at(1);
    const auto ref = session.valueOf(Switch::ref());
    const auto path = session.valueOf(Switch::path());
    if ((ref || path) && *kind != SkillSourceRecord::Kind::git)
        return session.fail(Cli::tr("--ref and --path are for git sources."));
    const auto host = session.valueOf(Switch::host());
    if (host && *kind != SkillSourceRecord::Kind::github)
        return session.fail(Cli::tr("--host is for github sources."));
    if (ref)
        location += u'@' + *ref;
    if (path)
        location += u'#' + *path;
    const auto added = SourceActions(session.workspace()).add(*kind, location, host.value_or(QString()));
    if (!added)
        return session.fail(describe(added.error()));
    print(added.value()->id().toString(QUuid::WithoutBraces));
    return ExitCode::success;
}

SourcesRemoveCommand::SourcesRemoveCommand()
    : Command({.words = {u"sources"_s, u"remove"_s},
               .arguments = u"ID-OR-LOCATION"_s,
               .summary = Cli::tr("stop searching a source"),
               .example = u"quorvane-cli sources remove openai/skills"_s,
               .minimumArguments = 1,
               .maximumArguments = 1})
{}

int SourcesRemoveCommand::run(CliSession& session, const QStringList& args) const
{
    const auto source = SourceActions(session.workspace()).find(args.first());
    if (!source)
        return session.fail(describe(source.error()));
    if (const Outcome removed = SourceActions(session.workspace()).remove(*source.value()); !removed)
        return session.fail(Output::describe(removed.error().shown()));
    return ExitCode::success;
}

SourcesRefreshCommand::SourcesRefreshCommand()
    : Command({.words = {u"sources"_s, u"refresh"_s},
               .arguments = u"[ID-OR-LOCATION]"_s,
               .summary = Cli::tr(
                   "read the GitHub and git sources' skill lists again (only changed files are fetched)"),
               .example = u"quorvane-cli sources refresh"_s,
               .maximumArguments = 1})
{}

int SourcesRefreshCommand::run(CliSession& session, const QStringList& args) const
{
    std::optional<QString> only;
    if (!args.isEmpty()) {
        const auto source = SourceActions(session.workspace()).find(args.first());
        if (!source)
            return session.fail(describe(source.error()));
        only = source.value()->location();
    }
    const QStringList failures = session.refreshSources(only, false);
    for (const SkillSourceRecord* source : SourceActions(session.workspace()).sources()) {
        if (source->kind() == SkillSourceRecord::Kind::directory || (only && source->location() != *only))
            continue;
        const auto index = session.sources().index(source->location());
        print(Cli::tr("%1\t%2 skills%3")
                  .arg(source->location())
                  .arg(index ? index->skills.size() : 0)
                  .arg(index && index->truncated ? Cli::tr(" (listing cut short by GitHub)") : QString()));
    }
    return failures.isEmpty() ? ExitCode::success : ExitCode::failure;
}

} // namespace Commands
