#include "store/GitHubIndexRefresh.h"

#include "model/SkillManifest.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QHash>
#include <QStringDecoder>
#include <QTimer>
#include <QUrl>

#include <nlohmann/json.hpp>

using namespace Qt::StringLiterals;

namespace {

QString folderOf(const QString& skillFilePath)
{
    const qsizetype slash = skillFilePath.lastIndexOf(u'/');
    return slash < 0 ? QString() : skillFilePath.left(slash);
}

QString lastComponent(const QString& path)
{
    return path.mid(path.lastIndexOf(u'/') + 1);
}

QString percentEncodedPath(const QString& path)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(path, "/"));
}

} // namespace

std::optional<QByteArray> GitHubHosts::tokenFromEnvironment()
{
    for (const char* name : {"GITHUB_TOKEN", "GH_TOKEN"}) {
        const QByteArray value = qgetenv(name).trimmed();
        if (!value.isEmpty())
            return value;
    }
    return std::nullopt;
}

GitHubIndexRefresh::GitHubIndexRefresh(const HttpClient& http, GitHubHosts hosts, GitHubRepository repository,
                                       std::optional<SkillIndex> cached, QObject* parent)
    : QObject(parent)
    , m_http(http)
    , m_hosts(std::move(hosts))
    , m_repository(std::move(repository))
    , m_cached(std::move(cached))
{}

QString GitHubIndexRefresh::messageFor(const HttpAnswer& answer, const QString& what)
{
    if (!answer.status && !answer.tooLarge)
        return SkillStoreError::networkError(answer.failure).description();
    const int status = answer.status.value_or(0);
    const QByteArray reset = answer.headers.value("x-ratelimit-reset");
    if ((status == 403 || status == 429) &&
        (answer.headers.value("x-ratelimit-remaining") == "0" || status == 429) && !reset.isEmpty()) {
        const QDateTime when = QDateTime::fromSecsSinceEpoch(reset.toLongLong()).toLocalTime();
        return tr("GitHub-Limit erreicht, wieder möglich um %1").arg(when.toString(u"HH:mm"_s));
    }
    if (status == 404)
        return tr("%1 nicht gefunden.").arg(what);
    return SkillStoreError::invalidResponse().description();
}

void GitHubIndexRefresh::start()
{
    HttpClient::Headers headers = {{"Accept", "application/vnd.github+json"}};
    if (m_hosts.token)
        headers.append({"Authorization", "Bearer " + *m_hosts.token});
    const QUrl url(m_hosts.apiBase + u"/repos/"_s + m_repository.fullName() + u"/git/trees/"_s +
                   QString::fromLatin1(QUrl::toPercentEncoding(m_repository.ref)) + u"?recursive=1"_s);
    m_http.get(url, headers, this, [this](const HttpAnswer& answer) { readTree(answer); });
}

void GitHubIndexRefresh::readTree(const HttpAnswer& answer)
{
    if (!answer.status || answer.status != 200 || answer.tooLarge) {
        Q_EMIT failed(messageFor(answer, m_repository.fullName() + u'@' + m_repository.ref));
        return;
    }
    const nlohmann::json document =
        nlohmann::json::parse(answer.body.cbegin(), answer.body.cend(), nullptr, false);
    const auto tree = document.is_object() ? document.find("tree") : document.end();
    if (!document.is_object() || tree == document.end() || !tree->is_array()) {
        Q_EMIT failed(SkillStoreError::invalidResponse().description());
        return;
    }
    m_index.treeSha = jsonText(document, "sha");
    m_index.truncated = document.value("truncated", false);
    m_index.refreshedAt = QDateTime::currentDateTimeUtc();

    QHash<QString, IndexedSkill> known;
    if (m_cached)
        for (const IndexedSkill& skill : std::as_const(m_cached->skills))
            known.insert(skill.path, skill);
    for (const nlohmann::json& entry : *tree) {
        if (!entry.is_object() || jsonText(entry, "type") != u"blob"_s)
            continue;
        const QString path = jsonText(entry, "path");
        if (lastComponent(path) != SkillManifest::fileName || !m_repository.contains(path))
            continue;
        const QString folder = folderOf(path);
        const QString blobSha = jsonText(entry, "sha");
        const IndexedSkill cached = known.value(folder);
        if (!cached.blobSha.isEmpty() && cached.blobSha == blobSha) {
            m_index.skills.append(cached);
            continue;
        }
        m_index.skills.append(
            {folder, blobSha, folder.isEmpty() ? m_repository.name : lastComponent(folder), {}});
        m_toDownload.append(m_index.skills.size() - 1);
    }
    for (int i = 0; i < parallelDownloads; ++i)
        downloadNext();
    finishIfDone();
}

void GitHubIndexRefresh::downloadNext()
{
    if (m_toDownload.isEmpty())
        return;
    const qsizetype position = m_toDownload.takeFirst();
    const IndexedSkill& skill = m_index.skills[position];
    const QString file =
        skill.path.isEmpty() ? SkillManifest::fileName : skill.path + u'/' + SkillManifest::fileName;
    ++m_running;
    // The raw service gets no token: it is another host.
    m_http.getText(m_hosts.rawBase + m_repository.fullName() + u'/' + m_repository.ref + u'/' +
                       percentEncodedPath(file),
                   this, [this, position](const Result<QString, SkillStoreError>& answer) {
                       --m_running;
                       if (answer) {
                           if (const auto manifest = SkillManifest::read(answer.value().toUtf8())) {
                               IndexedSkill& read = m_index.skills[position];
                               if (manifest->name && !manifest->name->isEmpty())
                                   read.name = *manifest->name;
                               read.description = manifest->description.value_or(QString());
                           }
                       } else {
                           // Listed without its description; the next refresh tries again.
                           m_index.skills[position].blobSha.clear();
                       }
                       downloadNext();
                       finishIfDone();
                   });
}

void GitHubIndexRefresh::finishIfDone()
{
    if (m_running == 0 && m_toDownload.isEmpty())
        Q_EMIT finished(m_index);
}
