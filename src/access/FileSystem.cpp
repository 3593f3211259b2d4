#include "access/FileSystem.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QUrl>
#include <QUuid>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>

using namespace Qt::StringLiterals;
namespace fs = std::filesystem;

namespace FileSystem {
namespace {

QByteArray native(const QString& path)
{
    return QFile::encodeName(path);
}

fs::path nativePath(const QString& path)
{
    return fs::path(native(path).toStdString());
}

// `operation` on `path` (and `other`) failed; `why` is the system's own words.
Error failedSaying(const char* operation, const QString& path, const QString& why, const QString& other = {})
{
    return Error::of(Problem::fileFailed(operation, path, why, other));
}

Error failed(const char* operation, const QString& path, int code, const QString& other = {})
{
    return failedSaying(operation, path, QString::fromLocal8Bit(std::strerror(code)), other);
}

// `operation` on `path` (and `other`) failed for a reason of Quorvane's own.
Error failedBecause(const char* operation, const QString& path, Problem why, const QString& other = {})
{
    return Error::of(Problem::fileFailed(operation, path, {}, other).because(std::move(why)));
}

Error failed(const char* operation, const QString& path, const std::error_code& code,
             const QString& other = {})
{
    return failed(operation, path, code.value(), other);
}

bool stopped(const CopyControl& control)
{
    return control.stop && control.stop->load(std::memory_order_relaxed);
}

// Copies one regular file in pieces, so a large one reports progress and can be stopped.
Outcome copyFile(const QString& from, const QString& to, mode_t mode, const CopyControl& control,
                 qint64& copied)
{
    const int in = ::open(native(from).constData(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return failed("read", from, errno);
    auto closeIn = qScopeGuard([in] { ::close(in); });
    const int out = ::open(native(to).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode & 07777);
    if (out < 0)
        return failed("create", to, errno);
    auto closeOut = qScopeGuard([out] { ::close(out); });
    QByteArray buffer(1 << 20, Qt::Uninitialized);
    for (;;) {
        if (stopped(control))
            return Error::of(Problem::Kind::stopped);
        const ssize_t read = ::read(in, buffer.data(), static_cast<size_t>(buffer.size()));
        if (read < 0)
            return failed("read", from, errno);
        if (read == 0)
            break;
        for (ssize_t written = 0; written < read;) {
            const ssize_t step =
                ::write(out, buffer.constData() + written, static_cast<size_t>(read - written));
            if (step < 0)
                return failed("write", to, errno);
            written += step;
        }
        copied += read;
        if (control.progress)
            control.progress(copied);
    }
    if (::fchmod(out, mode & 07777) != 0)
        return failed("set-permissions", to, errno);
    return {};
}

// Copies a file, a link (as a link) or a folder with everything in it.
Outcome copyTree(const QString& from, const QString& to, const CopyControl& control, qint64& copied)
{
    if (stopped(control))
        return Error::of(Problem::Kind::stopped);
    struct stat info
    {};
    if (::lstat(native(from).constData(), &info) != 0)
        return failed("read", from, errno);
    if (S_ISLNK(info.st_mode)) {
        std::error_code error;
        fs::copy_symlink(nativePath(from), nativePath(to), error);
        return error ? Outcome(failed("copy-link", from, error)) : Outcome();
    }
    if (S_ISREG(info.st_mode))
        return copyFile(from, to, info.st_mode, control, copied);
    if (!S_ISDIR(info.st_mode))
        return failedBecause("copy", from, Problem::Kind::notAFileFolderOrLink, to);
    if (::mkdir(native(to).constData(), (info.st_mode & 07777) | S_IRWXU) != 0)
        return failed("create", to, errno);
    DIR* folder = ::opendir(native(from).constData());
    if (!folder)
        return failed("read", from, errno);
    auto closeFolder = qScopeGuard([folder] { ::closedir(folder); });
    while (const dirent* entry = ::readdir(folder)) {
        const QString name = QFile::decodeName(entry->d_name);
        if (name == u"."_s || name == u".."_s)
            continue;
        if (Outcome done = copyTree(childPath(from, name), childPath(to, name), control, copied); !done)
            return done;
    }
    if (::chmod(native(to).constData(), info.st_mode & 07777) != 0)
        return failed("set-permissions", to, errno);
    return {};
}

bool entryExists(const QString& path)
{
    struct stat info
    {};
    return ::lstat(native(path).constData(), &info) == 0;
}

// What a listing's type field says of an entry itself; links and unknown types need a look.
std::optional<ItemKind> kindFromListing(unsigned char type)
{
    switch (type) {
    case DT_DIR:
        return ItemKind::folder;
    case DT_REG:
        return ItemKind::regularFile;
    case DT_FIFO:
    case DT_CHR:
    case DT_BLK:
    case DT_SOCK:
        return ItemKind::other;
    default: // DT_LNK, DT_UNKNOWN
        return std::nullopt;
    }
}

} // namespace

QString childPath(const QString& folder, const QString& name)
{
    return folder.endsWith(u'/') ? QString(folder + name) : QString(folder + u'/' + name);
}

bool exists(const QString& path)
{
    struct stat info
    {};
    return ::stat(native(path).constData(), &info) == 0;
}

std::optional<bool> existsAsFolder(const QString& path)
{
    const auto kind = kindOf(path);
    if (!kind)
        return std::nullopt;
    return *kind == ItemKind::folder;
}

std::optional<ItemKind> kindOf(const QString& path)
{
    struct stat info
    {};
    if (::stat(native(path).constData(), &info) != 0)
        return std::nullopt;
    if (S_ISDIR(info.st_mode))
        return ItemKind::folder;
    return S_ISREG(info.st_mode) ? ItemKind::regularFile : ItemKind::other;
}

Result<QList<FolderEntry>> listFolderEntries(const QString& folder)
{
    DIR* directory = ::opendir(native(folder).constData());
    if (!directory)
        return failed("list", folder, errno);
    auto closeDirectory = qScopeGuard([directory] { ::closedir(directory); });

    QList<FolderEntry> entries;
    errno = 0;
    while (const dirent* entry = ::readdir(directory)) {
        const QString name = QFile::decodeName(entry->d_name);
        if (name != u"."_s && name != u".."_s)
            entries.append(
                {childPath(folder, name), kindFromListing(entry->d_type),
                 entry->d_type == DT_UNKNOWN ? std::nullopt : std::optional(entry->d_type == DT_LNK)});
        errno = 0;
    }
    if (errno != 0)
        return failed("list", folder, errno);
    return entries;
}

Result<QStringList> listFolder(const QString& folder)
{
    auto entries = listFolderEntries(folder);
    if (!entries)
        return entries.error();
    QStringList paths;
    paths.reserve(entries->size());
    for (FolderEntry& entry : entries.value())
        paths.append(std::move(entry.path));
    return paths;
}

bool isSymbolicLink(const QString& path)
{
    struct stat info
    {};
    return ::lstat(native(path).constData(), &info) == 0 && S_ISLNK(info.st_mode);
}

Result<QString> linkDestinationText(const QString& path)
{
    char buffer[PATH_MAX];
    const ssize_t length = ::readlink(native(path).constData(), buffer, sizeof buffer);
    if (length < 0)
        return failed("read-link", path, errno);
    if (static_cast<size_t>(length) == sizeof buffer)
        return failedBecause("read-link", path, Problem::Kind::linkDestinationTooLong);
    return QFile::decodeName(QByteArray(buffer, length));
}

Result<QString> resolveLink(const QString& path)
{
    // Beyond this many hops a chain is taken to be a loop, as the kernel does.
    constexpr int maximumHops = 40;
    // One readlink() per hop: it reads a link, tells "not a link" (EINVAL) of anything else
    // that is there, and "missing" (ENOENT) of nothing, so no separate look is needed.
    QString current = QDir::cleanPath(path);
    char buffer[PATH_MAX];
    for (int hop = 0; hop <= maximumHops; ++hop) {
        const ssize_t length = ::readlink(native(current).constData(), buffer, sizeof buffer);
        if (length < 0) {
            const int code = errno;
            if (code == EINVAL)
                return current;
            if (code == ENOENT || code == ENOTDIR)
                return Error::of(Problem(Problem::Kind::linkLeadsNowhere, {path, current}));
            return failed("read-link", current, code);
        }
        if (static_cast<size_t>(length) == sizeof buffer)
            return failedBecause("read-link", current, Problem::Kind::linkDestinationTooLong);
        const QString destination = QFile::decodeName(QByteArray(buffer, length));
        current = QDir::cleanPath(QDir::isAbsolutePath(destination)
                                      ? destination
                                      : current.left(current.lastIndexOf(u'/') + 1) + destination);
    }
    return Error::of(Problem(Problem::Kind::tooManyLinks, {path}));
}

Outcome createSymbolicLink(const QString& linkPath, const QString& destination)
{
    if (::symlink(native(destination).constData(), native(linkPath).constData()) != 0)
        return failed("create-link", linkPath, errno);
    return {};
}

Outcome createFolder(const QString& path)
{
    std::error_code error;
    fs::create_directories(nativePath(path), error);
    if (error)
        return failed("create-folder", path, error);
    if (existsAsFolder(path) != true)
        return failedBecause("create-folder", path, Problem::Kind::somethingElseThere);
    return {};
}

Outcome move(const QString& from, const QString& to, const CopyControl& control)
{
    if (!entryExists(from))
        return failedBecause("move", from, Problem::Kind::doesNotExist, to);
    if (::renameat2(AT_FDCWD, native(from).constData(), AT_FDCWD, native(to).constData(), RENAME_NOREPLACE) ==
        0)
        return {};
    const int code = errno;
    if (code == EXDEV)
        return moveByCopying(from, to, control);
    if (code == EINVAL || code == ENOSYS || code == ENOTSUP) {
        // A file system that refuses the no-replace flag: check, then rename. Another
        // process could create `to` in between; nothing better is offered there.
        if (entryExists(to))
            return failed("move", from, EEXIST, to);
        if (::rename(native(from).constData(), native(to).constData()) == 0)
            return {};
        const int renameCode = errno;
        if (renameCode == EXDEV)
            return moveByCopying(from, to, control);
        return failed("move", from, renameCode, to);
    }
    return failed("move", from, code, to);
}

Outcome exchange(const QString& current, const QString& replacement)
{
    if (::renameat2(AT_FDCWD, native(replacement).constData(), AT_FDCWD, native(current).constData(),
                    RENAME_EXCHANGE) == 0)
        return {};
    const int code = errno;
    if (code != EINVAL && code != ENOSYS && code != ENOTSUP)
        return failed("replace", current, code, replacement);
    const QString aside = childPath(QFileInfo(current).path(),
                                    u".quorvane-old-"_s + QUuid::createUuid().toString(QUuid::WithoutBraces));
    if (::rename(native(current).constData(), native(aside).constData()) != 0)
        return failed("replace", current, errno, replacement);
    if (::renameat2(AT_FDCWD, native(replacement).constData(), AT_FDCWD, native(current).constData(),
                    RENAME_NOREPLACE) != 0 &&
        ::rename(native(replacement).constData(), native(current).constData()) != 0) {
        const int putCode = errno;
        (void)::rename(native(aside).constData(), native(current).constData());
        return failed("replace", current, putCode, replacement);
    }
    if (::rename(native(aside).constData(), native(replacement).constData()) != 0)
        return failed("set-aside", current, errno);
    return {};
}

namespace {

// Copies under a hidden name beside `to`, so a half-done copy never stands there, and puts
// it in place in one step that never replaces; every error is one of `operation`.
Outcome copyIntoPlace(const QString& from, const QString& to, const CopyControl& control,
                      const char* operation)
{
    if (entryExists(to))
        return failed(operation, from, EEXIST, to);
    const QString staging = childPath(
        QFileInfo(to).path(), u".quorvane-copy-"_s + QUuid::createUuid().toString(QUuid::WithoutBraces));
    auto dropStaging = qScopeGuard([&] {
        std::error_code ignored;
        fs::remove_all(nativePath(staging), ignored);
    });
    qint64 copied = 0;
    if (Outcome done = copyTree(from, staging, control, copied); !done)
        return failedBecause(operation, from, done.error().shown(), to);
    if (::renameat2(AT_FDCWD, native(staging).constData(), AT_FDCWD, native(to).constData(),
                    RENAME_NOREPLACE) != 0)
        return failed(operation, from, errno, to);
    dropStaging.dismiss();
    return {};
}

} // namespace

Outcome copy(const QString& from, const QString& to, const CopyControl& control)
{
    return copyIntoPlace(from, to, control, "copy");
}

Outcome moveByCopying(const QString& from, const QString& to, const CopyControl& control)
{
    if (Outcome copied = copyIntoPlace(from, to, control, "move"); !copied)
        return copied;
    std::error_code error;
    fs::remove_all(nativePath(from), error);
    if (error)
        return failed("remove-original", from, error, to);
    return {};
}

bool movingCopies(const QString& from, const QString& toFolder)
{
    struct stat source
    {
    }, destination{};
    return ::lstat(native(from).constData(), &source) == 0 &&
           ::stat(native(toFolder).constData(), &destination) == 0 && source.st_dev != destination.st_dev;
}

qint64 treeSize(const QString& path)
{
    std::error_code error;
    const fs::path root = nativePath(path);
    if (!fs::is_directory(fs::symlink_status(root, error)))
        return fs::is_regular_file(fs::symlink_status(root, error))
                   ? static_cast<qint64>(fs::file_size(root, error))
                   : 0;
    qint64 total = 0;
    for (auto it = fs::recursive_directory_iterator(root, error);
         !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
        if (it->is_regular_file(error) && !it->is_symlink(error))
            total += static_cast<qint64>(it->file_size(error));
    }
    return total;
}

Outcome remove(const QString& path)
{
    // Most entries removed are links or files: one unlink() does; a folder answers EISDIR.
    if (::unlink(native(path).constData()) == 0)
        return {};
    if (errno != EISDIR && errno != EPERM)
        return failed("remove", path, errno);
    struct stat info
    {};
    if (::lstat(native(path).constData(), &info) != 0)
        return failed("remove", path, errno);
    if (!S_ISDIR(info.st_mode))
        return failed("remove", path, EPERM);
    std::error_code error;
    fs::remove_all(nativePath(path), error); // does not follow links inside
    if (error)
        return failed("remove", path, error);
    return {};
}

namespace {

// The user's home trash, where desktops and file managers look: $XDG_DATA_HOME/Trash.
QString homeTrash()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + u"/Trash"_s;
}

// Moves the entry into the home trash with its .trashinfo; nothing when that trash is on
// another file system (a move there would copy) or cannot be made.
std::optional<QString> moveToHomeTrash(const QString& path, const QString& originalPath)
{
    const QString trash = homeTrash();
    const QString files = trash + u"/files"_s;
    const QString info = trash + u"/info"_s;
    if (!createFolder(files) || !createFolder(info))
        return std::nullopt;
    struct stat item
    {
    }, trashFolder{};
    if (::lstat(native(path).constData(), &item) != 0 ||
        ::stat(native(files).constData(), &trashFolder) != 0 || item.st_dev != trashFolder.st_dev)
        return std::nullopt;
    const QString name = QFileInfo(originalPath).fileName();
    const QByteArray description =
        "[Trash Info]\nPath=" + QUrl::toPercentEncoding(QFileInfo(originalPath).absoluteFilePath(), "/") +
        "\nDeletionDate=" + QDateTime::currentDateTime().toString(Qt::ISODate).toLatin1() + "\n";
    // The info file is made first and exclusively: it reserves the name in the trash.
    for (int attempt = 1; attempt < 1000; ++attempt) {
        const QString trashedName = attempt == 1 ? name : u"%1.%2"_s.arg(name).arg(attempt);
        const QString infoFile = info + u'/' + trashedName + u".trashinfo"_s;
        const int descriptor =
            ::open(native(infoFile).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (descriptor < 0) {
            if (errno == EEXIST)
                continue;
            return std::nullopt;
        }
        const bool written =
            ::write(descriptor, description.constData(), description.size()) == description.size();
        ::close(descriptor);
        const QString trashed = files + u'/' + trashedName;
        if (written && ::renameat2(AT_FDCWD, native(path).constData(), AT_FDCWD, native(trashed).constData(),
                                   RENAME_NOREPLACE) == 0)
            return trashed;
        ::unlink(native(infoFile).constData());
        return std::nullopt;
    }
    return std::nullopt;
}

} // namespace

Result<std::optional<QString>> discard(const QString& path, const QString& originalPath)
{
    if (auto trashed = moveToHomeTrash(path, originalPath.isEmpty() ? path : originalPath))
        return trashed;
    if (Outcome removed = remove(path); !removed)
        return removed.error();
    return std::optional<QString>();
}

Result<QByteArray> readBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return failedSaying("read", path, file.errorString());
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return failedSaying("read", path, file.errorString());
    return bytes;
}

Result<qsizetype> readInto(const QString& path, QByteArray& buffer)
{
    const int file = ::open(native(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (file < 0)
        return failed("read", path, errno);
    const auto closeFile = qScopeGuard([file] { ::close(file); });
    constexpr qsizetype initialSize = 64 * 1024;
    buffer.resize(std::max(buffer.capacity(), initialSize));
    qsizetype length = 0;
    for (;;) {
        if (length == buffer.size())
            buffer.resize(buffer.size() * 2);
        const ssize_t got = ::read(file, buffer.data() + length, static_cast<size_t>(buffer.size() - length));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return failed("read", path, errno);
        if (got == 0)
            return length;
        length += got;
    }
}

Outcome readInChunks(const QString& path, QByteArray& buffer, const std::function<bool(QByteArrayView)>& take)
{
    const int file = ::open(native(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (file < 0)
        return failed("read", path, errno);
    const auto closeFile = qScopeGuard([file] { ::close(file); });
    buffer.resize(chunkSize);
    for (;;) {
        // A chunk is filled before it is handed on, so that a small file is one chunk.
        qsizetype length = 0;
        while (length < chunkSize) {
            const ssize_t got = ::read(file, buffer.data() + length, static_cast<size_t>(chunkSize - length));
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0)
                return failed("read", path, errno);
            if (got == 0)
                break;
            length += got;
        }
        if (length == 0 || !take(QByteArrayView(buffer.constData(), length)) || length < chunkSize)
            return {};
    }
}

Outcome writeBytes(const QString& path, const QByteArray& bytes, WriteMode mode)
{
    if (mode == WriteMode::atomic) {
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
            return failedSaying("write", path, file.errorString());
        return {};
    }
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size() ||
        !file.flush())
        return failedSaying("write", path, file.errorString());
    return {};
}

Outcome writeText(const QString& path, const QString& text)
{
    return writeBytes(path, text.toUtf8(), WriteMode::atomic);
}

} // namespace FileSystem
