// quorvane-cli: the store's sources.
#include "cli/Commands.h"

#include "actions/SourceActions.h"
#include "actions/Workspace.h"
#include "cli/CliSession.h"
#include "cli/Output.h"
#include "store/SkillSources.h"
#include "store/SkillStoreService.h"

using namespace Qt::StringLiterals;
using namespace Output;

namespace Commands {

int sources(CliSession& session, const QStringList&)
{
    session.store();
    Json list = Json::array();
    for (const SkillSourceRecord* source : SourceActions(session.workspace()).sources()) {
        const auto index = source->kind() == SkillSourceRecord::Kind::github
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

int sourcesAdd(CliSession& session, const QStringList& args)
{
    const auto kind = SkillSourceRecord::kindNamed(args.at(0));
    if (!kind)
        return session.fail(Cli::tr("A source is \"github\" or \"directory\", not \"%1\".").arg(args.at(0)));
    const auto added = SourceActions(session.workspace()).add(*kind, args.at(1));
    if (!added)
        return session.fail(describe(added.error()));
    print(added.value()->id().toString(QUuid::WithoutBraces));
    return ExitCode::success;
}

int sourcesRemove(CliSession& session, const QStringList& args)
{
    const auto source = SourceActions(session.workspace()).find(args.first());
    if (!source)
        return session.fail(describe(source.error()));
    if (const Outcome removed = SourceActions(session.workspace()).remove(*source.value()); !removed)
        return session.fail(removed.error().description);
    return ExitCode::success;
}

int sourcesRefresh(CliSession& session, const QStringList& args)
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
        if (source->kind() != SkillSourceRecord::Kind::github || (only && source->location() != *only))
            continue;
        const auto index = session.sources().index(source->location());
        print(u"%1\t%2 skills%3"_s.arg(source->location())
                  .arg(index ? index->skills.size() : 0)
                  .arg(index && index->truncated ? Cli::tr(" (listing cut short by GitHub)") : QString()));
    }
    return failures.isEmpty() ? ExitCode::success : ExitCode::failure;
}

} // namespace Commands
