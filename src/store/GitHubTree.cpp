#include "store/GitHubTree.h"

#include <QRegularExpression>

#include "base/Problem.h"
#include "store/SkillIndex.h"

#include <QDateTime>
#include <QUrl>

#include <nlohmann/json.hpp>

using namespace Qt::StringLiterals;

Result<RepositoryTree, Problem> RepositoryTree::parse(const QByteArray& body)
{
    const nlohmann::json document = nlohmann::json::parse(body.cbegin(), body.cend(), nullptr, false);
    const auto tree = document.is_object() ? document.find("tree") : document.end();
    if (!document.is_object() || tree == document.end() || !tree->is_array())
        return Problem(Problem::Kind::invalidResponse);
    RepositoryTree parsed;
    parsed.sha = jsonText(document, "sha");
    const auto truncated = document.find("truncated");
    parsed.truncated = truncated != document.end() && truncated->is_boolean() && truncated->get<bool>();
    parsed.entries.reserve(static_cast<qsizetype>(tree->size()));
    for (const nlohmann::json& entry : *tree) {
        if (!entry.is_object())
            continue;
        const auto size = entry.find("size");
        parsed.entries.append({jsonText(entry, "path"), jsonText(entry, "mode"), jsonText(entry, "type"),
                               jsonText(entry, "sha"),
                               size != entry.end() && size->is_number_unsigned()
                                   ? std::optional(size->get<qint64>())
                                   : std::nullopt});
    }
    return parsed;
}

std::optional<QString> RepositoryTree::folderSha(const QString& folder) const
{
    if (folder.isEmpty())
        return sha.isEmpty() ? std::nullopt : std::optional(sha);
    for (const TreeEntry& entry : entries)
        if (entry.type == u"tree"_s && entry.path == folder)
            return entry.sha;
    return std::nullopt;
}

void RepositoryTree::fetch(const HttpClient& http, const GitHubHosts& hosts, const QString& repository,
                           const QString& ref, QObject* context,
                           std::function<void(const Result<RepositoryTree, Problem>&)> done)
{
    const GitHubRequest request = hosts.api(
        repository, u"/git/trees/"_s + QString::fromLatin1(QUrl::toPercentEncoding(ref)) + u"?recursive=1"_s,
        "application/vnd.github+json");
    http.get(request.url, request.headers, context,
             [done, what = QString(repository + u'@' + ref)](const HttpAnswer& answer) {
                 if (!answer.status || answer.status != 200 || answer.tooLarge)
                     return done(problemOf(answer, what));
                 done(parse(answer.body));
             });
}

bool RepositoryTree::isCommitSha(const QString& text)
{
    static const QRegularExpression sha(u"^[0-9a-f]{40}$"_s);
    return sha.match(text).hasMatch();
}

namespace {

// The committer's date of a commit as the API describes it.
QDateTime committerDate(const nlohmann::json& body)
{
    const auto commit = body.find("commit");
    if (commit == body.end() || !commit->is_object())
        return {};
    const auto committer = commit->find("committer");
    if (committer == commit->end() || !committer->is_object())
        return {};
    return QDateTime::fromString(jsonText(*committer, "date"), Qt::ISODate);
}

// The API's description of the commit `ref` names: its SHA and its committer's date.
GitHubRequest commitRequest(const GitHubHosts& hosts, const QString& repository, const QString& ref)
{
    return hosts.api(repository, u"/commits/"_s + QString::fromLatin1(QUrl::toPercentEncoding(ref)),
                     "application/vnd.github+json");
}

} // namespace

void RepositoryTree::resolveCommit(const HttpClient& http, const GitHubHosts& hosts,
                                   const QString& repository, const QString& ref, QObject* context,
                                   std::function<void(const std::optional<NamedCommit>&)> done)
{
    if (isCommitSha(ref)) {
        QMetaObject::invokeMethod(
            context,
            [done, ref] {
                done(NamedCommit{ref, {}});
            },
            Qt::QueuedConnection);
        return;
    }
    const GitHubRequest request = commitRequest(hosts, repository, ref);
    http.get(request.url, request.headers, context, [done](const HttpAnswer& answer) {
        const nlohmann::json body =
            nlohmann::json::parse(answer.body.cbegin(), answer.body.cend(), nullptr, false);
        const QString sha = body.is_object() ? jsonText(body, "sha") : QString();
        if (answer.status == 200 && isCommitSha(sha))
            return done(NamedCommit{sha, committerDate(body)});
        done(std::nullopt);
    });
}

void RepositoryTree::commitDate(const HttpClient& http, const GitHubHosts& hosts, const QString& repository,
                                const QString& ref, QObject* context,
                                std::function<void(const Result<QDateTime, Problem>&)> done)
{
    const GitHubRequest request = commitRequest(hosts, repository, ref);
    http.get(request.url, request.headers, context,
             [done, what = repository + u'@' + ref](const HttpAnswer& answer) {
                 if (answer.status != 200)
                     return done(problemOf(answer, what));
                 const nlohmann::json body =
                     nlohmann::json::parse(answer.body.cbegin(), answer.body.cend(), nullptr, false);
                 const QDateTime date = body.is_object() ? committerDate(body) : QDateTime();
                 if (!date.isValid())
                     return done(Problem(Problem::Kind::invalidResponse));
                 done(date);
             });
}

Problem RepositoryTree::problemOf(const HttpAnswer& answer, const QString& what)
{
    if (!answer.status && !answer.tooLarge)
        return Problem(Problem::Kind::network, {answer.failure});
    const int status = answer.status.value_or(0);
    const QByteArray reset = answer.headers.value("x-ratelimit-reset");
    if ((status == 403 || status == 429) &&
        (answer.headers.value("x-ratelimit-remaining") == "0" || status == 429) && !reset.isEmpty()) {
        return Problem(Problem::Kind::rateLimited, {QString::number(reset.toLongLong())});
    }
    if (status == 404)
        return Problem(Problem::Kind::notFound, {what});
    return Problem(Problem::Kind::invalidResponse);
}
