#include "ui/InstallReport.h"

#include "actions/SkillInstall.h"
#include "texts/OutcomeTexts.h"
#include "ui/AuditTexts.h"

#include <QCoreApplication>

using namespace Qt::StringLiterals;

namespace {

// The texts of the report, under one context of the translation system.
struct InstallReport
{
    Q_DECLARE_TR_FUNCTIONS(InstallReport)
};

constexpr qsizetype listedFiles = 12;

QString fileList(const QStringList& files)
{
    QStringList lines;
    for (qsizetype i = 0; i < files.size() && i < listedFiles; ++i)
        lines.append(u"• "_s + files[i]);
    if (files.size() > listedFiles)
        lines.append(InstallReport::tr("… and %n more", nullptr, int(files.size() - listedFiles)));
    return lines.join(u'\n');
}

} // namespace

RiskConsent riskQuestion(Alerts& alerts, RiskStep step)
{
    return [&alerts, step](const QList<AuditReport>& risks) {
        QStringList found;
        QStringList items;
        for (const AuditReport& report : risks) {
            items.append(report.item);
            for (const AuditFinding& finding : report.openHigh())
                found.append((risks.size() > 1 ? report.item + u'/' : QString()) + finding.place() +
                             u" – "_s + AuditTexts::message(finding));
        }
        const QString named = items.join(u", "_s);
        const bool installing = step == RiskStep::installing;
        const QString title =
            installing
                ? InstallReport::tr("The audit found a high risk in '%1'; nothing was installed.").arg(named)
                : InstallReport::tr("The audit found a high risk in '%1'.").arg(named);
        const QString text =
            InstallReport::tr("Found:") + u'\n' + fileList(found) + u"\n\n"_s +
            (installing ? InstallReport::tr("An assistant follows these instructions with your permissions. "
                                            "Install only what you have checked.")
                        : InstallReport::tr("An assistant follows these instructions with your permissions. "
                                            "Link only what you have checked."));
        return alerts.confirmDestructive(title, text, InstallReport::tr("Cancel"),
                                         installing ? InstallReport::tr("Install Anyway")
                                                    : InstallReport::tr("Link Anyway"));
    };
}

QString installMessage(const InstallResult& result)
{
    if (!result.succeeded)
        return OutcomeTexts::problem(result.problem.value_or(Problem()));
    return (QStringList{OutcomeTexts::installed(result)} + OutcomeTexts::installNotes(result))
        .join(u"\n\n"_s);
}

void reportInstall(SkillInstall* install, QObject* context, DesktopServices desktop, const QString& title,
                   std::function<SkillInstall*(bool replaceChanged)> again, bool replaceAgreed)
{
    QObject::connect(
        install, &SkillInstall::finished, context,
        [context, desktop, title, again, replaceAgreed](const InstallResult& result) {
            // The user was asked about the risk while the files waited, and said no.
            if (result.risk)
                return;
            if (!result.needsConsent || !again || replaceAgreed) {
                desktop.alerts.inform(title, installMessage(result),
                                      result.succeeded ? AlertStyle::informational : AlertStyle::critical);
                return;
            }
            const LocalChanges& changes = *result.needsConsent;
            const QString text = (changes.unknownOrigin ? InstallReport::tr("The folder holds:")
                                                        : InstallReport::tr("Files changed here:")) +
                                 u'\n' + fileList(changes.files) + u"\n\n"_s +
                                 InstallReport::tr("This version is lost when the folder is replaced.");
            if (desktop.alerts.confirmDestructive(installMessage(result), text, InstallReport::tr("Cancel"),
                                                  InstallReport::tr("Replace")))
                reportInstall(again(true), context, desktop, title, again, true);
        });
}
