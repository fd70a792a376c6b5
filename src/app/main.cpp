// The gobble program: the game in a real window, or with --headless the
// same game on the in-memory backend for tests and screenshots.
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include "app/runner.h"
#include "app/state_dump.h"
#include "platform/sdl/sdl_platform.h"
#include "shell/app.h"

namespace {
const char* kUsage =
    "usage: gobble [--windowed] [--pixel-layout 565|555] [--data DIR]\n"
    "              [--settings-dir DIR] [--log FILE|-] [--dump-state FILE.json]\n"
    "       gobble --headless [--seed N] [--frame-ms MS] [--frames N] [--script FILE]\n"
    "              [--screenshot FRAME:FILE.png]... [--dump-state FILE.json]\n"
    "              [--audio-out FILE.wav] [--check-invariants] [path options]\n"
    "In a window, --dump-state writes the state whenever the game gets SIGUSR1.\n";

struct Args {
    bool headless = false;
    bool help = false;
    kwRunnerOptions runner;
};

// The real window's state dump, for scripts driving the game from outside
// (and for bug reports): a signal asks, the next frame writes.
std::string g_dumpPath;
volatile std::sig_atomic_t g_dumpWanted = 0;

void onDumpSignal(int) { g_dumpWanted = 1; }

// Whole or not at all: the reader may be waiting for the file to appear.
void dumpIfAsked() {
    if (!g_dumpWanted) return;
    g_dumpWanted = 0;
    const std::string part = g_dumpPath + ".part";
    {
        std::ofstream out(part, std::ios::binary | std::ios::trunc);
        out << stateDumpJson() << '\n';
        if (!out) {
            std::fprintf(stderr, "gobble: cannot write %s\n", part.c_str());
            return;
        }
    }
    if (std::rename(part.c_str(), g_dumpPath.c_str()) != 0)
        std::fprintf(stderr, "gobble: cannot write %s\n", g_dumpPath.c_str());
}

bool parseNumber(const char* text, uint64_t max, uint64_t* out) {
    if (!text || !*text) return false;
    char* end = nullptr;
    errno = 0;
    unsigned long long v = std::strtoull(text, &end, 10);
    if (errno || *end || text[0] == '-' || v > max) return false;
    *out = v;
    return true;
}

bool parseScreenshot(const char* text, kwRunnerOptions* r) {
    const char* colon = text ? std::strchr(text, ':') : nullptr;
    uint64_t frame = 0;
    if (!colon || !colon[1]) return false;
    if (!parseNumber(std::string(text, colon).c_str(), UINT32_MAX, &frame)) return false;
    r->screenshots.emplace_back(static_cast<uint32_t>(frame), colon + 1);
    return true;
}

bool parseLayout(const char* text, kwAppOptions* app) {
    if (!text) return false;
    if (!std::strcmp(text, "565")) app->window.layout = kLayout565;
    else if (!std::strcmp(text, "555")) app->window.layout = kLayout555;
    else return false;
    return true;
}

// One option with its value; false when the option is unknown or its value bad.
bool parseOption(const char* opt, const char* val, Args* a, bool* usedValue) {
    kwAppOptions& app = a->runner.app;
    uint64_t n = 0;
    *usedValue = true;
    if (!std::strcmp(opt, "--data") && val) app.dataDir = val;
    else if (!std::strcmp(opt, "--settings-dir") && val) app.settingsDir = val;
    else if (!std::strcmp(opt, "--log") && val) app.logPath = val;
    else if (!std::strcmp(opt, "--pixel-layout")) return parseLayout(val, &app);
    else if (!std::strcmp(opt, "--script") && val) a->runner.scriptPath = val;
    else if (!std::strcmp(opt, "--dump-state") && val) a->runner.dumpPath = val;
    else if (!std::strcmp(opt, "--audio-out") && val) a->runner.audioOutPath = val;
    else if (!std::strcmp(opt, "--screenshot")) return parseScreenshot(val, &a->runner);
    else if (!std::strcmp(opt, "--seed") && parseNumber(val, UINT32_MAX, &n)) {
        app.haveSeed = true;
        app.seed = static_cast<uint32_t>(n);
    } else if (!std::strcmp(opt, "--frame-ms") && parseNumber(val, 60000, &n)) {
        a->runner.frameMs = static_cast<uint32_t>(n);
    } else if (!std::strcmp(opt, "--frames") && parseNumber(val, INT64_MAX, &n)) {
        a->runner.frames = static_cast<int64_t>(n);
    } else {
        *usedValue = false;
        if (!std::strcmp(opt, "--headless")) a->headless = true;
        else if (!std::strcmp(opt, "--windowed")) app.window.windowed = true;
        else if (!std::strcmp(opt, "--check-invariants")) a->runner.checkInvariants = true;
        else if (!std::strcmp(opt, "--help") || !std::strcmp(opt, "-h")) a->help = true;
        else return false;
    }
    return true;
}

bool parseArgs(int argc, char** argv, Args* a) {
    for (int i = 1; i < argc; ++i) {
        bool usedValue = false;
        const char* val = i + 1 < argc ? argv[i + 1] : nullptr;
        if (!parseOption(argv[i], val, a, &usedValue)) {
            std::fprintf(stderr, "gobble: unknown option or bad value: %s\n", argv[i]);
            return false;
        }
        if (usedValue) ++i;
    }
    return true;
}
}  // namespace

int main(int argc, char** argv) {
    Args args;
    if (!parseArgs(argc, argv, &args)) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    if (args.help) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (args.headless) return runHeadless(args.runner);

    kwAppOptions app = args.runner.app;
    app.backend = &sdlPlatform();
    // Asked for before the window opens, so an early signal cannot end the game.
    g_dumpPath = args.runner.dumpPath;
    if (!g_dumpPath.empty()) std::signal(SIGUSR1, onDumpSignal);
    if (!startGame(app)) return 1;
    return runMainLoop(g_dumpPath.empty() ? nullptr : dumpIfAsked);
}
