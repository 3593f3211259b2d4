#pragma once

#include "store/HttpClient.h"
#include "store/SkillIndex.h"

#include <QObject>

#include <optional>

// GitHub's addresses as the program uses them, and the user's token for the API.
struct GitHubHosts
{
    QString apiBase; // REST API, without a slash at the end
    QString rawBase; // raw content, ending in "/"
    // Sent only to the API host, never to the raw service or a directory, never written.
    std::optional<QByteArray> token;

    // The token from GITHUB_TOKEN or GH_TOKEN, when one is set.
    static std::optional<QByteArray> tokenFromEnvironment();
};

// Reads one GitHub source's index again: one tree listing for the whole repository,
// then the SKILL.md of each skill folder whose file changed since the cached index,
// a few at a time through the raw service.
class GitHubIndexRefresh : public QObject
{
    Q_OBJECT

public:
    static constexpr int parallelDownloads = 4;

    GitHubIndexRefresh(const HttpClient& http, GitHubHosts hosts, GitHubRepository repository,
                       std::optional<SkillIndex> cached, QObject* parent = nullptr);

    void start();

    // The user's message for a refused GitHub answer: a rate limit says when it ends.
    static QString messageFor(const HttpAnswer& answer, const QString& what);

Q_SIGNALS:
    void finished(const SkillIndex& index);
    void failed(const QString& message);

private:
    void readTree(const HttpAnswer& answer);
    void downloadNext();
    void finishIfDone();

    const HttpClient& m_http;
    GitHubHosts m_hosts;
    GitHubRepository m_repository;
    std::optional<SkillIndex> m_cached;
    SkillIndex m_index;
    QList<qsizetype> m_toDownload; // positions in m_index.skills
    int m_running = 0;
};
