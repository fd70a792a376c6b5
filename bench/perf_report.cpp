#include "perf_report.h"

#include <cmath>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <optional>
#include <vector>

namespace {

using Table = std::map<std::string, double>;

std::optional<double> find(const Table& t, const std::string& name) {
    if (auto it = t.find(name); it != t.end()) return it->second;
    auto it = t.lower_bound(name + "/");
    if (it != t.end() && it->first.compare(0, name.size() + 1, name + "/") == 0) return it->second;
    return std::nullopt;
}

std::optional<double> counter(const kwBenchFigures& f, const std::string& name,
                              const std::string& key) {
    for (const auto& [run, values] : f.counters) {
        if (run != name && run.compare(0, name.size() + 1, name + "/") != 0) continue;
        if (auto v = values.find(key); v != values.end()) return v->second;
    }
    return std::nullopt;
}

// Three significant figures in the unit that suits the value.
std::string duration(double seconds) {
    const char* unit = "s";
    double v = seconds;
    if (seconds < 1e-3) {
        v = seconds * 1e6;
        unit = "µs";
    } else if (seconds < 1.0) {
        v = seconds * 1e3;
        unit = "ms";
    }
    char buf[32];
    const int decimals = v >= 100 ? 0 : v >= 10 ? 1 : v >= 1 ? 2 : 3;
    std::snprintf(buf, sizeof buf, "%.*f %s", decimals, v, unit);
    return buf;
}

// Thousands separated by commas above 10,000; three significant figures below.
std::string number(double v) {
    char buf[48];
    if (std::fabs(v) >= 10000) {
        std::string digits = std::to_string(static_cast<long long>(std::llround(v)));
        for (int i = int(digits.size()) - 3; i > 0 && digits[size_t(i) - 1] != '-'; i -= 3)
            digits.insert(size_t(i), ",");
        return digits;
    }
    const int decimals = std::fabs(v) >= 100 ? 0 : std::fabs(v) >= 10 ? 1 : 2;
    std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
    return buf;
}

std::string machine() {
    std::ifstream in("/proc/cpuinfo");
    std::string line, model;
    int cores = 0;
    while (std::getline(in, line)) {
        if (line.rfind("model name", 0) == 0) {
            ++cores;
            if (model.empty()) model = line.substr(line.find(':') + 2);
        }
    }
    return model.empty() ? "unknown processor" : model + ", " + std::to_string(cores) + " cores";
}

std::string today() {
    const std::time_t now = std::time(nullptr);
    char buf[16];
    std::strftime(buf, sizeof buf, "%Y-%m-%d", std::gmtime(&now));
    return buf;
}

std::vector<std::string> split(const std::string& s) {
    std::vector<std::string> parts;
    size_t from = 0;
    for (size_t at; (at = s.find(':', from)) != std::string::npos; from = at + 1)
        parts.push_back(s.substr(from, at - from));
    parts.push_back(s.substr(from));
    return parts;
}

std::optional<double> ratio(const kwBenchFigures& f, const std::string& base) {
    const auto ours = find(f.cpuSeconds, base + "/ours"), sdl = find(f.cpuSeconds, base + "/sdl");
    if (!ours || !sdl || *ours <= 0) return std::nullopt;
    return *sdl / *ours;
}

std::string metOrNot(bool met) {
    return met ? "met" : "not met";
}

std::optional<std::string> expand(const std::string& key, const kwBenchFigures& f) {
    const std::vector<std::string> p = split(key);
    const std::string& kind = p[0];
    if (kind == "best" && p.size() > 1)
        return f.best ? expand(key.substr(kind.size() + 1), *f.best) : std::nullopt;
    if (p.size() == 1 && kind == "machine") return machine();
    if (p.size() == 1 && kind == "date") return today();
    if (p.size() == 2 && kind == "ours")
        if (auto v = find(f.cpuSeconds, p[1] + "/ours")) return duration(*v);
    if (p.size() == 2 && kind == "sdl")
        if (auto v = find(f.cpuSeconds, p[1] + "/sdl")) return duration(*v);
    if (p.size() == 2 && kind == "cpu")
        if (auto v = find(f.cpuSeconds, p[1])) return duration(*v);
    if (p.size() == 2 && kind == "real")
        if (auto v = find(f.realSeconds, p[1])) return duration(*v);
    if (p.size() == 2 && kind == "ratio")
        if (auto r = ratio(f, p[1])) return number(*r) + "×";
    if (p.size() == 3 && kind == "counter")
        if (auto v = counter(f, p[1], p[2])) return number(*v);
    if (p.size() == 3 && kind == "counter_time")
        if (auto v = counter(f, p[1], p[2])) return duration(*v);
    if (p.size() == 3 && kind == "cpu_goal")
        if (auto v = find(f.cpuSeconds, p[1])) return metOrNot(*v <= std::stod(p[2]));
    if (p.size() == 3 && kind == "ratio_goal")
        if (auto r = ratio(f, p[1])) return metOrNot(*r >= std::stod(p[2]));
    if (p.size() == 4 && kind == "counter_goal")
        if (auto v = counter(f, p[1], p[2])) return metOrNot(*v >= std::stod(p[3]));
    return std::nullopt;
}

}  // namespace

std::string fillPerfReport(const std::string& templ, const kwBenchFigures& figures,
                           std::string* missing) {
    std::string out;
    size_t from = 0;
    for (size_t open; (open = templ.find("{{", from)) != std::string::npos;) {
        const size_t close = templ.find("}}", open);
        if (close == std::string::npos) break;
        out += templ.substr(from, open - from);
        const std::string key = templ.substr(open + 2, close - open - 2);
        std::optional<std::string> value;
        try {
            value = expand(key, figures);
        } catch (const std::exception&) {  // a goal that is not a number
        }
        if (!value && missing) *missing += "  {{" + key + "}}\n";
        out += value.value_or("n/a");
        from = close + 2;
    }
    return out + templ.substr(from);
}
