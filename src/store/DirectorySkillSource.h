#pragma once

#include "store/HttpClient.h"
#include "store/SkillSource.h"

#include <chrono>

class QNetworkAccessManager;

// Where the directory source sends its requests.
struct StoreEndpoints
{
    QString directoryBase; // scheme and host of the community directory
    QString directoryName; // how the directory is named to the user
    QString rawBase;       // GitHub raw content, ending in "/"
    QString apiBase;       // GitHub REST API
    std::chrono::milliseconds timeout{std::chrono::seconds(60)};

    // The program's own addresses, as set when it was built.
    static StoreEndpoints defaults();
};

// The community directory's search service, with each hit's SKILL.md fetched from GitHub.
class DirectorySkillSource final : public SkillSource
{
public:
    // Bodies beyond this size are cut off and count as a bad answer.
    static constexpr qint64 maximumBodySize = 16 * 1024 * 1024;

    DirectorySkillSource(QNetworkAccessManager& network, StoreEndpoints endpoints);

    QString displayName() const override { return m_endpoints.directoryName; }
    QString downloadHost() const override;
    void search(const QString& query, QObject* context,
                std::function<void(const SearchAnswer&)> done) override;
    void fetch(const RemoteSkillItem& item, QObject* context,
               std::function<void(const FetchAnswer&)> done) override;
    void listRepository(const QString& repository, const QString& ref, QObject* context,
                        std::function<void(const Result<RepositoryTree, Problem>&)> done) override;

    // Finds the hit's SKILL.md by the likely places, then the repository's trees.
    void download(const RemoteSkillItem& item, QObject* context,
                  std::function<void(const DownloadAnswer&)> done);

private:
    QNetworkAccessManager& m_network;
    StoreEndpoints m_endpoints;
    HttpClient m_http;
};

// Percent-encodes text with the URL query character set: letters, digits, "-._~",
// the sub-delimiters "!$&'()*+,;=" and ":@/?" stay; everything else becomes %XX per UTF-8 byte.
QByteArray percentEncodedForQuery(const QString& text);
