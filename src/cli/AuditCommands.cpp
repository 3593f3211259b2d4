// quorvane-cli: the audit of the hub's skills, or of any folder.
#include "cli/Commands.h"

#include "access/FileSystem.h"
#include "actions/HubAudit.h"
#include "actions/Workspace.h"
#include "cli/AuditOutput.h"
#include "cli/CliSession.h"
#include "linker/HubCatalog.h"
#include "model/SkillManifest.h"

#include <QFileInfo>
#include <QSaveFile>

using namespace Qt::StringLiterals;
using namespace Output;

namespace {

// The reports of a folder given with --path: a skill folder as one, any other folder (a
// repository) without the skill format's checks.
Result<QList<AuditReport>> auditFolder(const QString& folder)
{
    if (FileSystem::existsAsFolder(folder) != true)
        return Error{u"%1 is not a folder"_s.arg(folder)};
    auto report = SkillAudit::auditPath(QFileInfo(folder).fileName(), folder);
    if (!report)
        return report.error();
    if (!FileSystem::exists(folder + u'/' + SkillManifest::fileName))
        report.value().findings.removeIf(
            [](const AuditFinding& finding) { return finding.rule == u"format"_s; });
    return QList<AuditReport>{report.value()};
}

Result<QList<AuditReport>> auditHub(CliSession& session, const QStringList& names)
{
    const QList<Skill>& skills = session.workspace().hubCatalog().availableSkills();
    QList<Skill> chosen;
    for (const QString& name : names) {
        const auto found = std::find_if(skills.cbegin(), skills.cend(),
                                        [&](const Skill& skill) { return skill.fileName() == name; });
        if (found == skills.cend())
            return Error{u"No hub item named "_s + name};
        chosen.append(*found);
    }
    QList<AuditReport> reports;
    for (auto& report :
         HubAudit::auditNow(session.workspace().context(), names.isEmpty() ? skills : chosen)) {
        if (!report)
            return report.error();
        reports.append(std::move(report).value());
    }
    return reports;
}

} // namespace

namespace Commands {

int audit(CliSession& session, const QStringList& args)
{
    const CommandFlags& flags = session.flags();
    if (flags.accept && (args.isEmpty() || flags.path))
        return session.fail(u"--accept takes the hub items whose findings to accept"_s);
    if (flags.path && !args.isEmpty())
        return session.fail(u"audit takes hub items or --path DIR, not both"_s);
    auto reports = flags.path ? auditFolder(absolute(*flags.path)) : auditHub(session, args);
    if (!reports)
        return session.fail(reports.error().description);
    QList<AuditFinding> findings;
    bool openHigh = false;
    for (AuditReport& report : reports.value()) {
        if (flags.accept) {
            if (const Outcome accepted = HubAudit::accept(session.workspace().context(), report); !accepted)
                return session.fail(u"Cannot record the acceptance: "_s + accepted.error().description);
            for (AuditFinding& finding : report.findings)
                finding.accepted = true;
        }
        openHigh = openHigh || report.hasOpenHigh();
        findings += report.findings;
    }
    if (flags.sarif) {
        QSaveFile file(absolute(*flags.sarif));
        if (!file.open(QIODevice::WriteOnly) || file.write(AuditOutput::sarif(findings, !flags.path)) < 0 ||
            !file.commit())
            return session.fail(u"Cannot write %1: %2"_s.arg(*flags.sarif, file.errorString()));
    }
    if (session.json())
        printJson(AuditOutput::json(findings));
    else
        AuditOutput::print(findings);
    return openHigh ? ExitCode::failure : ExitCode::success;
}

} // namespace Commands
