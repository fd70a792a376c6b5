#include "board_helpers.h"

#include "board/board_invariants.h"
#include "board/hand.h"
#include "input/cursor.h"
#include "platform/headless/headless.h"
#include "render/render_target.h"
#include "render/screen.h"
#include "render/sprite_archive.h"
#include "shell/clock.h"
#include "shell/game_state.h"
#include "shell/log.h"
#include "shell/random.h"

uint32_t g_boardNow = 0;
kwTestHost* BoardTest::arts = nullptr;

namespace {
constexpr uint32_t kSeed = 12345;
}

void BoardTest::SetUpTestSuite() {
    headlessReset();
    headlessPlatform().openWindow({});
    createRenderScreen(800, 600, 16);
    setDataFolder(GG_BINARY_DIR "/data");
    arts = new kwTestHost();
    arts->loadPieceArt();
}

void BoardTest::TearDownTestSuite() {
    delete arts;
    arts = nullptr;
    setDataFolder("");
    destroyRenderScreen();
}

void BoardTest::SetUp() {
    resetClock();
    g_boardNow = kStart;
    setTickSource([] { return g_boardNow; });
    seedRandomWith(kSeed);
    gameState = kwGameState{};
    gameState.currentPlayer = 0;
    gameState.playPhase = PhasePlaying;
    scene = std::make_unique<kwScene>();
    host = std::make_unique<kwTestHost>();
    for (size_t i = 0; i < host->arts.size(); ++i) host->arts[i] = nullptr;
    host->openBoard(scene.get());
    // Borrow the shared art sets; released again in TearDown.
    for (size_t i = 0; i < host->arts.size(); ++i) host->arts[i].reset(arts->arts[i].get());
    cursor = new kwCursor();
    setCursor(cursor, 15, 15);
    installHand();
}

void BoardTest::TearDown() {
    scene->clear();  // deletes the scripts and with them the pieces
    if (cursor && cursor->carried) delete static_cast<kwPiece*>(cursor->carried)->script;
    for (auto& a : host->arts) a.release();
    host.reset();
    delete cursor;
    cursor = nullptr;
    handHooks = kwHandHooks{};
    cursorSlot = kwCursorSlot{};
    setTickSource(nullptr);
    logCaptureEnd();
}

kwPiece* BoardTest::placeRaw(kwPieceType type, int32_t column, int32_t row) {
    if (!host->placePiece(type, column, row, false)) return nullptr;
    return pieceList->pieceAt(column, row);
}

kwPiece* BoardTest::place(kwPieceType type, int32_t column, int32_t row) {
    kwPiece* p = placeRaw(type, column, row);
    if (p) runOnce(p);
    return p;
}

void BoardTest::runOnce(kwPiece* p) {
    p->script->lastRun = g_boardNow;
    p->script->run();
}

void BoardTest::frame(uint32_t ms) {
    g_boardNow += ms;
    if (ageing) pieceList->ageAll();
    scene->runScripts();
    const std::string fault = checkBoardInvariants();
    ASSERT_TRUE(fault.empty()) << fault << " at " << g_boardNow;
}

void BoardTest::advance(uint32_t ms, uint32_t step) {
    for (uint32_t t = 0; t < ms; t += step) {
        frame(step);
        if (HasFatalFailure()) return;
    }
}

void BoardTest::drawBoard() {
    if (!screen || !screen->Lock()) return;
    targetScreen();
    pieceList->draw();
    screen->Unlock();
}
