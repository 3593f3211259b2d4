#include "access/FolderContent.h"

#include "access/FileSystem.h"

#include <QCryptographicHash>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

#include <limits.h>

using namespace Qt::StringLiterals;

namespace {

void addToContentHash(QCryptographicHash& hash, const QString& relativePath, const QByteArray& bytes)
{
    const QByteArray path = relativePath.toUtf8();
    hash.addData(path);
    hash.addData(QByteArrayView("\0", 1));
    const QByteArray length = QByteArray::number(bytes.size());
    hash.addData(length);
    hash.addData(QByteArrayView("\0", 1));
    hash.addData(bytes);
}

bool staysInside(const QString& relativePath)
{
    if (relativePath.isEmpty() || relativePath.startsWith(u'/'))
        return false;
    const QStringList components = relativePath.split(u'/');
    return std::none_of(components.cbegin(), components.cend(), [](const QString& component) {
        return component.isEmpty() || component == u"."_s || component == u".."_s ||
               component.contains(QChar(0)) || component.toUtf8().size() > NAME_MAX;
    });
}

} // namespace

QStringList FolderDigest::changedFiles(const QMap<QString, QString>& recorded) const
{
    QStringList changed;
    for (auto file = files.cbegin(); file != files.cend(); ++file)
        if (recorded.value(file.key()) != file.value())
            changed.append(file.key());
    for (auto file = recorded.cbegin(); file != recorded.cend(); ++file)
        if (!files.contains(file.key()))
            changed.append(file.key());
    std::sort(changed.begin(), changed.end());
    return changed;
}

namespace FolderContent {

QString gitBlobSha(const QByteArray& bytes)
{
    QCryptographicHash sha(QCryptographicHash::Sha1);
    const QByteArray header = "blob " + QByteArray::number(bytes.size());
    sha.addData(header);
    sha.addData(QByteArrayView("\0", 1));
    sha.addData(bytes);
    return QString::fromLatin1(sha.result().toHex());
}

FolderDigest digest(const QList<ContentFile>& files)
{
    QList<const ContentFile*> sorted;
    for (const ContentFile& file : files)
        sorted.append(&file);
    std::sort(sorted.begin(), sorted.end(),
              [](const ContentFile* a, const ContentFile* b) { return a->relativePath < b->relativePath; });
    QCryptographicHash hash(QCryptographicHash::Sha256);
    FolderDigest digest;
    for (const ContentFile* file : sorted) {
        addToContentHash(hash, file->relativePath, file->bytes);
        digest.files.insert(file->relativePath, gitBlobSha(file->bytes));
    }
    digest.contentHash = QString::fromLatin1(hash.result().toHex());
    return digest;
}

Result<FolderDigest> digestOf(const QString& folder)
{
    QStringList paths;
    // Links are listed as entries of their own, and never followed into.
    QDirIterator walk(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                      QDirIterator::Subdirectories);
    while (walk.hasNext()) {
        const QString path = walk.next();
        if (!walk.fileInfo().isDir() || walk.fileInfo().isSymLink())
            paths.append(path.mid(folder.size() + 1));
    }
    std::sort(paths.begin(), paths.end());

    QCryptographicHash hash(QCryptographicHash::Sha256);
    FolderDigest digest;
    for (const QString& relativePath : std::as_const(paths)) {
        const QString path = folder + u'/' + relativePath;
        QByteArray content;
        QString recorded;
        if (FileSystem::isSymbolicLink(path)) {
            const auto destination = FileSystem::linkDestinationText(path);
            if (!destination)
                return destination.error();
            content = "link:" + destination->toUtf8();
            recorded = QString::fromUtf8(content);
        } else {
            auto bytes = FileSystem::readBytes(path);
            if (!bytes)
                return bytes.error();
            content = std::move(bytes).value();
            recorded = gitBlobSha(content);
        }
        addToContentHash(hash, relativePath, content);
        digest.files.insert(relativePath, recorded);
    }
    digest.contentHash = QString::fromLatin1(hash.result().toHex());
    return digest;
}

Result<QList<ContentFile>> readFiles(const QString& folder)
{
    QList<ContentFile> files;
    QDirIterator walk(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                      QDirIterator::Subdirectories);
    while (walk.hasNext()) {
        const QString path = walk.next();
        const QFileInfo info = walk.fileInfo();
        if (info.isSymLink())
            return Error::of(Problem(Problem::Kind::isALink, {path}));
        if (info.isDir())
            continue;
        auto bytes = FileSystem::readBytes(path);
        if (!bytes)
            return bytes.error();
        files.append({path.mid(folder.size() + 1), std::move(bytes).value(), info.isExecutable()});
    }
    std::sort(files.begin(), files.end(),
              [](const ContentFile& a, const ContentFile& b) { return a.relativePath < b.relativePath; });
    return files;
}

Result<QString> contentHashOf(const QString& path)
{
    if (FileSystem::isSymbolicLink(path))
        return Error::of(Problem(Problem::Kind::isALink, {path}));
    if (FileSystem::existsAsFolder(path) == true) {
        auto digest = digestOf(path);
        if (!digest)
            return digest.error();
        return digest->contentHash;
    }
    auto bytes = FileSystem::readBytes(path);
    if (!bytes)
        return bytes.error();
    QCryptographicHash hash(QCryptographicHash::Sha256);
    addToContentHash(hash, QString(), bytes.value());
    return QString::fromLatin1(hash.result().toHex());
}

Outcome write(const QString& folder, const QList<ContentFile>& files, const std::atomic<bool>* stop)
{
    for (const ContentFile& file : files) {
        if (!staysInside(file.relativePath))
            return Error::of(Problem(Problem::Kind::pathLeavesFolder, {file.relativePath}));
        if ((folder + u'/' + file.relativePath).toUtf8().size() >= PATH_MAX)
            return Error::of(Problem(Problem::Kind::pathTooLong, {file.relativePath}));
    }
    if (Outcome made = FileSystem::createFolder(folder); !made)
        return made;
    for (const ContentFile& file : files) {
        if (stop && *stop)
            return Error::of(Problem::Kind::stopped);
        const QString path = folder + u'/' + file.relativePath;
        if (Outcome made = FileSystem::createFolder(QFileInfo(path).path()); !made)
            return made;
        if (Outcome written = FileSystem::writeBytes(path, file.bytes, FileSystem::WriteMode::direct);
            !written)
            return written;
        if (file.executable) {
            QFile written(path);
            const QFile::Permissions permissions = written.permissions();
            written.setPermissions(permissions | QFile::ExeOwner |
                                   (permissions & QFile::ReadGroup ? QFile::ExeGroup : QFile::Permissions()) |
                                   (permissions & QFile::ReadOther ? QFile::ExeOther : QFile::Permissions()));
        }
    }
    return {};
}

} // namespace FolderContent
