#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QNetworkAccessManager>
#include <QString>

// An access manager that answers in process from canned responses, per request target
// (path and query), and records every request: no sockets, no waiting on a clock.
// Anything without a response is a 404. Answers come from the event loop, never at once.
class FakeNetwork : public QNetworkAccessManager
{
    Q_OBJECT

public:
    struct Response
    {
        int status = 200; // 0: the connection is refused
        QByteArray body;
        bool neverAnswer = false;  // stays open until the request's transfer time-out
        int delayMilliseconds = 0; // answers after this long, so a later request can overtake it
        QList<std::pair<QByteArray, QByteArray>> headers = {};
    };
    struct Request
    {
        QString host;
        QByteArray target;                     // path and query as sent
        QHash<QByteArray, QByteArray> headers; // names in lower case
    };

    using QNetworkAccessManager::QNetworkAccessManager;

    // "http://fake.test"
    static QString baseUrl() { return QStringLiteral("http://fake.test"); }
    void respond(const QByteArray& target, const Response& response) { m_responses.insert(target, response); }

    QList<Request> requests;
    QList<QByteArray> targets() const;

protected:
    QNetworkReply* createRequest(Operation operation, const QNetworkRequest& request,
                                 QIODevice* outgoingData) override;

private:
    QHash<QByteArray, Response> m_responses;
};
