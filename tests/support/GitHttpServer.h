#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QTcpServer>

class QTcpSocket;

// git's smart HTTP on 127.0.0.1: each request handed to `git http-backend` as CGI, from the
// test's event loop. With credentials set, a request without them is answered 401, as a
// team's server answers one that its credential helper did not fill.
class GitHttpServer : public QObject
{
public:
    // Serves the bare repositories inside `root` (as http://127.0.0.1:PORT/NAME.git).
    explicit GitHttpServer(QString root);

    QString url() const;
    void requireCredentials(const QByteArray& user, const QByteArray& password);
    int requestsSeen = 0;

private:
    void serve(QTcpSocket& socket);

    QTcpServer m_server;
    QString m_root;
    QByteArray m_expectedAuthorization; // empty: anyone may read
    QHash<QTcpSocket*, QByteArray> m_buffers;
};
