#include "ui/InstallReport.h"

#include "actions/SkillInstall.h"

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
        lines.append(InstallReport::tr("… und %n weitere", nullptr, int(files.size() - listedFiles)));
    return lines.join(u'\n');
}

} // namespace

void reportInstall(SkillInstall* install, QObject* context, DesktopServices desktop, const QString& title,
                   std::function<SkillInstall*(InstallConsent)> again, InstallConsent given)
{
    QObject::connect(
        install, &SkillInstall::finished, context,
        [context, desktop, title, again, given](const InstallResult& result) {
            if (result.risk && again && !given.acceptRisk) {
                QStringList found;
                for (const AuditFinding& finding : result.risk->openHigh())
                    found.append(finding.place() + u" – "_s + finding.message);
                const QString text =
                    InstallReport::tr("Gefunden:") + u'\n' + fileList(found) + u"\n\n"_s +
                    InstallReport::tr("Ein Assistent folgt diesen Anweisungen mit "
                                      "deinen Rechten. Installiere nur, was du geprüft hast.");
                if (desktop.alerts.confirmDestructive(result.message, text, InstallReport::tr("Abbrechen"),
                                                      InstallReport::tr("Trotzdem installieren"))) {
                    const InstallConsent agreed{given.replaceChanged, true};
                    reportInstall(again(agreed), context, desktop, title, again, agreed);
                }
                return;
            }
            if (!result.needsConsent || !again || given.replaceChanged) {
                desktop.alerts.inform(title, result.message,
                                      result.succeeded ? AlertStyle::informational : AlertStyle::critical);
                return;
            }
            const LocalChanges& changes = *result.needsConsent;
            const QString text =
                (changes.unknownOrigin ? InstallReport::tr("Der Ordner enthält:")
                                       : InstallReport::tr("Hier geänderte Dateien:")) +
                u'\n' + fileList(changes.files) + u"\n\n"_s +
                InstallReport::tr("Diese Fassung geht verloren, wenn der Ordner ersetzt wird.");
            if (desktop.alerts.confirmDestructive(result.message, text, InstallReport::tr("Abbrechen"),
                                                  InstallReport::tr("Ersetzen"))) {
                const InstallConsent agreed{true, given.acceptRisk};
                reportInstall(again(agreed), context, desktop, title, again, agreed);
            }
        });
}
