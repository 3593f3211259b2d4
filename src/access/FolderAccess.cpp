#include "access/FolderAccess.h"

#include "access/FileSystem.h"
#include "access/SecurityScopedBookmarkManager.h"
#include "access/UserEnvironment.h"
#include "access/WriteProbe.h"

#include <QFile>

#include <fcntl.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

FolderAccess::FolderAccess(SecurityScopes& scopes, const UserEnvironment& user)
    : m_scopes(scopes)
    , m_user(user)
{}

QString FolderAccess::resolvePath(const QString& storedPath) const
{
    if (storedPath.startsWith(u"~/"_s)) {
        // The user's real home, where a folder picked earlier most likely lives.
        if (const auto realHome = m_user.homeFolderOfUser(m_user.loginName())) {
            const QString candidate = FileSystem::childPath(*realHome, storedPath.mid(2));
            if (FileSystem::exists(candidate))
                return candidate;
        }
    }
    return expandingTilde(storedPath, m_user);
}

std::optional<ReachedFolder> FolderAccess::reach(const FolderLocation& location) const
{
    if (location.bookmark) {
        if (const auto folder = SecurityScopedBookmarkManager::resolveBookmark(*location.bookmark)) {
            auto scope = std::make_unique<ScopedFolderAccess>(m_scopes, *folder);
            if (scope->isGranted())
                return ReachedFolder{*folder, std::move(scope)};
        }
    }
    const QString stored = resolvePath(location.storedPath);
    if (!FileSystem::exists(stored))
        return std::nullopt;
    return ReachedFolder{stored, nullptr};
}

std::optional<bool> FolderAccess::permitsWriting(const FolderLocation& location) const
{
    return withFolder(location, [](const QString& folder) { return permitsWritingTo(folder); });
}

bool FolderAccess::permitsWritingTo(const QString& folder)
{
    // The effective ids decide, as for a write; a read-only mount answers EROFS.
    return ::faccessat(AT_FDCWD, QFile::encodeName(folder).constData(), W_OK | X_OK, AT_EACCESS) == 0;
}

std::optional<bool> FolderAccess::isWritable(const FolderLocation& location) const
{
    return withFolder(location, [](const QString& folder) { return canWriteToFolder(folder); });
}
