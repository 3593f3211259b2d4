// Scanning the hub and listing a target folder, against the system calls they cannot avoid.
#include "access/SecurityScopedBookmarkManager.h"
#include "benchmarks/BenchmarkData.h"
#include "benchmarks/BenchmarkPlatform.h"
#include "benchmarks/Scenario.h"
#include "linker/HubCatalog.h"
#include "linker/TargetListing.h"
#include "model/TargetApp.h"

#include <QFile>

#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

namespace {

// Calls `visit` with the name and listed type of every entry of the folder but "." and "..".
template <typename Visit> void forEachEntry(const std::string& folder, Visit&& visit)
{
    DIR* directory = ::opendir(folder.c_str());
    if (!directory)
        return;
    while (const dirent* entry = ::readdir(directory)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..")
            visit(name, entry->d_type);
    }
    ::closedir(directory);
}

// Reads the whole file once through a buffer the caller keeps.
void readWhole(const std::string& path, std::vector<char>& buffer)
{
    const int file = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (file < 0)
        return;
    while (::read(file, buffer.data(), buffer.size()) > 0) {
    }
    ::close(file);
}

// The floor of a scan: the listing, which tells each entry's type (a stat() only where it
// cannot: links and file systems without types), and one whole read of each file and of
// each folder's SKILL.md, as the previews and the UTF-8 check need every byte.
void hubScanBaseline(benchmark::State& state)
{
    const std::string hub = QFile::encodeName(BenchmarkData::largeHub().path).toStdString();
    std::vector<char> buffer(1 << 16);
    for (auto _ : state) {
        timeIteration(state, [&] {
            int entries = 0;
            forEachEntry(hub, [&](const std::string& name, unsigned char type) {
                const std::string path = hub + '/' + name;
                bool folder = type == DT_DIR;
                bool file = type == DT_REG;
                if (type == DT_LNK || type == DT_UNKNOWN) {
                    struct stat info
                    {};
                    if (::stat(path.c_str(), &info) != 0)
                        return;
                    folder = S_ISDIR(info.st_mode);
                    file = S_ISREG(info.st_mode);
                }
                ++entries;
                if (folder)
                    readWhole(path + "/SKILL.md", buffer);
                else if (file)
                    readWhole(path, buffer);
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

// The floor of a listing, as BenchmarkData::listFolderAtTheFloor() says.
void targetListingBaseline(benchmark::State& state)
{
    const auto& data = BenchmarkData::mixedTargetFolder();
    const std::string folder = QFile::encodeName(data.folderPath).toStdString();
    const std::string hub = QFile::encodeName(data.hubPath).toStdString();
    for (auto _ : state)
        timeIteration(state,
                      [&] { benchmark::DoNotOptimize(BenchmarkData::listFolderAtTheFloor(folder, hub)); });
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

[[maybe_unused]] const int declared[] = {
    Scenario::declare({.name = "hub scan, 10,000 entries",
                       .baseline = hubScanBaseline,
                       .program = hubScan,
                       .target = Scenario::ratioAtMost(1.5),
                       .onBothMedia = true}),
    Scenario::declare({.name = "target listing, 2,000 entries",
                       .baseline = targetListingBaseline,
                       .program = targetListing,
                       .target = Scenario::ratioAtMost(2.0),
                       .onBothMedia = true}),
};

} // namespace
