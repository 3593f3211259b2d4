#pragma once

#include "store/HttpClient.h"

#include <QHash>
#include <QString>
#include <QUrl>

#include <optional>

class SkillSourceRecord;

// One request to a GitHub host: where it goes and what it carries.
struct GitHubRequest
{
    QUrl url;
    HttpClient::Headers headers;
};

// The GitHub hosts the program reaches, and the user's token for each. A repository is
// "OWNER/REPO" on the default host (github.com, or the addresses the program was given) and
// "HOST/OWNER/REPO" on another one, whose API is at https://HOST/api/v3 and raw files at
// https://HOST/raw/. A token goes to its own host only, and only over https or to this machine.
class GitHubHosts
{
public:
    GitHubHosts() = default;
    // The default host's API (without a slash at the end) and raw content (ending in "/").
    GitHubHosts(QString apiBase, QString rawBase);

    // A host the user named with a source, as "https://HOST" or, on this machine only,
    // "http://HOST:PORT": it is reached that way, and the enterprise token may go to it.
    void addNamed(const QString& base);
    // The hosts of the user's GitHub sources.
    void addNamedBy(const QList<SkillSourceRecord*>& sources);

    // "HOST" of "HOST/OWNER/REPO"; empty for a repository on the default host.
    static QString hostOf(const QString& repository);
    // Whether a host answers on this machine, where plain http carries no secret away.
    static bool isLoopback(const QString& host);

    // A request to the repository's API below "/repos/OWNER/REPO" (`tail` percent-encoded).
    GitHubRequest api(const QString& repository, const QString& tail, const QByteArray& accept) const;
    // A file at a ref. With a token it comes through the API, so a private repository's files
    // are reached and the token never goes to the raw service; without one from the raw service,
    // which counts no requests.
    GitHubRequest file(const QString& repository, const QString& ref, const QString& path) const;

private:
    struct Host
    {
        QString apiBase;
        QString rawBase;
        std::optional<QByteArray> token;
    };
    Host host(const QString& repository) const;

    QString m_apiBase;
    QString m_rawBase;
    QHash<QString, QString> m_named; // host -> "scheme://host"
};

// The user's token for a GitHub host, as the GitHub command-line tool would use it:
// GH_TOKEN or GITHUB_TOKEN for github.com, GH_ENTERPRISE_TOKEN or GITHUB_ENTERPRISE_TOKEN for
// another host the user named, else that tool's own login for the host when it is installed.
namespace GitHubTokens {
// `host` is empty for the default host.
std::optional<QByteArray> of(const QString& host, bool namedByUser);
} // namespace GitHubTokens
