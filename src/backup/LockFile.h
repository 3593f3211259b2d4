#pragma once

#include "base/Result.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// Where a locked skill came from: enough to fetch exactly the same folder again.
struct LockedSource
{
    QString repository; // "owner/repository" on GitHub, or a git remote's URL
    QString ref;        // the branch or tag it was installed from
    QString commit;     // the commit it was fetched at; empty where it could not be told (null in the file)
    QString path;       // the skill folder inside the repository ("" for its root)
    QString tree;       // the folder's tree SHA

    // What to fetch: the commit, or the ref where no commit was recorded.
    QString at() const { return commit.isEmpty() ? ref : commit; }
    // "REPOSITORY@COMMIT:PATH" (the ref where no commit was recorded), as plans show it.
    QString text() const { return repository + u'@' + at() + u':' + path; }
    // Whether it names the exact commit; otherwise a restore fetches the ref as it is then.
    bool isPinned() const { return !commit.isEmpty(); }
    bool operator==(const LockedSource&) const = default;
};

// One skill a project uses, and the project apps that place it.
struct LockedSkill
{
    QString name;                       // its folder in the hub and in the apps' folders
    std::optional<LockedSource> source; // nothing for an item of unknown origin
    QString contentSha256;              // the content hash, as the provenance keeps it
    QStringList apps; // preset ids; for an app added without one, its folder relative to the project
    bool operator==(const LockedSkill&) const = default;
};

// The lock file a repository carries, "quorvane-lock.json" in its root: which skills its
// project apps place, and exactly which content. Written so that it diffs cleanly (skills
// by name, apps sorted, two-space indentation, a final newline); read strictly, since it
// comes with a repository from anyone: a name or path that would leave its folder is refused
// before any file is touched.
struct LockFile
{
    static constexpr int lockVersion = 1;
    static constexpr qint64 maximumBytes = 8 * 1024 * 1024;
    static QString fileName();

    QList<LockedSkill> skills;

    // The skills with a source but no commit, by name.
    QStringList unpinned() const;

    QByteArray encode() const;
    static Result<LockFile> decode(const QByteArray& bytes);
    // Reads DIR/quorvane-lock.json; nothing when there is none.
    static Result<std::optional<LockFile>> read(const QString& projectFolder);
    // Writes it atomically; an unchanged file is not touched. A lock file that is a link, or
    // anything but a plain file, is never written: a repository from anyone could point it anywhere.
    static Outcome write(const QString& projectFolder, const LockFile& lock);
};
