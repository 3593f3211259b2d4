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
                   std::function<SkillInstall*()> replacing)
{
    QObject::connect(install, &SkillInstall::finished, context,
                     [context, desktop, title, replacing](const InstallResult& result) {
                         if (!result.needsConsent || !replacing) {
                             desktop.alerts.inform(title, result.message);
                             return;
                         }
                         const LocalChanges& changes = *result.needsConsent;
                         const QString text =
                             (changes.unknownOrigin ? InstallReport::tr("Der Ordner enthält:")
                                                    : InstallReport::tr("Hier geänderte Dateien:")) +
                             u'\n' + fileList(changes.files) + u"\n\n"_s +
                             InstallReport::tr("Diese Fassung geht verloren, wenn der Ordner ersetzt wird.");
                         if (desktop.alerts.confirmDestructive(result.message, text,
                                                               InstallReport::tr("Abbrechen"),
                                                               InstallReport::tr("Ersetzen")))
                             reportInstall(replacing(), context, desktop, title, nullptr);
                     });
}
