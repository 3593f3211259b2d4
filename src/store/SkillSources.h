#pragma once

#include "store/DirectorySkillSource.h"
#include "store/GitHubIndexRefresh.h"
#include "store/SkillIndex.h"
#include "store/SkillSource.h"

#include <QHash>
#include <QStringList>

#include <memory>

class ModelContext;

// The user's sources as one: every GitHub and git source's cached index searched here, without
// the network, and the directory (when one is configured) asked alongside. Hits are
// merged, each naming its source.
class SkillSources final : public SkillSource
{
public:
    // Indexes older than this are read again when the store is opened.
    static constexpr std::chrono::hours maximumIndexAge{24};

    SkillSources(QNetworkAccessManager& network, ModelContext& context, StoreEndpoints endpoints);

    QString displayName() const override;
    QString downloadHost() const override;
    void search(const QString& query, QObject* context,
                std::function<void(const SearchAnswer&)> done) override;
    void fetch(const RemoteSkillItem& item, QObject* context,
               std::function<void(const FetchAnswer&)> done) override;
    void listRepository(const QString& repository, const QString& ref, QObject* context,
                        std::function<void(const Result<RepositoryTree, Problem>&)> done) override;
    void refreshLists(bool staleOnly, QObject* context,
                      std::function<void(const QList<Problem>&)> done) override;

    // The hits of every GitHub index; no network.
    QList<RemoteSkillItem> searchIndexes(const QString& query);
    // Sources that did not answer the last search, each with why: a directory that failed,
    // or a GitHub source never read whose last refresh failed.
    QList<Problem> lastFailures() const override { return m_lastFailures; }
    bool isConfigured() const override;

    // Reads the indexes of the GitHub sources again (of `only` when given; with
    // `staleOnly`, those older than a day). `done` gets one problem per source that failed.
    void refresh(const std::optional<QString>& only, bool staleOnly, QObject* context,
                 std::function<void(const QList<Problem>& failures)> done);

    // The index of one source as cached now.
    std::optional<SkillIndex> index(const QString& location);

private:
    // GitHub's hosts, with the user's token for the API.
    GitHubHosts hosts() const;
    // The GitHub and git sources, whose indexes are kept here.
    QStringList indexedLocations() const;
    // Whether a location is a git source's; a GitHub host on this machine has a URL too.
    bool isGitSource(const QString& location) const;
    // The configured directories, and the one the program was built or called with.
    QStringList directoryAddresses() const;

    ModelContext& m_context;
    StoreEndpoints m_endpoints;
    HttpClient m_http;
    QNetworkAccessManager& m_network;
    QHash<QString, SkillIndex> m_loaded; // by location, read from the cache once
    QList<Problem> m_lastFailures;
    QHash<QString, Problem> m_refreshFailures; // by location, the last refresh's until one succeeds
};
