#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QString>

class QTcpServer;
class QTcpSocket;

// A small HTTP/1.1 server on 127.0.0.1 for tests: answers GET requests from canned
// responses (404 for anything else) and records every request it was sent.
class LoopbackHttpServer : public QObject
{
    Q_OBJECT

public:
    struct Response
    {
        int status = 200;
        QByteArray body;
        bool neverAnswer = false; // accept the request and keep silent
    };
    struct Request
    {
        QByteArray target;                     // path and query as sent on the request line
        QHash<QByteArray, QByteArray> headers; // names in lower case
    };

    LoopbackHttpServer();
    ~LoopbackHttpServer() override;

    // "http://127.0.0.1:<port>"
    QString baseUrl() const;
    void respond(const QByteArray& target, const Response& response) { m_responses.insert(target, response); }

    QList<Request> requests;
    QList<QByteArray> targets() const;

private:
    void serve(QTcpSocket* socket);

    QTcpServer* m_server;
    QHash<QByteArray, Response> m_responses;
};
