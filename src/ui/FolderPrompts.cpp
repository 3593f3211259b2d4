#include "ui/FolderPrompts.h"

#include "access/FileSystem.h"
#include "access/UserEnvironment.h"
#include "actions/AppActions.h"
#include "actions/HubActions.h"
#include "actions/Workspace.h"
#include "model/TargetApp.h"

FolderPrompts::FolderPrompts(Workspace& workspace, DesktopServices desktop)
    : m_workspace(workspace)
    , m_desktop(desktop)
{}

QString FolderPrompts::revealStartFolder(const QString& storedPath)
{
    const QString stored = m_workspace.folderAccess().resolvePath(storedPath);
    const QString start = FileSystem::exists(stored) ? stored : m_workspace.platform().user.homeFolder();
    m_desktop.reveal.reveal(start);
    return start;
}

bool FolderPrompts::chooseHub()
{
    FolderPanelRequest request;
    request.title = tr("Zentralen Hub auswählen");
    request.prompt = tr("Autorisieren");
    request.canCreateFolders = true;
    request.showsHiddenFiles = true;
    request.startFolder = revealStartFolder(m_workspace.hubSettings().centralRepositoryPath());
    const auto chosen = m_desktop.panels.chooseFolder(request);
    return chosen && HubActions(m_workspace).chooseHub(*chosen).ok();
}

bool FolderPrompts::renewAccess(TargetApp& app)
{
    HubActions hub(m_workspace);
    bool hubWritable = hub.isHubWritable() == true;
    if (!hubWritable) {
        chooseHub();
        hubWritable = hub.isHubWritable() == true;
    }

    AppActions apps(m_workspace);
    bool appWritable = apps.isFolderWritable(app) == true;
    if (!appWritable) {
        FolderPanelRequest request;
        request.title = tr("Ordnerzugriff erneuern");
        request.message = tr("Bitte den Ordner für '%1' erneut auswählen.").arg(app.name());
        request.prompt = tr("Autorisieren");
        request.showsHiddenFiles = true;
        request.startFolder = revealStartFolder(app.folderPath());
        if (const auto chosen = m_desktop.panels.chooseFolder(request))
            appWritable = apps.renewFolder(app, *chosen);
    }

    const bool renewed = hubWritable && appWritable;
    if (renewed)
        m_desktop.alerts.inform(tr("Zugriff erforderlich"), tr("Zugriff erfolgreich erneuert."));
    else
        m_desktop.alerts.inform(
            tr("Zugriff erforderlich"),
            tr("Autorisierung unvollständig. Bitte Hub und Zielordner im Dialog erneut auswählen."),
            AlertStyle::critical);
    return renewed;
}
