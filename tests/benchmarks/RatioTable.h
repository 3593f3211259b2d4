#pragma once

#include "benchmarks/Scenario.h"

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

// Prints Google Benchmark's usual table of aggregates and keeps each repetition's time,
// so that every scenario's pair can be shown side by side: the medians, how far the
// repetitions spread, the ratio and the scenario's target.
class RatioTable : public benchmark::ConsoleReporter
{
public:
    using ConsoleReporter::ConsoleReporter;

    void ReportRuns(const std::vector<Run>& runs) override;

    // Prints the summary; false when a scenario with a target missed it.
    bool printSummary() const;

private:
    struct Sides
    {
        std::vector<double> baseline; // milliseconds, one per repetition
        std::vector<double> quorvane;
    };
    std::map<std::string, Sides> m_times;
    std::vector<std::string> m_order; // scenarios as they first reported
};
