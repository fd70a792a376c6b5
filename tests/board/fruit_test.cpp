// The six fruit: who eats whom, how each fidgets and lingers, the banana's
// company rule, the pear's greed for (poisonous) donuts, and the
// watermelon's crowding cap and room to grow.
#include <algorithm>
#include <utility>
#include <vector>

#include "board/fruit/watermelon.h"
#include "board_helpers.h"
#include "shell/game_state.h"
#include "shell/random.h"

using T = kwPieceType;
using Pair = std::pair<int32_t, int32_t>;

class FruitRules : public BoardTest {
protected:
    // Runs one piece alone up to `runs` times, 25 ms apart, with `life` before
    // each run, until `stop` holds; the births it led to.
    template <class F>
    int fedRuns(kwPiece* p, float life, int runs, F stop) {
        const int before = host->births;
        for (int i = 0; i < runs && !stop(); ++i) {
            p->setLife(life);
            g_boardNow += 25;
            runOnce(p);
        }
        return host->births - before;
    }
    // Births of a well-fed watermelon at (5,5) with `others` more watermelons
    // elsewhere on the board.
    int watermelonBirths(int32_t level, int32_t skill, int others) {
        scene->clear();
        gameState.level[0] = level;
        gameState.activeSkill[0] = skill;
        kwPiece* w = place(T::Watermelon, 5, 5);
        for (int i = 0; i < others; ++i) place(T::Watermelon, (2 * i) % 16, 8 + (2 * i) / 16 * 2);
        return fedRuns(w, 100.0f, 3000, [] { return false; });
    }
};

TEST_F(FruitRules, FoodWeb) {
    const T fruit[] = {T::Apple, T::Orange, T::Lemon, T::Banana, T::Pear, T::Watermelon};
    const std::vector<T> eats[] = {
        {T::Lemon, T::Watermelon}, {T::Apple, T::Watermelon}, {T::Orange},
        {T::Watermelon},           {T::Banana, T::Donut},     {}};
    for (int f = 0; f < 6; ++f) {
        kwPiece* p = place(fruit[f], f, 0);
        for (int t = 0; t < kPieceTypeCount; ++t) {
            const bool expected = std::find(eats[f].begin(), eats[f].end(), T(t)) != eats[f].end();
            EXPECT_EQ(p->canEat(T(t)), expected) << int(fruit[f]) << " eating " << t;
        }
    }
}

TEST_F(FruitRules, FidgetsAndAmbientCEndingsFollowEachTypesOdds) {
    const T fruit[] = {T::Apple, T::Orange, T::Lemon, T::Banana, T::Pear, T::Watermelon};
    const int replayPercent[] = {0, 0, 0, 75, 75, 50};
    for (int f = 0; f < 6; ++f) {
        kwPiece* p = place(fruit[f], 3 * f, 5);
        auto& s = *p->script;
        int replays = 0;
        for (int i = 0; i < 1000; ++i) {
            s.state = AmbientC;
            p->playAnimation(AnimAmbientC);
            p->ambientC->playing = false;  // it has just ended
            runOnce(p);
            const bool again = s.state == AmbientC;  // played again, or back to idle
            replays += again;
            EXPECT_TRUE(again ? p->ambientC->playing
                              : s.state == Idle && p->current == p->ambientA.get());
        }
        EXPECT_NEAR(replays, 10 * replayPercent[f], 60) << int(fruit[f]);
        // Still playing: it waits.
        s.state = AmbientC;
        p->playAnimation(AnimAmbientC);
        runOnce(p);
        EXPECT_EQ(s.state, AmbientC);
    }
    // One fidget in 120 idle runs, three short ones to one long.
    kwPiece* apple = pieceList->slots[0];
    int b = 0, c = 0;
    for (int i = 0; i < 120000; ++i) {
        apple->script->toIdle();
        if (!apple->script->idleAnimation()) continue;
        (apple->script->state == AmbientB ? b : c) += 1;
    }
    EXPECT_NEAR(b + c, 1000, 100);
    EXPECT_NEAR(double(b) / (b + c), 0.75, 0.05);
}

TEST_F(FruitRules, BananaBreedsOnlyBesideABanana) {
    ageing = false;
    const auto never = [] { return false; };
    EXPECT_EQ(fedRuns(place(T::Banana, 8, 5), 30.0f, 2000, never), 0);
    // Its only banana neighbour on its right (left and below lie off the board).
    kwPiece* corner = place(T::Banana, 0, 0);
    place(T::Banana, 1, 0)->setLife(12.0f);  // too hungry to breed itself
    EXPECT_EQ(fedRuns(corner, 30.0f, 2000, [&] { return host->births > 0; }), 1);
    EXPECT_NE(pieceList->pieceAt(0, 1), nullptr);  // up was its only free neighbour
    EXPECT_FLOAT_EQ(corner->life, 18.0f);
}

TEST_F(FruitRules, PearTriesFourDirectionsToEat) {
    const int trials = 400;
    for (int i = 0; i < trials; ++i) {
        kwPiece* pear = place(T::Pear, 5, 5);
        place(T::Banana, 6, 5);
        runOnce(pear);
        scene->clear();
    }
    // 1 − (3/4)^4 ≈ 68 %; one try would be 25 %, three 58 %.
    EXPECT_NEAR(double(host->goodEats) / trials, 0.684, 0.06);
}

TEST_F(FruitRules, PearWalksToADonutEatsItAndDiesOfIt) {
    ageing = false;
    kwPiece* pear = place(T::Pear, 2, 5);
    kwPiece* donut = place(T::Donut, 9, 5);
    donut->freeze();  // stays put, and can still be eaten
    ASSERT_TRUE(until([&] { return pear->column > 4; }, 3000));
    EXPECT_EQ(pear->row, 5);
    ASSERT_TRUE(until([&] { return donut->script->state == Eaten; }, 10000));
    EXPECT_EQ(host->goodEats, 1);
    EXPECT_LE(pear->life, 0.0f);
    EXPECT_EQ(pear->script->state, Moving);
    const Pair donutCell(donut->column, donut->row);
    // It finishes the step into the donut's cell, then starts dying.
    ASSERT_TRUE(until([&] { return pear->script->state != Moving; }, 1000, 25));
    EXPECT_EQ(Pair(pear->column, pear->row), donutCell);
    EXPECT_EQ(pear->script->state, Idle);
    frame(25);
    EXPECT_EQ(pear->script->state, Dying);
    EXPECT_EQ(pear->current, pear->shock.get());
}

TEST_F(FruitRules, WatermelonsBreedUpToTheCapOfTheirLevelAndSkill) {
    ageing = false;
    EXPECT_EQ(watermelonBirths(10, 3, 5), 0);   // six on the board: over the cap of 5
    EXPECT_GT(watermelonBirths(9, 3, 5), 0);    // no cap before level 10
    EXPECT_EQ(watermelonBirths(10, 3, 4), 1);   // five, then six
    EXPECT_EQ(watermelonBirths(10, 1, 14), 1);  // fifteen, then sixteen
    EXPECT_EQ(watermelonBirths(10, 4, 0), 0);   // from skill 4 on, never
}

TEST_F(FruitRules, WatermelonGrowsWhenIdleAloneAfter200ms) {
    ageing = false;
    kwPiece* w = place(T::Watermelon, 5, 5);
    auto& s = *w->script;
    EXPECT_EQ(scriptOf<kwWatermelonScript>(w).startedAt, g_boardNow);
    auto idleRun = [&](uint32_t ms) {
        s.toIdle();
        g_boardNow += ms;
        const float before = w->life;
        runOnce(w);
        return w->life - before;
    };
    EXPECT_EQ(idleRun(200), 0.0f);  // not yet more than 200 ms
    EXPECT_NEAR(idleRun(1), 0.24f, 1e-5f);
    place(T::Chocolate, 6, 5);  // company of another kind does not matter
    EXPECT_NEAR(idleRun(25), 0.24f, 1e-5f);
    // Only idle runs grow.
    s.state = AmbientB;
    w->playAnimation(AnimAmbientB);
    g_boardNow += 25;
    const float before = w->life;
    runOnce(w);
    EXPECT_EQ(w->life, before);
    place(T::Watermelon, 5, 4);
    EXPECT_EQ(idleRun(25), 0.0f);
    // It looks at its neighbours but never eats or walks.
    int looks = 0;
    for (int i = 0; i < 3000; ++i) {
        idleRun(25);
        ASSERT_NE(s.state, Moving);
        looks += s.state == Looking;
    }
    EXPECT_GT(looks, 50);  // two taken neighbours: about 1 in 30
}
