// The rules every piece shares: eating and who may be eaten, breeding,
// starving, moving, hunting, looking and wandering; then the run skeleton's
// fixed order: level complete, time out, frozen, blinking in.
#include <utility>

#include "board/board_invariants.h"
#include "board/hand.h"
#include "board_helpers.h"
#include "shell/game_state.h"
#include "shell/random.h"

using T = kwPieceType;
using D = kwDirection;
using Pair = std::pair<int32_t, int32_t>;

class RulesTest : public BoardTest {
protected:
    // Repeats a chance-based action until it happens; false if it never did.
    template <class F>
    static bool repeatUntil(F action, int tries = 500) {
        for (int i = 0; i < tries; ++i)
            if (action()) return true;
        return false;
    }
    // An apple at (5,5) starts eating the lemon at (6,5), which holds the
    // lowest slot.
    void appleEatsLemon() {
        lemon = place(T::Lemon, 6, 5);
        apple = place(T::Apple, 5, 5);
        ASSERT_TRUE(repeatUntil([&] { return apple->script->eatNeighbour(); }));
        ASSERT_EQ(lemon->script->state, Eaten);
    }
    kwPiece* apple = nullptr;
    kwPiece* lemon = nullptr;
};

class PieceRules : public RulesTest {
protected:
    // Puts a piece back where it stands, idle, after an action succeeded.
    static void settle(kwPiece* p) {
        p->releaseClaims();
        p->claim(D::Here);
        p->script->toIdle();
    }
};

class ScriptSkeleton : public RulesTest {};

// The eaten piece goes 500 ms later, even if its life runs out meanwhile.
TEST_F(PieceRules, EatingGainsLifeSoundsAndTheEatenGoHalfASecondLater) {
    ageing = false;
    ASSERT_NO_FATAL_FAILURE(appleEatsLemon());
    EXPECT_EQ(apple->script->state, Moving);
    EXPECT_EQ(apple->script->direction, D::Right);
    EXPECT_FLOAT_EQ(apple->life, 15.0f + 37.5f);
    EXPECT_EQ(apple->current, apple->lookRight.get());
    EXPECT_TRUE(apple->claims[size_t(D::Right)]);  // the cell it walks into stays taken
    EXPECT_EQ(host->goodEats, 1);
    EXPECT_EQ(host->badEats, 0);
    const uint32_t eatenAt = g_boardNow;
    lemon->setLife(0.0f);
    frame(25);
    EXPECT_EQ(lemon->script->state, Eaten);
    EXPECT_NE(lemon->current, lemon->shock.get());
    ASSERT_TRUE(until([&] { return !alive(lemon); }, 1000, 5));
    EXPECT_GE(g_boardNow - eatenAt, 500u);
    EXPECT_LT(g_boardNow - eatenAt, 500u + 25u + 5u);
    ASSERT_TRUE(until([&] { return apple->column == 6; }, 1000, 5));
    EXPECT_EQ(apple->offsetX, 0);
    EXPECT_FALSE(boardGrid->isOccupied(5, 5));
    // A sweet that eats through the shared rule plays the bad sound.
    kwPiece* donut = place(T::Donut, 0, 0);
    place(T::Orange, 0, 1);
    ASSERT_TRUE(repeatUntil([&] { return donut->script->eatNeighbour(); }));
    EXPECT_EQ(host->badEats, 1);
    EXPECT_EQ(host->goodEats, 1);
}

TEST_F(PieceRules, PreyThatIsMovingArrivingBlinkingInEatenOrDeadIsSpared) {
    ageing = false;
    kwPiece* apple = place(T::Apple, 5, 5);
    kwPiece* moving = place(T::Lemon, 4, 5);
    place(T::Chocolate, 0, 5);
    ASSERT_TRUE(moving->script->hunt(T::Chocolate));  // walks away to the left
    kwPiece* arriving = place(T::Lemon, 6, 5);
    arriving->script->state = Arriving;
    ASSERT_TRUE(host->placePiece(T::Lemon, 5, 6, true));
    kwPiece* blinking = pieceList->pieceAt(5, 6);
    place(T::Lemon, 5, 4)->beEaten();
    for (int i = 0; i < 200; ++i) ASSERT_FALSE(apple->script->eatNeighbour());
    EXPECT_EQ(apple->life, 15.0f);
    EXPECT_EQ(host->goodEats, 0);
    // Once blinked in it is prey, but never with no life left.
    g_boardNow += 1200;
    EXPECT_TRUE(blinking->canBeEaten());
    blinking->setLife(0.0f);
    EXPECT_FALSE(blinking->canBeEaten());
}

TEST_F(PieceRules, BreedingNeedsTwiceBaseLifeAndTheChildSlidesOverFromTheParent) {
    ageing = false;
    kwPiece* parent = place(T::Apple, 5, 5);
    auto& s = *parent->script;
    parent->setLife(29.99f);
    for (int i = 0; i < 500; ++i) ASSERT_FALSE(s.breed());
    parent->setLife(30.0f);
    ASSERT_TRUE(repeatUntil([&] { return s.breed(); }));
    ASSERT_EQ(host->births, 1);
    EXPECT_FLOAT_EQ(parent->life, 15.0f);
    ASSERT_EQ(pieceList->count, 2);
    kwPiece* child = pieceList->slots[0] == parent ? pieceList->slots[1] : pieceList->slots[0];
    EXPECT_EQ(child->script->state, Arriving);
    EXPECT_EQ(child->script->interval, 25u);
    const kwCell cell = neighbourCell(5, 5, child->script->direction);
    EXPECT_EQ(Pair(child->column, child->row), Pair(cell.column, cell.row));
    // Drawn on the parent's cell at first, on its own after 25 runs.
    child->updatePosition();
    parent->updatePosition();
    EXPECT_EQ(std::pair(child->x, child->y), std::pair(parent->x, parent->y));
    for (int run = 1; run <= 24; ++run) runOnce(child);
    EXPECT_EQ(child->script->state, Arriving);
    runOnce(child);
    EXPECT_EQ(child->script->state, Idle);
    EXPECT_EQ(Pair(child->offsetX, child->offsetY), Pair(0, 0));
}

TEST_F(PieceRules, ANewbornIsNotMistakenForAPieceBeingEatenOnItsCell) {
    ageing = false;
    ASSERT_NO_FATAL_FAILURE(appleEatsLemon());
    kwPiece* parent = place(T::Lemon, 7, 5);
    for (auto [c, r] : {std::pair{7, 6}, {7, 4}, {8, 5}}) place(T::Chocolate, c, r);
    // The player lifts the eater mid-step: the eaten lemon's cell is free again.
    handClick(int32_t(cellCentreX(5)), int32_t(cellCentreY(5)));
    ASSERT_EQ(handPiece(), apple);
    ASSERT_FALSE(boardGrid->isOccupied(6, 5));
    parent->setLife(30.0f);
    ASSERT_TRUE(repeatUntil([&] { return parent->script->breed(); }));
    ASSERT_EQ(host->births, 1);
    EXPECT_EQ(lemon->script->state, Eaten);
    kwPiece* child = nullptr;
    for (kwPiece* p : pieceList->slots)
        if (p && p != lemon && p->column == 6 && p->row == 5) child = p;
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(child->script->state, Arriving);
    advance(1000);
    EXPECT_FALSE(alive(lemon));
    EXPECT_EQ(pieceList->pieceAt(6, 5), child);
}

TEST_F(PieceRules, BreedingOnAFullListChangesNothing) {
    kwPiece* parent = place(T::Apple, 5, 5);
    for (int32_t i = 0; i < kBoardCells; ++i)
        if (i != 5 * kBoardColumns + 5)
            placeRaw(T::Chocolate, i % kBoardColumns, i / kBoardColumns);
    // Still listed, but its cell is free again: the list is full, the grid is not.
    pieceList->pieceAt(6, 5)->beEaten();
    ASSERT_TRUE(pieceList->isFull());
    parent->setLife(40.0f);
    for (int i = 0; i < 300; ++i) ASSERT_FALSE(parent->script->breed());
    EXPECT_EQ(parent->life, 40.0f);
    EXPECT_EQ(host->births, 0);
    EXPECT_EQ(checkBoardInvariants(), "");
}

TEST_F(PieceRules, StarvingPieceShowsShockAndGoesASecondLaterButFinishesAStepFirst) {
    kwPiece* apple = place(T::Apple, 5, 5);
    apple->setLife(0.2f);
    ASSERT_TRUE(until([&] { return apple->script->state == Dying; }, 400, 5));
    EXPECT_EQ(apple->current, apple->shock.get());
    EXPECT_FALSE(apple->canPickUp());
    const uint32_t diedAt = apple->script->stateTime;
    ASSERT_TRUE(until([&] { return !alive(apple); }, 1200, 5));
    EXPECT_GE(g_boardNow - diedAt, 1000u);
    EXPECT_LT(g_boardNow - diedAt, 1000u + 25u + 5u);
    // Life running out mid-step: it dies on the next cell, not between two.
    kwPiece* walker = place(T::Apple, 3, 5);
    place(T::Chocolate, 10, 5);
    ASSERT_TRUE(walker->script->hunt(T::Chocolate));
    walker->setLife(-1.0f);
    advance(24 * 25, 25);
    EXPECT_EQ(walker->script->state, Moving);
    frame(25);
    EXPECT_EQ(walker->column, 4);
    EXPECT_EQ(walker->script->state, Idle);
    frame(25);
    EXPECT_EQ(walker->script->state, Dying);
    EXPECT_EQ(walker->column, 4);
}

TEST_F(PieceRules, AMoveTakesTwentyFiveRunsAtTheSpeedSettingsInterval) {
    const uint32_t expected[] = {25, 40, 30, 25, 20, 16, 12, 25};
    kwPiece* apple = placeRaw(T::Apple, 3, 5);
    for (int speed = 0; speed <= 7; ++speed) {
        gameState.speedFactor = speed;
        apple->script->setSpeed();
        EXPECT_EQ(apple->script->interval, expected[speed]) << "speed " << speed;
    }
    // The first run sets the interval and goes idle.
    gameState.speedFactor = 1;
    apple->script->interval = 100;
    runOnce(apple);
    EXPECT_EQ(apple->script->state, Idle);
    EXPECT_EQ(apple->script->interval, 40u);
    ageing = false;
    place(T::Chocolate, 10, 5);
    const uint32_t start = g_boardNow;
    ASSERT_TRUE(apple->script->hunt(T::Chocolate));
    ASSERT_TRUE(until([&] { return apple->column == 4; }, 2000, 5));
    EXPECT_EQ(g_boardNow - start, 25u * 40u);
}

TEST_F(PieceRules, HuntStepsTowardItsTargetWithoutAChanceTest) {
    kwPiece* apple = place(T::Apple, 5, 5);
    place(T::Chocolate, 2, 8);  // up and to the left
    auto& s = *apple->script;
    auto huntFrom = [&](uint32_t seed) {
        if (seed) seedRandomWith(seed);
        const bool moved = s.hunt(T::Chocolate);
        const D d = s.direction;
        if (moved) settle(apple);
        return moved ? d : D::Here;
    };
    for (uint32_t seed = 1; seed <= 50; ++seed) ASSERT_EQ(huntFrom(seed), D::Left);
    place(T::Banana, 4, 5);
    for (uint32_t seed = 1; seed <= 50; ++seed) ASSERT_EQ(huntFrom(seed), D::Up);
    // Both ways toward it blocked: only a rare random step, and never into the blocks.
    place(T::Banana, 5, 6);
    int moves = 0;
    for (int i = 0; i < 6000; ++i) {
        const D d = huntFrom(0);
        if (d == D::Here) continue;
        ++moves;
        EXPECT_TRUE(d == D::Right || d == D::Down);
    }
    EXPECT_GT(moves, 0);
    EXPECT_LT(moves, 30);  // 1 in 3 × 1 in 120 × the free half of the directions
}

TEST_F(PieceRules, LookingNeedsATakenNeighbourAndWanderingAFreeOne) {
    kwPiece* apple = place(T::Apple, 0, 0);
    place(T::Chocolate, 1, 0);  // Left and Down lie off the board; Up is free
    auto& s = *apple->script;
    int looks = 0, walks = 0;
    for (int i = 0; i < 6000; ++i) {
        if (s.lookAround()) {
            ++looks;
            ASSERT_EQ(s.state, Looking);
            ASSERT_EQ(s.direction, D::Right);
            EXPECT_EQ(apple->current, apple->lookRight.get());
            settle(apple);
        }
        if (s.wander()) {
            ++walks;
            ASSERT_EQ(s.state, Moving);
            ASSERT_EQ(s.direction, D::Up);
            EXPECT_TRUE(boardGrid->isOccupied(0, 1));
            settle(apple);
        }
    }
    EXPECT_GT(looks, 40);  // about 1 in 60
    EXPECT_LT(looks, 200);
    EXPECT_GT(walks, 2);  // about 1 in 480
    EXPECT_LT(walks, 40);
}

TEST_F(ScriptSkeleton, LevelCompleteFruitLeaveForTenPointsEachAndSweetsForNone) {
    const T fruit[] = {T::Apple, T::Orange, T::Lemon, T::Banana, T::Pear, T::Watermelon};
    for (int i = 0; i < 12; ++i) place(fruit[i % 6], 2 * (i % 6), 2 + 4 * (i / 6));
    place(T::Chocolate, 0, 8);
    place(T::Donut, 4, 8);
    gameState.score[0] = 100;
    host->levelPoints = 40;
    gameState.playPhase = PhaseLevelComplete;
    gameState.levelCompleteTime = g_boardNow - 1500;
    advance(500, 25);  // 2000 ms since: one in twenty a run has left so far
    const int32_t left = pieceList->count;
    EXPECT_GT(left, 0);
    EXPECT_LT(left, 14);
    frame(25);  // more than 2000 ms: every piece leaves
    EXPECT_EQ(pieceList->count, 0);
    EXPECT_EQ(gameState.score[0], 100 + 120);
    EXPECT_EQ(host->levelPoints, 40 + 120);
    EXPECT_EQ(host->sparkles, 12);
    EXPECT_EQ(boardGrid->takenCount(), 0);
}

TEST_F(ScriptSkeleton, TimeOutKillsEveryPieceWithItsDyingAnimationOneSecondBeforeRemoval) {
    ageing = false;
    ASSERT_NO_FATAL_FAILURE(appleEatsLemon());  // a meal under way as time runs out
    kwPiece* melon = place(T::Watermelon, 0, 0);
    kwPiece* pear = place(T::Pear, 15, 10);
    kwPiece* choc = place(T::Chocolate, 10, 3);
    gameState.playPhase = PhaseTimeOut;
    const uint32_t start = g_boardNow;
    frame(25);
    for (auto [p, dying] : {std::pair{melon, AnimShock}, {pear, AnimShock}, {choc, AnimAmbientD}}) {
        EXPECT_EQ(p->script->state, Dying);
        EXPECT_LT(p->life, 0.0f);
        EXPECT_EQ(p->current, p->player(dying));
    }
    EXPECT_EQ(apple->script->state, Moving);  // finishes its step first
    advance(1000, 25);
    EXPECT_EQ(pieceList->count, 1);  // only the apple, which died on arrival
    EXPECT_FALSE(alive(lemon));
    ASSERT_TRUE(until([] { return pieceList->count == 0; }, 1000, 25));
    EXPECT_LE(g_boardNow - start, 25u * 26u + 1000u + 25u);
    EXPECT_EQ(boardGrid->takenCount(), 0);
}

// Neither breeds nor eats: a frozen piece until it thaws, a piece blinking
// in for its first 1200 ms. A frozen piece can still be eaten.
TEST_F(ScriptSkeleton, FrozenOrBlinkingInPiecesWaitButFrozenOnesCanBeEaten) {
    ageing = false;
    kwPiece* frozen = place(T::Apple, 5, 5);
    kwPiece* food = place(T::Lemon, 6, 5);
    frozen->setLife(40.0f);
    frozen->freeze();
    food->freeze();
    advance(3000);
    EXPECT_EQ(frozen->script->state, Idle);
    EXPECT_EQ(frozen->life, 40.0f);
    EXPECT_EQ(frozen->column, 5);
    EXPECT_EQ(host->births + host->goodEats, 0);
    EXPECT_EQ(food->script->state, Idle);
    ASSERT_TRUE(host->placePiece(T::Apple, 5, 8, true));
    kwPiece* blinking = pieceList->pieceAt(5, 8);
    place(T::Lemon, 6, 8);
    blinking->setLife(40.0f);
    const auto s = [&] { return blinking->script->state; };
    ASSERT_TRUE(until([&] { return s() != Idle && s() != New; }, 5000, 5));
    EXPECT_GE(g_boardNow - blinking->createdAt, 1200u);
    kwPiece* eater = place(T::Apple, 7, 5);
    ASSERT_TRUE(until([&] { return !alive(food) || food->script->state == Eaten; }, 5000));
    ASSERT_TRUE(alive(food));
    EXPECT_EQ(eater->script->state, Moving);
    const uint32_t eatenAt = food->script->stateTime;
    ASSERT_TRUE(until([&] { return !alive(food); }, 1000, 5));
    EXPECT_LT(g_boardNow - eatenAt, 500u + 25u + 5u);
}
