#pragma once

#include <QString>
#include <QStringList>

#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

// The data the benchmarks work on, generated on first use in temporary folders that are
// removed when the program ends, so every scenario runs on real files. File-system
// scenarios run twice: on the build machine's disk, where each system call may wait for
// the device, and on tmpfs, where only the program's own work is left to see.
namespace BenchmarkData {

enum class Medium
{
    disk,
    tmpfs
};
const char* nameOf(Medium medium);
// Where newFolder() and the shared data below are made; scenarios set it before they run.
void useMedium(Medium medium);
Medium medium();
// Whether tmpfs can be written here (/dev/shm); its scenarios are skipped otherwise.
bool hasTmpfs();

// Ends the program with a message when preparing data failed: measuring on wrong data
// would be worse than not measuring.
void require(bool done, const QString& what);

// A fresh, empty folder inside the current medium's temporary folder, named after `name`.
QString newFolder(const QString& name);
// The same at a path as short as a hub's under a home folder: on the disk, in the home
// folder rather than the build folder. ext4 keeps a link whose target is shorter than 60
// bytes in its inode; a longer one gets a block of its own, which a file system mounted
// with discard trims at each unlink(). Links made by another tool relative to a nearby
// folder stay short, so only a scene at a hub's usual length compares the two tools' work.
QString newFolderAtHubLength(const QString& name);

// Deterministic skill names such as "review-python-0042", `count` of them, all different.
QStringList skillNames(int count);

// The shared data are made once per medium.
// 10,000 hub entries: 5,000 folders holding a SKILL.md, 4,900 markdown files of 4 KiB
// and 100 markdown files of 1 MiB.
struct LargeHub
{
    QString path;
    QStringList names; // entry names as they appear on disk
};
const LargeHub& largeHub();

// A target folder of 2,000 entries: links into a hub, broken links, links to a folder
// outside the hub, local files and local folders; the hub holds the linked items.
struct MixedTargetFolder
{
    QString hubPath;
    QString folderPath;
};
const MixedTargetFolder& mixedTargetFolder();

// The floor of listing an app's folder: the listing itself, which tells which entries are
// links; for a link, readlink() for where it leads and stat() of that destination, to tell
// a broken one; for every entry, one stat() of its namesake in the hub. Returns how many
// entries have one, or -1 when the folder cannot be listed.
int listFolderAtTheFloor(const std::string& folder, const std::string& hub);

} // namespace BenchmarkData

// Times one iteration with a steady clock, for benchmarks registered with UseManualTime,
// so that preparation outside `work` is never counted.
template <typename Work> void timeIteration(benchmark::State& state, Work&& work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    const auto end = std::chrono::steady_clock::now();
    state.SetIterationTime(std::chrono::duration<double>(end - start).count());
}
