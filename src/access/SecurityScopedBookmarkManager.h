#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Bookmarks keep hold of a folder the user picked. The bytes are opaque to the rest of
// the program: a versioned record of the folder's path and identity (device, inode and, where
// the file system tells it, birth time).
class SecurityScopedBookmarkManager
{
public:
    SecurityScopedBookmarkManager() = delete;

    // A bookmark of an existing folder (or file), or nothing (logged) on failure.
    static std::optional<QByteArray> createBookmark(const QString& folderPath);

    // The folder the bookmark leads to, or nothing (logged) when it cannot be found.
    // A folder renamed within its parent is found again when its inode and birth time prove it
    // (a new folder may get a deleted one's inode); a different folder at the stored path (or a
    // file) is returned too, with "Bookmark is stale. Needs recreation." logged.
    static std::optional<QString> resolveBookmark(const QByteArray& bookmark);
};
