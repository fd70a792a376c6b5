// The benchmark program's front: runs every registered benchmark, then
// prints, for each pair registered as NAME/ours and NAME/sdl, how many times
// faster ours is (SDL's CPU time / ours, from medians when repetitions
// are on; CPU time keeps other processes on a shared machine out of it),
// then each simulation's "x_real_time" counter.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

namespace {

class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& r : runs) {
            const bool median = r.run_type == Run::RT_Aggregate && r.aggregate_name == "median";
            const bool single = r.run_type == Run::RT_Iteration && !r.error_occurred;
            if (!median && !single) continue;
            const std::string name = r.run_name.str();
            if (single && medians.count(name)) continue;
            seconds[name] = r.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(r.time_unit);
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
            if (name.size() <= ours.size() || name.compare(name.size() - ours.size(), ours.size(), ours))
                continue;
            const std::string base = name.substr(0, name.size() - ours.size());
            const auto peer = seconds.find(base + sdl);
            if (peer == seconds.end() || t <= 0) continue;
            std::printf("%-28s %11.3f us %11.3f us %7.2fx\n", base.c_str(), t * 1e6, peer->second * 1e6,
                        peer->second / t);
        }
        // Simulations (the board) report game time per second of CPU time.
        if (!realTime.empty()) std::printf("\n%-28s %14s\n", "simulation", "x real time");
        for (const auto& [name, factor] : realTime)
            std::printf("%-28s %13.0fx\n", name.c_str(), factor);
    }

private:
    std::map<std::string, double> seconds;  // CPU time per iteration: fair on a busy machine
    std::map<std::string, bool> medians;
    std::map<std::string, double> realTime;  // counter "x_real_time", where reported
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
