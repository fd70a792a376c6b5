// The game clock's pause arithmetic and the exact random sequence: saved
// replays and every timer depend on both.
#include <gtest/gtest.h>

#include "shell/clock.h"
#include "shell/random.h"

namespace {
uint32_t g_now = 0;
uint32_t fakeTicks() { return g_now; }

class ClockTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_now = 0;
        setTickSource(fakeTicks);
        resetClock();
    }
    void TearDown() override { setTickSource(nullptr); }
};
}  // namespace

TEST_F(ClockTest, PauseTwiceResumeOnceContinuesWhereItStopped) {
    g_now = 1000;
    EXPECT_EQ(gameTime(), 1000u);
    pauseClock();
    g_now = 1500;
    pauseClock();  // ignored: the first pause's start time stands
    g_now = 2000;
    EXPECT_EQ(gameTime(), 1000u);
    resumeClock();
    EXPECT_EQ(clockState.pauseOffset, 1000u);
    EXPECT_EQ(gameTime(), 1000u);
    resumeClock();  // ignored while running
    g_now = 2100;
    EXPECT_EQ(gameTime(), 1100u);
}

TEST_F(ClockTest, KeepsCountingAcrossTheMillisecondWrap) {
    g_now = 0xFFFFFF00u;
    pauseClock();
    g_now = 0x00000100u;  // 512 ms later, past the wrap
    resumeClock();
    EXPECT_EQ(clockState.pauseOffset, 512u);
    g_now = 0x00000200u;
    EXPECT_EQ(gameTime(), 0xFFFFFF00u + 256u);
    uint32_t before = gameTime();
    g_now += 40;
    EXPECT_EQ(gameTime() - before, 40u);
}

TEST(Random, ReplaysTheClassicGeneratorExactly) {
    seedRandomWith(1);
    const int expected[] = {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962, 24464};
    for (int e : expected) EXPECT_EQ(nextRand(), e);
    EXPECT_TRUE(seeded);
}

TEST(Random, RangeIsTheRemainderOfTheNextValue) {
    seedRandomWith(1);
    EXPECT_EQ(random(10), 1u);      // 41 % 10
    EXPECT_EQ(random(100), 67u);    // 18467 % 100
    EXPECT_EQ(random(1), 0u);
    EXPECT_EQ(random(0), 0u);       // never divides by zero
    seedRandomWith(0xFFFFFFFFu);    // any 32-bit state is a valid seed
    for (int i = 0; i < 1000; ++i) EXPECT_LT(nextRand(), 32768);
}
