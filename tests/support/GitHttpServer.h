#pragma once

#include "support/LoopbackServer.h"

// git's smart HTTP on 127.0.0.1: each request handed to `git http-backend` as CGI, from the
// test's event loop. With credentials set, a request without them is answered 401, as a
// team's server answers one that its credential helper did not fill.
class GitHttpServer
{
public:
    // Serves the bare repositories inside `root` (as http://127.0.0.1:PORT/NAME.git).
    explicit GitHttpServer(QString root);

    QString url() const { return m_server.url(); }
    void requireCredentials(const QByteArray& user, const QByteArray& password);
    qsizetype requestsSeen() const { return m_server.seen.size(); }

private:
    LoopbackServer::Answer respond(const LoopbackServer::Request& request) const;

    QString m_root;
    QByteArray m_expectedAuthorization; // empty: anyone may read
    LoopbackServer m_server{[this](const LoopbackServer::Request& request) {
        return respond(request);
    }};
};
