#include "actions/HubActions.h"

#include "access/FileSystem.h"
#include "access/SecurityScopedBookmarkManager.h"
#include "actions/Workspace.h"
#include "base/Log.h"
#include "model/ModelContext.h"

using namespace Qt::StringLiterals;

HubActions::HubActions(Workspace& workspace)
    : m_workspace(workspace)
{}

Outcome HubActions::chooseHub(const QString& folderPath)
{
    if (FileSystem::existsAsFolder(folderPath) != true)
        return Error::of(Problem(Problem::Kind::notAFolder, {folderPath}));
    const auto bookmark = SecurityScopedBookmarkManager::createBookmark(folderPath);
    if (!bookmark)
        return Error::of(Problem(Problem::Kind::accessNotKept, {folderPath}));
    // A failed save is logged and keeps the change pending; the hub is used all the same.
    (void)m_workspace.hubSettings().setHub(folderPath, bookmark);
    rescan();
    m_workspace.changes().announceEveryTargetFolder();
    return {};
}

std::optional<bool> HubActions::isHubWritable() const
{
    return m_workspace.folderAccess().isWritable(m_workspace.hubSettings().location());
}

void HubActions::rescan()
{
    m_workspace.hubCatalog().scanCentralRepository();
    m_workspace.changes().announceHubItems();
}

void HubActions::rescanInBackground()
{
    ChangeFeed& changes = m_workspace.changes();
    m_workspace.hubCatalog().scanInBackground(&m_workspace, [&changes] { changes.announceHubItems(); });
    changes.announceHubItems();
}

void HubActions::takeOutsideChanges()
{
    // Rows are read again only when another process committed since the last look.
    if (Outcome refreshed = m_workspace.context().refreshIfStoreChanged(); !refreshed)
        Log::line(u"Failed to refresh the store: "_s + refreshed.error().description);
    m_workspace.hubSettings().load();
    rescanInBackground();
    m_workspace.changes().announceEveryTargetFolder();
}
