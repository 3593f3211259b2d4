#include "support/FakeNetwork.h"

#include <QNetworkReply>
#include <QTimer>

namespace {

class FakeReply final : public QNetworkReply
{
public:
    FakeReply(const QNetworkRequest& request, const FakeNetwork::Response& response, QObject* parent)
        : QNetworkReply(parent)
        , m_body(response.body)
    {
        setRequest(request);
        setUrl(request.url());
        setOperation(QNetworkAccessManager::GetOperation);
        open(QIODevice::ReadOnly);
        if (response.neverAnswer) {
            if (request.transferTimeout() > 0)
                QTimer::singleShot(request.transferTimeout(), this, [this] {
                    fail(QNetworkReply::OperationCanceledError, "Operation timed out");
                });
            return;
        }
        for (const auto& [name, value] : response.headers)
            setRawHeader(name, value);
        QTimer::singleShot(response.delayMilliseconds, this, [this, status = response.status] {
            if (status == 0) {
                fail(QNetworkReply::ConnectionRefusedError, "Connection refused");
                return;
            }
            setAttribute(QNetworkRequest::HttpStatusCodeAttribute, status);
            Q_EMIT metaDataChanged();
            Q_EMIT downloadProgress(m_body.size(), m_body.size());
            if (isFinished())
                return; // aborted by whoever watched the progress
            if (status >= 400)
                setError(QNetworkReply::ContentNotFoundError, QStringLiteral("Error %1").arg(status));
            Q_EMIT readyRead();
            setFinished(true);
            Q_EMIT finished();
        });
    }

    void abort() override
    {
        if (!isFinished())
            fail(QNetworkReply::OperationCanceledError, "Operation canceled");
    }
    qint64 bytesAvailable() const override { return m_body.size() - m_offset + QIODevice::bytesAvailable(); }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char* data, qint64 maximum) override
    {
        const qint64 count = std::min(maximum, m_body.size() - m_offset);
        std::copy_n(m_body.constData() + m_offset, count, data);
        m_offset += count;
        return count;
    }

private:
    void fail(NetworkError code, const char* text)
    {
        m_body.clear();
        setError(code, QString::fromLatin1(text));
        setFinished(true);
        Q_EMIT errorOccurred(code);
        Q_EMIT finished();
    }

    QByteArray m_body;
    qint64 m_offset = 0;
};

} // namespace

QList<QByteArray> FakeNetwork::targets() const
{
    QList<QByteArray> all;
    for (const Request& request : requests)
        all.append(request.target);
    return all;
}

QNetworkReply* FakeNetwork::createRequest(Operation, const QNetworkRequest& request, QIODevice*)
{
    Request seen;
    seen.host = request.url().host();
    seen.target = request.url().toEncoded(QUrl::RemoveScheme | QUrl::RemoveAuthority);
    for (const QByteArray& name : request.rawHeaderList())
        seen.headers.insert(name.toLower(), request.rawHeader(name));
    requests.append(seen);
    return new FakeReply(request, m_responses.value(seen.target, {404, "Not Found", false, 0, {}}), this);
}
