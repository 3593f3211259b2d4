#pragma once

#include "actions/LockedFetch.h"
#include "ui/DesktopServices.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QUuid>

class BackupImport;
struct BackupImportPlan;
struct RestorePlan;
class QAction;
class QWidget;
class TaskStrip;
class Workspace;

// What the user does from the window's toolbar, its menus and the app rows of the sidebar:
// each command asks what it must with sheets and alerts, runs the action, and tells how it
// ended. The window lays out the views and hands their requests here.
class WindowCommands : public QObject
{
    Q_OBJECT

public:
    WindowCommands(Workspace& workspace, DesktopServices desktop, TaskStrip& tasks, QWidget& window);

    // The window carries these, so their keys work wherever the focus is.
    QAction* exportBackupAction() const { return m_exportAction; }
    QAction* importBackupAction() const { return m_importAction; }
    QAction* addAppAction() const { return m_addAppAction; }
    QAction* adoptSkillsAction() const { return m_adoptAction; }
    QAction* quitAction() const { return m_quitAction; }

    // How a project's restore reaches GitHub; without it, only the content cache serves.
    void setFetchAccess(const FetchAccess& access) { m_fetchAccess = access; }
    // A task runs: no backup starts meanwhile, between the steps of another one as well.
    void setBusy(bool busy);

    void addApp();
    // Adds a project's assistant folders, then restores it from its lock file when asked.
    void addProject();
    void exportBackup();
    void importBackup();
    // Restores the project from its lock file, after showing the plan.
    void restoreProject(const QString& project);
    void renameApp(const QUuid& appID, const QString& text);
    void revealApp(const QUuid& appID);
    // True when the user gave the folder again.
    bool renewAppAccess(const QUuid& appID);
    void deleteApps(const QList<QUuid>& appIDs);
    // Offers to bring the skills other installers placed into the hub, and does it when agreed;
    // `quietWhenNone` says nothing when there are none. True when there were any to offer.
    bool adoptSkills(bool quietWhenNone = false);

private:
    // Shows the restore plan of a backup; true when the user agreed.
    bool agreeToRestore(BackupImportPlan& plan);
    bool agreeToProjectRestore(RestorePlan& plan);

    Workspace& m_workspace;
    DesktopServices m_desktop;
    TaskStrip& m_tasks;
    QWidget& m_window;
    QAction* m_exportAction;
    QAction* m_importAction;
    QAction* m_addAppAction;
    QAction* m_adoptAction;
    QAction* m_quitAction;
    QPointer<BackupImport> m_backupImport; // while one is under way
    FetchAccess m_fetchAccess;
};
