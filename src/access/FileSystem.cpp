#include "access/FileSystem.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QScopeGuard>
#include <QUuid>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

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

Error systemError(const QString& what, int code)
{
    return Error{what + u": "_s + QString::fromLocal8Bit(std::strerror(code))};
}

Error systemError(const QString& what, const std::error_code& code)
{
    return systemError(what, code.value());
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
        return systemError(u"Cannot list the folder "_s + folder, errno);
    auto closeDirectory = qScopeGuard([directory] { ::closedir(directory); });

    QList<FolderEntry> entries;
    errno = 0;
    while (const dirent* entry = ::readdir(directory)) {
        const QString name = QFile::decodeName(entry->d_name);
        if (name != u"."_s && name != u".."_s)
            entries.append({childPath(folder, name), kindFromListing(entry->d_type)});
        errno = 0;
    }
    if (errno != 0)
        return systemError(u"Cannot list the folder "_s + folder, errno);
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
    std::error_code error;
    const fs::path destination = fs::read_symlink(nativePath(path), error);
    if (error)
        return systemError(u"Cannot read the link "_s + path, error);
    return QFile::decodeName(QByteArray::fromStdString(destination.native()));
}

Result<QString> resolveLink(const QString& path)
{
    // Beyond this many hops a chain is taken to be a loop, as the kernel does.
    constexpr int maximumHops = 40;
    QString current = QDir::cleanPath(path);
    for (int hop = 0; hop < maximumHops && isSymbolicLink(current); ++hop) {
        auto destination = linkDestinationText(current);
        if (!destination)
            return destination.error();
        const QString folder = QFileInfo(current).path();
        current =
            QDir::cleanPath(QDir::isAbsolutePath(destination.value()) ? destination.value()
                                                                      : folder + u'/' + destination.value());
    }
    if (isSymbolicLink(current))
        return Error{u"Too many levels of links at "_s + path};
    if (!entryExists(current))
        return Error{u"The destination of "_s + path + u" does not exist: "_s + current};
    return current;
}

Outcome createSymbolicLink(const QString& linkPath, const QString& destination)
{
    if (::symlink(native(destination).constData(), native(linkPath).constData()) != 0)
        return systemError(u"Cannot create a link at "_s + linkPath, errno);
    return {};
}

Outcome createFolder(const QString& path)
{
    std::error_code error;
    fs::create_directories(nativePath(path), error);
    if (error)
        return systemError(u"Cannot create the folder "_s + path, error);
    if (existsAsFolder(path) != true)
        return Error{u"Cannot create the folder "_s + path + u": something else is there"_s};
    return {};
}

Outcome move(const QString& from, const QString& to)
{
    if (!entryExists(from))
        return Error{u"Cannot move "_s + from + u": it does not exist"_s};
    if (::renameat2(AT_FDCWD, native(from).constData(), AT_FDCWD, native(to).constData(), RENAME_NOREPLACE) ==
        0)
        return {};
    const int code = errno;
    if (code == EXDEV)
        return moveByCopying(from, to);
    if (code == EINVAL || code == ENOSYS || code == ENOTSUP) {
        // A file system that refuses the no-replace flag: check, then rename. Another
        // process could create `to` in between; nothing better is offered there.
        if (entryExists(to))
            return systemError(u"Cannot move "_s + from + u" to "_s + to, EEXIST);
        if (::rename(native(from).constData(), native(to).constData()) == 0)
            return {};
        const int renameCode = errno;
        if (renameCode == EXDEV)
            return moveByCopying(from, to);
        return systemError(u"Cannot move "_s + from + u" to "_s + to, renameCode);
    }
    return systemError(u"Cannot move "_s + from + u" to "_s + to, code);
}

Outcome moveByCopying(const QString& from, const QString& to)
{
    const QString failure = u"Cannot move "_s + from + u" to "_s + to;
    if (entryExists(to))
        return systemError(failure, EEXIST);

    // The copy is made under a hidden name beside the destination, so a half-done copy
    // never stands at `to`, and is put in place in one step.
    const QString staging = childPath(
        QFileInfo(to).path(), u".quorvane-move-"_s + QUuid::createUuid().toString(QUuid::WithoutBraces));
    std::error_code error;
    fs::copy(nativePath(from), nativePath(staging),
             fs::copy_options::recursive | fs::copy_options::copy_symlinks, error);
    auto dropStaging = qScopeGuard([&] {
        std::error_code ignored;
        fs::remove_all(nativePath(staging), ignored);
    });
    if (error)
        return systemError(failure, error);
    if (::renameat2(AT_FDCWD, native(staging).constData(), AT_FDCWD, native(to).constData(),
                    RENAME_NOREPLACE) != 0)
        return systemError(failure, errno);
    dropStaging.dismiss();

    fs::remove_all(nativePath(from), error);
    if (error)
        return systemError(u"Moved "_s + from + u" to "_s + to + u", but could not remove the original"_s,
                           error);
    return {};
}

Outcome remove(const QString& path)
{
    struct stat info
    {};
    if (::lstat(native(path).constData(), &info) != 0)
        return systemError(u"Cannot remove "_s + path, errno);
    std::error_code error;
    if (S_ISDIR(info.st_mode))
        fs::remove_all(nativePath(path), error); // does not follow links inside
    else if (::unlink(native(path).constData()) != 0)
        error = std::error_code(errno, std::generic_category());
    if (error)
        return systemError(u"Cannot remove "_s + path, error);
    return {};
}

Result<QByteArray> readBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Error{u"Cannot read "_s + path + u": "_s + file.errorString()};
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return Error{u"Cannot read "_s + path + u": "_s + file.errorString()};
    return bytes;
}

Result<qsizetype> readInto(const QString& path, QByteArray& buffer)
{
    const int file = ::open(native(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (file < 0)
        return systemError(u"Cannot read "_s + path, errno);
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
            return systemError(u"Cannot read "_s + path, errno);
        if (got == 0)
            return length;
        length += got;
    }
}

Outcome writeBytes(const QString& path, const QByteArray& bytes, WriteMode mode)
{
    if (mode == WriteMode::atomic) {
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
            return Error{u"Cannot write "_s + path + u": "_s + file.errorString()};
        return {};
    }
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size() ||
        !file.flush())
        return Error{u"Cannot write "_s + path + u": "_s + file.errorString()};
    return {};
}

Outcome writeText(const QString& path, const QString& text)
{
    return writeBytes(path, text.toUtf8(), WriteMode::atomic);
}

} // namespace FileSystem
