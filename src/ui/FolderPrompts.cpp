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
    request.title = tr("Choose Central Hub");
    request.prompt = tr("Authorize");
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
        request.title = tr("Renew Folder Access");
        request.message = tr("Please choose the folder for '%1' again.").arg(app.name());
        request.prompt = tr("Authorize");
        request.showsHiddenFiles = true;
        request.startFolder = revealStartFolder(app.folderPath());
        if (const auto chosen = m_desktop.panels.chooseFolder(request))
            appWritable = apps.renewFolder(app, *chosen);
    }

    const bool renewed = hubWritable && appWritable;
    if (renewed)
        m_desktop.alerts.inform(tr("Access Required"), tr("Access renewed."));
    else
        m_desktop.alerts.inform(
            tr("Access Required"),
            tr("Authorization incomplete. Please choose the hub and the target folders again in the dialog."),
            AlertStyle::critical);
    return renewed;
}
