#include "benchmarks/RatioTable.h"

#include <algorithm>
#include <cstdio>
#include <optional>

namespace {

double toMilliseconds(double value, benchmark::TimeUnit unit)
{
    switch (unit) {
    case benchmark::kNanosecond:
        return value / 1e6;
    case benchmark::kMicrosecond:
        return value / 1e3;
    case benchmark::kMillisecond:
        return value;
    case benchmark::kSecond:
        return value * 1e3;
    }
    return value;
}

std::optional<double> median(std::vector<double> times)
{
    if (times.empty())
        return std::nullopt;
    std::sort(times.begin(), times.end());
    const size_t middle = times.size() / 2;
    return times.size() % 2 == 1 ? times[middle] : (times[middle - 1] + times[middle]) / 2;
}

// How far the repetitions lie apart, as a share of their median: (slowest - fastest) / median.
std::string spreadOf(const std::vector<double>& times)
{
    const auto middle = median(times);
    if (!middle || *middle <= 0 || times.size() < 2)
        return "";
    const auto [fastest, slowest] = std::minmax_element(times.begin(), times.end());
    char text[16];
    std::snprintf(text, sizeof text, "±%.0f%%", 50.0 * (*slowest - *fastest) / *middle);
    return text;
}

std::string formatMilliseconds(std::optional<double> value)
{
    if (!value)
        return "-";
    char text[32];
    std::snprintf(text, sizeof text, *value < 1.0 ? "%.3f ms" : "%.1f ms", *value);
    return text;
}

} // namespace

void RatioTable::ReportRuns(const std::vector<Run>& runs)
{
    std::vector<Run> aggregates;
    for (const Run& run : runs) {
        if (run.run_type == Run::RT_Aggregate) {
            aggregates.push_back(run);
            continue;
        }
        const std::string& name = run.run_name.function_name;
        const auto slash = name.rfind('/');
        if (slash == std::string::npos)
            continue;
        const std::string scenario = name.substr(0, slash);
        const std::string side = name.substr(slash + 1);
        if (std::find(m_order.begin(), m_order.end(), scenario) == m_order.end())
            m_order.push_back(scenario); // a scenario that failed still shows, as missed
        if (run.error_occurred)
            continue;
        const double milliseconds = toMilliseconds(run.GetAdjustedRealTime(), run.time_unit);
        if (side == "baseline")
            m_times[scenario].baseline.push_back(milliseconds);
        else if (side == "quorvane")
            m_times[scenario].quorvane.push_back(milliseconds);
    }
    // The repetitions themselves are in the summary's spread; a single run stands for itself.
    ConsoleReporter::ReportRuns(aggregates.empty() ? runs : aggregates);
}

bool RatioTable::printSummary() const
{
    bool allMet = true;
    std::printf("\nMedians side by side (spread: half the range of the repetitions)\n\n");
    std::printf("%-48s %11s %5s %11s %5s %7s %9s  %s\n", "scenario", "baseline", "", "quorvane", "", "ratio",
                "target", "met");
    std::printf("%s\n", std::string(108, '-').c_str());
    for (const std::string& scenario : m_order) {
        const Sides& sides = m_times.at(scenario);
        const auto baseline = median(sides.baseline);
        const auto quorvane = median(sides.quorvane);
        std::optional<double> ratio;
        if (baseline && quorvane && *baseline > 0)
            ratio = *quorvane / *baseline;

        std::string target = "-";
        std::string met;
        const auto& targets = Scenario::targets();
        if (const auto found = targets.find(scenario); found != targets.end()) {
            char text[32];
            bool ok = false;
            if (found->second.maximumRatio) {
                std::snprintf(text, sizeof text, "<= %.1f x", *found->second.maximumRatio);
                ok = ratio && *ratio <= *found->second.maximumRatio;
            } else if (found->second.maximumMilliseconds) {
                std::snprintf(text, sizeof text, "< %.0f ms", *found->second.maximumMilliseconds);
                ok = quorvane && *quorvane < *found->second.maximumMilliseconds;
            }
            target = text;
            met = ok ? "yes" : "NO";
            allMet = allMet && ok;
        }
        char ratioText[16] = "-";
        if (ratio)
            std::snprintf(ratioText, sizeof ratioText, "%.2f", *ratio);
        std::printf("%-48s %11s %5s %11s %5s %7s %9s  %s\n", scenario.c_str(),
                    formatMilliseconds(baseline).c_str(), spreadOf(sides.baseline).c_str(),
                    formatMilliseconds(quorvane).c_str(), spreadOf(sides.quorvane).c_str(), ratioText,
                    target.c_str(), met.c_str());
    }
    std::fflush(stdout);
    return allMet;
}
