#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <optional>
#include <string>

// Every scenario of the suite, declared once with its target. A scenario is a pair: the
// program's run beside a baseline of the system work it cannot avoid, or the program's
// run alone against a time. Declaring one registers the Google Benchmark entries, named
// "<scenario>/baseline" and "<scenario>/quorvane", on each medium it runs on.
namespace Scenario {

using Side = void (*)(benchmark::State&);

struct Target
{
    std::optional<double> maximumRatio;
    std::optional<double> maximumMilliseconds;
};
inline Target ratioAtMost(double ratio)
{
    return {ratio, std::nullopt};
}
inline Target underMilliseconds(double milliseconds)
{
    return {std::nullopt, milliseconds};
}

struct Declaration
{
    std::string name;
    Side baseline = nullptr; // none: the program alone, against a time target
    Side program = nullptr;
    std::optional<Target> target;
    int iterations = 0; // 0: as many per repetition as Google Benchmark needs
    // Runs once on the build machine's disk and once on tmpfs, as "<name>, disk" and
    // "<name>, tmpfs"; otherwise once on the disk under the plain name.
    bool onBothMedia = false;
    // With onBothMedia, the disk's own target where it differs from `target` (which then
    // holds on tmpfs): beside another program that makes the same system calls, the disk's
    // share is the same for both, so only the program's own work beyond it can be held there.
    std::optional<Target> diskTarget = std::nullopt;
    bool manualTime = true; // the side times itself with timeIteration()
};

// Registers the declaration's entries; returns a value to initialise a static with, so a
// file declares its scenarios where it defines them.
int declare(const Declaration& declaration);

// The targets by full scenario name, as the table checks them.
const std::map<std::string, Target>& targets();

} // namespace Scenario
