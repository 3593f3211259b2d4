#pragma once

#include "access/SecurityScopes.h"

#include <QByteArray>
#include <QString>

#include <memory>
#include <optional>
#include <type_traits>

class UserEnvironment;

// Where a folder the user picked is kept: its bookmark, if one was made, and the path
// as stored ("~/x" or absolute).
struct FolderLocation
{
    std::optional<QByteArray> bookmark;
    QString storedPath;
};

// A folder reached for one operation; the scope opened on it, if any, closes with it.
struct ReachedFolder
{
    QString path;
    std::unique_ptr<ScopedFolderAccess> scope;
};

// The one way to reach a stored folder: through its bookmark inside an access scope when
// that works, else at its stored path when something exists there, else not at all.
class FolderAccess
{
public:
    FolderAccess(SecurityScopes& scopes, const UserEnvironment& user);

    // A stored folder path as a real path: "~/x" becomes x in the user's real home folder
    // when it exists there, else the ordinary tilde expansion; other paths stay as they are.
    QString resolvePath(const QString& storedPath) const;

    std::optional<ReachedFolder> reach(const FolderLocation& location) const;

    // Runs work on the reached folder; nothing when it cannot be reached. A started
    // scope is stopped before the call returns, however the work ends.
    template <typename Work>
    auto withFolder(const FolderLocation& location, Work&& work) const
        -> std::optional<std::invoke_result_t<Work&, const QString&>>;
    // Both folders are reached before either is looked at; the first one's scope closes first.
    template <typename Work>
    auto withFolders(const FolderLocation& first, const FolderLocation& second, Work&& work) const
        -> std::optional<std::invoke_result_t<Work&, const QString&, const QString&>>;

    // Whether an entry can really be made in the folder; nothing when it cannot be reached.
    std::optional<bool> isWritable(const FolderLocation& location) const;
    // Whether the file system lets this user make entries in the folder, asked without writing
    // there: a probe file would wake whatever watches the folder. Nothing when it cannot be reached.
    std::optional<bool> permitsWriting(const FolderLocation& location) const;
    // The same for a folder reached already; any thread.
    static bool permitsWritingTo(const QString& folder);

    SecurityScopes& scopes() const { return m_scopes; }

private:
    SecurityScopes& m_scopes;
    const UserEnvironment& m_user;
};

template <typename Work>
auto FolderAccess::withFolder(const FolderLocation& location, Work&& work) const
    -> std::optional<std::invoke_result_t<Work&, const QString&>>
{
    if (const auto folder = reach(location))
        return work(folder->path);
    return std::nullopt;
}

template <typename Work>
auto FolderAccess::withFolders(const FolderLocation& first, const FolderLocation& second, Work&& work) const
    -> std::optional<std::invoke_result_t<Work&, const QString&, const QString&>>
{
    auto one = reach(first);
    auto two = reach(second);
    if (!one || !two)
        return std::nullopt;
    auto result = work(one->path, two->path);
    one.reset();
    two.reset();
    return result;
}
