#include "store/GitHubHosts.h"

#include "model/SkillSourceRecord.h"
#include "store/SkillIndex.h"

#include <QHostAddress>
#include <QMutex>
#include <QProcess>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace {

std::optional<QByteArray> firstSet(std::initializer_list<const char*> names)
{
    for (const char* name : names)
        if (const QByteArray value = qgetenv(name).trimmed(); !value.isEmpty())
            return value;
    return std::nullopt;
}

// `gh auth token --hostname HOST`: the login the user made with GitHub's own tool.
std::optional<QByteArray> loginOfGitHubTool(const QString& host)
{
    const QString program = QStandardPaths::findExecutable(u"gh"_s);
    if (program.isEmpty())
        return std::nullopt;
    QProcess gh;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"GH_PROMPT_DISABLED"_s, u"1"_s);
    gh.setProcessEnvironment(environment);
    gh.start(program, {u"auth"_s, u"token"_s, u"--hostname"_s, host});
    if (!gh.waitForFinished(3000)) {
        gh.kill();
        gh.waitForFinished(1000);
        return std::nullopt;
    }
    const QByteArray token = gh.readAllStandardOutput().trimmed();
    if (gh.exitStatus() != QProcess::NormalExit || gh.exitCode() != 0 || token.isEmpty() ||
        token.contains('\n') || token.contains(' '))
        return std::nullopt;
    return token;
}

} // namespace

std::optional<QByteArray> GitHubTokens::of(const QString& host, bool namedByUser)
{
    // Environment tokens, by the GitHub tool's own rules (`gh help environment`).
    if (host.isEmpty()) {
        if (auto token = firstSet({"GH_TOKEN", "GITHUB_TOKEN"}))
            return token;
    } else if (namedByUser) {
        if (auto token = firstSet({"GH_ENTERPRISE_TOKEN", "GITHUB_ENTERPRISE_TOKEN"}))
            return token;
    }
    // The tool is asked once per host and run.
    static QMutex guard;
    static QHash<QString, std::optional<QByteArray>> asked;
    const QMutexLocker locked(&guard);
    const QString name = host.isEmpty() ? u"github.com"_s : QUrl(u"https://"_s + host).host();
    if (const auto known = asked.constFind(name); known != asked.cend())
        return *known;
    return *asked.insert(name, loginOfGitHubTool(name));
}

GitHubHosts::GitHubHosts(QString apiBase, QString rawBase)
    : m_apiBase(std::move(apiBase))
    , m_rawBase(std::move(rawBase))
{}

void GitHubHosts::addNamed(const QString& base)
{
    const QUrl url(base);
    if (url.scheme() == u"https"_s || (url.scheme() == u"http"_s && isLoopback(url.host())))
        m_named.insert(url.authority(), url.scheme() + u"://"_s + url.authority());
}

void GitHubHosts::addNamedBy(const QList<SkillSourceRecord*>& sources)
{
    for (const SkillSourceRecord* source : sources)
        if (source->kind() == SkillSourceRecord::Kind::github)
            if (const auto repository = GitHubRepository::parse(source->location());
                repository && !repository->host.isEmpty())
                addNamed(repository->hostBase());
}

QString GitHubHosts::hostOf(const QString& repository)
{
    return repository.count(u'/') == 2 ? repository.section(u'/', 0, 0) : QString();
}

bool GitHubHosts::isLoopback(const QString& host)
{
    const QString name = QUrl(u"http://"_s + host).host();
    return name == u"localhost"_s || QHostAddress(name).isLoopback();
}

GitHubHosts::Host GitHubHosts::host(const QString& repository) const
{
    const QString name = hostOf(repository);
    if (name.isEmpty())
        return {m_apiBase, m_rawBase, GitHubTokens::of({}, false)};
    const bool named = m_named.contains(name);
    const QString base = m_named.value(name, u"https://"_s + name);
    return {base + u"/api/v3"_s, base + u"/raw/"_s, GitHubTokens::of(name, named)};
}

GitHubRequest GitHubHosts::api(const QString& repository, const QString& tail, const QByteArray& accept) const
{
    const Host reached = host(repository);
    const QString ownerAndName = repository.section(u'/', -2);
    GitHubRequest request{QUrl::fromEncoded((reached.apiBase + u"/repos/"_s + ownerAndName + tail).toUtf8()),
                          {{"Accept", accept}}};
    if (reached.token)
        request.headers.append({"Authorization", "Bearer " + *reached.token});
    return request;
}

GitHubRequest GitHubHosts::file(const QString& repository, const QString& ref, const QString& path) const
{
    const QString encodedPath = QString::fromLatin1(QUrl::toPercentEncoding(path, "/"));
    const Host reached = host(repository);
    if (reached.token)
        return api(repository,
                   u"/contents/"_s + encodedPath + u"?ref="_s +
                       QString::fromLatin1(QUrl::toPercentEncoding(ref)),
                   "application/vnd.github.raw");
    const QString ownerAndName = repository.section(u'/', -2);
    return {QUrl::fromEncoded((reached.rawBase + ownerAndName + u'/' + ref + u'/' + encodedPath).toUtf8()),
            {}};
}
