#include "store/DirectorySkillSource.h"

#include "base/Log.h"
#include "store/SkillDownload.h"

#include <QStringDecoder>
#include <QTimer>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace {

// What is wrong with an answer of the directory that is not a list of hits.
Problem problemOf(const DecodingError& error)
{
    switch (error.kind) {
    case DecodingError::Kind::typeMismatch:
        return Problem::Kind::wrongDataType;
    case DecodingError::Kind::valueNotFound:
        return Problem::Kind::missingValue;
    case DecodingError::Kind::keyNotFound:
        return Problem::Kind::unexpectedFormat;
    case DecodingError::Kind::dataCorrupted:
        break;
    }
    return Problem::Kind::unreadableData;
}

SearchAnswer searchAnswerOf(const HttpAnswer& answer)
{
    if (!answer.status && !answer.tooLarge)
        return Problem(Problem::Kind::network, {answer.failure});
    if (answer.tooLarge || answer.status != 200)
        return Problem(Problem::Kind::invalidResponse);
    auto response = SkillSearchResponse::decode(answer.body);
    if (!response) {
        Log::line(response.error().logLine());
        return problemOf(response.error());
    }
    return response->skills;
}

} // namespace

StoreEndpoints StoreEndpoints::defaults()
{
    return {QStringLiteral(QUORVANE_DIRECTORY_URL), QStringLiteral(QUORVANE_DIRECTORY_NAME),
            QStringLiteral(QUORVANE_GITHUB_RAW_URL), QStringLiteral(QUORVANE_GITHUB_API_URL)};
}

QByteArray percentEncodedForQuery(const QString& text)
{
    static const QByteArray kept = "-._~!$&'()*+,;=:@/?";
    QByteArray encoded;
    for (const char c : text.toUtf8()) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte < 0x80 && std::isalnum(byte)) || kept.contains(c))
            encoded.append(c);
        else
            encoded.append('%').append(QByteArray::number(byte, 16).rightJustified(2, '0').toUpper());
    }
    return encoded;
}

DirectorySkillSource::DirectorySkillSource(QNetworkAccessManager& network, StoreEndpoints endpoints)
    : m_network(network)
    , m_endpoints(std::move(endpoints))
    , m_http(network, m_endpoints.timeout, maximumBodySize)
{}

QString DirectorySkillSource::downloadHost() const
{
    return QUrl(m_endpoints.rawBase).host();
}

void DirectorySkillSource::search(const QString& query, QObject* context,
                                  std::function<void(const SearchAnswer&)> done)
{
    // Encoded as one text, so an "&" or "=" the user typed reaches the directory as typed.
    const QUrl url = QUrl::fromEncoded(
        percentEncodedForQuery(m_endpoints.directoryBase + u"/api/search?q="_s + query + u"&limit=50"_s),
        QUrl::StrictMode);
    if (!url.isValid()) {
        QTimer::singleShot(0, context, [done] { done(Problem(Problem::Kind::searchUrlInvalid)); });
        return;
    }
    m_http.get(url, {}, context, [done](const HttpAnswer& answer) { done(searchAnswerOf(answer)); });
}

void DirectorySkillSource::download(const RemoteSkillItem& item, QObject* context,
                                    std::function<void(const DownloadAnswer&)> done)
{
    auto* download = new SkillDownload(m_http, m_endpoints, item, context);
    QObject::connect(download, &SkillDownload::finished, context,
                     [done](const FoundSkillFile& found) { done(found); });
    QObject::connect(download, &SkillDownload::failed, context,
                     [done](const Problem& error) { done(error); });
    download->start();
}

void DirectorySkillSource::fetch(const RemoteSkillItem& item, QObject* context,
                                 std::function<void(const FetchAnswer&)> done)
{
    const GitHubHosts hosts(m_endpoints.apiBase, m_endpoints.rawBase);
    if (!item.source)
        return download(item, context, [done](const DownloadAnswer& found) { done(found.error()); });
    const QString source = !item.sourceName.isEmpty() ? item.sourceName
                           : !displayName().isEmpty() ? displayName()
                                                      : *item.source;
    // A hit from an index knows its folder; the directory's hits are found by their SKILL.md.
    if (item.fromIndex)
        return SkillFolderFetch::fetch(m_network, m_endpoints.timeout, hosts,
                                       {source, *item.source, item.fromIndex->ref, item.fromIndex->skillPath},
                                       std::nullopt, context, done);
    download(item, context, [this, item, source, hosts, context, done](const DownloadAnswer& found) {
        if (!found)
            return done(found.error());
        const qsizetype slash = found->path.lastIndexOf(u'/');
        SkillFolderFetch::fetch(
            m_network, m_endpoints.timeout, hosts,
            {source, *item.source, found->branch, slash < 0 ? QString() : found->path.left(slash)},
            found->text.toUtf8(), context, done);
    });
}

void DirectorySkillSource::listRepository(const QString& repository, const QString& ref, QObject* context,
                                          std::function<void(const Result<RepositoryTree, Problem>&)> done)
{
    const GitHubHosts hosts(m_endpoints.apiBase, m_endpoints.rawBase);
    RepositoryTree::fetch(m_http, hosts, repository, ref, context, std::move(done));
}
