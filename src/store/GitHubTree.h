#pragma once

#include "base/Problem.h"
#include "base/Result.h"
#include "store/GitHubHosts.h"
#include "store/HttpClient.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <functional>
#include <optional>

// One entry of a recursive tree listing.
struct TreeEntry
{
    QString path; // from the repository's root, "/" between folders
    QString mode; // "100644", "100755", "120000" (a link), "160000" (a submodule), "040000"
    QString type; // "blob", "tree" or "commit"
    QString sha;
    std::optional<qint64> size; // of a blob, when listed
};

// A ref's whole tree as GitHub lists it in one answer.
struct RepositoryTree
{
    QString sha;
    bool truncated = false; // GitHub cut the listing short
    QList<TreeEntry> entries;

    // Entries that are not objects are skipped; an answer without a "tree" array is refused.
    static Result<RepositoryTree, Problem> parse(const QByteArray& body);

    // The tree SHA of a folder ("" is the root), when the listing has it.
    std::optional<QString> folderSha(const QString& folder) const;

    // Lists `ref` of "owner/repository" recursively: one request to the API host.
    static void fetch(const HttpClient& http, const GitHubHosts& hosts, const QString& repository,
                      const QString& ref, QObject* context,
                      std::function<void(const Result<RepositoryTree, Problem>&)> done);

    // The commit `ref` of "owner/repository" names now, and when it was made: one request to the
    // API host. Nothing when it cannot be told; a ref that is a commit already is handed back
    // without asking, its date untold.
    struct NamedCommit
    {
        QString sha;
        QDateTime madeAt; // invalid where not told
    };
    static void resolveCommit(const HttpClient& http, const GitHubHosts& hosts, const QString& repository,
                              const QString& ref, QObject* context,
                              std::function<void(const std::optional<NamedCommit>&)> done);
    static bool isCommitSha(const QString& text);
    // When the commit `ref` names was made: one request to the API host.
    static void commitDate(const HttpClient& http, const GitHubHosts& hosts, const QString& repository,
                           const QString& ref, QObject* context,
                           std::function<void(const Result<QDateTime, Problem>&)> done);

    // Why GitHub refused an answer: a rate limit says when it ends.
    static Problem problemOf(const HttpAnswer& answer, const QString& what);
};
