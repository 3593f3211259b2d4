// Runs every scenario and prints the pairs' medians side by side with their targets.
#include "benchmarks/BenchmarkPlatform.h"
#include "benchmarks/RatioTable.h"
#include "benchmarks/WindowBenchmarks.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <vector>

int main(int argc, char* argv[])
{
    if (isStartWindowChild(argc, argv))
        return startWindowUntilShown(argc, argv);

    // Five repetitions of every entry, in random order across all of them, so that a disk
    // slowing down during the run weighs on baseline and program alike. The command line
    // may say otherwise.
    std::vector<char*> arguments(argv, argv + argc);
    char repetitions[] = "--benchmark_repetitions=5";
    char interleaving[] = "--benchmark_enable_random_interleaving=true";
    arguments.insert(arguments.begin() + 1, {repetitions, interleaving});
    int count = static_cast<int>(arguments.size());
    benchmark::Initialize(&count, arguments.data());
    if (benchmark::ReportUnrecognizedArguments(count, arguments.data()))
        return 2;

    qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QApplication application(qtArgc, argv);
    const PlanAgreement agreeToEveryPlan(application);

    // Colours only on a terminal, so a saved table reads cleanly.
    RatioTable table(isatty(STDOUT_FILENO) ? benchmark::ConsoleReporter::OO_ColorTabular
                                           : benchmark::ConsoleReporter::OO_Tabular);
    benchmark::RunSpecifiedBenchmarks(&table);
    benchmark::Shutdown();
    return table.printSummary() ? 0 : 1;
}
