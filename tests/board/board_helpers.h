// A small board for rule tests: the generated piece art, a bare scene that
// runs the scripts, a clock the test moves, a fixed seed, and the board
// invariants checked after every frame.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>

#include "board/board_host.h"
#include "board/piece.h"
#include "board/piece_list.h"
#include "board/piece_script.h"
#include "render/scene.h"

// The clock the fixture moves.
extern uint32_t g_boardNow;

// Records what the pieces asked of their host.
class kwTestHost : public kwBoardHost {
public:
    void playEatSound(bool good) override { ++(good ? goodEats : badEats); }
    void playReproduceSound() override { ++births; }
    void addSparkle(float, float) override { ++sparkles; }
    using kwBoardHost::arts;
    int goodEats = 0, badEats = 0, births = 0, sparkles = 0;
};

class BoardTest : public ::testing::Test {
protected:
    static constexpr uint32_t kFrameMs = 16;
    static constexpr uint32_t kStart = 100000;

    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;
    void TearDown() override;

    // Places a piece and runs its first (New) run, so it stands idle.
    kwPiece* place(kwPieceType type, int32_t column, int32_t row);
    // Places a piece without running anything.
    kwPiece* placeRaw(kwPieceType type, int32_t column, int32_t row);
    template <class S>
    static S& scriptOf(kwPiece* p) {
        return static_cast<S&>(*p->script);
    }
    // One frame: the clock moves, pieces age, scripts run, invariants hold.
    void frame(uint32_t ms = kFrameMs);
    // Frames until `ms` have passed.
    void advance(uint32_t ms, uint32_t step = kFrameMs);
    // Runs one piece's script once (as if only it were due) at the current time.
    void runOnce(kwPiece* p);
    // Frames until the condition holds or `limitMs` pass; true if it held.
    template <class F>
    bool until(F cond, uint32_t limitMs, uint32_t step = kFrameMs) {
        for (uint32_t t = 0; t <= limitMs; t += step) {
            if (cond()) return true;
            frame(step);
        }
        return cond();
    }
    bool alive(const kwPiece* p) const { return pieceList && pieceList->contains(p); }
    // Draws the board into the headless screen.
    void drawBoard();

    std::unique_ptr<kwScene> scene;
    std::unique_ptr<kwTestHost> host;
    bool ageing = true;  // frames age the pieces

    static kwTestHost* arts;  // art sets shared by every test (built once)
};
