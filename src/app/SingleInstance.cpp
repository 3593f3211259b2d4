#include "app/SingleInstance.h"

#include <QCryptographicHash>
#include <QLocalSocket>

using namespace Qt::StringLiterals;

namespace {
constexpr int answerMilliseconds = 1000;
const QByteArray activate = "activate\n";
} // namespace

SingleInstance::SingleInstance(const QString& name, QObject* parent)
    : QObject(parent)
    , m_name(name)
{
    connect(&m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = m_server.nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                if (socket->readAll().contains(activate))
                    Q_EMIT activationRequested();
                socket->disconnectFromServer();
            });
        }
    });
}

QString SingleInstance::nameForStore(const QString& storeFilePath)
{
    // The socket lives in a shared temporary folder: the hash keeps one user's stores apart
    // and the path out of sight.
    const QByteArray key =
        QCryptographicHash::hash(storeFilePath.toUtf8(), QCryptographicHash::Sha256).toHex();
    return u"quorvane-"_s + QString::fromLatin1(key.left(24));
}

bool SingleInstance::handToRunningInstance() const
{
    QLocalSocket socket;
    socket.connectToServer(m_name);
    if (!socket.waitForConnected(answerMilliseconds))
        return false;
    socket.write(activate);
    return socket.waitForBytesWritten(answerMilliseconds);
}

bool SingleInstance::listen()
{
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    if (m_server.listen(m_name))
        return true;
    // A socket left by an instance that crashed answers no one: it is taken over.
    QLocalServer::removeServer(m_name);
    return m_server.listen(m_name);
}
