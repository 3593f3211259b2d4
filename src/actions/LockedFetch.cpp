#include "actions/LockedFetch.h"

#include "actions/Workspace.h"
#include "base/Log.h"
#include "linker/HubInstaller.h"
#include "linker/Linker.h"
#include "model/ModelContext.h"
#include "model/SkillProvenanceRecord.h"
#include "store/ContentCache.h"
#include "store/SkillFolderFetch.h"

#include <QHash>

using namespace Qt::StringLiterals;

LockedFetch::LockedFetch(Workspace& workspace, FetchAccess access, QList<RestoreFetch> fetches,
                         QObject* parent)
    : QObject(parent)
    , m_workspace(workspace)
    , m_access(std::move(access))
    , m_fetches(std::move(fetches))
    , m_cache(std::make_unique<ContentCache>())
{}

LockedFetch::~LockedFetch() = default;

void LockedFetch::start()
{
    // Skills of one repository at one commit share one tree listing.
    QHash<QString, qsizetype> groupOf;
    for (const RestoreFetch& fetch : std::as_const(m_fetches)) {
        if (const auto files = m_cache->find(fetch.contentSha256)) {
            takeFetched(fetch, *files, true);
            continue;
        }
        if (fetch.source.repository.isEmpty() || !m_access.network) {
            m_failures.append(fetch.name + u": "_s +
                              tr("nicht im Zwischenspeicher, und ohne bekannte Quelle"));
            m_notFetched.append(fetch.name);
            continue;
        }
        const QString at = fetch.source.commit.isEmpty() ? fetch.source.ref : fetch.source.commit;
        const QString key = fetch.source.repository + u'@' + at;
        if (!groupOf.contains(key)) {
            groupOf.insert(key, m_groups.size());
            m_groups.append(QList<RestoreFetch>());
        }
        m_groups[groupOf.value(key)].append(fetch);
    }
    // Queued, so the caller hears the end after start() returned, whatever happens.
    QMetaObject::invokeMethod(this, &LockedFetch::fetchNext, Qt::QueuedConnection);
}

void LockedFetch::fetchNext()
{
    if (m_groups.isEmpty())
        return finish();
    fetchGroup(m_groups.takeFirst());
}

void LockedFetch::fetchGroup(const QList<RestoreFetch>& group)
{
    const LockedSource& first = group.first().source;
    const QString at = first.commit.isEmpty() ? first.ref : first.commit;
    const HttpClient http(*m_access.network, m_access.timeout, SkillFolderPlan::maximumBytes);
    RepositoryTree::fetch(
        http, m_access.hosts, first.repository, at, this,
        [this, group, at](const Result<RepositoryTree, QString>& tree) {
            if (!tree) {
                for (const RestoreFetch& fetch : group) {
                    m_failures.append(fetch.name + u": "_s + tree.error());
                    m_notFetched.append(fetch.name);
                }
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
                            takeFetched(fetch, skill.files, false);
                            (*next)();
                        });
                connect(folder, &SkillFolderFetch::failed, this, [this, fetch, next](const QString& message) {
                    m_failures.append(fetch.name + u": "_s + message);
                    m_notFetched.append(fetch.name);
                    (*next)();
                });
                folder->startWith(listed);
            };
            (*next)();
        });
}

void LockedFetch::takeFetched(const RestoreFetch& fetch, const QList<ContentFile>& files, bool checked)
{
    // What the cache hands out was checked against its hash as it was read.
    if (!checked && FolderContent::digest(files).contentHash != fetch.contentSha256) {
        m_failures.append(fetch.name + u": "_s + tr("Inhalt weicht von der Sperrdatei ab"));
        m_notFetched.append(fetch.name);
        return;
    }
    auto install = m_workspace.linker().installer.planSkillInstall(fetch.name);
    if (!install) {
        m_failures.append(fetch.name + u": "_s + install.error());
        m_notFetched.append(fetch.name);
        return;
    }
    // The plan was agreed to: what the hub held under this name gives way to the locked content.
    const auto placed = HubInstaller::placeSkillFolder(install.value().target, files, true);
    if (!placed) {
        m_failures.append(fetch.name + u": "_s + placed.error().message);
        m_notFetched.append(fetch.name);
        return;
    }
    if (Outcome kept = m_cache->keep(fetch.contentSha256, files); !kept)
        Log::line(u"Failed to keep a fetched folder in the cache: "_s + kept.error().description);
    if (fetch.source.repository.isEmpty())
        return; // from the cache, for an item of unknown origin
    const FolderDigest& digest = placed.value();
    const SkillProvenance provenance{fetch.name,
                                     fetch.source.repository,
                                     fetch.source.repository,
                                     fetch.source.ref,
                                     fetch.source.path,
                                     fetch.source.tree,
                                     digest.contentHash,
                                     digest.files,
                                     QDateTime::currentDateTimeUtc(),
                                     fetch.source.commit};
    if (const Outcome saved = SkillProvenanceRecord::record(m_workspace.context(), provenance); !saved)
        Log::line(u"Failed to record where "_s + fetch.name + u" came from: "_s + saved.error().description);
}

void LockedFetch::finish()
{
    Q_EMIT finished(m_failures, m_notFetched);
    deleteLater();
}
