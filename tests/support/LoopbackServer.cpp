#include "support/LoopbackServer.h"

#include <QTcpSocket>

LoopbackServer::LoopbackServer(Handler handler)
    : m_handler(std::move(handler))
{
    m_server.listen(QHostAddress::LocalHost);
    connect(&m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* socket = m_server.nextPendingConnection()) {
            socket->setParent(this);
            connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { serve(*socket); });
            connect(socket, &QTcpSocket::disconnected, socket, [this, socket] {
                m_buffers.remove(socket);
                socket->deleteLater();
            });
        }
    });
}

QString LoopbackServer::url() const
{
    return QStringLiteral("http://127.0.0.1:%1").arg(m_server.serverPort());
}

void LoopbackServer::serve(QTcpSocket& socket)
{
    QByteArray& buffer = m_buffers[&socket];
    buffer += socket.readAll();
    const qsizetype end = buffer.indexOf("\r\n\r\n");
    if (end < 0)
        return;
    const QByteArray head = buffer.left(end);
    const QList<QByteArray> lines = head.split('\n');
    Request request;
    for (const QByteArray& line : lines.mid(1))
        if (const qsizetype colon = line.indexOf(':'); colon > 0)
            request.headers.insert(line.left(colon).trimmed().toLower(), line.mid(colon + 1).trimmed());
    const qsizetype length = request.headers.value("content-length", "0").toLongLong();
    if (buffer.size() < end + 4 + length)
        return; // the body is still coming
    const QList<QByteArray> requestLine = lines.first().trimmed().split(' ');
    request.method = requestLine.value(0);
    request.target = requestLine.value(1);
    request.body = buffer.mid(end + 4, length);
    m_buffers.remove(&socket);
    seen.append({request.target, head.mid(head.indexOf("\r\n") + 2).toLower()});
    const Answer reply = m_handler ? m_handler(request) : m_answers.value(request.target, {404, "Not Found"});
    socket.write("HTTP/1.1 " + QByteArray::number(reply.status) + " X\r\n" + reply.headers +
                 "Content-Length: " + QByteArray::number(reply.body.size()) +
                 "\r\nConnection: close\r\n\r\n" + reply.body);
    socket.disconnectFromHost();
}
