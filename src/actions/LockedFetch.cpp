#include "actions/LockedFetch.h"

#include "actions/Workspace.h"
#include "audit/AuditGate.h"
#include "audit/AuditRules.h"
#include "audit/SkillScanner.h"
#include "base/Log.h"
#include "linker/HubInstaller.h"
#include "linker/Linker.h"
#include "model/ModelContext.h"
#include "model/SkillProvenanceRecord.h"
#include "model/SkillSourceRecord.h"
#include "store/ContentCache.h"
#include "store/GitRemote.h"
#include "store/GitSkillReader.h"
#include "store/SkillFolderFetch.h"

using namespace Qt::StringLiterals;

// A folder on its way into the hub: its files, or nothing to read them from the cache.
struct LockedFetch::Placing
{
    RestoreFetch fetch;
    SkillInstallTarget target;
    std::optional<QList<ContentFile>> files;
    bool passed = false; // the audit gate let its findings of level high through
};

// How placing it went: what now stands in the hub, or why nothing does.
struct LockedFetch::Placed
{
    RestoreFetch fetch;
    Result<FolderDigest, Problem> placed;
    bool notNearby = false; // the copy or cache entry had gone or was damaged: fetch it instead
    // Nothing was placed: the audit found something of level high, for the gate to weigh, and
    // the files wait here for its answer.
    std::optional<AuditReport> risk = std::nullopt;
    std::optional<QList<ContentFile>> files = std::nullopt;
    SkillInstallTarget target = {};
};

LockedFetch::LockedFetch(Workspace& workspace, FetchAccess access, QList<RestoreFetch> fetches,
                         bool acceptRisk, QObject* parent)
    : QObject(parent)
    , m_workspace(workspace)
    , m_access(std::move(access))
    , m_fetches(std::move(fetches))
    , m_acceptRisk(acceptRisk)
    , m_cache(std::make_unique<ContentCache>())
{
    // A host the user named with a source is reached as named, with its token.
    m_access.hosts.addNamedBy(workspace.context().records<SkillSourceRecord>());
}

LockedFetch::~LockedFetch() = default;

void LockedFetch::keep(const ProjectPolicy& policy, const QString& project)
{
    m_policy = policy;
    if (!policy.rules.isEmpty())
        m_rules = AuditRules::withFolders(policy.ruleFolders(project));
}

void LockedFetch::keepAge(const QList<RestoreFetch>& group, const Result<QDateTime, Problem>& madeAt)
{
    for (const RestoreFetch& fetch : group) {
        if (!madeAt) {
            fail(fetch, madeAt.error());
            continue;
        }
        m_committedAt.insert(fetch.name, madeAt.value());
        if (const auto young =
                m_policy->refusalOfAge(fetch.name, madeAt.value(), QDateTime::currentDateTimeUtc()))
            fail(fetch, *young->cause); // fail() names the skill
    }
}

void LockedFetch::start()
{
    QList<Placing> nearby;
    // A commit's age is told by its source: where a policy asks for one, content found nearby
    // is not taken on trust.
    const bool ageMatters = m_policy && m_policy->minimumCommitAgeDays;
    for (const RestoreFetch& fetch : std::as_const(m_fetches)) {
        if ((fetch.localCopy.isEmpty() && !m_cache->holds(fetch.contentSha256)) ||
            (ageMatters && !fetch.source.repository.isEmpty()))
            fetchFromSource(fetch);
        else if (auto placing = planPlacing(fetch, std::nullopt))
            nearby.append(std::move(*placing));
    }
    // Always through the worker and back, so the caller hears the end after start() returned.
    placeInBackground(std::move(nearby), [this] { fetchNext(); });
}

void LockedFetch::fetchFromSource(const RestoreFetch& fetch)
{
    if (fetch.source.repository.isEmpty())
        return fail(fetch, Problem::Kind::notCachedWithoutSource);
    // Offline means no request at all, to GitHub or to a git remote.
    if (!m_access.network)
        return fail(fetch, Problem::Kind::notCachedOffline);
    const QString at = fetch.source.at();
    const QString key = fetch.source.repository + u'@' + at;
    if (!m_groupOf.contains(key)) {
        m_groupOf.insert(key, m_groups.size());
        m_groups.append(QList<RestoreFetch>());
    }
    m_groups[m_groupOf.value(key)].append(fetch);
}

void LockedFetch::fetchNext()
{
    for (QList<RestoreFetch>& group : m_groups) {
        if (!group.isEmpty())
            return fetchGroup(std::exchange(group, {}));
    }
    finish();
}

void LockedFetch::fetchGroup(const QList<RestoreFetch>& group)
{
    const LockedSource& first = group.first().source;
    const QString at = first.at();
    if (GitLocation::isRemote(first.repository))
        return fetchFromGit(group, at);
    if (m_policy && m_policy->minimumCommitAgeDays) {
        // Asked before the folders: a young commit's files are never fetched.
        const HttpClient http(*m_access.network, m_access.timeout, SkillFolderPlan::maximumBytes);
        return RepositoryTree::commitDate(
            http, m_access.hosts, first.repository, at, this,
            [this, group](const Result<QDateTime, Problem>& madeAt) {
                keepAge(group, madeAt);
                QList<RestoreFetch> old = group;
                old.removeIf([this](const RestoreFetch& fetch) { return m_notFetched.contains(fetch.name); });
                if (old.isEmpty())
                    return fetchNext();
                listAndFetch(old);
            });
    }
    listAndFetch(group);
}

void LockedFetch::listAndFetch(const QList<RestoreFetch>& group)
{
    const LockedSource& first = group.first().source;
    const QString at = first.at();
    const HttpClient http(*m_access.network, m_access.timeout, SkillFolderPlan::maximumBytes);
    RepositoryTree::fetch(
        http, m_access.hosts, first.repository, at, this,
        [this, group, at](const Result<RepositoryTree, Problem>& tree) {
            if (!tree) {
                for (const RestoreFetch& fetch : group)
                    fail(fetch, tree.error());
                return fetchNext();
            }
            // One skill at a time, so no more than four files are under way.
            auto queue = std::make_shared<QList<RestoreFetch>>(group);
            auto next = std::make_shared<std::function<void()>>();
            *next = [this, queue, next, at, listed = tree.value()] {
                if (queue->isEmpty()) {
                    // Later, not from inside the closure: dropping it breaks
                    // the cycle of the closure and itself.
                    QMetaObject::invokeMethod(
                        this,
                        [this, next] {
                            *next = nullptr;
                            fetchNext();
                        },
                        Qt::QueuedConnection);
                    return;
                }
                const RestoreFetch fetch = queue->takeFirst();
                auto* folder = new SkillFolderFetch(
                    *m_access.network, m_access.timeout, m_access.hosts,
                    {QString(), fetch.source.repository, at, fetch.source.path}, std::nullopt, this);
                connect(folder, &SkillFolderFetch::finished, this,
                        [this, fetch, next](const FetchedSkill& skill) {
                            auto placing = planPlacing(fetch, skill.files);
                            if (!placing)
                                return (*next)();
                            placeInBackground({std::move(*placing)}, [next] { (*next)(); });
                        });
                connect(folder, &SkillFolderFetch::failed, this, [this, fetch, next](const Problem& problem) {
                    fail(fetch, problem);
                    (*next)();
                });
                folder->startWith(listed);
            };
            (*next)();
        });
}

void LockedFetch::fetchFromGit(QList<RestoreFetch> group, const QString& at)
{
    if (group.isEmpty())
        return fetchNext();
    const RestoreFetch fetch = group.takeFirst();
    if (const auto refused = GitLocation::refusal(fetch.source.repository)) {
        fail(fetch, *refused);
        return fetchFromGit(std::move(group), at);
    }
    // The mirror fetches the commit once; the group's other skills find it there.
    GitSkillReader::fetchFolder(
        {QString(), fetch.source.repository, at, fetch.source.path}, this,
        [this, fetch, group, at](const Result<FetchedSkill, Problem>& skill) {
            const auto next = [this, group, at] {
                fetchFromGit(group, at);
            };
            if (!skill) {
                fail(fetch, skill.error());
                return next();
            }
            const auto place = [this, fetch, next, files = skill->files] {
                auto placing = planPlacing(fetch, files);
                if (!placing)
                    return next();
                placeInBackground({std::move(*placing)}, next);
            };
            if (skill->committedAt.isValid())
                m_committedAt.insert(fetch.name, skill->committedAt);
            if (!m_policy || !m_policy->minimumCommitAgeDays)
                return place();
            // The mirror told the commit's date with the folder.
            keepAge({fetch}, skill->committedAt.isValid()
                                 ? Result<QDateTime, Problem>(skill->committedAt)
                                 : Result<QDateTime, Problem>(Problem(Problem::Kind::invalidResponse)));
            if (m_notFetched.contains(fetch.name))
                return next();
            place();
        });
}

std::optional<LockedFetch::Placing> LockedFetch::planPlacing(const RestoreFetch& fetch,
                                                             std::optional<QList<ContentFile>> files)
{
    SkillInstallTarget target;
    if (fetch.intoHub) {
        auto install = m_workspace.linker().installer.planSkillInstall(fetch.name);
        if (!install) {
            fail(fetch, install.error());
            return std::nullopt;
        }
        target = install.value().target;
    }
    return Placing{fetch, target, std::move(files)};
}

namespace {

// The locked content as found nearby: a committed copy, else the cache; nothing when neither
// holds it whole.
std::optional<QList<ContentFile>> nearbyContent(const RestoreFetch& fetch, const ContentCache& cache)
{
    if (!fetch.localCopy.isEmpty()) {
        auto files = FolderContent::readFiles(fetch.localCopy);
        if (files && FolderContent::digest(files.value()).contentHash == fetch.contentSha256)
            return std::move(files).value();
    }
    return cache.find(fetch.contentSha256);
}

} // namespace

void LockedFetch::placeInBackground(QList<Placing> placings, std::function<void()> then)
{
    // The fetch is alive when the worker posts: it goes only in finish(), after this, or with
    // the workspace, which awaits its workers first.
    m_workspace.runInBackground([this, cache = m_cache.get(),
                                 rules = m_rules ? m_rules : AuditRules::standard(),
                                 placings = std::move(placings), then = std::move(then)] {
        QList<Placed> outcomes;
        for (const Placing& placing : placings) {
            const RestoreFetch& fetch = placing.fetch;
            // What is found nearby was checked against its hash as it was read.
            const auto files = placing.files ? placing.files : nearbyContent(fetch, *cache);
            if (!files) {
                outcomes.append({fetch, Problem(), true});
                continue;
            }
            if (placing.files && FolderContent::digest(*files).contentHash != fetch.contentSha256) {
                outcomes.append({fetch, Problem(Problem::Kind::differsFromLock), false});
                continue;
            }
            if (!placing.passed) {
                AuditReport audit = SkillScanner::scan(fetch.name, *files, true, *rules);
                if (audit.hasOpenHigh()) { // what the user accepted is marked by the gate
                    outcomes.append({fetch, Problem(), false, std::move(audit), files, placing.target});
                    continue;
                }
            }
            FolderDigest digest = FolderContent::digest(*files);
            if (fetch.intoHub) {
                // The hub lacked the item when the plan was agreed to; whatever came meanwhile stays.
                auto placed = HubInstaller::placeSkillFolder(placing.target, *files, false);
                if (!placed) {
                    outcomes.append({fetch, placed.error().problem, false});
                    continue;
                }
                digest = std::move(placed.value());
            }
            if (Outcome kept = cache->keep(fetch.contentSha256, *files); !kept) {
                // Copies made beside a hub of another version come from the cache: it must hold them.
                if (!fetch.intoHub) {
                    outcomes.append({fetch, kept.error().shown(), false});
                    continue;
                }
                Log::line(u"Failed to keep a fetched folder in the cache: "_s + kept.error().description);
            }
            outcomes.append({fetch, std::move(digest), false});
        }
        QMetaObject::invokeMethod(
            this,
            [this, outcomes, then] {
                // What the gate let through is placed in a second pass, from the files in hand.
                QList<Placing> passed = takePlaced(outcomes);
                if (passed.isEmpty())
                    return then();
                placeInBackground(std::move(passed), then);
            },
            Qt::QueuedConnection);
    });
}

QList<LockedFetch::Placing> LockedFetch::takePlaced(const QList<Placed>& outcomes)
{
    QList<Placing> passed;
    const bool mustPass = m_policy && m_policy->auditMustPass;
    AuditGate gate(m_workspace.context(), AuditGate::answering(m_acceptRisk), !mustPass);
    for (const Placed& outcome : outcomes) {
        const RestoreFetch& fetch = outcome.fetch;
        if (outcome.notNearby) {
            fetchFromSource(fetch);
            continue;
        }
        if (outcome.risk) {
            if (gate.letsIn(*outcome.risk))
                passed.append({fetch, outcome.target, outcome.files, true});
            else if (mustPass)
                fail(fetch,
                     Problem(Problem::Kind::policyDemandsPass).because(AuditGate::refusal(*outcome.risk)));
            else
                fail(fetch, AuditGate::refusal(*outcome.risk));
            continue;
        }
        if (!outcome.placed) {
            fail(fetch, outcome.placed.error());
            continue;
        }
        if (fetch.source.repository.isEmpty() || !fetch.intoHub)
            continue; // of unknown origin, or not in the hub
        const FolderDigest& digest = outcome.placed.value();
        const SkillProvenance provenance{fetch.name,
                                         fetch.source.repository,
                                         fetch.source.repository,
                                         fetch.source.ref,
                                         fetch.source.path,
                                         fetch.source.tree,
                                         digest.contentHash,
                                         digest.files,
                                         QDateTime::currentDateTimeUtc(),
                                         fetch.source.commit,
                                         m_committedAt.value(fetch.name)};
        if (const Outcome saved = SkillProvenanceRecord::record(m_workspace.context(), provenance); !saved)
            Log::line(u"Failed to record where "_s + fetch.name + u" came from: "_s +
                      saved.error().description);
    }
    return passed;
}

void LockedFetch::fail(const RestoreFetch& fetch, const Problem& reason)
{
    m_failures.append(Problem::concerning(fetch.name, reason));
    m_notFetched.append(fetch.name);
}

void LockedFetch::finish()
{
    Q_EMIT finished(m_failures, m_notFetched);
    deleteLater();
}
