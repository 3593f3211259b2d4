// quorvane-cli: the audit of the hub's skills, or of any folder.
#include "cli/Commands.h"

#include "access/FileSystem.h"
#include "actions/HubAudit.h"
#include "actions/Workspace.h"
#include "cli/AuditOutput.h"
#include "cli/CliSession.h"
#include "cli/Output.h"
#include "cli/Switches.h"
#include "linker/HubCatalog.h"
#include "model/SkillManifest.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QSaveFile>
#include <QTextStream>

using namespace Qt::StringLiterals;
using namespace Output;

namespace {

// The folders under `folder` that hold a SKILL.md, relative to it; none inside another.
QStringList skillFoldersUnder(const QString& folder)
{
    QStringList found;
    QDirIterator walk(folder, QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (walk.hasNext()) {
        const QString relative = walk.next().mid(folder.size() + 1);
        if (relative == u".git"_s || relative.startsWith(u".git/"_s) || walk.fileInfo().isSymLink())
            continue;
        const bool inside = std::any_of(found.cbegin(), found.cend(), [&](const QString& skill) {
            return relative.startsWith(skill + u'/');
        });
        if (!inside && FileSystem::exists(walk.filePath() + u'/' + SkillManifest::fileName))
            found.append(relative);
    }
    found.sort();
    return found;
}

// The reports of a folder given with --path: a skill folder as one; in any other folder (a
// repository) each skill folder as its own item, named by its path, and the files outside
// them as the folder's, without the skill format's checks.
Result<QList<AuditReport>> auditFolder(const QString& folder, const AuditRules& rules)
{
    if (FileSystem::existsAsFolder(folder) != true)
        return Error{Cli::tr("%1 is not a folder").arg(folder)};
    const QString name = QFileInfo(folder).fileName();
    if (FileSystem::exists(folder + u'/' + SkillManifest::fileName)) {
        auto report = SkillScanner::scanPath(name, folder, rules);
        if (!report)
            return report.error();
        return QList<AuditReport>{report.value()};
    }
    const QStringList skills = skillFoldersUnder(folder);
    auto rest = SkillScanner::scanPath(name, folder, rules, skills);
    if (!rest)
        return rest.error();
    rest.value().findings.removeIf([](const AuditFinding& finding) { return finding.rule == u"format"_s; });
    QList<std::pair<QString, QString>> paths;
    for (const QString& skill : skills)
        paths.append({name + u'/' + skill, folder + u'/' + skill});
    QList<AuditReport> reports{rest.value()};
    for (auto& report : SkillScanner::scanPaths(paths, rules)) {
        if (!report)
            return report.error();
        reports.append(std::move(report).value());
    }
    return reports;
}

Result<QList<AuditReport>> auditHub(CliSession& session, const QStringList& names, const AuditRules& rules)
{
    const QList<Skill>& skills = session.workspace().hubCatalog().availableSkills();
    QList<Skill> chosen;
    for (const QString& name : names) {
        const auto found = std::find_if(skills.cbegin(), skills.cend(),
                                        [&](const Skill& skill) { return skill.fileName() == name; });
        if (found == skills.cend())
            return Error{Cli::tr("No hub item named ") + name};
        chosen.append(*found);
    }
    QList<AuditReport> reports;
    for (auto& report :
         HubAudit::auditNow(session.workspace().context(), names.isEmpty() ? skills : chosen, rules)) {
        if (!report)
            return report.error();
        reports.append(std::move(report).value());
    }
    return reports;
}

} // namespace

namespace Commands {

AuditCommand::AuditCommand()
    : Command(
          {.words = {u"audit"_s},
           .arguments = u"[ITEM...] [--path DIR] [--rules DIR] [--sarif FILE] | --accept ITEM..."_s,
           .summary = Cli::tr(
               "audit the hub's items (or ITEM..., or each skill folder under DIR) for hidden characters, "
               "instructions aimed at the assistant, code fetched and run, secrets read or sent, with the "
               "shipped YARA rules and the user's own: level, item/file:line, rule, message"),
           .example = u"quorvane-cli audit --sarif audit.sarif"_s,
           .maximumArguments = -1,
           .switches = {Switch::path(), Switch::rules(), Switch::sarif(), Switch::accept()},
           .readsHubItems = true})
{}

int AuditCommand::run(CliSession& session, const QStringList& args) const
{
    const bool accept = session.isSet(Switch::accept());
    const auto path = session.valueOf(Switch::path());
    const auto sarif = session.valueOf(Switch::sarif());
    const auto ruleFolder = session.valueOf(Switch::rules());
    if (accept && (args.isEmpty() || path))
        return session.fail(Cli::tr("--accept takes the hub items whose findings to accept"));
    if (path && !args.isEmpty())
        return session.fail(Cli::tr("audit takes hub items or --path DIR, not both"));
    if (ruleFolder && FileSystem::existsAsFolder(absolute(*ruleFolder)) != true)
        return session.fail(Cli::tr("%1 is not a folder").arg(*ruleFolder));
    const auto rules = ruleFolder ? AuditRules::withFolders({absolute(*ruleFolder)}) : AuditRules::standard();
    // A rule file that does not compile is named; the other rules still run.
    for (const AuditRules::Problem& problem : rules->problems())
        QTextStream(stderr) << "quorvane-cli: " << problem.file
                            << (problem.line > 0 ? u":%1"_s.arg(problem.line) : QString()) << ": "
                            << problem.message << '\n';
    auto reports = path ? auditFolder(absolute(*path), *rules) : auditHub(session, args, *rules);
    if (!reports)
        return session.fail(Output::describe(reports.error().shown()));
    QList<AuditFinding> findings;
    bool openHigh = false;
    for (AuditReport& report : reports.value()) {
        if (accept) {
            if (const Outcome accepted = HubAudit::accept(session.workspace().context(), report); !accepted)
                return session.fail(Cli::tr("Cannot record the acceptance: ") +
                                    Output::describe(accepted.error().shown()));
            for (AuditFinding& finding : report.findings)
                finding.accepted = true;
        }
        openHigh = openHigh || report.hasOpenHigh();
        findings += report.findings;
    }
    if (sarif) {
        QSaveFile file(absolute(*sarif));
        if (!file.open(QIODevice::WriteOnly) || file.write(AuditOutput::sarif(findings, !path)) < 0 ||
            !file.commit())
            return session.fail(Cli::tr("Cannot write %1: %2").arg(*sarif, file.errorString()));
    }
    if (session.json())
        printJson(AuditOutput::json(findings));
    else
        AuditOutput::print(findings);
    return openHigh ? ExitCode::failure : ExitCode::success;
}

} // namespace Commands
