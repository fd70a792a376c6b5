// Long runs: a full board of every kind of piece lives for ten minutes of
// game time at each speed setting while new pieces keep dropping and a
// restless hand picks up, drops and brushes, with the board's invariants
// checked after every frame; then the level ends and the board must empty.
#include "board/hand.h"
#include "board_helpers.h"
#include "input/cursor.h"
#include "platform/headless/headless.h"
#include "shell/game_state.h"
#include "shell/random.h"

namespace {

constexpr uint32_t kRunMs = 10 * 60 * 1000;
constexpr uint32_t kDropEveryMs = 400;
constexpr uint32_t kHandEveryMs = 300;
constexpr uint32_t kLeaveLimitMs = 2600;  // every piece leaves within ~2 s

constexpr uint32_t kChompOneIn = 10;  // chomps never starve: keep them rare

// Every type the spawner drops, brush included.
kwPieceType randomType() {
    kwPieceType t = kwPieceType(random(kPieceTypeCount));
    while (t == kwPieceType::Chomp && random(kChompOneIn) != 0)
        t = kwPieceType(random(kPieceTypeCount));
    return t;
}

// A click somewhere on the board, in screen pixels.
void restlessHand() {
    const int x = 16 + int(random(768));
    const int y = 60 + int(random(528));
    headlessMoveMouse(x, y);
    handClick(x - 400, 300 - y);
}

}  // namespace

class LongRun : public BoardTest, public ::testing::WithParamInterface<int> {};

TEST_P(LongRun, TenMinutesOfAFullBoardKeepEveryInvariant) {
    gameState.speedFactor = GetParam();
    gameState.activeSkill[0] = 2;
    seedRandomWith(uint32_t(GetParam()) * 7919u);
    while (!pieceList->isFull()) ASSERT_TRUE(host->spawnPiece(randomType(), true));
    int32_t peak = 0, lowest = kBoardCells, births = 0;
    for (uint32_t t = 0; t < kRunMs; t += kFrameMs) {
        if (t % kDropEveryMs < kFrameMs) host->spawnPiece(randomType(), true);
        if (t % kHandEveryMs < kFrameMs) restlessHand();
        if (handPiece()) handBrush();
        frame();
        if (HasFatalFailure()) return;
        peak = std::max(peak, pieceList->count);
        lowest = std::min(lowest, pieceList->count);
    }
    births = host->births;
    EXPECT_GT(births, 0);
    EXPECT_GT(host->goodEats + host->badEats, 0);
    EXPECT_EQ(peak, kBoardCells);
    RecordProperty("lowest", lowest);

    // The level ends: the hand is emptied and every piece leaves.
    handDrop();
    gameState.playPhase = PhaseLevelComplete;
    gameState.levelCompleteTime = g_boardNow;
    ASSERT_TRUE(until([] { return pieceList->count == 0 && !handPiece(); }, kLeaveLimitMs));
    EXPECT_EQ(boardGrid->takenCount(), 0);
    EXPECT_EQ(scene->scriptCount, 0u);
}

INSTANTIATE_TEST_SUITE_P(EverySpeed, LongRun, ::testing::Range(1, 7));
