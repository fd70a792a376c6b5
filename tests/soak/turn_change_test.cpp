// Found by the soak: pieces still on the board when a turn ends by time-out
// must not reach into the next turn. A sweet brushed off in mid-step flies
// on (a moving piece never starts dying), and at a slow frame rate a plain
// step can outlast the time-out's five seconds; either kept its claims
// through the new turn's fresh grid and later released them, or arrived
// and took a cell, under the new turn's pieces. The board's invariants are
// checked after every frame while the next turn's pieces stand on exactly
// the cells the old piece had claimed.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app/runner.h"
#include "board/board_host.h"
#include "board/piece.h"
#include "board/piece_list.h"
#include "board/piece_script.h"
#include "shell/game_state.h"
#include "shell/scene_manager.h"
#include "shell/scenes.h"

namespace {

namespace fs = std::filesystem;

// PLAY!, late enough for the menu to be up at either frame rate.
constexpr const char* kStartPlay = "600 move 686 563\n900 click 686 563\n";
constexpr uint32_t kSetUpFrame = 60;  // the game is on and its seeds are down
// Brushed-off sweets fly this far each run: slow enough to outlive the
// time-out's wait, quick enough to land in the next turn.
constexpr int32_t kSlowFlight = 4;

struct Leftover {
    bool brushed = false;
    int stage = 0;
    kwCell from{}, to{};
};

// A red hard candy in the middle of a step to the left, as wander() leaves
// it, and (if asked) brushed off on the way; then the clock runs out.
bool startLeftover(Leftover& l) {
    for (int32_t r = 0; r < kBoardRows; ++r)
        for (int32_t c = 4; c < kBoardColumns; ++c) {
            if (boardGrid->isOccupied(c, r) || boardGrid->isOccupied(c - 1, r)) continue;
            if (!boardHost->placePiece(kwPieceType::RedHardCandy, c, r, false)) return false;
            kwPiece* p = pieceList->pieceAt(c, r);
            p->script->setSpeed();  // as its first run would
            p->claim(kwDirection::Left);
            p->script->direction = kwDirection::Left;
            p->script->state = Moving;
            if (l.brushed) {
                p->strokes = p->strokesNeeded() - 1;
                p->brushStroke();
                p->flyDx = p->flyDy = kSlowFlight;
            }
            l.from = {c, r};
            l.to = {c - 1, r};
            gameState.playPhase = PhaseTimeOut;
            return true;
        }
    return false;
}

// The next turn puts its own pieces on the leftover's two cells.
void coverItsCells(const Leftover& l) {
    for (const kwCell& c : {l.from, l.to})
        if (!boardGrid->isOccupied(c.column, c.row))
            boardHost->placePiece(kwPieceType::Chocolate, c.column, c.row, false);
}

class TurnChange : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override {
        dir = fs::path(::testing::TempDir()) / ("turn_change_" + std::to_string(GetParam()));
        fs::remove_all(dir);
        opts.app.dataDir = GG_BINARY_DIR "/data";
        opts.app.settingsDir = (dir / "state").string();
        opts.app.logPath = (dir / "gobble.log").string();
        opts.app.haveSeed = true;
        opts.app.seed = 4;
        opts.scriptText = kStartPlay;
        opts.checkInvariants = true;
    }
    void TearDown() override { fs::remove_all(dir); }

    fs::path dir;
    kwRunnerOptions opts;
};

}  // namespace

// true: a sweet brushed off in mid-step at 16 ms a frame; false: a plain
// step at 250 ms a frame (a step is 24 runs; the time-out waits 5 s).
TEST_P(TurnChange, APieceLeftFromTheLastTurnTakesNoCellOfTheNext) {
    Leftover l;
    l.brushed = GetParam();
    opts.frameMs = l.brushed ? 16 : 250;
    opts.frames = int64_t(l.brushed ? 1000 : 120);
    opts.afterFrame = [&](uint32_t frame) {
        const bool playing = sceneManager->current == scenes.play && pieceList;
        if (l.stage == 0 && playing && frame >= kSetUpFrame) l.stage = startLeftover(l) ? 1 : 9;
        if (l.stage == 1 && playing && gameState.playPhase == PhaseIntro) {
            coverItsCells(l);
            l.stage = 2;
        }
    };
    EXPECT_EQ(runHeadless(opts), 0);
    EXPECT_EQ(l.stage, 2);
}

INSTANTIATE_TEST_SUITE_P(BrushedOrSlow, TurnChange, ::testing::Bool());
