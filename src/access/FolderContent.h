#pragma once

#include "base/Result.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>

#include <atomic>

// One file of a skill folder, held in memory between download and disk.
struct ContentFile
{
    QString relativePath; // "/" between folders, never leading, never "." or ".."
    QByteArray bytes;
    bool executable = false;
};

// What a folder holds, summed up so that two copies compare without keeping either.
struct FolderDigest
{
    // SHA-256 over the sorted relative paths and the files' bytes, as hex.
    QString contentHash;
    // Relative path -> git blob SHA of each file; a link inside holds "link:" and its destination.
    QMap<QString, QString> files;

    // The paths that differ from `recorded`: changed, added or gone.
    QStringList changedFiles(const QMap<QString, QString>& recorded) const;
};

namespace FolderContent {

// The SHA git gives a file with these bytes, as GitHub's trees list it.
QString gitBlobSha(const QByteArray& bytes);
// The digest of files in memory, as digestOf() would give once they are written.
FolderDigest digest(const QList<ContentFile>& files);
// Reads every file below `folder` once; links are not followed.
Result<FolderDigest> digestOf(const QString& folder);

// Every file below `folder` with its bytes and execute bit; a link inside is refused.
Result<QList<ContentFile>> readFiles(const QString& folder);

// The content hash of a folder (as digestOf() gives it) or of a single file; a link is refused.
Result<QString> contentHashOf(const QString& path);

// Writes the files into the new folder `folder` (its parent must exist), making the folders
// between; only files marked executable get execute bits. A path that would leave the
// folder or is too long for the file system is refused before anything is written.
Outcome write(const QString& folder, const QList<ContentFile>& files,
              const std::atomic<bool>* stop = nullptr);

} // namespace FolderContent
