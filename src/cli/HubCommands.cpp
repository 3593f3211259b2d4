// quorvane-cli: the hub and the check of its skills.
#include "cli/Commands.h"

#include "access/FileSystem.h"
#include "actions/HubActions.h"
#include "actions/Workspace.h"
#include "cli/CliSession.h"
#include "cli/Output.h"
#include "linker/HubCatalog.h"
#include "texts/OutcomeTexts.h"

#include <QTextStream>

using namespace Qt::StringLiterals;
using namespace Output;

namespace Commands {

HubCommand::HubCommand()
    : Command({.words = {u"hub"_s},
               .summary = Cli::tr("the hub folder and its items (file name, name, kind, first preview line)"),
               .example = u"quorvane-cli --json hub"_s,
               .readsHubItems = true})
{}

int HubCommand::run(CliSession& session, const QStringList&) const
{
    QList<Skill> skills = session.workspace().hubCatalog().availableSkills();
    QString hubPath = session.workspace().hubSettings().centralRepositoryPath();
    bool exists = true;
    // Until another is chosen, the default folder is the hub: its items are shown as they are.
    if (!session.workspace().hubSettings().hasValidCentralHub()) {
        hubPath = session.workspace().folderAccess().resolvePath(hubPath);
        exists = FileSystem::existsAsFolder(hubPath) == true;
        if (exists) {
            auto listed = HubCatalog::itemsOfFolder(hubPath);
            if (!listed)
                return session.fail(Cli::tr("The hub folder %1 cannot be read: %2")
                                        .arg(hubPath, Output::describe(listed.error().shown())));
            skills = std::move(listed).value();
        }
    }
    if (session.json()) {
        Json items = Json::array();
        for (const Skill& skill : skills)
            items.push_back({{"name", utf8(skill.name)},
                             {"fileName", utf8(skill.fileName())},
                             {"kind", skill.isDirectory ? "folder" : "file"},
                             {"snippet", utf8(skill.contentSnippet)},
                             {"path", utf8(skill.path)}});
        printJson({{"path", utf8(hubPath)}, {"exists", exists}, {"items", items}});
    } else {
        print(hubPath);
        for (const Skill& skill : skills)
            print(u"  %1\t%2\t%3\t%4"_s.arg(skill.fileName(), skill.name,
                                            skill.isDirectory ? u"folder"_s : u"file"_s,
                                            skill.contentSnippet.section(u'\n', 0, 0)));
    }
    if (!exists)
        QTextStream(stderr)
            << Cli::tr(
                   "The hub folder %1 does not exist yet: create it, or choose another with quorvane-cli hub "
                   "set FOLDER\n")
                   .arg(hubPath);
    return ExitCode::success;
}

HubSetCommand::HubSetCommand()
    : Command({.words = {u"hub"_s, u"set"_s},
               .arguments = u"FOLDER"_s,
               .summary = Cli::tr("make FOLDER the central hub (bookmark, settings, rescan)"),
               .example = u"quorvane-cli hub set ~/Skills"_s,
               .minimumArguments = 1,
               .maximumArguments = 1,
               .readsHubItems = true})
{}

int HubSetCommand::run(CliSession& session, const QStringList& args) const
{
    if (const Outcome chosen = HubActions(session.workspace()).chooseHub(absolute(args.first())); !chosen)
        return session.fail(Output::describe(chosen.error().shown()));
    const QString hub = session.workspace().hubSettings().centralRepositoryPath();
    const qsizetype items = session.workspace().hubCatalog().availableSkills().size();
    print(items == 1 ? Cli::tr("Hub: %1 (1 item)").arg(hub)
                     : Cli::tr("Hub: %1 (%2 items)").arg(hub).arg(items));
    return ExitCode::success;
}

CheckCommand::CheckCommand()
    : Command({.words = {u"check"_s},
               .arguments = u"[ITEM]"_s,
               .summary = Cli::tr(
                   "check the hub's skill folders (or ITEM) against the skill format: item, level, message"),
               .example = u"quorvane-cli check pdf-tools --json"_s,
               .maximumArguments = 1,
               .readsHubItems = true})
{}

int CheckCommand::run(CliSession& session, const QStringList& args) const
{
    const QList<Skill>& skills = session.workspace().hubCatalog().availableSkills();
    if (!args.isEmpty() && std::none_of(skills.cbegin(), skills.cend(),
                                        [&](const Skill& skill) { return skill.fileName() == args.first(); }))
        return session.fail(Cli::tr("No hub item named ") + args.first());
    Json findings = Json::array();
    bool anyError = false;
    for (const Skill& skill : skills) {
        const QString item = skill.fileName();
        if (!args.isEmpty() && item != args.first())
            continue;
        for (const SkillFinding& finding : skill.findings) {
            const bool error = finding.level == SkillFinding::Level::error;
            anyError = anyError || error;
            const char* level = error ? "error" : "warning";
            if (session.json())
                findings.push_back(
                    {{"item", utf8(item)},
                     {"level", level},
                     {"kind", utf8(SkillFinding::kindName(finding.kind))},
                     {"message", utf8(OutcomeTexts::skillFinding(finding, OutcomeTexts::Form::english))}});
            else
                print(u"%1\t%2\t%3"_s.arg(item, QString::fromLatin1(level),
                                          OutcomeTexts::skillFinding(finding)));
        }
    }
    if (session.json())
        printJson(findings);
    return anyError ? ExitCode::failure : ExitCode::success;
}
} // namespace Commands
