// Letting the user pick the hub folder, or an app's folder again, in a folder panel.
#include "FileLinkerService.h"

#include "DesktopServices.h"
#include "Log.h"
#include "ModelContext.h"
#include "SecurityScopedBookmarkManager.h"
#include "TargetApp.h"
#include "UserEnvironment.h"

using namespace Qt::StringLiterals;

QString FileLinkerService::revealPanelStartFolder(const QString& storedPath)
{
    const QString stored = resolvePath(storedPath);
    const QString start = FileSystem::exists(stored) ? stored : m_platform.user.homeFolder();
    m_platform.reveal.reveal(start);
    return start;
}

bool FileLinkerService::chooseCentralHub()
{
    FolderPanelRequest request;
    request.title = u"Zentralen Hub auswählen"_s;
    request.prompt = u"Autorisieren"_s;
    request.canCreateFolders = true;
    request.showsHiddenFiles = true;
    request.startFolder = revealPanelStartFolder(m_centralRepositoryPath);
    const auto chosen = m_platform.panels.chooseFolder(request);
    if (!chosen)
        return false;
    const auto bookmark = SecurityScopedBookmarkManager::createBookmark(*chosen);
    if (!bookmark)
        return false;
    setCentralBookmarkData(bookmark);
    setCentralRepositoryPath(*chosen);
    persistSettings();
    scanCentralRepository();
    return true;
}

bool FileLinkerService::renewAccess(TargetApp& app, ModelContext& context)
{
    if (isTargetFolderWritable(app) == true)
        return true;
    FolderPanelRequest request;
    request.title = u"Ordnerzugriff erneuern"_s;
    request.message = u"Bitte den Ordner für '"_s + app.name() + u"' erneut auswählen."_s;
    request.prompt = u"Autorisieren"_s;
    request.canCreateFolders = false;
    request.showsHiddenFiles = true;
    request.startFolder = revealPanelStartFolder(app.folderPath());
    const auto chosen = m_platform.panels.chooseFolder(request);
    if (!chosen)
        return false;
    const auto bookmark = SecurityScopedBookmarkManager::createBookmark(*chosen);
    if (!bookmark)
        return false;
    app.setBookmarkData(bookmark);
    app.setFolderPath(abbreviatingHomeFolder(*chosen, m_platform.user.homeFolder()));
    if (const Outcome saved = context.save(); !saved) {
        Log::line(u"Failed to save renewed app access: "_s + saved.error().description);
        return false;
    }
    Q_EMIT stateChanged();
    return isTargetFolderWritable(app).value_or(false);
}
