#include "benchmarks/BenchmarkData.h"

#include "support/TestFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <map>

#include <dirent.h>
#include <limits.h>
#include <linux/magic.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace BenchmarkData {
namespace {

Medium currentMedium = Medium::disk;

constexpr auto tmpfsRoot = "/dev/shm";

bool isTmpfs(const QString& path)
{
    struct statfs info
    {};
    return ::statfs(QFile::encodeName(path).constData(), &info) == 0 && info.f_type == TMPFS_MAGIC;
}

// The disk is the build folder's, beside the benchmark program: the temporary folder may
// itself be tmpfs on some machines.
QString rootOf(Medium medium)
{
    return medium == Medium::tmpfs ? QString::fromLatin1(tmpfsRoot) : QCoreApplication::applicationDirPath();
}

QTemporaryDir& workFolder()
{
    static std::map<Medium, QTemporaryDir> folders;
    auto found = folders.find(currentMedium);
    if (found == folders.end())
        found = folders.try_emplace(currentMedium, rootOf(currentMedium) + u"/quorvane-benchmarks-XXXXXX"_s)
                    .first;
    const QTemporaryDir& folder = found->second;
    const bool rightMedium = folder.isValid() && isTmpfs(folder.path()) == (currentMedium == Medium::tmpfs);
    if (!rightMedium) {
        std::fprintf(stderr, "Cannot create a temporary folder for the benchmark data on %s\n",
                     nameOf(currentMedium));
        std::exit(1);
    }
    return found->second;
}

// Markdown of exactly `size` bytes, a heading and a description first.
QByteArray markdown(const QString& name, qsizetype size)
{
    QByteArray text = "# " + name.toUtf8() + "\n\nHelps with " + name.toUtf8() + ".\n\n";
    const QByteArray filler = "- Step: read the code, write the change, run the tests.\n";
    while (text.size() < size)
        text += filler;
    text.truncate(size);
    return text;
}

} // namespace

const char* nameOf(Medium medium)
{
    return medium == Medium::tmpfs ? "tmpfs" : "disk";
}

void useMedium(Medium medium)
{
    currentMedium = medium;
}

Medium medium()
{
    return currentMedium;
}

bool hasTmpfs()
{
    return isTmpfs(QString::fromLatin1(tmpfsRoot)) && ::access(tmpfsRoot, W_OK) == 0;
}

void require(bool done, const QString& what)
{
    if (!done) {
        std::fprintf(stderr, "Cannot prepare the benchmark data: %s\n", qPrintable(what));
        std::exit(1);
    }
}

QString newFolder(const QString& name)
{
    // Repetitions set a scenario up again: each gets a folder of its own.
    QString path = workFolder().filePath(name);
    for (int repeat = 2; QFileInfo::exists(path); ++repeat)
        path = workFolder().filePath(name + u"-%1"_s.arg(repeat));
    require(QDir().mkpath(path), path);
    return path;
}

QString newFolderAtHubLength(const QString& name)
{
    if (currentMedium == Medium::tmpfs || isTmpfs(QDir::homePath()))
        return newFolder(name);
    static QTemporaryDir near(QDir::homePath() + u"/.qvb-XXXXXX"_s);
    require(near.isValid(), near.path());
    QString path = near.filePath(name);
    for (int repeat = 2; QFileInfo::exists(path); ++repeat)
        path = near.filePath(name + u"-%1"_s.arg(repeat));
    require(QDir().mkpath(path), path);
    return path;
}

QStringList skillNames(int count)
{
    static constexpr std::array verbs = {"review", "write",  "test",    "refactor", "debug",   "deploy",
                                         "plan",   "format", "explain", "migrate",  "profile", "document"};
    static constexpr std::array topics = {"python", "rust",  "sql",   "docker", "react", "git",   "kotlin",
                                          "shell",  "cmake", "swift", "api",    "css",   "tests", "qt"};
    QStringList names;
    names.reserve(count);
    for (int i = 0; i < count; ++i) {
        const char* verb = verbs[static_cast<size_t>(i) % verbs.size()];
        const char* topic = topics[static_cast<size_t>(i / 7) % topics.size()];
        names.append(u"%1-%2-%3"_s.arg(QLatin1StringView(verb), QLatin1StringView(topic))
                         .arg(i, 5, 10, QLatin1Char('0')));
    }
    return names;
}

int listFolderAtTheFloor(const std::string& folder, const std::string& hub)
{
    DIR* directory = ::opendir(folder.c_str());
    if (!directory)
        return -1;
    int inHub = 0;
    while (const dirent* entry = ::readdir(directory)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..")
            continue;
        const std::string path = folder + '/' + name;
        struct stat info
        {};
        if (entry->d_type == DT_LNK) {
            char destination[PATH_MAX];
            benchmark::DoNotOptimize(::readlink(path.c_str(), destination, sizeof destination));
            benchmark::DoNotOptimize(::stat(path.c_str(), &info));
        }
        if (::stat((hub + '/' + name).c_str(), &info) == 0)
            ++inHub;
    }
    ::closedir(directory);
    return inHub;
}

const LargeHub& largeHub()
{
    static std::map<Medium, LargeHub> hubs;
    if (const auto made = hubs.find(currentMedium); made != hubs.end())
        return made->second;
    return hubs[currentMedium] = [] {
        LargeHub made;
        made.path = newFolder(u"large-hub"_s);
        const QStringList names = skillNames(10'000);
        for (int i = 0; i < names.size(); ++i) {
            const QString& name = names[i];
            if (i % 2 == 0) {
                const QString folder = made.path + u'/' + name;
                require(TestFiles::makeFolder(folder) &&
                            TestFiles::writeFile(folder + u"/SKILL.md"_s, markdown(name, 4096)),
                        folder);
                made.names.append(name);
            } else {
                // Every 50th file is a large one: 100 of 5,000.
                const qsizetype size = (i % 100 == 1) ? 1024 * 1024 : 4096;
                require(TestFiles::writeFile(made.path + u'/' + name + u".md"_s, markdown(name, size)), name);
                made.names.append(name + u".md"_s);
            }
        }
        return made;
    }();
}

const MixedTargetFolder& mixedTargetFolder()
{
    static std::map<Medium, MixedTargetFolder> targets;
    if (const auto made = targets.find(currentMedium); made != targets.end())
        return made->second;
    return targets[currentMedium] = [] {
        MixedTargetFolder made;
        made.hubPath = newFolder(u"listing-hub"_s);
        made.folderPath = newFolder(u"listing-target"_s);
        const QString outside = newFolder(u"listing-outside"_s);
        const QStringList names = skillNames(2'000);
        for (int i = 0; i < names.size(); ++i) {
            const QString& name = names[i];
            const QString place = made.folderPath + u'/' + name;
            const QString hubItem = made.hubPath + u'/' + name;
            bool done = false;
            switch (i % 5) {
            case 0: // a link into the hub
            case 1:
                done = TestFiles::makeFolder(hubItem) &&
                       TestFiles::writeFile(hubItem + u"/SKILL.md"_s, "# x\n") &&
                       TestFiles::makeLink(place, hubItem);
                break;
            case 2: // a link whose hub item is gone
                done = TestFiles::makeLink(place, hubItem);
                break;
            case 3: // a link to a folder outside the hub
                done = TestFiles::makeFolder(outside + u'/' + name) &&
                       TestFiles::makeLink(place, outside + u'/' + name);
                break;
            case 4: // local items, files and folders in turn
                done = (i % 10 == 4) ? TestFiles::writeFile(place + u".md"_s, markdown(name, 4096))
                                     : TestFiles::makeFolder(place);
                break;
            }
            require(done, place);
        }
        return made;
    }();
}

} // namespace BenchmarkData
