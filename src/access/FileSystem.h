#pragma once

#include "base/Result.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>
#include <optional>

// The file operations the rest of the program uses, each on one item, each reporting
// failure as an Error with a printable description. Paths are absolute path strings.
namespace FileSystem {

// The path of the entry `name` inside `folder`; the name is used unchanged.
QString childPath(const QString& folder, const QString& name);

// Whether an item is there, following links: a dangling link reads as absent.
bool exists(const QString& path);
// Nothing when no item is there (following links); otherwise whether it is a folder.
std::optional<bool> existsAsFolder(const QString& path);
enum class ItemKind
{
    folder,
    regularFile,
    other, // a pipe, a device or a socket
};
// What is there, following links; nothing when no item is there.
std::optional<ItemKind> kindOf(const QString& path);

// The immediate entries as full paths, hidden ones included, links not followed.
Result<QStringList> listFolder(const QString& folder);

// An entry with what the listing itself tells of it, which spares a look at each entry.
struct FolderEntry
{
    QString path;
    // The entry's kind when it is not a link and the file system reports it; otherwise
    // nothing, and kindOf() tells (following the link).
    std::optional<ItemKind> kindUnlessLink;
    // Whether the entry itself is a link, when the listing tells; nothing when it does not.
    std::optional<bool> isLink;
};
Result<QList<FolderEntry>> listFolderEntries(const QString& folder);

// Whether the entry itself (not what it leads to) is a symbolic link.
bool isSymbolicLink(const QString& path);
// The stored destination text of a symbolic link, absolute or relative as written.
Result<QString> linkDestinationText(const QString& path);
// The final destination of a link, following a chain of links and reading relative
// destinations against the folder of the link holding them; fails when it is missing.
Result<QString> resolveLink(const QString& path);

// A new link at `linkPath` holding `destination`; fails when anything, even a dangling link, is there.
Outcome createSymbolicLink(const QString& linkPath, const QString& destination);
// Creates the folder and any missing parents; an existing folder is no error.
Outcome createFolder(const QString& path);

// How a long copy reports and is stopped. Both may be used from a worker thread; a copy
// that is stopped removes what it copied and leaves the source as it was.
struct CopyControl
{
    const std::atomic<bool>* stop = nullptr;
    std::function<void(qint64 bytesCopied)> progress;
};

// Moves a file, link or folder. Never replaces anything: fails when anything stands at
// `to`. Across file systems the tree is copied (links kept as links) beside the
// destination, put in place, and only then is the source removed.
Outcome move(const QString& from, const QString& to, const CopyControl& control = {});
// Puts `replacement` where `current` is and `current` where `replacement` was, in one step
// where the file system can: a reader of `current` sees the old item or the new, never
// none. Both must exist on the same file system. Elsewhere the old item is renamed aside
// first and renamed back when the second rename fails.
Outcome exchange(const QString& current, const QString& replacement);
// Copies a file, link or folder (links inside kept as links) under a hidden name beside
// `to`, then puts it in place without replacing: fails when anything stands at `to`.
Outcome copy(const QString& from, const QString& to, const CopyControl& control = {});
// The copying half of move(), as used across file systems.
Outcome moveByCopying(const QString& from, const QString& to, const CopyControl& control = {});
// Whether a move would have to copy: the two places lie on different file systems.
bool movingCopies(const QString& from, const QString& toFolder);
// The bytes of the regular files in a tree, links not followed.
qint64 treeSize(const QString& path);

// Removes a file, a folder with its contents, or a link itself (never its destination).
Outcome remove(const QString& path);
// Moves the entry (a link as a link) into the desktop's trash where its file system has one,
// so it can be brought back from the file manager, and yields where it went; where there is
// no trash it is removed as remove() does, and the result is empty. `originalPath`, where
// given, is the place the trash names for it (where it is brought back to): for an entry
// already moved aside under a hidden name.
Result<std::optional<QString>> discard(const QString& path, const QString& originalPath = {});

// Writes UTF-8 atomically: afterwards the file is complete or unchanged.
Outcome writeText(const QString& path, const QString& text);

Result<QByteArray> readBytes(const QString& path);
// Reads the whole content into `buffer`, reusing its memory, and yields the length read;
// bytes of `buffer` beyond it mean nothing. Opened without blocking, so a pipe that
// stands where a file was expected cannot stop the program.
Result<qsizetype> readInto(const QString& path, QByteArray& buffer);
constexpr qsizetype chunkSize = 64 * 1024;
// Reads the content a chunk at a time through `buffer` (chunkSize bytes), handing each chunk to
// `take`, which says whether to go on. A large file thus costs no large memory.
Outcome readInChunks(const QString& path, QByteArray& buffer,
                     const std::function<bool(QByteArrayView)>& take);
enum class WriteMode
{
    direct,
    atomic
};
Outcome writeBytes(const QString& path, const QByteArray& bytes, WriteMode mode);

} // namespace FileSystem
