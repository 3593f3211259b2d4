#include "store/DirectorySkillSource.h"

#include "base/Log.h"
#include "store/SkillDownload.h"

#include <QCoreApplication>
#include <QStringDecoder>
#include <QTimer>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace {

// The user's message for an answer of the directory that is not a list of hits.
QString messageFor(const DecodingError& error)
{
    switch (error.kind) {
    case DecodingError::Kind::typeMismatch:
        return DirectorySkillSource::tr("Falscher Datentyp.");
    case DecodingError::Kind::valueNotFound:
        return DirectorySkillSource::tr("Fehlender Datenwert.");
    case DecodingError::Kind::keyNotFound:
        return DirectorySkillSource::tr("Unerwartetes Datenformat.");
    case DecodingError::Kind::dataCorrupted:
        break;
    }
    return DirectorySkillSource::tr("Fehler beim Lesen der Daten.");
}

SearchAnswer searchAnswerOf(const HttpAnswer& answer)
{
    if (!answer.status && !answer.tooLarge)
        return SkillStoreError::networkError(answer.failure).description();
    if (answer.tooLarge || answer.status != 200)
        return SkillStoreError::invalidResponse().description();
    auto response = SkillSearchResponse::decode(answer.body);
    if (!response) {
        Log::line(response.error().logLine());
        return messageFor(response.error());
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
        QTimer::singleShot(0, context,
                           [done] { done(DirectorySkillSource::tr("Fehler beim Erstellen der Such-URL.")); });
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
                     [done](const SkillStoreError& error) { done(error); });
    download->start();
}

void DirectorySkillSource::fetch(const RemoteSkillItem& item, QObject* context,
                                 std::function<void(const FetchAnswer&)> done)
{
    const GitHubHosts hosts{m_endpoints.apiBase, m_endpoints.rawBase, GitHubHosts::tokenFromEnvironment()};
    if (!item.source)
        return download(item, context,
                        [done](const DownloadAnswer& found) { done(found.error().description()); });
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
            return done(found.error().description());
        const qsizetype slash = found->path.lastIndexOf(u'/');
        SkillFolderFetch::fetch(
            m_network, m_endpoints.timeout, hosts,
            {source, *item.source, found->branch, slash < 0 ? QString() : found->path.left(slash)},
            found->text.toUtf8(), context, done);
    });
}

void DirectorySkillSource::listRepository(const QString& repository, const QString& ref, QObject* context,
                                          std::function<void(const Result<RepositoryTree, QString>&)> done)
{
    const GitHubHosts hosts{m_endpoints.apiBase, m_endpoints.rawBase, GitHubHosts::tokenFromEnvironment()};
    RepositoryTree::fetch(m_http, hosts, repository, ref, context, std::move(done));
}
