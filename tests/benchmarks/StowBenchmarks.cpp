// The command-line tool as whole processes on a 2,000-item hub. Bulk linking beside GNU
// Stow, which links a package folder's entries into a target in one call; and the small
// commands a script runs often, beside the tool's own start (--help) plus the file work
// the command cannot avoid.
#include "audit/CleanVerdicts.h"
#include "benchmarks/BenchmarkData.h"
#include "benchmarks/Scenario.h"

#include <QDir>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QThread>

#include <map>

#include <sys/stat.h>
#include <unistd.h>

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int itemCount = 2000;

// A parent folder holding the hub (Stow's package), a target folder for each tool, and
// a user whose store knows the hub and the target as the app "T".
struct StowScene
{
    QString parent = BenchmarkData::newFolderAtHubLength(u"stow-scene"_s);
    QString hub = parent + u"/hub"_s;
    QString stowTarget = parent + u"/stow-target"_s;
    QString quorvaneTarget = parent + u"/quorvane-target"_s;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();

    StowScene()
    {
        for (int i = 0; i < itemCount; ++i) {
            const QString item = hub + u"/skill-%1"_s.arg(i);
            QDir().mkpath(item);
            QFile manifest(item + u"/SKILL.md"_s);
            BenchmarkData::require(manifest.open(QIODevice::WriteOnly) &&
                                       manifest.write("---\nname: x\ndescription: y\n---\n") > 0,
                                   item);
        }
        // A user's hub was written before it is placed, not in that moment: the audit keeps its
        // verdicts only for files whose times have settled.
        QThread::msleep(CleanVerdicts::settlingMilliseconds + 100);
        QDir().mkpath(stowTarget);
        QDir().mkpath(quorvaneTarget);
        environment.insert(u"HOME"_s, parent + u"/home"_s);
        environment.insert(u"XDG_DATA_HOME"_s, parent + u"/home/.local/share"_s);
        environment.insert(u"XDG_CONFIG_HOME"_s, parent + u"/home/.config"_s);
        environment.insert(u"XDG_CACHE_HOME"_s, parent + u"/home/.cache"_s);
        BenchmarkData::require(quorvane({u"hub"_s, u"set"_s, hub}), hub);
        BenchmarkData::require(quorvane({u"apps"_s, u"add"_s, u"T"_s, quorvaneTarget}), quorvaneTarget);
    }

    bool run(const QString& program, const QStringList& arguments) const
    {
        QProcess process;
        process.setProcessEnvironment(environment);
        process.setStandardOutputFile(QProcess::nullDevice());
        process.setStandardErrorFile(QProcess::nullDevice());
        process.start(program, arguments);
        return process.waitForFinished(120'000) && process.exitStatus() == QProcess::NormalExit &&
               process.exitCode() == 0;
    }
    bool quorvane(const QStringList& arguments) const { return run(QStringLiteral(QUORVANE_CLI), arguments); }
    QString storePath() const { return parent + u"/home/.local/share/Quorvane/quorvane.sqlite"_s; }
    bool stow(const QStringList& options) const
    {
        return run(u"stow"_s, options + QStringList{u"-d"_s, parent, u"-t"_s, stowTarget, u"hub"_s});
    }
};

const StowScene& scene()
{
    static std::map<BenchmarkData::Medium, StowScene> scenes;
    return scenes[BenchmarkData::medium()];
}

// `prepare` brings the target into the state the timed command starts from.
template <typename Prepare, typename Timed>
void wholeProcess(benchmark::State& state, Prepare&& prepare, Timed&& timed)
{
    for (auto _ : state) {
        if (!prepare()) {
            state.SkipWithError("could not prepare the target folder");
            return;
        }
        bool done = false;
        timeIteration(state, [&] { done = timed(); });
        if (!done) {
            state.SkipWithError("the command failed");
            return;
        }
    }
}

void linkAllStow(benchmark::State& state)
{
    wholeProcess(
        state, [] { return scene().stow({u"-D"_s}); }, [] { return scene().stow({}); });
}

void linkAll(benchmark::State& state)
{
    wholeProcess(
        state,
        [] {
            return scene().quorvane({u"unlink"_s, u"--all"_s, u"T"_s});
        },
        [] {
            return scene().quorvane({u"link"_s, u"--all"_s, u"T"_s});
        });
}

void unlinkAllStow(benchmark::State& state)
{
    wholeProcess(
        state, [] { return scene().stow({}); }, [] { return scene().stow({u"-D"_s}); });
}

void unlinkAll(benchmark::State& state)
{
    wholeProcess(
        state,
        [] {
            return scene().quorvane({u"link"_s, u"--all"_s, u"T"_s});
        },
        [] {
            return scene().quorvane({u"unlink"_s, u"--all"_s, u"T"_s});
        });
}

// A dry run works out the same state of the linked folder that `status` reports.
void statusStow(benchmark::State& state)
{
    wholeProcess(
        state, [] { return scene().stow({}); },
        [] {
            return scene().stow({u"-n"_s, u"-v"_s});
        });
}

void status(benchmark::State& state)
{
    wholeProcess(
        state,
        [] {
            return scene().quorvane({u"link"_s, u"--all"_s, u"T"_s});
        },
        [] {
            return scene().quorvane({u"status"_s, u"T"_s});
        });
}

// One statement of a store read, with its bound values.
struct StoreQuery
{
    QString statement;
    QVariantList values;
};

// The store reads a command cannot avoid: open the file, run each query and step through
// its rows, close. Loading the SQL driver is the tool's start, so it happens once here.
bool readStoreAtTheFloor(const QList<StoreQuery>& queries)
{
    static const QString connection = [] {
        QSqlDatabase::addDatabase(u"QSQLITE"_s, u"store-floor"_s);
        return u"store-floor"_s;
    }();
    QSqlDatabase database = QSqlDatabase::database(connection, false);
    database.setDatabaseName(scene().storePath());
    if (!database.open())
        return false;
    bool read = true;
    for (const StoreQuery& query : queries) {
        QSqlQuery select(database);
        select.setForwardOnly(true);
        read = read && select.prepare(query.statement);
        for (const QVariant& value : query.values)
            select.addBindValue(value);
        read = read && select.exec();
        while (read && select.next())
            benchmark::DoNotOptimize(select.value(0));
    }
    database.close();
    return read;
}

StoreQuery appNamedT()
{
    return {u"SELECT * FROM target_apps WHERE name = ?"_s, {u"T"_s}};
}

// The id of the app "T", which the rows of its records name.
QVariant idOfT()
{
    QVariant id;
    {
        QSqlDatabase database = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"id-of-t"_s);
        database.setDatabaseName(scene().storePath());
        QSqlQuery select(database);
        if (database.open() && select.exec(u"SELECT id FROM target_apps WHERE name = 'T'"_s) && select.next())
            id = select.value(0);
    }
    QSqlDatabase::removeDatabase(u"id-of-t"_s);
    BenchmarkData::require(id.isValid(), u"the app T"_s);
    return id;
}

// `--help`, the store rows of the app and of the item, and then the file work of one
// link: the command's floor.
void linkOneBaseline(benchmark::State& state)
{
    const QByteArray item = QFile::encodeName(scene().hub + u"/skill-7"_s);
    const QByteArray place = QFile::encodeName(scene().quorvaneTarget + u"/skill-7"_s);
    const QVariant app = idOfT();
    wholeProcess(
        state,
        [&] {
            return scene().quorvane({u"link"_s, u"--all"_s, u"T"_s}) && ::unlink(place.constData()) == 0;
        },
        [&] {
            struct stat info
            {};
            return scene().quorvane({u"--help"_s}) &&
                   readStoreAtTheFloor(
                       {appNamedT(),
                        {u"SELECT * FROM skill_link_records WHERE target_app_id = ? AND item_name = ?"_s,
                         {app, u"skill-7"_s}}}) &&
                   ::stat(item.constData(), &info) == 0 &&
                   ::symlink(item.constData(), place.constData()) == 0;
        });
}

void linkOne(benchmark::State& state)
{
    const QByteArray place = QFile::encodeName(scene().quorvaneTarget + u"/skill-7"_s);
    wholeProcess(
        state,
        [&] {
            return scene().quorvane({u"link"_s, u"--all"_s, u"T"_s}) && ::unlink(place.constData()) == 0;
        },
        [] {
            return scene().quorvane({u"link"_s, u"skill-7"_s, u"T"_s});
        });
}

bool allLinked()
{
    return scene().quorvane({u"link"_s, u"--all"_s, u"T"_s});
}

// `--help` and reading the apps from the store.
void appsBaseline(benchmark::State& state)
{
    wholeProcess(state, allLinked, [] {
        return scene().quorvane({u"--help"_s}) && readStoreAtTheFloor({{u"SELECT * FROM target_apps"_s, {}}});
    });
}

void apps(benchmark::State& state)
{
    wholeProcess(state, allLinked, [] { return scene().quorvane({u"apps"_s}); });
}

// `--help`, the names and hashes of the app's records, and the floor of listing the folder.
void statusBaseline(benchmark::State& state)
{
    const std::string folder = QFile::encodeName(scene().quorvaneTarget).toStdString();
    const std::string hub = QFile::encodeName(scene().hub).toStdString();
    const QVariant app = idOfT();
    wholeProcess(state, allLinked, [&] {
        return scene().quorvane({u"--help"_s}) &&
               readStoreAtTheFloor(
                   {appNamedT(),
                    {u"SELECT item_name, content_hash FROM skill_link_records WHERE target_app_id = ?"_s,
                     {app}}}) &&
               BenchmarkData::listFolderAtTheFloor(folder, hub) >= 0;
    });
}

void statusOfApp(benchmark::State& state)
{
    wholeProcess(state, allLinked, [] { return scene().quorvane({u"status"_s, u"T"_s}); });
}

[[maybe_unused]] const int declared[] = {
    Scenario::declare({.name = "link all, 2,000 items, against Stow",
                       .baseline = linkAllStow,
                       .program = linkAll,
                       .target = Scenario::ratioAtMost(0.5),
                       .onBothMedia = true,
                       .diskTarget = Scenario::ratioAtMost(1.0)}),
    Scenario::declare({.name = "unlink all, 2,000 items, against Stow",
                       .baseline = unlinkAllStow,
                       .program = unlinkAll,
                       .target = Scenario::ratioAtMost(0.5),
                       .onBothMedia = true,
                       .diskTarget = Scenario::ratioAtMost(1.0)}),
    Scenario::declare({.name = "status of 2,000 links, against a Stow dry run",
                       .baseline = statusStow,
                       .program = status,
                       .target = Scenario::ratioAtMost(0.5),
                       .onBothMedia = true,
                       .diskTarget = Scenario::ratioAtMost(1.0)}),
    Scenario::declare({.name = "cli apps, 2,000 records, against --help and its rows",
                       .baseline = appsBaseline,
                       .program = apps,
                       .target = Scenario::ratioAtMost(1.5),
                       .onBothMedia = true}),
    Scenario::declare({.name = "cli link ITEM APP, against --help, its rows and one link",
                       .baseline = linkOneBaseline,
                       .program = linkOne,
                       .target = Scenario::ratioAtMost(1.5),
                       .onBothMedia = true}),
    Scenario::declare({.name = "cli status APP, against --help, its rows and a listing",
                       .baseline = statusBaseline,
                       .program = statusOfApp,
                       .target = Scenario::ratioAtMost(1.5),
                       .onBothMedia = true}),
};

} // namespace
