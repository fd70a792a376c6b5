// The player's hand and the brush: what can be picked up and where, where a
// drop lands, the brush's strokes and its timer, and the cursor's hooks.
#include "board/hand.h"

#include <initializer_list>
#include <utility>
#include <vector>

#include "board/board_invariants.h"
#include "board/sweets/brush.h"
#include "board_helpers.h"
#include "input/cursor.h"
#include "input/mouse.h"
#include "platform/headless/headless.h"
#include "shell/clock.h"
#include "shell/game_state.h"

using T = kwPieceType;
using Pair = std::pair<int32_t, int32_t>;

class Hand : public BoardTest {
protected:
    void TearDown() override {
        sceneHooks = kwSceneHooks{};
        BoardTest::TearDown();
    }
    // Scene points of cell centres; the headless screen is 800 x 600.
    static int32_t cx(int32_t column) { return 48 * column - 360; }
    static int32_t cy(int32_t row) { return 48 * row - 264; }
    static void mouseTo(int32_t x, int32_t y) { headlessMoveMouse(x + 400, 300 - y); }
    static Pair at(const kwPiece* p) { return {p->column, p->row}; }
    static void expectHotSpot(int32_t x, int32_t y) {
        EXPECT_EQ(cursorSlot.drawable, cursor);
        EXPECT_EQ(Pair(cursorSlot.hotX, cursorSlot.hotY), Pair(x, y));
    }
    // Every cell taken except the given ones.
    static void fillAllBut(std::initializer_list<kwCell> free) {
        for (int32_t i = 0; i < kBoardCells; ++i)
            boardGrid->occupy(i % kBoardColumns, i / kBoardColumns);
        for (const kwCell& f : free) boardGrid->release(f.column, f.row);
    }
    // Clicks (dx, dy) from the centre of a piece's cell; returns what the hand holds.
    kwPiece* pickUp(kwPiece* p, int32_t dx = 0, int32_t dy = 0) {
        const int32_t x = cx(p->column) + dx, y = cy(p->row) + dy;
        mouseTo(x, y);
        handClick(x, y);
        return handPiece();
    }
    // Hovers and clicks at a scene point; true if neither found anything to lift.
    bool nothingAt(int32_t x, int32_t y) {
        mouseTo(x, y);
        const bool hover = handHover();
        handClick(x, y);
        return !hover && handPiece() == nullptr;
    }
    // Drops with the carried piece's centre over a cell's centre.
    void dropOver(int32_t column, int32_t row) {
        mouseTo(cx(column) - cursor->grabOffsetX, cy(row) - cursor->grabOffsetY);
        handDrop();
    }
    // Holds the carried brush with its bristles 20 px up and left of a
    // cell's centre (the brush's own centre, 17 px left of and 22 px above
    // the bristles, is then in the cell up and left) and strokes 51 ms after
    // the last stroke.
    void brushOver(int32_t column, int32_t row) {
        mouseTo(cx(column) - 37 - cursor->grabOffsetX, cy(row) + 42 - cursor->grabOffsetY);
        g_boardNow = cursor->lastBrushTime + 51;
        handBrush();
    }
};

TEST_F(Hand, OnlyALiftablePieceOnAnOpenRunningBoardBelowTheStatusBarIsPickedUp) {
    kwPiece* top = place(T::Apple, 4, 10);  // top row, centre y 216
    kwPiece* frozen = place(T::Apple, 2, 2);
    kwPiece* eaten = place(T::Lemon, 4, 2);
    kwPiece* dead = place(T::Orange, 6, 2);
    kwPiece* brushed = place(T::Chocolate, 8, 2);
    frozen->freeze();
    eaten->beEaten();
    dead->life = -0.5f;
    brushed->brushStroke();
    mouseTo(cx(4), 240);
    EXPECT_TRUE(handHover());
    EXPECT_TRUE(nothingAt(cx(4), 241));  // rowAt still finds the top row: the status bar wins
    pauseClock();
    EXPECT_TRUE(nothingAt(cx(4), cy(10)));
    resumeClock();
    kwPieceList* list = std::exchange(pieceList, nullptr);
    EXPECT_FALSE(handHover());
    pieceList = list;
    EXPECT_TRUE(handHover());
    EXPECT_TRUE(nothingAt(cx(12), cy(6)));  // an empty cell
    for (kwPiece* p : {frozen, eaten, dead, brushed}) {
        EXPECT_TRUE(nothingAt(cx(p->column), cy(p->row))) << int(p->pieceType());
        EXPECT_TRUE(alive(p));
    }
    EXPECT_TRUE(alive(top));
    EXPECT_EQ(checkBoardInvariants(), "");
}

TEST_F(Hand, ClickPicksUpWithGrabOffsetAndTheNextClickDrops) {
    kwPiece* a = place(T::Apple, 5, 5);
    ASSERT_EQ(pickUp(a, 20, -9), a);
    EXPECT_FALSE(alive(a));
    EXPECT_TRUE(a->carried);
    EXPECT_EQ(Pair(cursor->grabOffsetX, cursor->grabOffsetY), Pair(-20, 9));
    EXPECT_EQ(a->current, a->selected.get());
    expectHotSpot(0, 0);
    EXPECT_EQ(checkBoardInvariants(), "");
    // The mouse is in column 9 but the piece's centre, 20 px left of it, in
    // column 8; the click's own point does not matter.
    mouseTo(cx(9) - 10, cy(3));
    handClick(300, -250);
    EXPECT_EQ(handPiece(), nullptr);
    EXPECT_TRUE(alive(a));
    EXPECT_EQ(at(a), Pair(8, 3));
    EXPECT_EQ(a->current, a->ambientA.get());
    expectHotSpot(15, 15);
    EXPECT_EQ(checkBoardInvariants(), "");
    // The brush is held by its own hot spot and shows its scrubbing face.
    auto* b = static_cast<kwBrush*>(place(T::Brush, 1, 1));
    ASSERT_EQ(pickUp(b), b);
    expectHotSpot(60, 54);
    EXPECT_EQ(b->current, b->inUse.get());
}

TEST_F(Hand, AClickBesideAnOverhangingPictureFindsItByTheProbes) {
    // The red hard candy's wrapper reaches 27 px right of its centre, into
    // the next cell; 30 px out only the probe 5 px to the left lands on it.
    kwPiece* red = place(T::RedHardCandy, 5, 5);
    const int32_t x = cx(5) + 30, y = cy(5) - 3;
    ASSERT_EQ(columnAt(x), 6);
    ASSERT_FALSE(red->hitTest(x, y, true));
    ASSERT_TRUE(red->hitTest(x - 5, y, true));
    mouseTo(x, y);
    EXPECT_TRUE(handHover());
    handClick(x, y);
    ASSERT_EQ(handPiece(), red);
    EXPECT_EQ(Pair(cursor->grabOffsetX, cursor->grabOffsetY), Pair(-30, 3));
    dropOver(5, 5);
    // A piece on the clicked cell decides alone, even one that cannot be
    // picked up: no probe is tried then.
    place(T::Apple, 6, 5)->freeze();
    EXPECT_TRUE(nothingAt(x, y));
}

TEST_F(Hand, DropOnATakenCellTriesLeftRightBelowAboveInThatOrder) {
    struct Case {
        kwCell target;
        std::vector<kwCell> taken;
        kwCell lands;
    };
    const Case cases[] = {
        {{5, 5}, {{5, 5}}, {4, 5}},
        {{0, 5}, {{0, 5}}, {1, 5}},
        {{5, 5}, {{5, 5}, {4, 5}}, {6, 5}},
        {{15, 5}, {{15, 5}, {14, 5}}, {15, 4}},
        {{5, 5}, {{5, 5}, {4, 5}, {6, 5}}, {5, 4}},
        {{5, 0}, {{5, 0}, {4, 0}, {6, 0}}, {5, 1}},
    };
    kwPiece* a = place(T::Apple, 10, 10);
    for (const Case& k : cases) {
        ASSERT_EQ(pickUp(a), a);
        for (const kwCell& t : k.taken) boardGrid->occupy(t.column, t.row);
        dropOver(k.target.column, k.target.row);
        EXPECT_EQ(at(a), Pair(k.lands.column, k.lands.row))
            << k.target.column << "," << k.target.row;
        for (const kwCell& t : k.taken) boardGrid->release(t.column, t.row);
    }
}

TEST_F(Hand, DropNextToFourTakenCellsScansForTheNearestFreeOne) {
    kwPiece* a = place(T::Apple, 0, 0);
    const auto dropAround5x5 = [&](std::initializer_list<kwCell> free) {
        boardGrid->clear();
        a->claim(kwDirection::Here);
        EXPECT_EQ(pickUp(a), a);
        fillAllBut(free);
        dropOver(5, 5);
        return at(a);
    };
    EXPECT_EQ(dropAround5x5({{6, 6}, {4, 6}, {5, 8}}), Pair(4, 6));  // a tie: lower column
    EXPECT_EQ(dropAround5x5({{4, 6}, {6, 4}, {0, 0}}), Pair(6, 4));  // a tie: lower row first
    EXPECT_EQ(dropAround5x5({{0, 0}, {5, 8}}), Pair(5, 8));
    // No free cell at all: the piece stays in the hand, nothing is taken twice.
    dropAround5x5({});
    EXPECT_EQ(handPiece(), a);
    EXPECT_FALSE(alive(a));
    expectHotSpot(0, 0);
    boardGrid->release(12, 9);
    handClick(0, 0);
    EXPECT_EQ(at(a), Pair(12, 9));
    EXPECT_EQ(handPiece(), nullptr);
}

TEST_F(Hand, AFullListKeepsThePieceInTheHand) {
    // 175 chocolates and the carried apple; one chocolate is being eaten
    // (listed, no cell) and one more piece fills the apple's old cell.
    kwPiece* a = place(T::Apple, 0, 0);
    for (int32_t i = 1; i < kBoardCells; ++i) placeRaw(T::Chocolate, i % 16, i / 16);
    ASSERT_EQ(pickUp(a), a);
    pieceList->pieceAt(9, 9)->beEaten();
    ASSERT_NE(placeRaw(T::Lemon, 0, 0), nullptr);
    ASSERT_TRUE(pieceList->isFull());
    dropOver(9, 9);
    EXPECT_EQ(handPiece(), a);
    EXPECT_EQ(checkBoardInvariants(), "");
}

// Lifted mid-step, a piece is grabbed where it was drawn, gives up the step
// and its cells, does not age in the hand, and lands idle with its strokes
// and its frozen flag as they were.
TEST_F(Hand, LiftingCancelsAMoveAndKeepsLifeStrokesAndFrozen) {
    kwPiece* y = place(T::YellowHardCandy, 5, 5);
    place(T::Lemon, 9, 5);
    y->brushStroke();
    y->brushStroke();
    y->setLife(33.0f);
    ASSERT_TRUE(y->script->hunt(T::Lemon));  // an open way: steps right at once
    for (int i = 0; i < 5; ++i) runOnce(y);
    ASSERT_EQ(y->offsetX, 10);
    ASSERT_EQ(pickUp(y), y);
    EXPECT_EQ(cursor->grabOffsetX, 10);
    EXPECT_EQ(y->offsetX, 0);
    advance(3000);  // the frames' invariant checks: it holds no cell meanwhile
    EXPECT_EQ(y->offsetX, 0);
    EXPECT_EQ(y->life, 33.0f);
    y->frozen = true;  // the drop must leave the flag as it finds it
    dropOver(2, 2);
    EXPECT_EQ(at(y), Pair(2, 2));
    EXPECT_EQ(y->script->state, Idle);
    EXPECT_TRUE(y->claims[size_t(kwDirection::Here)]);
    EXPECT_FALSE(y->claims[size_t(kwDirection::Right)]);
    EXPECT_EQ(y->life, 33.0f);
    EXPECT_EQ(y->strokes, 2);
    EXPECT_TRUE(y->frozen);
    frame();  // invariants
}

TEST_F(Hand, TheBrushStrokesTheSweetUnderItsBristlesAtMostEvery50ms) {
    kwPiece* b = place(T::Brush, 0, 0);
    kwPiece* y = place(T::YellowHardCandy, 8, 5);
    kwPiece* choc = place(T::Chocolate, 7, 6);  // under the mouse and the brush's centre
    kwPiece* red = place(T::RedHardCandy, 3, 3);
    kwPiece* apple = place(T::Apple, 5, 3);
    kwPiece* pear = place(T::Pear, 11, 3);
    kwPiece* eaten = place(T::Chocolate, 9, 3);
    ASSERT_EQ(pickUp(b, 4, -3), b);
    brushOver(8, 5);
    EXPECT_EQ(y->strokes, 1);
    g_boardNow += 50;
    handBrush();
    EXPECT_EQ(y->strokes, 1);
    g_boardNow += 1;
    handBrush();
    EXPECT_EQ(y->strokes, 2);
    for (int i = 0; i < 2; ++i) brushOver(8, 5);
    EXPECT_FALSE(y->finished);
    brushOver(8, 5);
    EXPECT_TRUE(y->finished);
    EXPECT_EQ(choc->strokes, 0);
    EXPECT_EQ(gameState.score[0], 0);  // no bonus below level 15
    // A frozen sweet's first stroke only thaws it; fruit, frozen or not, is spared.
    red->freeze();
    pear->freeze();
    brushOver(3, 3);
    EXPECT_FALSE(red->frozen);
    EXPECT_EQ(red->strokes, 0);
    brushOver(3, 3);
    EXPECT_EQ(red->strokes, 1);
    brushOver(5, 3);
    brushOver(11, 3);
    EXPECT_EQ(apple->strokes + pear->strokes, 0);
    EXPECT_TRUE(pear->frozen && !apple->finished && !pear->finished);
    // Level 15 pays type code x skill x 10 for a sweet brushed off; a sweet
    // being eaten is its eater's.
    gameState.level[0] = 15;
    gameState.activeSkill[0] = 2;
    eaten->beEaten();
    brushOver(9, 3);
    EXPECT_FALSE(eaten->finished);
    brushOver(7, 6);
    EXPECT_TRUE(choc->finished);
    EXPECT_EQ(gameState.score[0], 3 * 2 * 10);
    EXPECT_EQ(host->levelPoints, 3 * 2 * 10);
    EXPECT_TRUE(until([&] { return !alive(y); }, 8000));
    EXPECT_EQ(gameState.score[0], 3 * 2 * 10);  // flying off pays nothing
}

TEST_F(Hand, TheCursorDrawsTheCarriedPieceAndRunsTheBrush) {
    sceneHooks.mouseX = mouseX;
    sceneHooks.mouseY = mouseY;
    kwPiece* b = place(T::Brush, 0, 0);
    kwPiece* choc = place(T::Chocolate, 8, 5);
    ASSERT_EQ(pickUp(b, 4, -3), b);
    mouseTo(cx(8) - 37 + 4, cy(5) + 42 - 3);
    g_boardNow += 51;
    scene->draw();
    // The cursor stands at the mouse moved by the hot spot (60 right, 54
    // down); the brush at the cursor plus the grab offset.
    EXPECT_EQ(b->x, float(mouseX() + 60 - 4));
    EXPECT_EQ(b->y, float(mouseY() - 54 + 3));
    EXPECT_TRUE(choc->finished);
    handDrop();
    // Empty-handed, the loaded cursor pulses over what can be picked up.
    cursor->load();
    kwPiece* a = place(T::Apple, 2, 2);
    mouseTo(cx(2), cy(2));
    cursor->clickable->x = cursor->arrow->x = -999.0f;
    scene->draw();
    EXPECT_EQ(cursor->clickable->x, float(mouseX() + 15));
    EXPECT_EQ(cursor->arrow->x, -999.0f);
    a->freeze();
    scene->draw();
    EXPECT_EQ(cursor->arrow->x, float(mouseX() + 15));
}

class BrushPiece : public Hand {};

TEST_F(BrushPiece, OnTheBoardItVanishesWithoutAnimationAt15001ms) {
    auto* b = static_cast<kwBrush*>(place(T::Brush, 3, 3));
    EXPECT_FALSE(b->canBeEaten());  // so never frozen either
    const uint32_t made = b->createdAt;
    advance(14900);
    ASSERT_TRUE(alive(b));
    EXPECT_EQ(b->current, b->showUp.get());
    g_boardNow = made + 15000;
    runOnce(b);
    EXPECT_EQ(b->script->state, Idle);
    g_boardNow = made + 15001;
    runOnce(b);
    EXPECT_EQ(b->script->state, Finished);
    EXPECT_NE(b->current, b->fadeOut.get());
    advance(50);
    EXPECT_FALSE(alive(b));
}

TEST_F(BrushPiece, PickedUpAt14sItFadesInTheHandThenEmptiesIt) {
    auto* b = static_cast<kwBrush*>(place(T::Brush, 3, 3));
    auto& s = scriptOf<kwBrushScript>(b);
    const uint32_t made = b->createdAt;
    advance(14000);
    ASSERT_EQ(pickUp(b), b);
    advance(500);
    b->inUse->currentFrame();
    EXPECT_TRUE(b->inUse->isPlaying());  // scrubs for as long as it is held
    ASSERT_TRUE(until([&] { return s.fading; }, 1000));
    const uint32_t fadeAt = g_boardNow;
    EXPECT_GE(fadeAt - made, 15001u);
    EXPECT_LE(fadeAt - made, 15001u + 32u);
    EXPECT_EQ(b->current, b->fadeOut.get());
    EXPECT_EQ(handPiece(), b);
    expectHotSpot(60, 54);
    ASSERT_TRUE(until([&] { return handPiece() == nullptr; }, 1000));
    // Ten frames at 15 a second play in full before it goes.
    EXPECT_GE(g_boardNow - fadeAt, 667u);
    EXPECT_LE(g_boardNow - fadeAt, 667u + 32u);
    expectHotSpot(15, 15);
}
