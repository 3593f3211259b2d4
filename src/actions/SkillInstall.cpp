#include "actions/SkillInstall.h"

#include "access/FileSystem.h"
#include "actions/HubActions.h"
#include "actions/Workspace.h"
#include "store/SkillSource.h"

#include <QTimer>

using namespace Qt::StringLiterals;

SkillInstall::SkillInstall(Workspace& workspace, const RemoteSkillItem& item)
    : QObject(&workspace)
    , m_workspace(workspace)
    , m_item(item)
{}

QString SkillInstall::folderName(const RemoteSkillItem& item)
{
    return item.skillId.value_or(item.name);
}

SkillInstall* SkillInstall::start(Workspace& workspace, SkillSource& source, const RemoteSkillItem& item)
{
    auto* install = new SkillInstall(workspace, item);
    if (!workspace.hubSettings().hasValidCentralHub()) {
        QTimer::singleShot(0, install, [install] {
            install->finish({false, tr("Bitte wähle zuerst den Zentralen Ordner im Hub aus!"), {}});
        });
        return install;
    }
    source.download(item, install, [install](const DownloadAnswer& answer) {
        if (answer)
            install->write(answer.value());
        else
            install->finish(
                {false, tr("Download fehlgeschlagen:\n%1").arg(answer.error().description()), {}});
    });
    return install;
}

void SkillInstall::write(const QString& text)
{
    const QString folder = folderName(m_item);
    const auto written = m_workspace.linker().installDownloadedSkill(folder, text);
    // An unreachable hub writes nothing: that is a failure, not a success.
    if (!written) {
        finish({false, tr("Installation fehlgeschlagen:\nDer Zentrale Hub ist nicht erreichbar."), {}});
        return;
    }
    if (!written->ok()) {
        finish({false, tr("Installation fehlgeschlagen:\n%1").arg(written->error().description), {}});
        return;
    }
    HubActions(m_workspace).rescan();
    finish({true, tr("Skill '%1' wurde erfolgreich im Hub installiert!").arg(m_item.name),
            FileSystem::childPath(m_workspace.hubSettings().centralRepositoryPath(), folder)});
}

void SkillInstall::finish(InstallResult result)
{
    Q_EMIT finished(result);
    deleteLater();
}
