#pragma once

#include "access/FolderAccess.h"
#include "access/PlatformServices.h"
#include "actions/ChangeFeed.h"
#include "actions/ProjectLocks.h"
#include "backup/BackupService.h"
#include "linker/HubCatalog.h"
#include "linker/HubSettings.h"
#include "linker/LinkRecords.h"
#include "linker/Linker.h"
#include "linker/Placement.h"
#include "linker/TargetListing.h"

#include <QList>
#include <QObject>
#include <QThreadPool>
#include <QUuid>

#include <functional>

class ModelContext;
class TargetApp;

// Everything the user's actions work on, put together once for the window or for one
// command of the command-line tool. Long-running tasks live as its children, so they
// outlive the views that started them.
class Workspace : public QObject
{
    Q_OBJECT

public:
    Workspace(ModelContext& context, PlatformServices platform, QObject* parent = nullptr);
    ~Workspace() override;

    // Makes sure the settings record exists and scans the hub, as at start. A command that
    // shows or changes no hub items spares the scan.
    void open(bool scanHub = true);

    ModelContext& context() const { return m_context; }
    const PlatformServices& platform() const { return m_platform; }
    const FolderAccess& folderAccess() const { return m_access; }
    HubSettings& hubSettings() { return m_hub; }
    const HubSettings& hubSettings() const { return m_hub; }
    HubCatalog& hubCatalog() { return m_catalog; }
    const HubCatalog& hubCatalog() const { return m_catalog; }
    const TargetListing& targetListing() const { return m_listing; }
    LinkRecords& linkRecords() { return m_records; }
    Linker& linker() { return m_linker; }
    const Linker& linker() const { return m_linker; }
    BackupService& backup() { return m_backup; }
    ChangeFeed& changes() { return m_changes; }

    // Runs file work on the workspace's worker threads. Its results go back as queued
    // events to a child of the workspace; the workspace cancels its tasks and awaits its
    // workers before anything of it goes.
    void runInBackground(std::function<void()> work);

    LockFileKeeper& lockFiles() { return m_lockFiles; }

    // The target apps as the program lists them: by name, stably.
    QList<TargetApp*> apps() const;
    TargetApp* app(const QUuid& id) const;

private:
    ModelContext& m_context;
    PlatformServices m_platform;
    FolderAccess m_access;
    HubSettings m_hub;
    HubCatalog m_catalog;
    TargetListing m_listing;
    LinkRecords m_records;
    SymbolicLinkPlacement m_linkPlacement;
    CopyPlacement m_copyPlacement;
    Linker m_linker;
    BackupService m_backup;
    ChangeFeed m_changes;
    QThreadPool m_workers;
    LockFileKeeper m_lockFiles;
};
