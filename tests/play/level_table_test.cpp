// The level table against the design's numbers, the bag's make-up at every
// skill the first six passes reach, and the spawner's timing and states.
#include "play/level_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <vector>

#include "board/board_grid.h"
#include "board/board_host.h"
#include "board/piece.h"
#include "board/piece_list.h"
#include "play/level_spawner.h"
#include "render/scene.h"
#include "shell/clock.h"
#include "shell/game_state.h"
#include "shell/log.h"
#include "shell/random.h"

namespace {

using T = kwPieceType;
uint32_t g_now = 0;

// A bare board: pieces are made and listed but never run.
class LevelBoard : public testing::Test {
protected:
    void SetUp() override {
        resetClock();
        g_now = 50000;
        setTickSource([] { return g_now; });
        seedRandomWith(777);
        gameState = kwGameState{};
        gameState.currentPlayer = 0;
        gameState.playPhase = PhaseIntro;
        scene = std::make_unique<kwScene>();
        host = std::make_unique<kwBoardHost>();
        host->openBoard(scene.get());
    }
    void TearDown() override {
        scene->clear();
        host.reset();
        setTickSource(nullptr);
        logCaptureEnd();
    }
    void setLevel(int32_t level, int32_t skill) {
        gameState.level[0] = level;
        gameState.activeSkill[0] = skill;
    }
    int32_t pieces() const {
        int32_t n = 0;
        for (int32_t t = 0; t < kPieceTypeCount; ++t) n += pieceList->countOfType(T(t));
        return n;
    }
    int32_t blinking() const {
        int32_t n = 0;
        for (int32_t c = 0; c < kBoardColumns; ++c)
            for (int32_t r = 0; r < kBoardRows; ++r)
                if (kwPiece* p = pieceList->pieceAt(c, r); p && p->blinking) ++n;
        return n;
    }
    // Moves the clock to the next drop and runs the spawner; the type
    // placed, or NoPiece when nothing was.
    T nextDrop(kwLevelSpawner& s) {
        g_now = s.lastDropTime() + s.dropInterval();
        std::array<int32_t, kPieceTypeCount> before{};
        for (int32_t t = 0; t < kPieceTypeCount; ++t)
            before[size_t(t)] = pieceList->countOfType(T(t));
        s.run();
        for (int32_t t = 0; t < kPieceTypeCount; ++t)
            if (pieceList->countOfType(T(t)) != before[size_t(t)]) return T(t);
        return T::NoPiece;
    }

    std::unique_ptr<kwScene> scene;
    std::unique_ptr<kwBoardHost> host;
};

using LevelTable = LevelBoard;
using LevelSpawner = LevelBoard;

std::map<T, int32_t> tally(const kwLevelSpawner& s) {
    std::map<T, int32_t> m;
    for (int32_t i = 0; i < kwLevelSpawner::kBagSize; ++i) ++m[s.bagAt(i)];
    return m;
}

}  // namespace

TEST_F(LevelTable, GoalsTimesAndIntroLinesFollowTheSkill) {
    struct Row {
        int32_t level, goal[3], time[3];
    };
    const Row rows[] = {{1, {2000, 4000, 6000}, {155, 60, 45}},
                        {8, {4000, 11000, 18000}, {350, 255, 240}},
                        {15, {4000, 8000, 12000}, {140, 45, 30}},
                        {16, {10000, 20000, 30000}, {390, 295, 280}}};
    for (const Row& r : rows)
        for (int32_t s = 1; s <= 3; ++s) {
            EXPECT_EQ(turnGoal(r.level, s), r.goal[s - 1]) << r.level << " s" << s;
            EXPECT_EQ(turnTime(r.level, s), r.time[s - 1]) << r.level << " s" << s;
        }
    // Past level 16 the skill keeps multiplying and level 8 stays on its top step.
    EXPECT_EQ(turnGoal(8, 5), 30000);
    EXPECT_EQ(turnTime(8, 5), 240);
    for (int32_t l = 1; l <= kLevelTableSize; ++l) EXPECT_EQ(levelRow(l).level, l);

    EXPECT_FALSE(levelRow(2).levelLine);
    ASSERT_EQ(levelRow(2).introLines.size(), 3u);
    EXPECT_STREQ(levelRow(2).introLines[0], "Oranges eat apples,");
    EXPECT_TRUE(levelRow(1).levelLine);
    EXPECT_STREQ(levelRow(1).introLines[0], " ");  // blank lines keep their height
}

TEST_F(LevelTable, SeedsArePlacedInFullWithOnlyTheBonusSweetsAnimated) {
    placeSeeds(levelRow(15).turnSeeds);
    EXPECT_EQ(pieces(), 121);
    EXPECT_EQ(blinking(), 120);
    EXPECT_EQ(pieceList->countOfType(T::Brush), 1);
    EXPECT_EQ(pieceList->countOfType(T::Cone), 20);
    scene->clear();  // the scripts take their pieces with them

    placeSeeds(levelRow(16).turnSeeds);
    EXPECT_EQ(pieces(), 64);
    EXPECT_EQ(blinking(), 0);
    EXPECT_EQ(pieceList->countOfType(T::Chomp), 3);
    EXPECT_EQ(pieceList->countOfType(T::Pear), 5);
}

TEST_F(LevelTable, BagFollowsTheWeightsForEveryLevelAndSkill) {
    kwLevelSpawner sp;
    for (int32_t level = 1; level <= kLevelTableSize; ++level)
        for (int32_t s = 1; s <= 6; ++s) {
            SCOPED_TRACE(testing::Message() << "level " << level << " skill " << s);
            setLevel(level, s);
            sp.setUpLevel(level);
            std::vector<kwSpawnWeight> want;
            float total = 0;
            for (int32_t i = 0; i < sp.weightCount(); ++i) {
                want.push_back(sp.weightAt(i));
                total += want.back().weight;
            }
            sp.buildBag();  // without the fixed slot
            EXPECT_EQ(sp.nextBagIndex(), 0);
            // The proportional share of each positive weight, in list order,
            // cut where the bag is full; the rest is the uniform fill.
            std::map<T, int32_t> share;
            int32_t placed = 0;
            for (const auto& e : want)
                if (e.weight > 0) {
                    const int32_t n = std::min(int32_t(e.weight * 1000.0 / total), 1000 - placed);
                    share[e.type] += n;
                    placed += n;
                }
            int32_t fill = 0;
            for (const auto& [type, count] : tally(sp)) {
                ASSERT_TRUE(std::any_of(want.begin(), want.end(),
                                        [&](const kwSpawnWeight& e) { return e.type == type; }));
                EXPECT_GE(count, share[type]) << int(type);
                fill += count - share[type];
            }
            EXPECT_EQ(fill, 1000 - placed);
            scene->clear();
        }
}

TEST_F(LevelTable, BagCountsAtKnownPoints) {
    kwLevelSpawner sp;
    setLevel(1, 2);
    sp.setUpLevel(1);
    EXPECT_EQ(pieces(), 31);  // one orange, then thirty apples, none animated
    EXPECT_EQ(pieceList->countOfType(T::Apple), 30);
    EXPECT_EQ(blinking(), 0);
    auto m = tally(sp);
    EXPECT_EQ(m[T::Apple], 900);
    EXPECT_EQ(m[T::Orange], 100);

    setLevel(9, 1);
    sp.setUpLevel(9);
    m = tally(sp);
    EXPECT_EQ(m[T::Watermelon], 100);
    EXPECT_EQ(m[T::NoPiece], 900);

    // Hard fruit turns negative: W = 68.8, chocolate's 1017 is cut at 1000.
    setLevel(3, 6);
    sp.setUpLevel(3);
    EXPECT_EQ(tally(sp)[T::Chocolate], 1000);

    // Level 5 at skill 6: W = 112; the red candies come last and lose the surplus.
    setLevel(5, 6);
    sp.setUpLevel(5);
    sp.buildBag();
    m = tally(sp);
    EXPECT_EQ(m[T::Apple], 89);
    EXPECT_EQ(m[T::Orange], 223);
    EXPECT_EQ(m[T::Lemon], 214);
    EXPECT_EQ(m[T::Chocolate], 205);
    EXPECT_EQ(m[T::RedHardCandy], 269);
    EXPECT_EQ(m[T::Brush], 0);

    // Level 4 always keeps a brush in the mix; level 14's chomps run out.
    EXPECT_EQ(levelWeights(4, 6).entries[4].weight, 1.0f);
    EXPECT_EQ(levelWeights(14, 1).entries[5].weight, 15.0f);
    EXPECT_EQ(levelWeights(14, 6).entries[5].weight, -5.0f);
}

TEST_F(LevelTable, DegenerateWeightListsStaySafe) {
    kwLevelSpawner sp;
    sp.buildBag();  // nothing to draw from: every drop is empty
    EXPECT_EQ(tally(sp)[T::NoPiece], 1000);

    sp.addWeight(T::Apple, 1);
    sp.addWeight(T::Orange, -1);  // W = 0: no shares, only the uniform fill
    sp.buildBag();
    auto m = tally(sp);
    EXPECT_EQ(m[T::Apple] + m[T::Orange], 1000);
    EXPECT_GT(m[T::Orange], 400);

    logCaptureBegin();
    for (int32_t i = 2; i < kwLevelSpawner::kMaxWeights; ++i) EXPECT_TRUE(sp.addWeight(T::Pear, 1));
    EXPECT_FALSE(sp.addWeight(T::Pear, 1));
    EXPECT_STREQ(logCaptured(), "kwLevelSpawner::addWeight - too many weights!\r\n");
    EXPECT_EQ(sp.weightCount(), kwLevelSpawner::kMaxWeights);
}

TEST_F(LevelSpawner, WaitsInIdleCompleteAndTimeOutThenSetsUp) {
    kwLevelSpawner sp;
    setLevel(1, 1);
    for (int32_t phase : {PhaseIdle, PhaseLevelComplete, PhaseTimeOut}) {
        gameState.playPhase = phase;
        sp.run();
        EXPECT_EQ(sp.state, kwLevelSpawner::StateSetUp);
        EXPECT_EQ(pieces(), 0);
    }
    gameState.playPhase = PhasePlaying;
    sp.run();
    EXPECT_EQ(sp.state, kwLevelSpawner::StateDropping);
    EXPECT_EQ(sp.interval, 45u);
    EXPECT_EQ(sp.lastDropTime(), g_now);
    EXPECT_EQ(pieces(), 31);

    // The phase is checked every run, not only before set-up.
    gameState.playPhase = PhaseLevelComplete;
    EXPECT_EQ(nextDrop(sp), T::NoPiece);
    EXPECT_EQ(sp.nextBagIndex(), 0);
}

TEST_F(LevelSpawner, DropsComeAfterTheDrawnIntervalAndBlinkIn) {
    kwLevelSpawner sp;
    setLevel(1, 3);
    sp.run();
    const int32_t seeded = pieces();
    uint32_t lo = 100000, hi = 0;
    for (int32_t k = 0; k < 140; ++k) {
        const uint32_t last = sp.lastDropTime(), wait = sp.dropInterval();
        ASSERT_TRUE(wait >= 400u && wait <= 1899u) << wait;
        lo = std::min(lo, wait);
        hi = std::max(hi, wait);
        g_now = last + wait - 1;  // one millisecond early: nothing
        sp.run();
        ASSERT_EQ(sp.lastDropTime(), last);
        ASSERT_NE(nextDrop(sp), T::NoPiece);
        ASSERT_EQ(sp.lastDropTime(), g_now);
        ASSERT_EQ(sp.nextBagIndex(), k + 1);
    }
    EXPECT_LT(lo, 450u);  // the whole range is used
    EXPECT_GT(hi, 1850u);
    EXPECT_EQ(blinking(), pieces() - seeded);  // drops animate, seeds do not
}

TEST_F(LevelSpawner, TwentyFirstDropOfLevels2And5IsFixed) {
    for (int32_t level : {2, 5})
        for (uint32_t seed = 1; seed <= 8; ++seed) {
            SCOPED_TRACE(testing::Message() << "level " << level << " seed " << seed);
            seedRandomWith(seed);
            kwLevelSpawner sp;
            setLevel(level, 2);
            sp.run();
            for (int32_t k = 0; k < 20; ++k) nextDrop(sp);
            EXPECT_EQ(nextDrop(sp), level == 2 ? T::Lemon : T::Brush);
            scene->clear();
        }
}

TEST_F(LevelSpawner, FullBoardStillAdvancesAndTheBagRefills) {
    kwLevelSpawner sp;
    setLevel(3, 6);  // every code chocolate
    sp.run();
    while (!pieceList->isFull()) host->spawnPiece(T::Pear, false);
    for (int32_t k = 0; k < kwLevelSpawner::kBagSize; ++k) ASSERT_EQ(nextDrop(sp), T::NoPiece);
    EXPECT_EQ(sp.nextBagIndex(), 1000);
    EXPECT_EQ(pieceList->countOfType(T::Chocolate), 0);
    // Make room: the next drop rebuilds the bag and takes its first code.
    scene->clear();
    EXPECT_EQ(nextDrop(sp), T::Chocolate);
    EXPECT_EQ(sp.nextBagIndex(), 1);
}
