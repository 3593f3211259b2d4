#include "access/SecurityScopedBookmarkManager.h"

#include "access/FileSystem.h"
#include "base/Log.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

using namespace Qt::StringLiterals;

namespace {

constexpr quint32 bookmarkMagic = 0x51564247; // "QVBG"
// Version 2 adds the folder's birth time: an inode alone is reused by the next folder made.
constexpr quint8 bookmarkVersion = 2;

struct ItemIdentity
{
    quint64 device = 0;
    quint64 inode = 0;
    // When the item was made, in nanoseconds, where the file system tells; 0 where it does not.
    qint64 birth = 0;
    bool operator==(const ItemIdentity&) const = default;

    bool isSameItem(const ItemIdentity& other) const
    {
        return device == other.device && inode == other.inode;
    }
    // Whether `other`, found under another name, is this item renamed: the same inode and the
    // same birth. Without a birth time to compare, a reused inode could pass for it.
    bool isRenamedAs(const ItemIdentity& other) const
    {
        return isSameItem(other) && birth != 0 && birth == other.birth;
    }
};

struct BookmarkContent
{
    QString path;
    ItemIdentity identity;
};

std::optional<ItemIdentity> identityOf(const QString& path)
{
    struct statx info
    {};
    if (::statx(AT_FDCWD, QFile::encodeName(path).constData(), 0, STATX_INO | STATX_BTIME, &info) != 0)
        return std::nullopt;
    const qint64 birth = (info.stx_mask & STATX_BTIME)
                             ? qint64(info.stx_btime.tv_sec) * 1000000000 + info.stx_btime.tv_nsec
                             : 0;
    return ItemIdentity{makedev(info.stx_dev_major, info.stx_dev_minor), info.stx_ino, birth};
}

QByteArray encode(const BookmarkContent& content)
{
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    stream.setVersion(QDataStream::Qt_6_0);
    stream << bookmarkMagic << bookmarkVersion << content.path << content.identity.device
           << content.identity.inode << content.identity.birth;
    return bytes;
}

std::optional<BookmarkContent> decode(const QByteArray& bytes)
{
    QDataStream stream(bytes);
    stream.setVersion(QDataStream::Qt_6_0);
    quint32 magic = 0;
    quint8 version = 0;
    BookmarkContent content;
    stream >> magic >> version;
    if (magic != bookmarkMagic || version < 1 || version > bookmarkVersion)
        return std::nullopt;
    stream >> content.path >> content.identity.device >> content.identity.inode;
    if (version >= 2)
        stream >> content.identity.birth;
    if (stream.status() != QDataStream::Ok || !stream.atEnd() || !QDir::isAbsolutePath(content.path))
        return std::nullopt;
    return content;
}

// The item renamed within `parent`, if one of its entries proves to be it.
std::optional<QString> findRenamedItem(const QString& parent, const ItemIdentity& identity)
{
    if (identity.birth == 0)
        return std::nullopt; // nothing beyond the inode to go by
    auto entries = FileSystem::listFolder(parent);
    if (!entries)
        return std::nullopt;
    for (const QString& entry : entries.value()) {
        if (const auto found = identityOf(entry); found && identity.isRenamedAs(*found))
            return entry;
    }
    return std::nullopt;
}

} // namespace

std::optional<QByteArray> SecurityScopedBookmarkManager::createBookmark(const QString& folderPath)
{
    const QString path = QDir::cleanPath(QFileInfo(folderPath).absoluteFilePath());
    const auto identity = identityOf(path);
    if (!identity) {
        Log::line(u"Failed to create bookmark: "_s + u"The folder "_s + folderPath + u" does not exist."_s);
        return std::nullopt;
    }
    return encode({path, *identity});
}

std::optional<QString> SecurityScopedBookmarkManager::resolveBookmark(const QByteArray& bookmark)
{
    const auto content = decode(bookmark);
    if (!content) {
        Log::line(u"Failed to resolve bookmark: "_s + u"The bookmark data is not valid."_s);
        return std::nullopt;
    }
    if (const auto identity = identityOf(content->path)) {
        if (!identity->isSameItem(content->identity))
            Log::line(u"Bookmark is stale. Needs recreation."_s);
        return content->path;
    }
    if (auto renamed = findRenamedItem(QFileInfo(content->path).path(), content->identity))
        return renamed;
    Log::line(u"Failed to resolve bookmark: "_s + u"The folder "_s + content->path + u" no longer exists."_s);
    return std::nullopt;
}
