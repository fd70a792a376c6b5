// gobble_soak: the monkey plays the whole game headless for a stretch of
// game time with the board's invariants checked after every frame, prints
// what it covered and fails on a broken invariant, a surprise, a failure
// message in the debug log or a run cut short (`make soak`; under the
// sanitizer build, errors and leaks fail it too).
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "soak_run.h"

namespace {

const char* kUsage =
    "usage: gobble_soak [--seed N] [--minutes M] [--frame-ms MS] [--data DIR] [--work DIR]\n"
    "                   [--every-level]\n"
    "  --minutes   game time to play (default 10)\n"
    "  --frame-ms  clock advance per frame (default 16)\n"
    "  --data      the generated archives (default: the build's data/)\n"
    "  --work      folder for the settings record and the log (emptied first)\n"
    "  --every-level  fail unless every level had a turn\n";

constexpr uint32_t kMaxMinutes = 7 * 24 * 60;
constexpr uint32_t kMaxFrameMs = 1000;

bool parseNumber(const char* text, uint32_t lo, uint32_t hi, uint32_t* out) {
    if (!text || !*text || *text == '-') return false;
    char* end = nullptr;
    errno = 0;
    const unsigned long v = std::strtoul(text, &end, 10);
    if (errno || *end || v < lo || v > hi) return false;
    *out = uint32_t(v);
    return true;
}

bool parseArgs(int argc, char** argv, kwSoakOptions* o) {
    for (int i = 1; i < argc; i += 2) {
        const char* opt = argv[i];
        if (!std::strcmp(opt, "--every-level")) {  // a switch: no value follows
            o->everyLevel = true;
            --i;
            continue;
        }
        const char* val = i + 1 < argc ? argv[i + 1] : nullptr;
        bool ok = val != nullptr;
        if (!std::strcmp(opt, "--seed"))
            ok = ok && parseNumber(val, 0, UINT32_MAX, &o->seed);
        else if (!std::strcmp(opt, "--minutes"))
            ok = ok && parseNumber(val, 1, kMaxMinutes, &o->minutes);
        else if (!std::strcmp(opt, "--frame-ms"))
            ok = ok && parseNumber(val, 1, kMaxFrameMs, &o->frameMs);
        else if (!std::strcmp(opt, "--data") && val)
            o->dataDir = val;
        else if (!std::strcmp(opt, "--work") && val)
            o->workDir = val;
        else
            ok = false;
        if (!ok) {
            std::fprintf(stderr, "gobble_soak: unknown option or bad value: %s\n", opt);
            return false;
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    kwSoakOptions o;
    o.dataDir = GG_BINARY_DIR "/data";
    o.workDir = GG_BINARY_DIR "/soak";
    if (!parseArgs(argc, argv, &o)) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    std::printf("soak: seed %u, %u minutes of game time at %u ms a frame\n", o.seed, o.minutes,
                o.frameMs);
    std::fflush(stdout);
    const kwSoakResult r = runSoak(o);
    std::fputs(soakReport(r).c_str(), stdout);
    std::puts(r.ok() ? "soak: passed" : "soak: FAILED");
    return r.ok() ? 0 : 1;
}
