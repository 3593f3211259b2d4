#include "HttpClient.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

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
    for (const auto& [name, value] : headers)
        request.setRawHeader(name, value);
    QNetworkReply* reply = m_manager.get(request);

    auto tooLarge = std::make_shared<bool>(false);
    QObject::connect(reply, &QNetworkReply::downloadProgress, reply,
                     [reply, tooLarge, limit = m_maximumBodySize](qint64 received, qint64) {
                         if (received > limit && !*tooLarge) {
                             *tooLarge = true;
                             reply->abort();
                         }
                     });
    QObject::connect(reply, &QNetworkReply::finished, context, [reply, tooLarge, done = std::move(done)] {
        reply->deleteLater();
        HttpAnswer answer;
        answer.tooLarge = *tooLarge;
        const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
        if (status.isValid())
            answer.status = status.toInt();
        if (answer.status && !answer.tooLarge)
            answer.body = reply->readAll();
        else
            answer.failure = reply->errorString();
        done(answer);
    });
}
