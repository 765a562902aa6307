#pragma once
// A console reporter that also keeps each benchmark's time per iteration,
// in the benchmark's own unit, for the closing table of ratios.
#include <benchmark/benchmark.h>
#include <map>
#include <string>
#include <unistd.h>
#include <vector>

class CollectingReporter : public benchmark::ConsoleReporter {
public:
    CollectingReporter() : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_ColorTabular : OO_Tabular) {}
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
            if (!run.error_occurred && run.run_type == Run::RT_Iteration)
                times[run.benchmark_name()] = {run.GetAdjustedRealTime(), run.GetAdjustedCPUTime()};
    }
    struct Times {
        double real, cpu; // per iteration, in the benchmark's unit
    };
    std::map<std::string, Times> times;
};
