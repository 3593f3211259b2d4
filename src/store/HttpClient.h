#pragma once

#include "base/Problem.h"
#include "base/Result.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QUrl>

#include <chrono>
#include <functional>
#include <optional>
#include <utility>

class QNetworkAccessManager;
class QObject;

// What one GET request brought back.
struct HttpAnswer
{
    std::optional<int> status; // present when a response came
    QByteArray body;
    QString failure;                       // the request's own error when no response came
    bool tooLarge = false;                 // the body passed the size limit and the request was cut off
    QHash<QByteArray, QByteArray> headers; // the response's, names in lower case
};

// GET requests with a transfer time-out and a body size limit, answered through a
// callback on the calling thread; never a nested event loop.
class HttpClient
{
public:
    using Headers = QList<std::pair<QByteArray, QByteArray>>;

    HttpClient(QNetworkAccessManager& manager, std::chrono::milliseconds timeout, qint64 maximumBodySize);

    // `done` runs once, unless `context` is destroyed first, which aborts the request.
    // A request that carries an Authorization header follows redirects only on its own
    // origin, so the credential never reaches another host.
    void get(const QUrl& url, const Headers& headers, QObject* context,
             std::function<void(const HttpAnswer&)> done) const;
    // The body of one address as UTF-8 text, or the error; `done` runs unless `context` goes first.
    void getText(const QString& address, QObject* context,
                 std::function<void(const Result<QString, Problem>&)> done) const;
    void getText(const QUrl& url, const Headers& headers, QObject* context,
                 std::function<void(const Result<QString, Problem>&)> done) const;

private:
    QNetworkAccessManager& m_manager;
    std::chrono::milliseconds m_timeout;
    qint64 m_maximumBodySize;
};
