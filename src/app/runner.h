// The headless runner: the whole game on the in-memory backend, driven
// frame by frame with a clock it advances, input from a timed script,
// screenshots and a JSON dump of the state. Whole-game tests call it
// directly; `gobble --headless` is its command-line front.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "shell/app.h"

struct kwRunnerOptions {
    kwAppOptions app;          // data, settings, log and seed
    uint32_t frameMs = 16;     // clock advance before each frame
    int64_t frames = -1;       // quit after this many frames; -1: run until told
    std::string scriptPath;    // timed input actions, or empty
    std::string scriptText;    // the same, given inline (tests)
    std::vector<std::pair<uint32_t, std::string>> screenshots;  // frame number, PNG path
    std::string dumpPath;      // JSON written after shutdown
    std::string audioOutPath;  // WAV of everything mixed (44100 Hz 16-bit stereo), or empty
};

// Runs the game to the end; returns the exit code (non-zero when the
// script could not be read or start-up failed).
int runHeadless(const kwRunnerOptions& options);
