#pragma once

#include "ui/DesktopServices.h"

#include <QCoreApplication>
#include <QString>

class TargetApp;
class Workspace;

// The folder panels of the window: choosing the hub, and renewing the access to an app's
// folder. Each panel starts in the stored folder (or home), revealed in the file manager first.
class FolderPrompts
{
    Q_DECLARE_TR_FUNCTIONS(FolderPrompts)

public:
    FolderPrompts(Workspace& workspace, DesktopServices desktop);

    // Lets the user pick the hub folder; true when one was chosen and kept.
    bool chooseHub();
    // Checks the hub and the app's folder, lets the user pick again what cannot be
    // written, and tells the outcome in an alert; true when both can be written now.
    bool renewAccess(TargetApp& app);

private:
    QString revealStartFolder(const QString& storedPath);

    Workspace& m_workspace;
    DesktopServices m_desktop;
};
