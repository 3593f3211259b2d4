#pragma once

#include "base/Problem.h"
#include "base/Result.h"
#include "model/SkillProvenanceRecord.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

// One skill another installer placed, as its lock file records it.
struct SharedLockEntry
{
    QString name;       // the skill's folder in the assistants' folders
    QString source;     // "OWNER/REPO" for a GitHub source
    QString sourceType; // "github", or another installer's kind
    QString sourceUrl;
    QString skillPath;  // "PATH/SKILL.md" inside the repository
    QString ref;        // where the file names one; empty otherwise
    QString folderHash; // the skill folder's git tree SHA
    QDateTime installedAt;
    QDateTime updatedAt;

    // A GitHub repository Quorvane can reach again: the origin an update needs.
    bool isGitHub() const;
    // The folder inside the repository: the skill file's folder ("" for the root).
    QString folder() const;
    // The origin as Quorvane keeps it, for the item `itemName` whose files are now `digest`.
    SkillProvenance provenance(const QString& itemName, const QString& contentHash,
                               const QMap<QString, QString>& files) const;
};

// The global lock file the most used command-line skill installers share,
// "~/.agents/.skill-lock.json", version 3. It is read, never written: it belongs to them.
// It is read strictly, as anything in the home folder may have written it: one entry that is
// not a plain name, or a URL that carries a secret, refuses the whole file.
class SharedSkillLock
{
public:
    static constexpr int version = 3;
    static constexpr qint64 maximumBytes = 4 * 1024 * 1024;
    // HOME/.agents/.skill-lock.json
    static QString fileIn(const QString& home);

    // The file's entries; refused with the reason as the cause.
    static Result<SharedSkillLock, Problem> decode(const QByteArray& bytes);
    // The file at `path`; nothing when there is none.
    static Result<std::optional<SharedSkillLock>, Problem> read(const QString& path);
    // The entry of that name in the user's file: nothing when there is no file or no such entry.
    static Result<std::optional<SharedLockEntry>, Problem> originOf(const QString& name, const QString& home);

    const QList<SharedLockEntry>& entries() const { return m_entries; }
    // The entry of that name, or nothing.
    const SharedLockEntry* entry(const QString& name) const;
    std::optional<SharedLockEntry> find(const QString& name) const;

private:
    QList<SharedLockEntry> m_entries;
};
