#pragma once

#include "base/Problem.h"
#include "base/Result.h"
#include "store/GitHubTree.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <chrono>

// One remote's bare, shallow clone in the cache, worked through the user's own git program,
// so their configuration, credential helpers and SSH keys apply unchanged. Blocking: run it on
// a worker. One mirror per remote; callers in this process take turns on it.
class GitMirror
{
public:
    // How long one git call may take before it is stopped, as a hung server or prompt would.
    static constexpr std::chrono::minutes longestCall{5};

    explicit GitMirror(QString url);

    // The clone's folder, under XDG_CACHE_HOME, named by the remote's URL.
    static QString folderFor(const QString& url);

    // A commit as fetched, and its root tree.
    struct Fetched
    {
        QString commit;
        QString tree;
    };

    // Brings `ref` (a branch, a tag, HEAD or a commit) here at depth one, fetching only what is
    // missing. A commit already here is not asked for again.
    Result<Fetched, Problem> fetch(const QString& ref);
    // The fetched commit's whole tree, as a GitHub listing has it.
    Result<RepositoryTree, Problem> tree(const Fetched& fetched);
    // The blobs' bytes, in the order asked; refuses when one is missing or exceeds `maximumBytes`
    // in all.
    Result<QList<QByteArray>, Problem> blobs(const QStringList& shas, qint64 maximumBytes);
    // When the commit was made.
    Result<QDateTime, Problem> commitTime(const QString& commit);

private:
    // Git's standard output; a failure is logged unless `quiet`, as for a question whose "no" is normal.
    Result<QByteArray, Problem> git(const QStringList& arguments, const QByteArray& input = {},
                                    bool quiet = false) const;
    Outcome prepare();
    // The commit fetched for `ref` before, when the remote's ref still names it.
    std::optional<Fetched> unchangedSinceLastFetch(const QString& ref) const;

    QString m_url;
    QString m_folder;
};
