// A project restored from its lock file with every folder in the content cache: the hub's
// items and two apps' copies made from the cache, beside the copies alone.
#include "actions/AppActions.h"
#include "actions/ProjectRestore.h"
#include "actions/Workspace.h"
#include "backup/LockFile.h"
#include "benchmarks/BenchmarkData.h"
#include "benchmarks/BenchmarkPlatform.h"
#include "benchmarks/Scenario.h"
#include "model/AssistantPresets.h"
#include "model/TargetApp.h"
#include "store/ContentCache.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>

using namespace Qt::StringLiterals;

namespace {

constexpr int skillCount = 200;
constexpr int filesPerSkill = 5;
const QStringList presets = {u"claude-code"_s, u"cursor"_s};

// The project, its lock file and the cache holding every locked folder.
struct RestoreScene
{
    QString home;
    QString hub;
    QString project;
    QString cache;
    QStringList names;
    QStringList appFolders;
};

const RestoreScene& restoreScene()
{
    static std::map<BenchmarkData::Medium, RestoreScene> scenes;
    if (const auto made = scenes.find(BenchmarkData::medium()); made != scenes.end())
        return made->second;
    RestoreScene scene;
    scene.home = BenchmarkData::newFolder(u"restore"_s);
    scene.hub = scene.home + u"/Hub"_s;
    scene.project = scene.home + u"/repo"_s;
    scene.cache = scene.home + u"/cache/Quorvane/content"_s;
    BenchmarkData::require(QDir().mkpath(scene.hub) && QDir().mkpath(scene.project), scene.home);
    ContentCache cache(scene.cache);
    LockFile lock;
    for (int i = 0; i < skillCount; ++i) {
        QList<ContentFile> files;
        for (int f = 0; f < filesPerSkill; ++f)
            files.append({f == 0 ? u"SKILL.md"_s : u"part-%1.md"_s.arg(f),
                          QByteArray(4096, char('a' + (i + f) % 26)) + QByteArray::number(i), false});
        const QString hash = FolderContent::digest(files).contentHash;
        BenchmarkData::require(cache.keep(hash, files).ok(), scene.cache);
        scene.names.append(u"skill-%1"_s.arg(i));
        lock.skills.append({scene.names.last(), std::nullopt, hash, presets});
    }
    BenchmarkData::require(LockFile::write(scene.project, lock).ok(), scene.project);
    for (const QString& id : presets)
        scene.appFolders.append(scene.project + u'/' + *assistantPreset(id)->projectFolder);
    return scenes[BenchmarkData::medium()] = scene;
}

// Nothing of a restore left behind: hub items and the apps' copies.
void clearRestore(const RestoreScene& scene)
{
    for (const QString& name : scene.names)
        QDir(scene.hub + u'/' + name).removeRecursively();
    for (const QString& folder : scene.appFolders)
        QDir(folder).removeRecursively();
}

void restoreBaseline(benchmark::State& state)
{
    const RestoreScene& scene = restoreScene();
    for (auto _ : state) {
        clearRestore(scene);
        timeIteration(state, [&] {
            // Each cached file copied into the hub and into both apps' folders.
            const QDir cache(scene.cache);
            for (const QString& entry : cache.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
                const QString from = cache.filePath(entry);
                for (const QString& root : QStringList{scene.hub} + scene.appFolders) {
                    const QString to = root + u'/' + entry;
                    QDir().mkpath(to);
                    for (const QString& file : QDir(from).entryList(QDir::Files))
                        QFile::copy(from + u'/' + file, to + u'/' + file);
                }
            }
        });
        for (const QString& root : QStringList{scene.hub} + scene.appFolders)
            for (const QString& entry : QDir(root).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
                QDir(root + u'/' + entry).removeRecursively();
    }
}

void restoreProgram(benchmark::State& state)
{
    const RestoreScene& scene = restoreScene();
    qputenv("XDG_CACHE_HOME", QFile::encodeName(scene.home + u"/cache"_s));
    BenchmarkWorkspace bench;
    bench.useHub(scene.hub);
    bool restored = true;
    bool registered = false;
    for (auto _ : state) {
        clearRestore(scene);
        if (!registered) {
            for (const QString& id : presets)
                BenchmarkData::require(
                    AppActions(*bench.workspace)
                        .addToProject(*assistantPreset(id), scene.project, true, std::nullopt)
                        .ok(),
                    id);
            registered = true;
        } else {
            for (const QString& folder : scene.appFolders)
                QDir().mkpath(folder);
        }
        timeIteration(state, [&] {
            auto* restore = new ProjectRestore(*bench.workspace, FetchAccess{}, scene.project, {true},
                                               [](RestorePlan&) { return true; });
            QEventLoop waiting;
            QObject::connect(restore, &ProjectRestore::finished, &waiting,
                             [&](const RestoreOutcome& outcome) {
                                 restored = restored && outcome.stage == RestoreOutcome::Stage::restored &&
                                            outcome.failures.isEmpty();
                                 waiting.quit();
                             });
            restore->start();
            waiting.exec();
        });
    }
    if (!restored)
        state.SkipWithError("the restore failed");
    else if (QDir(scene.appFolders.last()).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size() != skillCount)
        state.SkipWithError("the restore did not place every skill");
}

[[maybe_unused]] const int declared[] = {
    Scenario::declare({.name = "project restore from the cache, 200 skills into two apps",
                       .baseline = restoreBaseline,
                       .program = restoreProgram,
                       // Beyond the floor's copies, each cached folder is read once more and
                       // checked against its hash, and the hub's copy goes through a staging folder.
                       .target = Scenario::ratioAtMost(3.5),
                       .iterations = 3,
                       .onBothMedia = true}),
};

} // namespace
