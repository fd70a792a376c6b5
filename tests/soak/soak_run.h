// One soak run: a settings record that unlocks every start level, the whole
// game on the headless runner for a stretch of game time with the monkey
// playing and the board's invariants checked after every frame, then the
// debug log read back for failure messages. The test and `make soak` share it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "menu_monkey.h"
#include "play_monkey.h"
#include "soak_observer.h"

struct kwSoakOptions {
    uint32_t seed = 1;        // the game's and the monkey's
    uint32_t minutes = 10;    // of the runner's clock
    uint32_t frameMs = 16;    // clock advance per frame
    std::string dataDir;      // the generated archives
    std::string workDir;      // settings record and log; emptied first
    bool everyLevel = false;  // fail unless every level had a turn
};

struct kwSoakResult {
    int exitCode = 0;  // the runner's
    uint64_t framesWanted = 0;
    kwSoakStats stats;
    kwPlayCounts play;
    kwMenuCounts menu;
    uint64_t clicks = 0, keys = 0, checks = 0, surpriseCount = 0;
    std::vector<std::string> surprises;  // the first few
    std::vector<std::string> logErrors;  // failure messages in the debug log
    double realSeconds = 0.0;
    bool everyLevelWanted = false;

    // The run went its full length with nothing broken, surprising or logged
    // (and reached every level, when that was asked for).
    bool ok() const;
};

kwSoakResult runSoak(const kwSoakOptions& options);

// The coverage and the findings, as lines of text.
std::string soakReport(const kwSoakResult& result);
