// The runner's soak hooks: the per-frame callback follows the frames that
// actually run (none while the window has no focus), and the invariant
// check ends a run at the first broken frame with its own exit code and a
// message naming the fault and the frame, while a run that does not ask for
// it is unchanged. The command line's --check-invariants reaches the option.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/runner.h"
#include "board/board_host.h"

namespace {

namespace fs = std::filesystem;

class RunnerHooks : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir = fs::path(::testing::TempDir()) / (std::string("hooks_") + info->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
        opts.app.dataDir = GG_BINARY_DIR "/data";
        opts.app.settingsDir = (dir / "state").string();
        opts.app.logPath = (dir / "gobble.log").string();
        opts.app.haveSeed = true;
        opts.app.seed = 5;
    }
    void TearDown() override { fs::remove_all(dir); }

    fs::path dir;
    kwRunnerOptions opts;
};

// Marks a free cell taken behind the pieces' backs once the board is open
// and `from` frames have run; returns the frame it did so (0: not yet).
uint32_t corruptGridAfter(uint32_t frame, uint32_t from) {
    if (!boardGrid || frame < from) return 0;
    for (int32_t c = 0; c < kBoardColumns; ++c)
        for (int32_t r = 0; r < kBoardRows; ++r)
            if (!boardGrid->isOccupied(c, r)) {
                boardGrid->occupy(c, r);
                return frame;
            }
    return 0;
}

constexpr const char* kStartPlay = "100 move 686 563\n200 click 686 563\n";

}  // namespace

TEST_F(RunnerHooks, TheHookFollowsTheFramesThatRun) {
    std::vector<uint32_t> seen;
    opts.frames = 60;
    opts.afterFrame = [&seen](uint32_t frame) { seen.push_back(frame); };
    // 16 ms a step: the window loses the focus for 25 steps.
    opts.scriptText = "200 focus off\n600 focus on\n";
    ASSERT_EQ(runHeadless(opts), 0);
    ASSERT_FALSE(seen.empty());
    EXPECT_LT(seen.size(), 60u);
    EXPECT_GT(seen.size(), 30u);
    for (size_t i = 0; i < seen.size(); ++i) ASSERT_EQ(seen[i], i + 1) << "call " << i;
}

TEST_F(RunnerHooks, ABrokenInvariantEndsTheRunAtItsFrame) {
    opts.scriptText = kStartPlay;
    opts.frames = 400;  // the game is on from about frame 30
    opts.checkInvariants = true;
    uint32_t brokeAt = 0, lastCall = 0;
    opts.afterFrame = [&](uint32_t frame) {
        lastCall = frame;
        if (!brokeAt) brokeAt = corruptGridAfter(frame, 100);
    };
    ::testing::internal::CaptureStderr();
    const int code = runHeadless(opts);
    const std::string err = ::testing::internal::GetCapturedStderr();
    ASSERT_NE(brokeAt, 0u);
    EXPECT_EQ(code, kExitInvariantBroken);
    // Reported once, for the frame after the corruption, and nothing called after.
    const std::string want =
        "board invariant broken at frame " + std::to_string(brokeAt + 1) + ": grid cell ";
    EXPECT_NE(err.find(want), std::string::npos) << err;
    EXPECT_NE(err.find("disagrees with the claims"), std::string::npos) << err;
    EXPECT_EQ(err.find("broken", err.find("broken") + 1), std::string::npos) << err;
    EXPECT_EQ(lastCall, brokeAt);
}

TEST_F(RunnerHooks, WithoutTheCheckTheSameRunEndsNormally) {
    opts.scriptText = kStartPlay;
    opts.frames = 200;
    uint32_t brokeAt = 0, calls = 0;
    opts.afterFrame = [&](uint32_t frame) {
        ++calls;
        if (!brokeAt) brokeAt = corruptGridAfter(frame, 100);
    };
    EXPECT_EQ(runHeadless(opts), 0);
    EXPECT_NE(brokeAt, 0u);
    EXPECT_EQ(calls, 200u);
}

TEST_F(RunnerHooks, TheCommandLineAsksForTheCheck) {
    const std::string base = std::string(GG_BINARY_DIR "/gobble --headless --frames 20 --data ") +
                             GG_BINARY_DIR "/data --settings-dir " + (dir / "state").string() +
                             " --log " + (dir / "log").string();
    EXPECT_EQ(std::system((base + " --check-invariants").c_str()), 0);
    EXPECT_NE(std::system((base + " --check-invariant 2>/dev/null").c_str()), 0);  // misspelt
}
