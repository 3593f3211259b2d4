#pragma once

#include "store/GitHubTree.h"
#include "store/HttpClient.h"
#include "store/SkillIndex.h"

#include <QObject>

#include <optional>

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

Q_SIGNALS:
    void finished(const SkillIndex& index);
    void failed(const Problem& problem);

private:
    void readTree(const RepositoryTree& tree);
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
