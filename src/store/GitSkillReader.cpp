#include "store/GitSkillReader.h"

#include "model/SkillManifest.h"
#include "store/GitMirror.h"

#include <QFutureWatcher>
#include <QHash>
#include <QMutex>
#include <QPromise>
#include <QThreadPool>

using namespace Qt::StringLiterals;

namespace {

// Few at a time: each is a git process, and most of their time is the remote's.
QThreadPool& workers()
{
    static QThreadPool pool;
    pool.setMaxThreadCount(2);
    return pool;
}

// Git locks a clone while it fetches; this process takes turns on each mirror instead of failing.
std::shared_ptr<QMutex> turnsOn(const QString& url)
{
    static QMutex guard;
    static QHash<QString, std::shared_ptr<QMutex>> mirrors;
    const QMutexLocker locked(&guard);
    auto& turns = mirrors[url];
    if (!turns)
        turns = std::make_shared<QMutex>();
    return turns;
}

template <typename T>
void inBackground(const QString& url, QObject* context, std::function<T(GitMirror&)> work,
                  std::function<void(const T&)> done)
{
    auto promise = std::make_shared<QPromise<std::shared_ptr<const T>>>();
    auto* watcher = new QFutureWatcher<std::shared_ptr<const T>>(context);
    QObject::connect(watcher, &QFutureWatcherBase::finished, context, [watcher, done] {
        const std::shared_ptr<const T> result = watcher->result();
        watcher->deleteLater();
        done(*result);
    });
    watcher->setFuture(promise->future());
    promise->start();
    workers().start([promise, url, work] {
        const std::shared_ptr<QMutex> turns = turnsOn(url);
        const QMutexLocker mine(turns.get());
        GitMirror mirror(url);
        promise->addResult(std::make_shared<const T>(work(mirror)));
        promise->finish();
    });
}

QString lastComponent(const QString& path)
{
    return path.mid(path.lastIndexOf(u'/') + 1);
}

} // namespace

namespace GitSkillReader {

void listTree(const QString& url, const QString& ref, QObject* context,
              std::function<void(const Result<RepositoryTree, Problem>&)> done)
{
    inBackground<Result<RepositoryTree, Problem>>(
        url, context,
        [ref](GitMirror& mirror) -> Result<RepositoryTree, Problem> {
            const auto fetched = mirror.fetch(ref);
            if (!fetched)
                return fetched.error();
            return mirror.tree(fetched.value());
        },
        std::move(done));
}

void fetchFolder(const SkillOrigin& origin, QObject* context,
                 std::function<void(const Result<FetchedSkill, Problem>&)> done)
{
    inBackground<Result<FetchedSkill, Problem>>(
        origin.repository, context,
        [origin](GitMirror& mirror) -> Result<FetchedSkill, Problem> {
            const auto fetchedRef = mirror.fetch(origin.ref);
            if (!fetchedRef)
                return fetchedRef.error();
            const auto tree = mirror.tree(fetchedRef.value());
            if (!tree)
                return tree.error();
            const auto plan = SkillFolderPlan::make(tree.value(), origin.path);
            if (!plan)
                return plan.error();
            QStringList shas;
            for (const SkillFolderPlan::File& file : plan->files)
                shas.append(file.blobSha);
            const auto contents = mirror.blobs(shas, SkillFolderPlan::maximumBytes);
            if (!contents)
                return contents.error();
            FetchedSkill fetched{origin, plan->folderSha, fetchedRef->commit,
                                 {},     plan->skipped,   std::nullopt};
            // The mirror holds the commit: its date costs no request, and a project's policy may ask it.
            if (const auto madeAt = mirror.commitTime(fetchedRef->commit))
                fetched.committedAt = madeAt.value();
            for (qsizetype i = 0; i < plan->files.size(); ++i)
                fetched.files.append(
                    {plan->files[i].relativePath, contents.value()[i], plan->files[i].executable});
            return fetched;
        },
        std::move(done));
}

void refreshIndex(const GitLocation& location, std::optional<SkillIndex> cached, QObject* context,
                  std::function<void(const Result<SkillIndex, Problem>&)> done)
{
    inBackground<Result<SkillIndex, Problem>>(
        location.url, context,
        [location, cached](GitMirror& mirror) -> Result<SkillIndex, Problem> {
            const auto fetched = mirror.fetch(location.ref);
            if (!fetched)
                return fetched.error();
            // The same tree lists the same skills: nothing to read again.
            if (cached && cached->treeSha == fetched->tree) {
                SkillIndex same = *cached;
                same.refreshedAt = QDateTime::currentDateTimeUtc();
                return same;
            }
            const auto tree = mirror.tree(fetched.value());
            if (!tree)
                return tree.error();
            SkillIndex index;
            index.treeSha = tree->sha;
            index.refreshedAt = QDateTime::currentDateTimeUtc();
            QHash<QString, IndexedSkill> known;
            if (cached)
                for (const IndexedSkill& skill : std::as_const(cached->skills))
                    known.insert(skill.path, skill);
            QList<qsizetype> toRead;
            QStringList shas;
            const QString repositoryName = lastComponent(location.url)
                                               .section(u':', -1)
                                               .chopped(location.url.endsWith(u".git"_s) ? 4 : 0);
            for (const TreeEntry& entry : tree->entries) {
                if (entry.type != u"blob"_s || lastComponent(entry.path) != SkillManifest::fileName ||
                    !location.contains(entry.path))
                    continue;
                const qsizetype slash = entry.path.lastIndexOf(u'/');
                const QString folder = slash < 0 ? QString() : entry.path.left(slash);
                if (const IndexedSkill& before = known.value(folder); before.blobSha == entry.sha) {
                    index.skills.append(before);
                    continue;
                }
                index.skills.append(
                    {folder, entry.sha, folder.isEmpty() ? repositoryName : lastComponent(folder), {}});
                toRead.append(index.skills.size() - 1);
                shas.append(entry.sha);
            }
            const auto manifests = mirror.blobs(shas, SkillFolderPlan::maximumBytes);
            if (!manifests)
                return manifests.error();
            for (qsizetype i = 0; i < toRead.size(); ++i) {
                IndexedSkill& read = index.skills[toRead[i]];
                if (const auto manifest = SkillManifest::read(manifests.value()[i])) {
                    if (manifest->name && !manifest->name->isEmpty())
                        read.name = *manifest->name;
                    read.description = manifest->description.value_or(QString());
                }
            }
            return index;
        },
        std::move(done));
}

} // namespace GitSkillReader
