#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

// Benchmarks come in pairs named "<scenario>/baseline" and "<scenario>/quorvane". This
// reporter prints Google Benchmark's usual table and keeps the medians, so that the
// pairs can be shown side by side with their ratio and the scenario's target.
class RatioTable : public benchmark::ConsoleReporter
{
public:
    using ConsoleReporter::ConsoleReporter;

    // What a scenario must meet: a largest ratio, or a median below some milliseconds.
    void setRatioTarget(const std::string& scenario, double maximumRatio)
    {
        m_targets[scenario] = {maximumRatio, std::nullopt};
    }
    void setTimeTarget(const std::string& scenario, double maximumMilliseconds)
    {
        m_targets[scenario] = {std::nullopt, maximumMilliseconds};
    }

    void ReportRuns(const std::vector<Run>& runs) override;

    // Prints the summary; false when a scenario with a target missed it.
    bool printSummary() const;

private:
    struct Target
    {
        std::optional<double> maximumRatio;
        std::optional<double> maximumMilliseconds;
    };
    struct Medians
    {
        std::optional<double> baseline; // milliseconds
        std::optional<double> quorvane;
    };
    std::map<std::string, Medians> m_medians;
    std::map<std::string, Target> m_targets;
    std::vector<std::string> m_order; // scenarios as they first reported
};
