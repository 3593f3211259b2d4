// Scanning the hub and listing a target folder, against the system calls they cannot avoid.
#include "access/SecurityScopedBookmarkManager.h"
#include "benchmarks/BenchmarkData.h"
#include "benchmarks/BenchmarkPlatform.h"
#include "linker/HubCatalog.h"
#include "linker/TargetListing.h"
#include "model/TargetApp.h"

#include <QFile>

#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

// Calls `visit` with the name of every entry of the folder but "." and "..".
template <typename Visit> void forEachEntry(const std::string& folder, Visit&& visit)
{
    DIR* directory = ::opendir(folder.c_str());
    if (!directory)
        return;
    while (const dirent* entry = ::readdir(directory)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..")
            visit(name);
    }
    ::closedir(directory);
}

// List the folder, stat each entry and read each file once.
void hubScanBaseline(benchmark::State& state)
{
    const std::string hub = QFile::encodeName(BenchmarkData::largeHub().path).toStdString();
    std::vector<char> buffer(1 << 16);
    for (auto _ : state) {
        timeIteration(state, [&] {
            int entries = 0;
            forEachEntry(hub, [&](const std::string& name) {
                const std::string path = hub + '/' + name;
                struct stat info
                {};
                if (::stat(path.c_str(), &info) != 0)
                    return;
                ++entries;
                // A folder's SKILL.md is read for its frontmatter; a file for its preview.
                const std::string read = S_ISDIR(info.st_mode) ? path + "/SKILL.md" : path;
                if (!S_ISREG(info.st_mode) && !S_ISDIR(info.st_mode))
                    return;
                const int file = ::open(read.c_str(), O_RDONLY | O_CLOEXEC);
                if (file < 0)
                    return;
                while (::read(file, buffer.data(), buffer.size()) > 0) {
                }
                ::close(file);
            });
            benchmark::DoNotOptimize(entries);
        });
    }
}

void hubScan(benchmark::State& state)
{
    BenchmarkWorkspace bench;
    bench.useHub(BenchmarkData::largeHub().path);
    HubCatalog& catalog = bench.workspace->hubCatalog();
    for (auto _ : state)
        timeIteration(state, [&] { catalog.scanCentralRepository(); });
    if (catalog.availableSkills().size() != 10'000)
        state.SkipWithError("the scan did not list every hub entry");
}

// lstat, realpath and one existence test in the hub per entry.
void targetListingBaseline(benchmark::State& state)
{
    const auto& data = BenchmarkData::mixedTargetFolder();
    const std::string folder = QFile::encodeName(data.folderPath).toStdString();
    const std::string hub = QFile::encodeName(data.hubPath).toStdString();
    for (auto _ : state) {
        timeIteration(state, [&] {
            int inHub = 0;
            forEachEntry(folder, [&](const std::string& name) {
                const std::string path = folder + '/' + name;
                struct stat info
                {};
                if (::lstat(path.c_str(), &info) != 0)
                    return;
                if (S_ISLNK(info.st_mode)) {
                    char resolved[PATH_MAX];
                    benchmark::DoNotOptimize(::realpath(path.c_str(), resolved));
                }
                if (::stat((hub + '/' + name).c_str(), &info) == 0)
                    ++inHub;
            });
            benchmark::DoNotOptimize(inHub);
        });
    }
}

void targetListing(benchmark::State& state)
{
    BenchmarkWorkspace bench;
    const auto& data = BenchmarkData::mixedTargetFolder();
    bench.useHub(data.hubPath);
    const TargetApp app(QStringLiteral("Bench"), data.folderPath, QStringLiteral("folder"),
                        SecurityScopedBookmarkManager::createBookmark(data.folderPath));
    qsizetype listed = 0;
    for (auto _ : state)
        timeIteration(state, [&] {
            listed = bench.workspace->targetListing().list(app).value_or(QList<TargetAppSkill>()).size();
        });
    if (listed != 2'000)
        state.SkipWithError("the listing did not show every entry");
}

} // namespace

BENCHMARK(hubScanBaseline)
    ->Name("hub scan, 10,000 entries/baseline")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(hubScan)->Name("hub scan, 10,000 entries/quorvane")->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(targetListingBaseline)
    ->Name("target listing, 2,000 entries/baseline")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(targetListing)
    ->Name("target listing, 2,000 entries/quorvane")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
