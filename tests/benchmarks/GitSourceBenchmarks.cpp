// A git source of 1,000 skills in a local bare repository: its first refresh beside a shallow
// clone and a search for the SKILL.md files, and a refresh with nothing new beside git's fetch
// alone. Whole processes, as a user runs them.
#include "benchmarks/BenchmarkData.h"
#include "benchmarks/Scenario.h"

#include <QDir>
#include <QFile>
#include <QProcess>

using namespace Qt::StringLiterals;

namespace {

constexpr int skillCount = 1'000;

bool run(const QString& program, const QStringList& arguments, const QProcessEnvironment& environment,
         const QString& folder = {})
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(folder);
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(program, arguments);
    return process.waitForFinished(300'000) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

struct GitScene
{
    QString parent = BenchmarkData::newFolder(u"git-source"_s);
    QString bare = parent + u"/team.git"_s;
    QString location = u"file://"_s + bare + u"#skills"_s;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();

    GitScene()
    {
        environment.insert(u"HOME"_s, parent + u"/home"_s);
        environment.insert(u"XDG_DATA_HOME"_s, parent + u"/home/.local/share"_s);
        environment.insert(u"XDG_CONFIG_HOME"_s, parent + u"/home/.config"_s);
        environment.insert(u"XDG_CACHE_HOME"_s, cache());
        environment.insert(u"GIT_AUTHOR_NAME"_s, u"Team"_s);
        environment.insert(u"GIT_AUTHOR_EMAIL"_s, u"team@example.com"_s);
        environment.insert(u"GIT_COMMITTER_NAME"_s, u"Team"_s);
        environment.insert(u"GIT_COMMITTER_EMAIL"_s, u"team@example.com"_s);
        const QString work = parent + u"/work"_s;
        for (int i = 0; i < skillCount; ++i) {
            const QString skill = work + u"/skills/skill-%1"_s.arg(i);
            QDir().mkpath(skill + u"/scripts"_s);
            QFile manifest(skill + u"/SKILL.md"_s);
            QFile script(skill + u"/scripts/run.sh"_s);
            const QByteArray name = "skill-" + QByteArray::number(i);
            BenchmarkData::require(manifest.open(QIODevice::WriteOnly) &&
                                       manifest.write("---\nname: " + name + "\ndescription: Helps with " +
                                                      name + ".\n---\n\nRun the tests before you push.\n") >
                                           0 &&
                                       script.open(QIODevice::WriteOnly) && script.write("make test\n") > 0,
                                   skill);
        }
        BenchmarkData::require(
            run(u"git"_s, {u"init"_s, u"-q"_s, u"-b"_s, u"main"_s}, environment, work) &&
                run(u"git"_s, {u"add"_s, u"-A"_s}, environment, work) &&
                run(u"git"_s, {u"commit"_s, u"-q"_s, u"-m"_s, u"skills"_s}, environment, work) &&
                run(u"git"_s, {u"clone"_s, u"-q"_s, u"--bare"_s, work, bare}, environment),
            bare);
        QDir().mkpath(parent + u"/Hub"_s);
        BenchmarkData::require(quorvane({u"hub"_s, u"set"_s, parent + u"/Hub"_s}) &&
                                   quorvane({u"sources"_s, u"add"_s, u"git"_s, location}),
                               location);
    }

    QString cache() const { return parent + u"/home/.cache"_s; }
    bool quorvane(const QStringList& arguments) const
    {
        return run(QStringLiteral(QUORVANE_CLI), arguments, environment);
    }
    bool git(const QStringList& arguments) const { return run(u"git"_s, arguments, environment); }
};

const GitScene& scene()
{
    static std::map<BenchmarkData::Medium, GitScene> scenes;
    return scenes[BenchmarkData::medium()];
}

void cloneAndFind(benchmark::State& state)
{
    const GitScene& git = scene();
    const QString clone = git.parent + u"/clone"_s;
    bool done = true;
    for (auto _ : state) {
        QDir(clone).removeRecursively();
        timeIteration(state, [&] {
            done = git.git({u"clone"_s, u"-q"_s, u"--depth"_s, u"1"_s, u"file://"_s + git.bare, clone}) &&
                   run(u"find"_s, {clone, u"-name"_s, u"SKILL.md"_s}, git.environment) && done;
        });
    }
    if (!done)
        state.SkipWithError("the clone failed");
}

void firstRefresh(benchmark::State& state)
{
    const GitScene& git = scene();
    bool done = true;
    for (auto _ : state) {
        QDir(git.cache()).removeRecursively();
        timeIteration(state, [&] {
            done = git.quorvane({u"sources"_s, u"refresh"_s, git.location}) && done;
        });
    }
    if (!done)
        state.SkipWithError("the refresh failed");
}

void fetchAlone(benchmark::State& state)
{
    const GitScene& git = scene();
    const QString mirror = git.parent + u"/mirror.git"_s;
    bool done =
        git.git({u"clone"_s, u"-q"_s, u"--bare"_s, u"--depth"_s, u"1"_s, u"file://"_s + git.bare, mirror});
    for (auto _ : state)
        timeIteration(state, [&] {
            done = git.git({u"-C"_s, mirror, u"fetch"_s, u"-q"_s, u"--depth"_s, u"1"_s,
                            u"file://"_s + git.bare, u"HEAD"_s}) &&
                   done;
        });
    if (!done)
        state.SkipWithError("the fetch failed");
}

void refreshWithNothingNew(benchmark::State& state)
{
    const GitScene& git = scene();
    bool done = git.quorvane({u"sources"_s, u"refresh"_s, git.location});
    for (auto _ : state)
        timeIteration(state, [&] {
            done = git.quorvane({u"sources"_s, u"refresh"_s, git.location}) && done;
        });
    if (!done)
        state.SkipWithError("the refresh failed");
}

[[maybe_unused]] const int declared[] = {
    Scenario::declare({.name = "git source of 1,000 skills, first refresh, against a shallow clone and find",
                       .baseline = cloneAndFind,
                       .program = firstRefresh,
                       .target = Scenario::ratioAtMost(1.5),
                       .iterations = 3,
                       .onBothMedia = true}),
    Scenario::declare({.name = "git source of 1,000 skills, refresh with nothing new, against git fetch",
                       .baseline = fetchAlone,
                       .program = refreshWithNothingNew,
                       .target = Scenario::ratioAtMost(1.5),
                       .iterations = 5,
                       .onBothMedia = true}),
};

} // namespace
