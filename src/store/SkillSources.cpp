#include "store/SkillSources.h"

#include "base/Log.h"
#include "model/ModelContext.h"
#include "model/SkillManifest.h"
#include "model/SkillSourceRecord.h"
#include "store/GitRemote.h"
#include "store/GitSkillReader.h"
#include "store/SkillFolderFetch.h"

#include <QTimer>
#include <QUrl>

using namespace Qt::StringLiterals;

SkillSources::SkillSources(QNetworkAccessManager& network, ModelContext& context, StoreEndpoints endpoints)
    : m_context(context)
    , m_endpoints(std::move(endpoints))
    , m_http(network, m_endpoints.timeout, DirectorySkillSource::maximumBodySize)
    , m_network(network)
{}

QStringList SkillSources::indexedLocations() const
{
    QStringList locations;
    for (const SkillSourceRecord* source : m_context.records<SkillSourceRecord>())
        if (source->kind() != SkillSourceRecord::Kind::directory)
            locations.append(source->location());
    return locations;
}

bool SkillSources::isGitSource(const QString& location) const
{
    const auto records = m_context.records<SkillSourceRecord>();
    return std::any_of(records.cbegin(), records.cend(), [&](const SkillSourceRecord* source) {
        return source->kind() == SkillSourceRecord::Kind::git && source->location() == location;
    });
}

QStringList SkillSources::directoryAddresses() const
{
    QStringList addresses;
    for (const SkillSourceRecord* source : m_context.records<SkillSourceRecord>())
        if (source->kind() == SkillSourceRecord::Kind::directory)
            addresses.append(source->location());
    if (!m_endpoints.directoryBase.isEmpty() && !addresses.contains(m_endpoints.directoryBase))
        addresses.append(m_endpoints.directoryBase);
    return addresses;
}

QString SkillSources::displayName() const
{
    QStringList names = indexedLocations();
    for (const QString& address : directoryAddresses())
        names.append(QUrl(address).host());
    return names.join(u", "_s);
}

QString SkillSources::downloadHost() const
{
    return QUrl(m_endpoints.rawBase).host();
}

std::optional<SkillIndex> SkillSources::index(const QString& location)
{
    if (const auto loaded = m_loaded.constFind(location); loaded != m_loaded.cend())
        return *loaded;
    auto cached = SkillIndex::load(location);
    if (cached)
        m_loaded.insert(location, *cached);
    return cached;
}

QList<RemoteSkillItem> SkillSources::searchIndexes(const QString& query)
{
    QList<RemoteSkillItem> hits;
    for (const QString& location : indexedLocations()) {
        // A git source's location is its remote's; a GitHub source's is OWNER/REPO.
        const auto remote =
            isGitSource(location) ? GitLocation::parse(location) : Result<GitLocation, Problem>(Problem());
        const auto repository = GitHubRepository::parse(location);
        const auto found = remote || repository ? index(location) : std::nullopt;
        if (!found)
            continue;
        for (const IndexedSkill& skill : found->search(query)) {
            RemoteSkillItem hit;
            hit.id = location + u':' + skill.path;
            hit.skillId = skill.path.mid(skill.path.lastIndexOf(u'/') + 1);
            hit.name = skill.name;
            hit.source = remote ? remote->url : repository->fullName();
            hit.fromIndex = RemoteSkillItem::FromIndex{remote ? remote->ref : repository->ref, skill.path,
                                                       skill.description};
            hit.sourceName = location;
            hits.append(hit);
        }
    }
    return hits;
}

namespace {

// Why a source failed, naming the source once: a reason that names it already stands alone.
Problem failureOf(const QString& source, const Problem& reason)
{
    const QString name = source.section(u'@', 0, 0).section(u':', 0, 0);
    if (reason.kind == Problem::Kind::notFound && reason.data.value(0).startsWith(name))
        return reason;
    return Problem::concerning(source, reason);
}

} // namespace

bool SkillSources::isConfigured() const
{
    return !indexedLocations().isEmpty() || !directoryAddresses().isEmpty();
}

void SkillSources::search(const QString& query, QObject* context,
                          std::function<void(const SearchAnswer&)> done)
{
    auto hits = std::make_shared<QList<RemoteSkillItem>>(searchIndexes(query));
    const QStringList directories = directoryAddresses();
    auto failures = std::make_shared<QList<Problem>>();
    auto answered = std::make_shared<qsizetype>(0);
    for (const QString& location : indexedLocations()) {
        if (index(location))
            ++*answered;
        else if (const auto failed = m_refreshFailures.constFind(location);
                 failed != m_refreshFailures.cend())
            failures->append(failureOf(location, *failed));
    }
    // Nothing answering is a failure, not an empty result; hits from some sources are an answer.
    const auto conclude = [this, hits, failures, answered, done] {
        m_lastFailures = *failures;
        if (*answered == 0 && !failures->isEmpty())
            done(failures->constFirst()); // all of them in lastFailures()
        else
            done(*hits);
    };
    m_lastFailures.clear();
    if (directories.isEmpty()) {
        QTimer::singleShot(0, context, conclude);
        return;
    }
    auto pending = std::make_shared<qsizetype>(directories.size());
    for (const QString& address : directories) {
        StoreEndpoints endpoints = m_endpoints;
        endpoints.directoryBase = address;
        // The packager's directory may carry its own name; any other is named by its host.
        if (address != m_endpoints.directoryBase || endpoints.directoryName.isEmpty())
            endpoints.directoryName = QUrl(address).host();
        auto directory = std::make_shared<DirectorySkillSource>(m_network, endpoints);
        directory->search(
            query, context,
            [directory, hits, pending, failures, answered, conclude](const SearchAnswer& answer) {
                if (answer) {
                    ++*answered;
                    for (RemoteSkillItem item : answer.value()) {
                        item.sourceName = directory->displayName();
                        hits->append(item);
                    }
                } else {
                    failures->append(failureOf(directory->displayName(), answer.error()));
                }
                if (--*pending == 0)
                    conclude();
            });
    }
}

void SkillSources::fetch(const RemoteSkillItem& item, QObject* context,
                         std::function<void(const FetchAnswer&)> done)
{
    if (item.source && GitLocation::isRemote(*item.source)) {
        if (const auto refused = GitLocation::refusal(*item.source))
            return QTimer::singleShot(0, context, [done, problem = *refused] { done(problem); });
        const QString path = item.fromIndex ? item.fromIndex->skillPath : item.skillId.value_or(QString());
        return GitSkillReader::fetchFolder({item.sourceName.isEmpty() ? *item.source : item.sourceName,
                                            *item.source, item.fromIndex ? item.fromIndex->ref : u"HEAD"_s,
                                            path},
                                           context, std::move(done));
    }
    // A hit that knows its folder is fetched from its own GitHub host, with that host's token.
    if (item.source && item.fromIndex)
        return SkillFolderFetch::fetch(m_network, m_endpoints.timeout, hosts(),
                                       {item.sourceName.isEmpty() ? *item.source : item.sourceName,
                                        *item.source, item.fromIndex->ref, item.fromIndex->skillPath},
                                       std::nullopt, context, std::move(done));
    // The directory source lives as long as its answer is awaited.
    auto directory = std::make_shared<DirectorySkillSource>(m_network, m_endpoints);
    directory->fetch(item, context, [directory, done](const FetchAnswer& answer) { done(answer); });
}

void SkillSources::listRepository(const QString& repository, const QString& ref, QObject* context,
                                  std::function<void(const Result<RepositoryTree, Problem>&)> done)
{
    if (GitLocation::isRemote(repository)) {
        if (const auto refused = GitLocation::refusal(repository))
            return QTimer::singleShot(0, context, [done, problem = *refused] { done(problem); });
        return GitSkillReader::listTree(repository, ref, context, std::move(done));
    }
    RepositoryTree::fetch(m_http, hosts(), repository, ref, context, std::move(done));
}

GitHubHosts SkillSources::hosts() const
{
    GitHubHosts hosts(m_endpoints.apiBase, m_endpoints.rawBase);
    hosts.addNamedBy(m_context.records<SkillSourceRecord>());
    return hosts;
}

void SkillSources::refresh(const std::optional<QString>& only, bool staleOnly, QObject* context,
                           std::function<void(const QList<Problem>& failures)> done)
{
    const QDateTime now = QDateTime::currentDateTimeUtc();
    QStringList locations;
    for (const QString& location : indexedLocations()) {
        if (only && location != *only)
            continue;
        const auto cached = index(location);
        if (staleOnly && cached && !cached->isOlderThan(maximumIndexAge, now))
            continue;
        locations.append(location);
    }
    auto pending = std::make_shared<qsizetype>(locations.size());
    auto failures = std::make_shared<QList<Problem>>();
    if (locations.isEmpty()) {
        QTimer::singleShot(0, context, [done] { done({}); });
        return;
    }
    for (const QString& location : locations) {
        const auto concluded = [pending, failures, done] {
            if (--*pending == 0)
                done(*failures);
        };
        const auto taken = [this, location, concluded](const SkillIndex& fresh) {
            if (const Outcome saved = fresh.save(location); !saved)
                Log::line(u"Failed to keep the index of "_s + location + u": "_s + saved.error().description);
            m_loaded.insert(location, fresh);
            m_refreshFailures.remove(location);
            concluded();
        };
        const auto refused = [this, location, failures, concluded](const Problem& problem) {
            m_refreshFailures.insert(location, problem);
            failures->append(failureOf(location, problem));
            concluded();
        };
        if (isGitSource(location)) {
            const auto remote = GitLocation::parse(location);
            if (!remote) {
                QTimer::singleShot(0, context, [refused, problem = remote.error()] { refused(problem); });
                continue;
            }
            GitSkillReader::refreshIndex(remote.value(), index(location), context,
                                         [taken, refused](const Result<SkillIndex, Problem>& fresh) {
                                             if (fresh)
                                                 taken(fresh.value());
                                             else
                                                 refused(fresh.error());
                                         });
            continue;
        }
        const auto repository = GitHubRepository::parse(location);
        if (!repository) {
            failures->append(failureOf(location, repository.error()));
            QTimer::singleShot(0, context, concluded);
            continue;
        }
        auto* refresh = new GitHubIndexRefresh(m_http, hosts(), repository.value(), index(location), context);
        QObject::connect(refresh, &GitHubIndexRefresh::finished, context,
                         [refresh, taken](const SkillIndex& fresh) {
                             refresh->deleteLater();
                             taken(fresh);
                         });
        QObject::connect(refresh, &GitHubIndexRefresh::failed, context,
                         [refresh, refused](const Problem& problem) {
                             refresh->deleteLater();
                             refused(problem);
                         });
        refresh->start();
    }
}

void SkillSources::refreshLists(bool staleOnly, QObject* context,
                                std::function<void(const QList<Problem>&)> done)
{
    refresh(std::nullopt, staleOnly, context, [done](const QList<Problem>& failures) {
        for (const Problem& failure : failures)
            Log::line(u"Failed to refresh a skill source: "_s + failure.logText());
        done(failures);
    });
}
