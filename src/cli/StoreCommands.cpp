// quorvane-cli: searching, installing and updating skills.
#include "cli/Commands.h"

#include "actions/SkillInstall.h"
#include "actions/SkillUpdates.h"
#include "actions/UpdatePreview.h"
#include "actions/Workspace.h"
#include "cli/AuditOutput.h"
#include "cli/CliSession.h"
#include "cli/Output.h"
#include "cli/Switches.h"
#include "store/GitHubHosts.h"
#include "store/GitRemote.h"
#include "store/SkillIndex.h"
#include "store/SkillStoreService.h"
#include "texts/OutcomeTexts.h"

#include <QEventLoop>
#include <QTextStream>

using namespace Qt::StringLiterals;
using namespace Output;

namespace {

// The audit stopped an install or update: its findings, and how to go on all the same.
// `update ITEM... --diff`: what each update would change, as a unified diff on standard
// output; findings it would newly bring on standard error. Changes nothing.
int showUpdateDiffs(CliSession& session, const QStringList& items)
{
    bool allWell = true;
    for (const QString& item : items) {
        UpdatePreviewResult preview;
        QEventLoop waiting;
        UpdatePreview::start(session.workspace(), session.store().source(), item,
                             [&](const UpdatePreviewResult& result) {
                                 preview = result;
                                 waiting.quit();
                             });
        waiting.exec();
        if (preview.error) {
            QTextStream(stderr) << item << ": " << describe(*preview.error) << '\n';
            allWell = false;
            continue;
        }
        if (preview.changes.isEmpty())
            QTextStream(stderr) << Cli::tr("%1: no changes\n").arg(item);
        for (const FileChange& change : std::as_const(preview.changes))
            QTextStream(stdout) << change.diff;
        for (const AuditFinding& finding : std::as_const(preview.newFindings))
            QTextStream(stderr) << "new: " << AuditOutput::line(finding) << '\n';
    }
    return allWell ? ExitCode::success : ExitCode::failure;
}

} // namespace

namespace Commands {

SearchCommand::SearchCommand()
    : Command({.words = {u"search"_s},
               .arguments = u"QUERY"_s,
               .summary = Cli::tr("search every source: GitHub indexes here, directories over the network"),
               .example = u"quorvane-cli search react"_s,
               .minimumArguments = 1,
               .maximumArguments = 1,
               .readsHubItems = true})
{}

int SearchCommand::run(CliSession& session, const QStringList& args) const
{
    // Indexes older than a day are read again first; a source that cannot be reached
    // still answers from what it had.
    const QStringList refreshFailures = session.refreshSources(std::nullopt, true);
    SkillStoreService& service = session.store();
    QEventLoop waiting;
    QObject::connect(&service, &SkillStoreService::isSearchingChanged, &waiting, [&] {
        if (!service.isSearching())
            waiting.quit();
    });
    if (!service.source().isConfigured())
        return session.fail(
            Cli::tr("There is no source to search: quorvane-cli sources add github OWNER/REPO"));
    service.search(args.first());
    if (service.isSearching())
        waiting.exec();
    // What the refresh said already is not said twice.
    const auto tellNew = [&](const QStringList& failures) {
        for (const QString& failure : failures)
            if (!refreshFailures.contains(failure))
                QTextStream(stderr) << failure << '\n';
    };
    QStringList failed;
    for (const Problem& problem : service.failedSources())
        failed.append(describe(problem));
    if (service.error()) {
        tellNew(failed.isEmpty() ? QStringList{describe(*service.error())} : failed);
        if (session.json())
            printJson(Json::array()); // no hits: what failed is said on standard error
        return ExitCode::failure;
    }
    tellNew(failed);
    if (session.json()) {
        Json list = Json::array();
        for (const RemoteSkillItem& hit : service.searchResults()) {
            const bool indexed = hit.fromIndex.has_value();
            list.push_back({{"name", utf8(hit.name)},
                            {"description", indexed ? Json(utf8(hit.fromIndex->description)) : Json(nullptr)},
                            {"source", utf8(hit.sourceName)},
                            {"skillPath", indexed ? Json(utf8(hit.fromIndex->skillPath))
                                                  : (hit.skillId ? Json(utf8(*hit.skillId)) : Json(nullptr))},
                            {"kind", !indexed                                                ? "directory"
                                     : GitLocation::isRemote(hit.source.value_or(QString())) ? "git"
                                                                                             : "github"},
                            {"installs", indexed ? Json(nullptr) : Json(hit.installs)}});
        }
        printJson(list);
        return ExitCode::success;
    }
    for (const RemoteSkillItem& hit : service.searchResults())
        print(u"%1\t%2\t%3\t%4"_s.arg(
            hit.name, hit.sourceName,
            hit.fromIndex ? hit.fromIndex->skillPath : hit.skillId.value_or(QString()),
            hit.fromIndex ? hit.fromIndex->description : QString::number(hit.installs)));
    return ExitCode::success;
}

InstallCommand::InstallCommand()
    : Command(
          {.words = {u"install"_s},
           .arguments =
               u"OWNER/REPO[@REF] | URL[@REF] --skill-id PATH-OR-ID [--name NAME] [--force] [--accept-risk]"_s,
           .summary =
               Cli::tr("install a skill's whole folder from GitHub or a git remote into the hub; prints the "
                       "new folder"),
           .example = u"quorvane-cli install anthropics/skills --skill-id skills/pdf"_s,
           .minimumArguments = 3,
           .maximumArguments = 3,
           .switches = {Switch::force(), Switch::skillId(), Switch::name(), Switch::acceptRisk()},
           .readsHubItems = true})
{}

int InstallCommand::run(CliSession& session, const QStringList& args) const
{
    // args: OWNER/REPO[@REF] or URL[@REF], the skill's path or id (may be empty), the hub folder's
    // name (may be empty)
    QString repository;
    QString ref;
    if (GitLocation::isRemote(args.at(0))) {
        const auto remote = GitLocation::parse(args.at(0));
        if (!remote)
            return session.fail(describe(remote.error()));
        if (!remote->path.isEmpty())
            return session.fail(Cli::tr("Say the skill's folder with --skill-id, not with #PATH."));
        repository = remote->url;
        ref = remote->ref;
    } else {
        const auto gitHub = GitHubRepository::parse(args.at(0));
        if (!gitHub || !gitHub->path.isEmpty())
            return session.fail(Cli::tr("Say which repository: [HOST/]OWNER/REPO[@REF], or a git URL."));
        repository = gitHub->fullName();
        ref = gitHub->ref;
    }
    const QString& pathOrId = args.at(1);
    if (pathOrId.isEmpty())
        return session.fail(Cli::tr("Say which skill to install: --skill-id PATH-OR-ID."));
    if (!session.workspace().hubSettings().hasValidCentralHub())
        return session.fail(Cli::tr("Choose the hub folder first: quorvane-cli hub set FOLDER"));

    RemoteSkillItem item;
    item.id = repository + u'/' + pathOrId;
    item.skillId = pathOrId.mid(pathOrId.lastIndexOf(u'/') + 1);
    item.name = *item.skillId;
    item.source = repository;
    item.sourceName = repository;
    // A path names the folder; a bare id is looked for where skills usually lie, on github.com.
    // A git remote or another GitHub host has no such service: its id is the folder.
    if (pathOrId.contains(u'/') || GitLocation::isRemote(repository) ||
        !GitHubHosts::hostOf(repository).isEmpty())
        item.fromIndex = RemoteSkillItem::FromIndex{ref, pathOrId, {}};
    InstallOptions options;
    options.replaceChanged = session.isSet(Switch::force());
    options.acceptRisk = session.isSet(Switch::acceptRisk());
    if (!args.at(2).isEmpty())
        options.folderName = args.at(2);
    const InstallResult result =
        session.waitFor(SkillInstall::start(session.workspace(), session.store().source(), item, options));
    if (result.needsConsent)
        return session.refuseChangedFolder(options.folderName.value_or(*item.skillId), *result.needsConsent);
    if (result.risk)
        return AuditOutput::refuse(session, {*result.risk}, AuditOutput::Step::installing);
    if (!result.succeeded)
        return session.fail(describe(*result.problem));
    // What else the install has to say (files left out, a SKILL.md alone) is for the reader.
    for (const QString& note : OutcomeTexts::installNotes(result))
        QTextStream(stderr) << note << '\n';
    print(result.folderPath);
    return ExitCode::success;
}

UpdateCommand::UpdateCommand()
    : Command({.words = {u"update"_s},
               .arguments = u"--check | ITEM... [--diff] | --all [--force] [--dry-run] [--accept-risk]"_s,
               .summary = Cli::tr("compare installed skills with their repositories, or update them"),
               .example = u"quorvane-cli update --check --json"_s,
               .maximumArguments = -1,
               .switches = {Switch::check(), Switch::all(), Switch::force(), Switch::dryRun(),
                            Switch::acceptRisk(), Switch::diff()},
               .readsHubItems = true})
{}

int UpdateCommand::run(CliSession& session, const QStringList& args) const
{
    if (session.isSet(Switch::diff())) {
        if (args.isEmpty() || session.isSet(Switch::all()) || session.isSet(Switch::check()))
            return session.fail(Cli::tr("Say which items to compare: update ITEM... --diff."));
        return showUpdateDiffs(session, args);
    }
    if (session.isSet(Switch::check()) == (!args.isEmpty() || session.isSet(Switch::all())))
        return session.fail(Cli::tr("Say --check, or which items to update: ITEM... or --all."));
    UpdateCheckResult checked;
    QEventLoop waiting;
    session.updates().check([&](const UpdateCheckResult& result) {
        checked = result;
        waiting.quit();
    });
    waiting.exec();
    for (const Problem& failure : std::as_const(checked.failures))
        QTextStream(stderr) << describe(failure) << '\n';

    if (session.isSet(Switch::check())) {
        Json listed = Json::array();
        for (const SkillUpdateStatus& skill : std::as_const(checked.skills)) {
            const QString state = SkillUpdates::stateName(skill.state);
            if (session.json())
                listed.push_back(
                    {{"item", utf8(skill.item)},
                     {"state", utf8(state)},
                     {"source", skill.source.isEmpty() ? Json(nullptr) : Json(utf8(skill.source))}});
            else
                print(u"%1\t%2\t%3"_s.arg(skill.item, state, skill.source));
        }
        if (session.json())
            printJson(listed);
        return checked.failures.isEmpty() ? ExitCode::success : ExitCode::failure;
    }

    QList<SkillUpdateStatus> chosen;
    bool allWell = checked.failures.isEmpty();
    for (const SkillUpdateStatus& skill : std::as_const(checked.skills)) {
        const bool named = args.contains(skill.item);
        if (named || (session.isSet(Switch::all()) && skill.state != UpdateState::current &&
                      skill.state != UpdateState::unknown))
            chosen.append(skill);
    }
    for (const QString& item : args) {
        if (std::none_of(chosen.cbegin(), chosen.cend(),
                         [&](const SkillUpdateStatus& s) { return s.item == item; })) {
            QTextStream(stderr) << Cli::tr("No hub item named %1 could be checked.\n").arg(item);
            allWell = false;
        }
    }
    // Each item's outcome: a line, or an entry of the JSON array printed at the end (empty
    // when there was nothing to do, never nothing at all).
    Json outcomes = Json::array();
    const auto tell = [&](const SkillUpdateStatus& skill, const QString& outcome, const QString& line) {
        if (session.json())
            outcomes.push_back(
                {{"item", utf8(skill.item)}, {"outcome", utf8(outcome)}, {"source", utf8(skill.source)}});
        else
            print(line);
    };
    for (const SkillUpdateStatus& skill : std::as_const(chosen)) {
        switch (skill.state) {
        case UpdateState::unknown:
            QTextStream(stderr)
                << Cli::tr("%1: nothing records where it came from; it cannot be updated.\n").arg(skill.item);
            allWell = false;
            continue;
        case UpdateState::current:
            tell(skill, u"current"_s, Cli::tr("%1: current").arg(skill.item));
            continue;
        case UpdateState::modified:
            if (!session.isSet(Switch::force())) {
                session.refuseChangedFolder(skill.item, {false, skill.changedFiles});
                allWell = false;
                continue;
            }
            break;
        case UpdateState::updateAvailable:
            break;
        }
        if (session.isSet(Switch::dryRun())) {
            const bool replaces = skill.state == UpdateState::modified;
            tell(skill, replaces ? u"would-replace"_s : u"would-update"_s,
                 (replaces ? Cli::tr("%1: would be replaced from %2")
                           : Cli::tr("%1: would be updated from %2"))
                     .arg(skill.item, skill.source));
            continue;
        }
        const InstallResult result = session.waitFor(session.updates().update(
            skill.item, session.isSet(Switch::force()), session.isSet(Switch::acceptRisk())));
        if (result.succeeded) {
            tell(skill, u"updated"_s, Cli::tr("%1: updated").arg(skill.item));
        } else if (result.needsConsent) {
            session.refuseChangedFolder(skill.item, *result.needsConsent);
            allWell = false;
        } else if (result.risk) {
            AuditOutput::refuse(session, {*result.risk}, AuditOutput::Step::installing);
            allWell = false;
        } else {
            QTextStream(stderr) << skill.item << ": " << describe(*result.problem) << '\n';
            allWell = false;
        }
    }
    if (session.json())
        printJson(outcomes);
    return allWell ? ExitCode::success : ExitCode::failure;
}

} // namespace Commands
