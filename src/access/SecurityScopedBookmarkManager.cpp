#include "access/SecurityScopedBookmarkManager.h"

#include "access/FileSystem.h"
#include "base/Log.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

constexpr quint32 bookmarkMagic = 0x51564247; // "QVBG"
constexpr quint8 bookmarkVersion = 1;

struct ItemIdentity
{
    quint64 device = 0;
    quint64 inode = 0;
    bool operator==(const ItemIdentity&) const = default;
};

struct BookmarkContent
{
    QString path;
    ItemIdentity identity;
};

std::optional<ItemIdentity> identityOf(const QString& path)
{
    struct stat info
    {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return std::nullopt;
    return ItemIdentity{static_cast<quint64>(info.st_dev), static_cast<quint64>(info.st_ino)};
}

QByteArray encode(const BookmarkContent& content)
{
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    stream.setVersion(QDataStream::Qt_6_0);
    stream << bookmarkMagic << bookmarkVersion << content.path << content.identity.device
           << content.identity.inode;
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
    if (magic != bookmarkMagic || version != bookmarkVersion)
        return std::nullopt;
    stream >> content.path >> content.identity.device >> content.identity.inode;
    if (stream.status() != QDataStream::Ok || !stream.atEnd() || !QDir::isAbsolutePath(content.path))
        return std::nullopt;
    return content;
}

// The folder with this identity among the entries of `parent`, if any.
std::optional<QString> findRenamedItem(const QString& parent, const ItemIdentity& identity)
{
    auto entries = FileSystem::listFolder(parent);
    if (!entries)
        return std::nullopt;
    for (const QString& entry : entries.value()) {
        if (identityOf(entry) == identity)
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
        if (*identity != content->identity)
            Log::line(u"Bookmark is stale. Needs recreation."_s);
        return content->path;
    }
    if (auto renamed = findRenamedItem(QFileInfo(content->path).path(), content->identity))
        return renamed;
    Log::line(u"Failed to resolve bookmark: "_s + u"The folder "_s + content->path + u" no longer exists."_s);
    return std::nullopt;
}
