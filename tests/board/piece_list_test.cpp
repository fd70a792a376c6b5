// The piece list and the factory: slot order and ties, searches, ageing,
// freezing and thawing, and the factory's refusals on a full board.
#include "board/board_invariants.h"
#include "board_helpers.h"
#include "shell/game_state.h"

using T = kwPieceType;

class PieceList : public BoardTest {};

TEST_F(PieceList, FactoryPlacesClaimsAndRefusesWhenFull) {
    EXPECT_TRUE(host->placePiece(T::NoPiece, 3, 3, true));
    EXPECT_EQ(pieceList->count, 0);
    EXPECT_EQ(boardGrid->takenCount(), 0);
    EXPECT_FALSE(host->placePiece(T::AnyType, 3, 3, true));
    kwPiece* a = placeRaw(T::Apple, 3, 4);
    ASSERT_NE(a, nullptr);
    EXPECT_TRUE(boardGrid->isOccupied(3, 4));
    EXPECT_TRUE(a->claims[0]);
    EXPECT_EQ(a->life, 15.0f);
    EXPECT_EQ(a->script->state, New);
    // Fill every cell; then both operations refuse before touching the grid.
    for (int i = 1; i < kBoardCells; ++i) ASSERT_TRUE(host->spawnPiece(T::Chocolate, false));
    EXPECT_EQ(pieceList->count, 176);
    EXPECT_EQ(boardGrid->takenCount(), 176);
    EXPECT_FALSE(host->placePiece(T::Apple, 0, 0, false));
    EXPECT_FALSE(host->spawnPiece(T::Apple, false));
    EXPECT_EQ(checkBoardInvariants(), "");
}

TEST_F(PieceList, SpawnWrapsToTheOnlyFreeCellAndGivesUpOnAFullGrid) {
    for (int r = 0; r < kBoardRows; ++r)
        for (int c = 0; c < kBoardColumns; ++c)
            if (c || r) boardGrid->occupy(c, r);
    ASSERT_TRUE(host->spawnPiece(T::Lemon, true));
    kwPiece* p = pieceList->pieceAt(0, 0);
    ASSERT_NE(p, nullptr);
    EXPECT_TRUE(p->blinking);
    EXPECT_FALSE(host->spawnPiece(T::Lemon, true));  // 176 cells tried
    scene->clear();
    boardGrid->clear();
}

TEST_F(PieceList, SearchesWalkSlotsInOrderAndTiesGoToTheLowerSlot) {
    kwPiece* left = placeRaw(T::Orange, 2, 5);
    kwPiece* right = placeRaw(T::Orange, 6, 5);
    kwPiece* lemon = placeRaw(T::Lemon, 4, 5);
    EXPECT_EQ(pieceList->nearestOfType(4, 5, T::Orange), left);    // equal distance
    EXPECT_EQ(pieceList->nearestOfType(4, 5, T::AnyType), lemon);  // its own cell counts
    EXPECT_EQ(pieceList->nearestOfType(5, 5, T::Orange), right);
    EXPECT_EQ(pieceList->nearestOfType(4, 5, T::Pear), nullptr);
    EXPECT_EQ(pieceList->nearestPrey(*lemon), left);
    EXPECT_EQ(pieceList->nearestPrey(*left), nullptr);  // no apple or watermelon
    EXPECT_EQ(pieceList->countOfType(T::Orange), 2);
    // A removed slot is reused first.
    pieceList->remove(left);
    EXPECT_EQ(pieceList->count, 2);
    pieceList->add(left);
    EXPECT_EQ(pieceList->slots[0], left);
    pieceList->add(left);  // already listed: no second slot
    EXPECT_EQ(pieceList->count, 3);
}

// The searches answer from their own record of cells, types and meals, so
// every move, removal and return must reach it.
TEST_F(PieceList, SearchesFollowMovesRemovalsAndReturns) {
    kwPiece* near = placeRaw(T::Orange, 3, 5);
    kwPiece* far = placeRaw(T::Orange, 9, 5);
    kwPiece* lemon = placeRaw(T::Lemon, 4, 5);
    auto moveTo = [](kwPiece* p, int32_t c, int32_t r) {
        p->releaseClaims();
        p->setCell(c, r);
        p->claim(kwDirection::Here);
    };
    moveTo(near, 15, 10);
    EXPECT_EQ(pieceList->nearestOfType(4, 5, T::Orange), far);
    EXPECT_EQ(pieceList->nearestPrey(*lemon), far);
    EXPECT_EQ(pieceList->firstPrey(*lemon), near);  // slot order, not distance
    EXPECT_EQ(checkBoardInvariants(), "");
    pieceList->remove(near);
    EXPECT_EQ(pieceList->firstPrey(*lemon), far);
    pieceList->remove(far);
    EXPECT_EQ(pieceList->nearestPrey(*lemon), nullptr);
    EXPECT_EQ(pieceList->firstPrey(*lemon), nullptr);
    EXPECT_EQ(pieceList->nearestOfType(4, 5, T::AnyType), lemon);
    // Back in the lowest free slots, where they now stand.
    pieceList->add(far);
    pieceList->add(near);
    EXPECT_EQ(pieceList->slots[0], far);
    EXPECT_EQ(pieceList->nearestOfType(15, 9, T::Orange), near);
    EXPECT_EQ(pieceList->firstPrey(*lemon), far);
    EXPECT_EQ(checkBoardInvariants(), "");
}

TEST_F(PieceList, ScoringValueCountsScoringPiecesTimesSkill) {
    placeRaw(T::Apple, 0, 0);
    placeRaw(T::Chomp, 1, 0);
    placeRaw(T::Donut, 2, 0);
    placeRaw(T::Brush, 3, 0);
    EXPECT_EQ(pieceList->scoringValue(), 2);
    gameState.activeSkill[0] = 3;
    EXPECT_EQ(pieceList->scoringValue(), 6);
}

TEST_F(PieceList, AgeingStartsOnTheSecondPassAndScalesWithSkill) {
    kwPiece* a = placeRaw(T::Apple, 0, 0);
    pieceList->ageAll();
    EXPECT_EQ(a->life, 15.0f);
    g_boardNow += 1000;
    pieceList->ageAll();
    EXPECT_FLOAT_EQ(a->life, 14.0f);
    gameState.activeSkill[0] = 2;
    g_boardNow += 1000;
    pieceList->ageAll();
    EXPECT_FLOAT_EQ(a->life, 12.9f);
    // A carried piece is out of the list and does not age.
    pieceList->remove(a);
    g_boardNow += 5000;
    pieceList->ageAll();
    EXPECT_FLOAT_EQ(a->life, 12.9f);
    pieceList->add(a);
}

TEST_F(PieceList, FreezeSparesConesChompsAndPiecesThatCannotBeEaten) {
    kwPiece* cone = place(T::Cone, 0, 0);
    kwPiece* chomp = place(T::Chomp, 1, 0);
    kwPiece* dead = place(T::Apple, 2, 0);
    kwPiece* blinking = placeRaw(T::Apple, 3, 0);
    kwPiece* lemon = place(T::Lemon, 4, 0);
    kwPiece* choc = place(T::Chocolate, 5, 0);
    dead->setLife(0.0f);
    blinking->startBlinking();
    for (int c = 0; c <= 6; ++c) pieceList->freezeAt(c, 0);  // (6, 0) is empty
    EXPECT_FALSE(cone->frozen);
    EXPECT_FALSE(chomp->frozen);
    EXPECT_FALSE(dead->frozen);
    EXPECT_FALSE(blinking->frozen);
    EXPECT_TRUE(lemon->frozen);
    EXPECT_TRUE(choc->frozen);
    EXPECT_FALSE(lemon->canPickUp());
    // Thawed by the first draw at or after 10 s.
    g_boardNow += 9999;
    drawBoard();
    EXPECT_TRUE(lemon->frozen);
    g_boardNow += 1;
    drawBoard();
    EXPECT_FALSE(lemon->frozen);
    EXPECT_TRUE(lemon->canPickUp());
}

TEST_F(PieceList, BlinkingPiecesHideInTheirWindowsAndCannotBeEatenOrBrushed) {
    gameState.level[0] = 15;
    kwPiece* p = placeRaw(T::Chocolate, 7, 5);
    p->startBlinking();
    const uint32_t born = p->createdAt;
    struct Probe {
        uint32_t at;
        bool visible;
    };
    for (Probe pr : {Probe{0, true},
                     {199, true},
                     {200, false},
                     {399, false},
                     {400, true},
                     {600, false},
                     {999, true},
                     {1000, false},
                     {1199, false},
                     {1200, true}}) {
        g_boardNow = born + pr.at;
        p->x = -9999.0f;  // a drawn piece moves its picture to its cell
        drawBoard();
        EXPECT_EQ(p->x != -9999.0f, pr.visible) << pr.at;
        if (pr.at < 1200) {
            EXPECT_FALSE(p->canBeEaten()) << pr.at;
            p->brushStroke();
            EXPECT_EQ(p->strokes, 0) << pr.at;
        }
    }
    g_boardNow = born + 1201;
    drawBoard();
    EXPECT_FALSE(p->blinking);
}
