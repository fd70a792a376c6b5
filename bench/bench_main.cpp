// The benchmark program's front: runs every registered benchmark, then
// prints, for each pair registered as NAME/ours and NAME/sdl, how many times
// faster ours is (SDL's CPU time / ours, from medians when repetitions
// are on; CPU time keeps other processes on a shared machine out of it),
// then each simulation's "x_real_time" counter (the median's and the
// fastest repetition's). With
// --report-template=IN --report-out=OUT it also writes docs/PERFORMANCE.md
// from its template with this run's figures.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <string>

#include "perf_report.h"

namespace {

class RatioReporter : public benchmark::ConsoleReporter {
public:
    RatioReporter() { figures.best = std::make_unique<kwBenchFigures>(); }

    // Repetitions are kept only for the fastest of each benchmark; the
    // console shows their summaries (or the run itself when not repeated).
    void ReportRuns(const std::vector<Run>& runs) override {
        std::vector<Run> shown;
        for (const Run& r : runs) {
            if (r.run_type == Run::RT_Iteration && r.repetitions > 1)
                keepFastest(r);
            else
                shown.push_back(r);
        }
        if (!shown.empty()) ConsoleReporter::ReportRuns(shown);
        for (const Run& r : shown) {
            const bool median = r.run_type == Run::RT_Aggregate && r.aggregate_name == "median";
            const bool single = r.run_type == Run::RT_Iteration && !r.error_occurred;
            if (!median && !single) continue;
            const std::string name = r.run_name.str();
            if (single && medians.count(name)) continue;
            const double unit = benchmark::GetTimeUnitMultiplier(r.time_unit);
            seconds[name] = r.GetAdjustedCPUTime() / unit;
            figures.cpuSeconds[name] = seconds[name];
            figures.realSeconds[name] = r.GetAdjustedRealTime() / unit;
            for (const auto& [key, c] : r.counters) figures.counters[name][key] = c.value;
            const auto factor = r.counters.find("x_real_time");
            if (factor != r.counters.end()) realTime[name] = factor->second.value;
            if (median) medians[name] = true;
        }
    }

    void Finalize() override {
        ConsoleReporter::Finalize();
        const std::string ours = "/ours", sdl = "/sdl";
        std::printf("\n%-28s %14s %14s %8s\n", "pair", "ours", "sdl", "sdl/ours");
        for (const auto& [name, t] : seconds) {
            if (name.size() <= ours.size() ||
                name.compare(name.size() - ours.size(), ours.size(), ours))
                continue;
            const std::string base = name.substr(0, name.size() - ours.size());
            const auto peer = seconds.find(base + sdl);
            if (peer == seconds.end() || t <= 0) continue;
            std::printf("%-28s %11.3f us %11.3f us %7.2fx\n", base.c_str(), t * 1e6,
                        peer->second * 1e6, peer->second / t);
        }
        // Simulations (the board) report game time per second of CPU time.
        if (!realTime.empty())
            std::printf("\n%-28s %14s %14s\n", "simulation", "x real time", "fastest");
        for (const auto& [name, factor] : realTime) {
            if (const auto fastest = fastestRealTime(name))
                std::printf("%-28s %13.0fx %13.0fx\n", name.c_str(), factor, *fastest);
            else
                std::printf("%-28s %13.0fx\n", name.c_str(), factor);
        }
    }

    kwBenchFigures figures;

private:
    // The fastest repetition's "x_real_time", when the run was repeated.
    std::optional<double> fastestRealTime(const std::string& name) const {
        const auto run = figures.best->counters.find(name);
        if (run == figures.best->counters.end()) return std::nullopt;
        const auto value = run->second.find("x_real_time");
        if (value == run->second.end()) return std::nullopt;
        return value->second;
    }

    void keepFastest(const Run& r) {
        if (r.error_occurred) return;
        const std::string name = r.run_name.str();
        const double unit = benchmark::GetTimeUnitMultiplier(r.time_unit);
        const double cpu = r.GetAdjustedCPUTime() / unit;
        kwBenchFigures& best = *figures.best;
        if (const auto it = best.cpuSeconds.find(name);
            it != best.cpuSeconds.end() && it->second <= cpu)
            return;
        best.cpuSeconds[name] = cpu;
        best.realSeconds[name] = r.GetAdjustedRealTime() / unit;
        best.counters[name].clear();
        for (const auto& [key, c] : r.counters) best.counters[name][key] = c.value;
    }

    std::map<std::string, double> seconds;  // CPU time per iteration: fair on a busy machine
    std::map<std::string, bool> medians;
    std::map<std::string, double> realTime;  // counter "x_real_time", where reported
};

// Takes "--name=value" out of argv (Google Benchmark refuses flags it does not know).
std::string takeFlag(int* argc, char** argv, const char* name) {
    const size_t n = std::strlen(name);
    for (int i = 1; i < *argc; ++i) {
        if (std::strncmp(argv[i], name, n) != 0 || argv[i][n] != '=') continue;
        std::string value = argv[i] + n + 1;
        for (int k = i; k + 1 < *argc; ++k) argv[k] = argv[k + 1];
        --*argc;
        return value;
    }
    return {};
}

bool writeReport(const std::string& templ, const std::string& out, const kwBenchFigures& f) {
    std::ifstream in(templ, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "gobble_bench: cannot read %s\n", templ.c_str());
        return false;
    }
    std::ostringstream text;
    text << in.rdbuf();
    std::string missing;
    const std::string filled = fillPerfReport(text.str(), f, &missing);
    if (!missing.empty()) std::fprintf(stderr, "gobble_bench: no figure for\n%s", missing.c_str());
    std::ofstream(out, std::ios::binary | std::ios::trunc) << filled;
    std::printf("\nwrote %s\n", out.c_str());
    return missing.empty();
}

}  // namespace

int main(int argc, char** argv) {
    const std::string templ = takeFlag(&argc, argv, "--report-template");
    const std::string out = takeFlag(&argc, argv, "--report-out");
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    if (!templ.empty() && !out.empty() && !writeReport(templ, out, reporter.figures)) return 1;
    return 0;
}
