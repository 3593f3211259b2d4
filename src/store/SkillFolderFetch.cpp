#include "store/SkillFolderFetch.h"

#include "access/ItemName.h"
#include "base/Problem.h"
#include "model/SkillManifest.h"

#include <QTimer>

#include <limits.h>

using namespace Qt::StringLiterals;

namespace {

// Shows a path from outside with its control characters made visible.
QString printable(const QString& path)
{
    QString shown;
    for (const QChar c : path)
        shown += c.category() == QChar::Other_Control ? u"\\x%1"_s.arg(int(c.unicode()), 2, 16, QChar(u'0'))
                                                      : QString(c);
    return shown;
}

bool isUsablePath(const QString& relativePath)
{
    if (relativePath.isEmpty() || relativePath.startsWith(u'/') ||
        relativePath.toUtf8().size() >= PATH_MAX / 2)
        return false;
    const QStringList components = relativePath.split(u'/');
    return std::all_of(components.cbegin(), components.cend(), [](const QString& component) {
        return checkItemName(component).ok() && component.toUtf8().size() <= NAME_MAX;
    });
}

} // namespace

Result<SkillFolderPlan, Problem> SkillFolderPlan::make(const RepositoryTree& tree, const QString& folder)
{
    SkillFolderPlan plan;
    const auto folderSha = tree.folderSha(folder);
    if (!folderSha)
        return Problem(Problem::Kind::folderNotInRepository, {printable(folder)});
    plan.folderSha = *folderSha;
    const QString prefix = folder.isEmpty() ? QString() : folder + u'/';
    for (const TreeEntry& entry : tree.entries) {
        if (!entry.path.startsWith(prefix) || entry.type == u"tree"_s)
            continue;
        const QString relativePath = entry.path.mid(prefix.size());
        if (!isUsablePath(relativePath))
            return Problem(Problem::Kind::unusablePath, {printable(relativePath)});
        // A link could point anywhere and a submodule is another repository: neither is fetched.
        if (entry.type == u"commit"_s || entry.mode == u"120000"_s) {
            plan.skipped.append(relativePath);
            continue;
        }
        if (entry.type != u"blob"_s)
            continue;
        plan.files.append({relativePath, entry.sha, entry.size, entry.mode == u"100755"_s});
        plan.totalBytes += entry.size.value_or(0);
    }
    if (plan.files.size() > maximumFiles)
        return Problem(Problem::Kind::tooManyFiles,
                       {QString::number(plan.files.size()), QString::number(maximumFiles)});
    if (plan.totalBytes > maximumBytes)
        return Problem(Problem::Kind::tooLarge,
                       {QString::number(double(plan.totalBytes) / (1024 * 1024), 'f', 1),
                        QString::number(maximumBytes / (1024 * 1024))});
    if (std::none_of(plan.files.cbegin(), plan.files.cend(),
                     [](const File& file) { return file.relativePath == SkillManifest::fileName; }))
        return Problem(Problem::Kind::noSkillFileInFolder, {printable(folder)});
    return plan;
}

SkillFolderFetch::SkillFolderFetch(QNetworkAccessManager& network, std::chrono::milliseconds timeout,
                                   GitHubHosts hosts, SkillOrigin origin,
                                   std::optional<QByteArray> knownManifest, QObject* parent)
    : QObject(parent)
    , m_network(network)
    , m_timeout(timeout)
    , m_http(network, timeout, SkillFolderPlan::maximumBytes)
    , m_hosts(std::move(hosts))
    , m_origin(std::move(origin))
    , m_knownManifest(std::move(knownManifest))
{
    m_fetched.origin = m_origin;
    m_at = m_origin.ref;
}

void SkillFolderFetch::fetch(QNetworkAccessManager& network, std::chrono::milliseconds timeout,
                             GitHubHosts hosts, SkillOrigin origin, std::optional<QByteArray> knownManifest,
                             QObject* context, std::function<void(const Result<FetchedSkill, Problem>&)> done)
{
    auto* fetch = new SkillFolderFetch(network, timeout, std::move(hosts), std::move(origin),
                                       std::move(knownManifest), context);
    connect(fetch, &SkillFolderFetch::finished, context, [done](const FetchedSkill& skill) { done(skill); });
    connect(fetch, &SkillFolderFetch::failed, context, [done](const Problem& problem) { done(problem); });
    fetch->start();
}

void SkillFolderFetch::start()
{
    // The branch's commit first, then everything at that commit: the files agree with the
    // tree and with the commit recorded, even when the branch moves on meanwhile. Where the
    // commit cannot be told, the ref is read as it is.
    RepositoryTree::resolveCommit(
        m_http, m_hosts, m_origin.repository, m_origin.ref, this,
        [this](const std::optional<RepositoryTree::NamedCommit>& commit) {
            if (commit) {
                m_fetched.commit = commit->sha;
                m_fetched.committedAt = commit->madeAt;
                m_at = commit->sha;
            }
            RepositoryTree::fetch(m_http, m_hosts, m_origin.repository, m_at, this,
                                  [this](const Result<RepositoryTree, Problem>& tree) { takeTree(tree); });
        });
}

void SkillFolderFetch::startWith(const RepositoryTree& tree)
{
    if (RepositoryTree::isCommitSha(m_origin.ref))
        m_fetched.commit = m_origin.ref;
    QMetaObject::invokeMethod(
        this, [this, tree] { takeTree(tree); }, Qt::QueuedConnection);
}

void SkillFolderFetch::takeTree(const Result<RepositoryTree, Problem>& tree)
{
    if (!tree)
        return fetchManifestOnly(tree.error());
    if (tree->truncated && !tree->folderSha(m_origin.path))
        return fetchManifestOnly(Problem(Problem::Kind::listingTruncated));
    auto plan = SkillFolderPlan::make(tree.value(), m_origin.path);
    if (!plan)
        return fail(plan.error());
    m_plan = std::move(plan).value();
    m_fetched.treeSha = m_plan.folderSha;
    m_fetched.skipped = m_plan.skipped;
    m_fetched.files.resize(m_plan.files.size());
    for (int i = 0; i < parallelDownloads; ++i)
        downloadNext();
}

void SkillFolderFetch::fetchManifestOnly(const Problem& why)
{
    m_fetched.incomplete = why;
    if (m_knownManifest) {
        m_fetched.files = {{SkillManifest::fileName, *m_knownManifest, false}};
        QTimer::singleShot(0, this, &SkillFolderFetch::succeed);
        return;
    }
    const QString file =
        m_origin.path.isEmpty() ? SkillManifest::fileName : m_origin.path + u'/' + SkillManifest::fileName;
    const GitHubRequest request = m_hosts.file(m_origin.repository, m_at, file);
    m_http.getText(request.url, request.headers, this, [this](const Result<QString, Problem>& text) {
        if (!text)
            return fail(text.error());
        m_fetched.files = {{SkillManifest::fileName, text->toUtf8(), false}};
        succeed();
    });
}

void SkillFolderFetch::downloadNext()
{
    if (m_over)
        return;
    if (m_nextFile == m_plan.files.size()) {
        if (m_running == 0)
            succeed();
        return;
    }
    const qsizetype position = m_nextFile++;
    const SkillFolderPlan::File& file = m_plan.files[position];
    const QString repositoryPath =
        m_origin.path.isEmpty() ? file.relativePath : m_origin.path + u'/' + file.relativePath;
    const GitHubRequest request = m_hosts.file(m_origin.repository, m_at, repositoryPath);
    ++m_running;
    // A file larger than the tree says cannot match its SHA, so it is cut off at that size.
    const HttpClient http(m_network, m_timeout, file.size.value_or(SkillFolderPlan::maximumBytes));
    http.get(request.url, request.headers, this, [this, position](const HttpAnswer& answer) {
        --m_running;
        const SkillFolderPlan::File& fetched = m_plan.files[position];
        if (!answer.status || answer.tooLarge || answer.status != 200)
            return fail(Problem(Problem::Kind::fileNotLoaded, {printable(fetched.relativePath)})
                            .because(RepositoryTree::problemOf(answer, fetched.relativePath)));
        // The raw service serves the branch as it is now; a file that no longer matches the
        // listed tree means the skill changed meanwhile, and half of each is no skill.
        if (FolderContent::gitBlobSha(answer.body) != fetched.blobSha)
            return fail(Problem(Problem::Kind::changedWhileLoading, {printable(fetched.relativePath)}));
        // Sizes the tree did not list are counted as they come.
        m_bytesReceived += answer.body.size();
        if (m_bytesReceived > SkillFolderPlan::maximumBytes)
            return fail(Problem(Problem::Kind::largerThanAllowed,
                                {QString::number(SkillFolderPlan::maximumBytes / (1024 * 1024))}));
        m_fetched.files[position] = {fetched.relativePath, answer.body, fetched.executable};
        downloadNext();
    });
}

void SkillFolderFetch::succeed()
{
    if (m_over)
        return;
    m_over = true;
    Q_EMIT finished(m_fetched);
    deleteLater();
}

void SkillFolderFetch::fail(const Problem& problem)
{
    if (m_over)
        return;
    m_over = true;
    Q_EMIT failed(problem);
    deleteLater(); // its pending requests go with it
}
