#include "store/HttpClient.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QStringDecoder>

#include <memory>

HttpClient::HttpClient(QNetworkAccessManager& manager, std::chrono::milliseconds timeout,
                       qint64 maximumBodySize)
    : m_manager(manager)
    , m_timeout(timeout)
    , m_maximumBodySize(maximumBodySize)
{}

void HttpClient::get(const QUrl& url, const Headers& headers, QObject* context,
                     std::function<void(const HttpAnswer&)> done) const
{
    QNetworkRequest request(url);
    request.setTransferTimeout(static_cast<int>(m_timeout.count()));
    for (const auto& [name, value] : headers) {
        request.setRawHeader(name, value);
        if (name.compare("Authorization", Qt::CaseInsensitive) == 0)
            request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                                 QNetworkRequest::SameOriginRedirectPolicy);
    }
    QNetworkReply* reply = m_manager.get(request);
    QObject::connect(reply, &QNetworkReply::finished, reply, &QObject::deleteLater);
    // An answer nobody waits for any more is not waited for either. The context is being
    // destroyed then, so the answer must not reach it, however the abort reports itself.
    auto cancelled = std::make_shared<bool>(false);
    QObject::connect(context, &QObject::destroyed, reply, [reply, cancelled] {
        *cancelled = true;
        if (!reply->isFinished())
            reply->abort();
    });

    auto tooLarge = std::make_shared<bool>(false);
    QObject::connect(reply, &QNetworkReply::downloadProgress, reply,
                     [reply, tooLarge, limit = m_maximumBodySize](qint64 received, qint64) {
                         if (received > limit && !*tooLarge) {
                             *tooLarge = true;
                             reply->abort();
                         }
                     });
    QObject::connect(reply, &QNetworkReply::finished, context,
                     [reply, tooLarge, cancelled, done = std::move(done)] {
                         if (*cancelled)
                             return;
                         HttpAnswer answer;
                         answer.tooLarge = *tooLarge;
                         const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
                         if (status.isValid())
                             answer.status = status.toInt();
                         for (const auto& [name, value] : reply->rawHeaderPairs())
                             answer.headers.insert(name.toLower(), value);
                         if (answer.status && !answer.tooLarge)
                             answer.body = reply->readAll();
                         else
                             answer.failure = reply->errorString();
                         done(answer);
                     });
}

void HttpClient::getText(const QString& address, QObject* context,
                         std::function<void(const Result<QString, Problem>&)> done) const
{
    const QUrl url = QUrl::fromEncoded(address.toUtf8(), QUrl::StrictMode);
    if (!url.isValid() || url.scheme().isEmpty()) {
        QMetaObject::invokeMethod(
            context, [done] { done(Problem(Problem::Kind::invalidUrl)); }, Qt::QueuedConnection);
        return;
    }
    getText(url, {}, context, std::move(done));
}

void HttpClient::getText(const QUrl& url, const Headers& headers, QObject* context,
                         std::function<void(const Result<QString, Problem>&)> done) const
{
    get(url, headers, context, [done](const HttpAnswer& answer) {
        if (!answer.status && !answer.tooLarge)
            return done(Problem(Problem::Kind::network, {answer.failure}));
        if (answer.tooLarge || answer.status != 200)
            return done(Problem(Problem::Kind::invalidResponse));
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString text = decoder.decode(answer.body);
        if (decoder.hasError())
            return done(Problem(Problem::Kind::decoding, {QStringLiteral("UTF-8")}));
        done(text);
    });
}
