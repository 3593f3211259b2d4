#include "benchmarks/Scenario.h"

#include "benchmarks/BenchmarkData.h"

#include <vector>

namespace Scenario {
namespace {

std::map<std::string, Target>& targetsByName()
{
    static std::map<std::string, Target> targets;
    return targets;
}

void registerSide(const std::string& name, Side side, const Declaration& declaration,
                  BenchmarkData::Medium medium)
{
    auto* entry = benchmark::RegisterBenchmark(name.c_str(), [side, medium](benchmark::State& state) {
        if (medium == BenchmarkData::Medium::tmpfs && !BenchmarkData::hasTmpfs()) {
            state.SkipWithError("no writable tmpfs at /dev/shm");
            return;
        }
        BenchmarkData::useMedium(medium);
        side(state);
    });
    entry->Unit(benchmark::kMillisecond);
    if (declaration.manualTime)
        entry->UseManualTime();
    if (declaration.iterations > 0)
        entry->Iterations(declaration.iterations);
}

} // namespace

int declare(const Declaration& declaration)
{
    using BenchmarkData::Medium;
    const std::vector<Medium> media =
        declaration.onBothMedia ? std::vector{Medium::disk, Medium::tmpfs} : std::vector{Medium::disk};
    for (const Medium medium : media) {
        const std::string name = declaration.onBothMedia
                                     ? declaration.name + ", " + BenchmarkData::nameOf(medium)
                                     : declaration.name;
        if (declaration.baseline)
            registerSide(name + "/baseline", declaration.baseline, declaration, medium);
        registerSide(name + "/quorvane", declaration.program, declaration, medium);
        const std::optional<Target> held =
            medium == Medium::disk && declaration.diskTarget ? declaration.diskTarget : declaration.target;
        if (held)
            targetsByName()[name] = *held;
    }
    return 0;
}

const std::map<std::string, Target>& targets()
{
    return targetsByName();
}

} // namespace Scenario
