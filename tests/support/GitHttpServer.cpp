#include "support/GitHttpServer.h"

#include <QProcess>

using namespace Qt::StringLiterals;

GitHttpServer::GitHttpServer(QString root)
    : m_root(std::move(root))
{}

void GitHttpServer::requireCredentials(const QByteArray& user, const QByteArray& password)
{
    m_expectedAuthorization = "basic " + QByteArray(user + ":" + password).toBase64();
}

LoopbackServer::Answer GitHttpServer::respond(const LoopbackServer::Request& request) const
{
    if (!m_expectedAuthorization.isEmpty() &&
        request.headers.value("authorization").toLower() != m_expectedAuthorization.toLower())
        return {401, "no", "WWW-Authenticate: Basic realm=\"team\"\r\n"};
    const qsizetype question = request.target.indexOf('?');
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"GIT_PROJECT_ROOT"_s, m_root);
    environment.insert(u"GIT_HTTP_EXPORT_ALL"_s, u"1"_s);
    environment.insert(u"REQUEST_METHOD"_s, QString::fromLatin1(request.method));
    environment.insert(u"PATH_INFO"_s,
                       QString::fromLatin1(question < 0 ? request.target : request.target.left(question)));
    environment.insert(u"QUERY_STRING"_s,
                       QString::fromLatin1(question < 0 ? QByteArray() : request.target.mid(question + 1)));
    environment.insert(u"CONTENT_TYPE"_s, QString::fromLatin1(request.headers.value("content-type")));
    environment.insert(u"CONTENT_LENGTH"_s, QString::number(request.body.size()));
    environment.insert(u"HTTP_CONTENT_ENCODING"_s,
                       QString::fromLatin1(request.headers.value("content-encoding")));
    environment.insert(u"GIT_PROTOCOL"_s, QString::fromLatin1(request.headers.value("git-protocol")));
    environment.insert(u"REMOTE_ADDR"_s, u"127.0.0.1"_s);
    QProcess backend;
    backend.setProcessEnvironment(environment);
    backend.start(u"git"_s, {u"http-backend"_s});
    backend.write(request.body);
    backend.closeWriteChannel();
    backend.waitForFinished(30000);
    // A CGI answer: headers, a blank line, the body; "Status:" says what is not 200.
    const QByteArray output = backend.readAllStandardOutput();
    const qsizetype split = output.indexOf("\r\n\r\n");
    LoopbackServer::Answer answer{200, split < 0 ? QByteArray() : output.mid(split + 4)};
    for (const QByteArray& line : (split < 0 ? QByteArray() : output.left(split)).split('\n')) {
        if (line.trimmed().isEmpty())
            continue;
        if (line.toLower().startsWith("status:"))
            answer.status = line.mid(7).trimmed().split(' ').value(0).toInt();
        else
            answer.headers += line.trimmed() + "\r\n";
    }
    return answer;
}
