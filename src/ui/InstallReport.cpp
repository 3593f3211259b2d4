#include "ui/InstallReport.h"

#include "actions/SkillInstall.h"

#include <QCoreApplication>

using namespace Qt::StringLiterals;

namespace {

QString tr(const char* text, int n = -1)
{
    return QCoreApplication::translate("InstallReport", text, nullptr, n);
}

constexpr qsizetype listedFiles = 12;

QString fileList(const QStringList& files)
{
    QStringList lines;
    for (qsizetype i = 0; i < files.size() && i < listedFiles; ++i)
        lines.append(u"• "_s + files[i]);
    if (files.size() > listedFiles)
        lines.append(tr("… und %n weitere", int(files.size() - listedFiles)));
    return lines.join(u'\n');
}

} // namespace

void reportInstall(SkillInstall* install, QObject* context, DesktopServices desktop, const QString& title,
                   std::function<SkillInstall*()> replacing)
{
    QObject::connect(
        install, &SkillInstall::finished, context,
        [context, desktop, title, replacing](const InstallResult& result) {
            if (!result.needsConsent || !replacing) {
                desktop.alerts.inform(title, result.message);
                return;
            }
            const LocalChanges& changes = *result.needsConsent;
            const QString text =
                (changes.unknownOrigin ? tr("Der Ordner enthält:") : tr("Hier geänderte Dateien:")) + u'\n' +
                fileList(changes.files) + u"\n\n"_s +
                tr("Diese Fassung geht verloren, wenn der Ordner ersetzt wird.");
            if (desktop.alerts.confirmDestructive(result.message, text, tr("Abbrechen"), tr("Ersetzen")))
                reportInstall(replacing(), context, desktop, title, nullptr);
        });
}
