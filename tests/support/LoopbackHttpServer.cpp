#include "support/LoopbackHttpServer.h"

#include <QTcpServer>
#include <QTcpSocket>

LoopbackHttpServer::LoopbackHttpServer()
    : m_server(new QTcpServer(this))
{
    m_server->listen(QHostAddress::LocalHost);
    connect(m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* socket = m_server->nextPendingConnection()) {
            socket->setParent(this);
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { serve(socket); });
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
}

LoopbackHttpServer::~LoopbackHttpServer() = default;

QString LoopbackHttpServer::baseUrl() const
{
    return QStringLiteral("http://127.0.0.1:%1").arg(m_server->serverPort());
}

QList<QByteArray> LoopbackHttpServer::targets() const
{
    QList<QByteArray> list;
    for (const Request& request : requests)
        list.append(request.target);
    return list;
}

void LoopbackHttpServer::serve(QTcpSocket* socket)
{
    // Requests are small GETs: wait until the whole head is there.
    QByteArray head = socket->property("head").toByteArray() + socket->readAll();
    socket->setProperty("head", head);
    const qsizetype end = head.indexOf("\r\n\r\n");
    if (end < 0)
        return;

    const QList<QByteArray> lines = head.left(end).split('\n');
    Request request;
    const QList<QByteArray> requestLine = lines.value(0).trimmed().split(' ');
    request.target = requestLine.value(1);
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const qsizetype colon = lines[i].indexOf(':');
        if (colon > 0)
            request.headers.insert(lines[i].left(colon).trimmed().toLower(),
                                   lines[i].mid(colon + 1).trimmed());
    }
    requests.append(request);

    const Response response = m_responses.value(request.target, Response{404, "Not Found", false});
    if (response.neverAnswer)
        return;
    QByteArray answer = "HTTP/1.1 " + QByteArray::number(response.status) + " Canned\r\n";
    answer +=
        "Content-Type: application/json\r\nContent-Length: " + QByteArray::number(response.body.size()) +
        "\r\nConnection: close\r\n\r\n" + response.body;
    socket->write(answer);
    socket->disconnectFromHost();
}
