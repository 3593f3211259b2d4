#include "SkillStoreService.h"

#include "HttpClient.h"
#include "Log.h"
#include "SkillDownload.h"

#include <QNetworkAccessManager>
#include <QStringDecoder>
#include <QTextBoundaryFinder>
#include <QUrl>

using namespace Qt::StringLiterals;

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

qsizetype userPerceivedLength(const QString& text)
{
    QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, text);
    qsizetype count = 0;
    while (graphemes.toNextBoundary() != -1)
        ++count;
    return count;
}

SkillStoreService::SkillStoreService(StoreEndpoints endpoints, QObject* parent)
    : QObject(parent)
    , m_endpoints(std::move(endpoints))
    , m_network(new QNetworkAccessManager(this))
    , m_http(std::make_unique<HttpClient>(*m_network, m_endpoints.timeout, maximumBodySize))
{}

SkillStoreService::~SkillStoreService() = default;

void SkillStoreService::setSearchResults(const QList<RemoteSkillItem>& results)
{
    m_searchResults = results;
    Q_EMIT searchResultsChanged();
}

void SkillStoreService::setIsSearching(bool searching)
{
    m_isSearching = searching;
    Q_EMIT isSearchingChanged();
}

void SkillStoreService::setErrorMessage(const std::optional<QString>& message)
{
    m_errorMessage = message;
    Q_EMIT errorMessageChanged();
}

void SkillStoreService::search(const QString& query)
{
    if (userPerceivedLength(query) < 2) {
        setSearchResults({});
        return;
    }
    setIsSearching(true);
    setErrorMessage(std::nullopt);

    // Encoded as one text, so an "&" or "=" the user typed reaches the directory as typed.
    const QUrl url = QUrl::fromEncoded(
        percentEncodedForQuery(m_endpoints.directoryBase + u"/api/search?q="_s + query + u"&limit=50"_s),
        QUrl::StrictMode);
    if (!url.isValid()) {
        setErrorMessage(u"Fehler beim Erstellen der Such-URL."_s);
        setIsSearching(false);
        return;
    }
    m_http->get(url, {}, this, [this](const HttpAnswer& answer) { takeSearchAnswer(answer); });
}

void SkillStoreService::takeSearchAnswer(const HttpAnswer& answer)
{
    if (!answer.status && !answer.tooLarge) {
        setErrorMessage(SkillStoreError::networkError(answer.failure).description());
        setIsSearching(false);
        return;
    }
    if (answer.tooLarge || answer.status != 200) {
        setErrorMessage(SkillStoreError::invalidResponse().description());
        setIsSearching(false);
        return;
    }
    auto response = SkillSearchResponse::decode(answer.body);
    if (response) {
        setSearchResults(response->skills);
        setIsSearching(false);
        return;
    }
    const DecodingError& error = response.error();
    Log::line(error.logLine());
    switch (error.kind) {
    case DecodingError::Kind::typeMismatch:
        setErrorMessage(u"Falscher Datentyp."_s);
        break;
    case DecodingError::Kind::valueNotFound:
        setErrorMessage(u"Fehlender Datenwert."_s);
        break;
    case DecodingError::Kind::keyNotFound:
        setErrorMessage(u"Unerwartetes Datenformat."_s);
        break;
    case DecodingError::Kind::dataCorrupted:
        setErrorMessage(u"Fehler beim Lesen der Daten."_s);
        break;
    }
    setIsSearching(false);
}

void SkillStoreService::fetchText(const QString& address, QObject* context,
                                  std::function<void(const Result<QString, SkillStoreError>&)> done)
{
    const QUrl url = QUrl::fromEncoded(address.toUtf8(), QUrl::StrictMode);
    if (!url.isValid() || url.scheme().isEmpty()) {
        QMetaObject::invokeMethod(
            context, [done] { done(SkillStoreError::invalidURL()); }, Qt::QueuedConnection);
        return;
    }
    m_http->get(url, {}, context, [done](const HttpAnswer& answer) {
        if (!answer.status && !answer.tooLarge)
            return done(SkillStoreError::networkError(answer.failure));
        if (answer.tooLarge || answer.status != 200)
            return done(SkillStoreError::invalidResponse());
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString text = decoder.decode(answer.body);
        if (decoder.hasError())
            return done(SkillStoreError::decodingError(u"Failed to decode UTF-8 text."_s));
        done(text);
    });
}

SkillDownload* SkillStoreService::downloadSkill(const RemoteSkillItem& item)
{
    auto* download = new SkillDownload(*this, item);
    download->start();
    return download;
}
