// Fills a template of docs/PERFORMANCE.md with the figures of this run, so
// the document always shows one run's numbers side by side. Placeholders:
//
//   {{ours:BASE}} {{sdl:BASE}}      CPU time of BASE/ours, BASE/sdl
//   {{ratio:BASE}}                  SDL's time / ours, as "2.09×"
//   {{cpu:NAME}} {{real:NAME}}      CPU or wall time of a benchmark
//   {{counter:NAME:KEY}}            a counter's value
//   {{counter_time:NAME:KEY}}       a counter holding seconds, as a duration
//   {{cpu_goal:NAME:S}}             "met" when the CPU time <= S seconds
//   {{ratio_goal:BASE:X}}           "met" when SDL / ours >= X, else "not met"
//   {{counter_goal:NAME:KEY:X}}     "met" when the counter >= X, else "not met"
//   {{machine}} {{date}}            the processor and the day of the run
//   {{best:...}}                    any of the above from the fastest
//                                   repetition (by CPU time) of each
//                                   benchmark instead of their median
//
// A benchmark NAME matches itself or NAME/<anything> (the suffixes Google
// Benchmark adds for fixed iterations or wall time).
#pragma once

#include <map>
#include <memory>
#include <string>

struct kwBenchFigures {
    std::map<std::string, double> cpuSeconds;   // per iteration
    std::map<std::string, double> realSeconds;  // per iteration
    std::map<std::string, std::map<std::string, double>> counters;
    std::unique_ptr<kwBenchFigures> best;  // the fastest repetitions, when repeated
};

// The filled text; every placeholder that names no measured figure becomes
// "n/a" and is listed in `missing`.
std::string fillPerfReport(const std::string& templ, const kwBenchFigures& figures,
                           std::string* missing);
