#include "store/GitHubIndexRefresh.h"

#include "model/SkillManifest.h"

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

} // namespace

GitHubIndexRefresh::GitHubIndexRefresh(const HttpClient& http, GitHubHosts hosts, GitHubRepository repository,
                                       std::optional<SkillIndex> cached, QObject* parent)
    : QObject(parent)
    , m_http(http)
    , m_hosts(std::move(hosts))
    , m_repository(std::move(repository))
    , m_cached(std::move(cached))
{}

void GitHubIndexRefresh::start()
{
    RepositoryTree::fetch(m_http, m_hosts, m_repository.fullName(), m_repository.ref, this,
                          [this](const Result<RepositoryTree, Problem>& tree) {
                              if (tree)
                                  readTree(tree.value());
                              else
                                  Q_EMIT failed(tree.error());
                          });
}

void GitHubIndexRefresh::readTree(const RepositoryTree& tree)
{
    m_index.treeSha = tree.sha;
    m_index.truncated = tree.truncated;
    m_index.refreshedAt = QDateTime::currentDateTimeUtc();

    QHash<QString, IndexedSkill> known;
    if (m_cached)
        for (const IndexedSkill& skill : std::as_const(m_cached->skills))
            known.insert(skill.path, skill);
    for (const TreeEntry& entry : tree.entries) {
        if (entry.type != u"blob"_s)
            continue;
        const QString& path = entry.path;
        if (lastComponent(path) != SkillManifest::fileName || !m_repository.contains(path))
            continue;
        const QString folder = folderOf(path);
        const QString& blobSha = entry.sha;
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
    const GitHubRequest request = m_hosts.file(m_repository.fullName(), m_repository.ref, file);
    m_http.getText(request.url, request.headers, this,
                   [this, position](const Result<QString, Problem>& answer) {
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
