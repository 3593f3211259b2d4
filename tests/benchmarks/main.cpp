// Runs every benchmark pair and prints their medians side by side with the targets.
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

    // Medians of five repetitions unless the command line says otherwise.
    std::vector<char*> arguments(argv, argv + argc);
    char repetitions[] = "--benchmark_repetitions=5";
    char aggregatesOnly[] = "--benchmark_report_aggregates_only=true";
    arguments.insert(arguments.begin() + 1, {repetitions, aggregatesOnly});
    int count = static_cast<int>(arguments.size());
    benchmark::Initialize(&count, arguments.data());
    if (benchmark::ReportUnrecognizedArguments(count, arguments.data()))
        return 2;

    qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QApplication application(qtArgc, argv);

    // Colours only on a terminal, so a saved table reads cleanly.
    RatioTable table(isatty(STDOUT_FILENO) ? benchmark::ConsoleReporter::OO_ColorTabular
                                           : benchmark::ConsoleReporter::OO_Tabular);
    table.setRatioTarget("hub scan, 10,000 entries", 1.5);
    table.setRatioTarget("target listing, 2,000 entries", 2.0);
    table.setRatioTarget("backup import, 20,000 links", 2.0);
    table.setRatioTarget("backup import, window open", 2.0);
    table.setRatioTarget("window start, 10,000-item hub", 1.5);
    table.setTimeTarget("hub search, one keystroke", 16.0);
    // At least twice as fast as Stow.
    table.setRatioTarget("link all, 2,000 items, against Stow", 0.5);
    table.setRatioTarget("unlink all, 2,000 items, against Stow", 0.5);
    table.setRatioTarget("status of 2,000 links, against a Stow dry run", 0.5);
    table.setTimeTarget("source search, 5,000 indexed skills", 50.0);
    for (const char* stall :
         {"longest stall, start with 10,000-item hub", "longest stall, import of 20,000 links",
          "longest stall, 200 MiB from /dev/shm"})
        table.setTimeTarget(stall, 50.0);
    benchmark::RunSpecifiedBenchmarks(&table);
    benchmark::Shutdown();
    return table.printSummary() ? 0 : 1;
}
