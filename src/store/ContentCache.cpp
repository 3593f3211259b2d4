#include "store/ContentCache.h"

#include "access/FileSystem.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QUuid>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

bool isContentHash(const QString& text)
{
    static const QRegularExpression sha256(u"^[0-9a-f]{64}$"_s);
    return sha256.match(text).hasMatch();
}

qint64 bytesBelow(const QString& folder)
{
    qint64 bytes = 0;
    QDirIterator walk(folder, QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks,
                      QDirIterator::Subdirectories);
    while (walk.hasNext()) {
        walk.next();
        bytes += walk.fileInfo().size();
    }
    return bytes;
}

} // namespace

ContentCache::ContentCache(QString folder, qint64 limit)
    : m_folder(std::move(folder))
    , m_limit(limit)
{}

QString ContentCache::defaultFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) + u"/Quorvane/content"_s;
}

bool ContentCache::holds(const QString& contentHash) const
{
    return isContentHash(contentHash) && FileSystem::existsAsFolder(m_folder + u'/' + contentHash) == true;
}

std::optional<QList<ContentFile>> ContentCache::find(const QString& contentHash) const
{
    if (!isContentHash(contentHash))
        return std::nullopt;
    const QString folder = m_folder + u'/' + contentHash;
    if (FileSystem::existsAsFolder(folder) != true)
        return std::nullopt;
    auto files = FolderContent::readFiles(folder);
    // A damaged entry is as good as none: the caller fetches again.
    if (!files || FolderContent::digest(files.value()).contentHash != contentHash)
        return std::nullopt;
    return std::move(files).value();
}

Outcome ContentCache::keep(const QString& contentHash, const QList<ContentFile>& files)
{
    const QString target = pathOf(contentHash);
    if (!isContentHash(contentHash) || FolderContent::digest(files).contentHash != contentHash)
        return Error::of(Problem(Problem::Kind::notTheContent, {contentHash}));
    // A damaged entry gives way to the good files; a sound one stays as it is.
    if (holds(contentHash)) {
        if (find(contentHash))
            return {};
        if (!QDir(target).removeRecursively())
            return Error::of(Problem::fileFailed("remove", target));
    }
    if (!QDir().mkpath(m_folder))
        return Error::of(Problem::fileFailed("create-folder", m_folder));
    const QString staging = m_folder + u"/.staging-"_s + QUuid::createUuid().toString(QUuid::WithoutBraces);
    if (Outcome written = FolderContent::write(staging, files); !written) {
        QDir(staging).removeRecursively();
        return written;
    }
    if (!QDir().rename(staging, target)) {
        QDir(staging).removeRecursively();
        // Another process kept the same content meanwhile.
        if (FileSystem::existsAsFolder(target) == true)
            return {};
        return Error::of(Problem::fileFailed("move", staging, {}, target));
    }
    trim();
    return {};
}

QList<ContentCache::Entry> ContentCache::entries() const
{
    QList<Entry> found;
    const QFileInfoList folders =
        QDir(m_folder).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks);
    for (const QFileInfo& folder : folders)
        if (isContentHash(folder.fileName()))
            found.append({folder.fileName(), bytesBelow(folder.filePath()), folder.lastModified().toUTC()});
    std::sort(found.begin(), found.end(), [](const Entry& a, const Entry& b) { return a.keptAt > b.keptAt; });
    return found;
}

qint64 ContentCache::size() const
{
    qint64 total = 0;
    for (const Entry& entry : entries())
        total += entry.bytes;
    return total;
}

Outcome ContentCache::clear()
{
    for (const Entry& entry : entries())
        if (!QDir(m_folder + u'/' + entry.contentHash).removeRecursively())
            return Error::of(Problem::fileFailed("remove", m_folder + u'/' + entry.contentHash));
    return {};
}

void ContentCache::trim()
{
    const QList<Entry> newestFirst = entries();
    qint64 total = 0;
    for (qsizetype i = 0; i < newestFirst.size(); ++i) {
        total += newestFirst[i].bytes;
        // The newest stays even alone over the limit: it was kept to be used.
        if (total > m_limit && i > 0)
            QDir(m_folder + u'/' + newestFirst[i].contentHash).removeRecursively();
    }
}
