#include "benchmarks/RatioTable.h"

#include <algorithm>
#include <cstdio>

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
    for (const Run& run : runs) {
        // The median of the repetitions; a single run stands for itself.
        const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
        const bool single = run.run_type == Run::RT_Iteration && run.repetitions <= 1;
        if (run.error_occurred || !(median || single))
            continue;
        const std::string& name = run.run_name.function_name;
        const auto slash = name.rfind('/');
        if (slash == std::string::npos)
            continue;
        const std::string scenario = name.substr(0, slash);
        const std::string side = name.substr(slash + 1);
        if (std::find(m_order.begin(), m_order.end(), scenario) == m_order.end())
            m_order.push_back(scenario);
        const double milliseconds = toMilliseconds(run.GetAdjustedRealTime(), run.time_unit);
        if (side == "baseline")
            m_medians[scenario].baseline = milliseconds;
        else if (side == "quorvane")
            m_medians[scenario].quorvane = milliseconds;
    }
    ConsoleReporter::ReportRuns(runs);
}

bool RatioTable::printSummary() const
{
    bool allMet = true;
    std::printf("\nMedians side by side\n\n");
    std::printf("%-34s %12s %12s %8s %12s  %s\n", "scenario", "baseline", "quorvane", "ratio", "target",
                "met");
    std::printf("%s\n", std::string(90, '-').c_str());
    for (const std::string& scenario : m_order) {
        const Medians& medians = m_medians.at(scenario);
        std::optional<double> ratio;
        if (medians.baseline && medians.quorvane && *medians.baseline > 0)
            ratio = *medians.quorvane / *medians.baseline;

        std::string target = "-";
        std::string met = "";
        if (const auto found = m_targets.find(scenario); found != m_targets.end()) {
            char text[32];
            bool ok = false;
            if (found->second.maximumRatio) {
                std::snprintf(text, sizeof text, "<= %.1f x", *found->second.maximumRatio);
                ok = ratio && *ratio <= *found->second.maximumRatio;
            } else if (found->second.maximumMilliseconds) {
                std::snprintf(text, sizeof text, "< %.0f ms", *found->second.maximumMilliseconds);
                ok = medians.quorvane && *medians.quorvane < *found->second.maximumMilliseconds;
            }
            target = text;
            met = ok ? "yes" : "NO";
            allMet = allMet && ok;
        }
        char ratioText[16] = "-";
        if (ratio)
            std::snprintf(ratioText, sizeof ratioText, "%.2f", *ratio);
        std::printf("%-34s %12s %12s %8s %12s  %s\n", scenario.c_str(),
                    formatMilliseconds(medians.baseline).c_str(),
                    formatMilliseconds(medians.quorvane).c_str(), ratioText, target.c_str(), met.c_str());
    }
    std::fflush(stdout);
    return allMet;
}
