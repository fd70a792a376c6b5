// The headless runner: the whole game on the in-memory backend, driven
// frame by frame with a clock it advances, input from a timed script,
// screenshots and a JSON dump of the state. Whole-game tests call it
// directly; `gobble --headless` is its command-line front.
#pragma once

#include <cstdint>
#include <functional>
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
    // Soak runs: checkBoardInvariants() after every frame, the first fault
    // ending the run with kExitInvariantBroken; and a hook called after
    // every frame with its number (framesRun()), which may inject input for
    // the next one. Neither changes a run that does not set them.
    bool checkInvariants = false;
    std::function<void(uint32_t frame)> afterFrame;
};

// The exit code of a run whose board broke an invariant.
inline constexpr int kExitInvariantBroken = 3;

// Runs the game to the end; returns the exit code (non-zero when the
// script could not be read, start-up failed or an invariant broke).
int runHeadless(const kwRunnerOptions& options);
