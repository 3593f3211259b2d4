#pragma once

#include <QHash>
#include <QList>
#include <QTcpServer>

#include <functional>

class QTcpSocket;

// A plain HTTP server on 127.0.0.1 for tests whose requests come from a second process (the
// command-line tool, git): canned answers per request target, or a handler that answers each
// request; every request's target and headers are kept. It serves from the test's event loop,
// one request per connection.
class LoopbackServer : public QObject
{
public:
    struct Answer
    {
        int status = 200;
        QByteArray body;
        QByteArray headers = {}; // more header lines, each ending in "\r\n"
    };
    struct Seen
    {
        QByteArray target;
        QByteArray headers; // as sent, lower-cased
    };
    struct Request
    {
        QByteArray method;
        QByteArray target;
        QHash<QByteArray, QByteArray> headers; // by lower-cased name
        QByteArray body;
    };
    using Handler = std::function<Answer(const Request&)>;

    explicit LoopbackServer(Handler handler = {});

    QString url() const;
    void answer(const QByteArray& target, const Answer& answer) { m_answers.insert(target, answer); }
    QList<Seen> seen;

private:
    void serve(QTcpSocket& socket);

    QTcpServer m_server;
    Handler m_handler;
    QHash<QByteArray, Answer> m_answers;
    QHash<QTcpSocket*, QByteArray> m_buffers;
};
