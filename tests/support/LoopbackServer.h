#pragma once

#include <QHash>
#include <QList>
#include <QTcpServer>
#include <QTcpSocket>

// A plain HTTP server on 127.0.0.1 for tests that run the command-line tool as a second
// process: canned answers per request target, every request's target and headers kept.
// It serves from the test's event loop, one request per connection.
class LoopbackServer : public QObject
{
public:
    struct Answer
    {
        int status = 200;
        QByteArray body;
    };
    struct Seen
    {
        QByteArray target;
        QByteArray headers; // as sent, lower-cased
    };

    LoopbackServer()
    {
        m_server.listen(QHostAddress::LocalHost);
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = m_server.nextPendingConnection()) {
                socket->setParent(this);
                connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { serve(*socket); });
            }
        });
    }

    QString url() const { return QStringLiteral("http://127.0.0.1:%1").arg(m_server.serverPort()); }
    void answer(const QByteArray& target, const Answer& answer) { m_answers.insert(target, answer); }
    QList<Seen> seen;

private:
    void serve(QTcpSocket& socket)
    {
        QByteArray& buffer = m_buffers[&socket];
        buffer += socket.readAll();
        const qsizetype end = buffer.indexOf("\r\n\r\n");
        if (end < 0)
            return;
        const QByteArray head = buffer.left(end);
        const QByteArray target = head.split(' ').value(1);
        seen.append({target, head.mid(head.indexOf("\r\n") + 2).toLower()});
        const Answer reply = m_answers.value(target, {404, "Not Found"});
        socket.write("HTTP/1.1 " + QByteArray::number(reply.status) + " X\r\nContent-Length: " +
                     QByteArray::number(reply.body.size()) + "\r\nConnection: close\r\n\r\n" + reply.body);
        socket.disconnectFromHost();
        m_buffers.remove(&socket);
    }

    QTcpServer m_server;
    QHash<QByteArray, Answer> m_answers;
    QHash<QTcpSocket*, QByteArray> m_buffers;
};
