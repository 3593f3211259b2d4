#include "support/GitHttpServer.h"

#include <QProcess>
#include <QTcpSocket>

using namespace Qt::StringLiterals;

GitHttpServer::GitHttpServer(QString root)
    : m_root(std::move(root))
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

QString GitHttpServer::url() const
{
    return u"http://127.0.0.1:%1"_s.arg(m_server.serverPort());
}

void GitHttpServer::requireCredentials(const QByteArray& user, const QByteArray& password)
{
    m_expectedAuthorization = "basic " + QByteArray(user + ":" + password).toBase64();
}

void GitHttpServer::serve(QTcpSocket& socket)
{
    QByteArray& buffer = m_buffers[&socket];
    buffer += socket.readAll();
    const qsizetype end = buffer.indexOf("\r\n\r\n");
    if (end < 0)
        return;
    QHash<QByteArray, QByteArray> headers;
    const QList<QByteArray> lines = buffer.left(end).split('\n');
    for (const QByteArray& line : lines.mid(1))
        if (const qsizetype colon = line.indexOf(':'); colon > 0)
            headers.insert(line.left(colon).trimmed().toLower(), line.mid(colon + 1).trimmed());
    const qsizetype length = headers.value("content-length", "0").toLongLong();
    if (buffer.size() < end + 4 + length)
        return; // the body is still coming
    const QList<QByteArray> requestLine = lines.first().trimmed().split(' ');
    const QByteArray body = buffer.mid(end + 4, length);
    m_buffers.remove(&socket);
    ++requestsSeen;

    const auto reply = [&socket](const QByteArray& head, const QByteArray& content) {
        socket.write(head + "Content-Length: " + QByteArray::number(content.size()) +
                     "\r\nConnection: close\r\n\r\n" + content);
        socket.disconnectFromHost();
    };
    if (!m_expectedAuthorization.isEmpty() &&
        headers.value("authorization").toLower() != m_expectedAuthorization.toLower())
        return reply("HTTP/1.1 401 Unauthorized\r\nWWW-Authenticate: Basic realm=\"team\"\r\n", "no");

    const QByteArray target = requestLine.value(1);
    const qsizetype question = target.indexOf('?');
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"GIT_PROJECT_ROOT"_s, m_root);
    environment.insert(u"GIT_HTTP_EXPORT_ALL"_s, u"1"_s);
    environment.insert(u"REQUEST_METHOD"_s, QString::fromLatin1(requestLine.value(0)));
    environment.insert(u"PATH_INFO"_s, QString::fromLatin1(question < 0 ? target : target.left(question)));
    environment.insert(u"QUERY_STRING"_s,
                       QString::fromLatin1(question < 0 ? QByteArray() : target.mid(question + 1)));
    environment.insert(u"CONTENT_TYPE"_s, QString::fromLatin1(headers.value("content-type")));
    environment.insert(u"CONTENT_LENGTH"_s, QString::number(body.size()));
    environment.insert(u"HTTP_CONTENT_ENCODING"_s, QString::fromLatin1(headers.value("content-encoding")));
    environment.insert(u"GIT_PROTOCOL"_s, QString::fromLatin1(headers.value("git-protocol")));
    environment.insert(u"REMOTE_ADDR"_s, u"127.0.0.1"_s);
    QProcess backend;
    backend.setProcessEnvironment(environment);
    backend.start(u"git"_s, {u"http-backend"_s});
    backend.write(body);
    backend.closeWriteChannel();
    backend.waitForFinished(30000);
    // A CGI answer: headers, a blank line, the body; "Status:" says what is not 200.
    const QByteArray output = backend.readAllStandardOutput();
    const qsizetype split = output.indexOf("\r\n\r\n");
    QByteArray head = split < 0 ? QByteArray() : output.left(split);
    QByteArray status = "200 OK";
    QByteArray kept;
    for (const QByteArray& line : head.split('\n')) {
        if (line.trimmed().isEmpty())
            continue;
        if (line.toLower().startsWith("status:"))
            status = line.mid(7).trimmed();
        else
            kept += line.trimmed() + "\r\n";
    }
    reply("HTTP/1.1 " + status + "\r\n" + kept, split < 0 ? QByteArray() : output.mid(split + 4));
}
