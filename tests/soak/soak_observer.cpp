#include "soak_observer.h"

#include <algorithm>

#include "board/board_host.h"
#include "board/hand.h"
#include "board/piece.h"
#include "board/piece_list.h"
#include "input/cursor.h"
#include "input/mouse.h"
#include "play/play_scene.h"
#include "shell/clock.h"
#include "shell/scene_manager.h"
#include "shell/scenes.h"

namespace {

// Where the brush's bristles touch, relative to the piece's centre (the
// hand scrubs the cell under this point).
constexpr int32_t kBristlesX = 17, kBristlesY = -22;

bool isSweet(const kwPiece& p) {
    return p.strokesNeeded() < kwPiece::kNeverBrushedOff;
}

}  // namespace

int kwSoakStats::levelsPlayed() const {
    return int(std::count_if(turnsAtLevel.begin() + 1, turnsAtLevel.end(),
                             [](uint32_t n) { return n > 0; }));
}

void kwSoakObserver::observe() {
    ++s.frames;
    kwScene* current = sceneManager ? sceneManager->current : nullptr;
    const bool inPlay = current && current == scenes.play;
    const bool inMenu = current && current == scenes.menu;
    if (inPlay != wasPlay || inMenu != wasMenu) sceneChanged(inPlay, inMenu);
    if (inMenu) ++s.menuFrames;
    if (!inPlay) return;
    ++s.playFrames;
    watchTurn();
    watchHand();
    watchBrush();
    watchClock();
    if (pieceList) s.mostPieces = std::max(s.mostPieces, pieceList->count);
}

void kwSoakObserver::sceneChanged(bool inPlay, bool inMenu) {
    if (wasPlay && !inPlay) ++s.gamesEnded;
    if (inPlay) {
        ++s.games;
        ++s.gamesByPlayers[size_t(std::clamp(gameState.playerCount, 0, kMaxPlayers))];
        ++s.gamesBySkill[size_t(std::clamp(gameState.playerSkill[0], 0, 3))];
        ++s.gamesBySpeed[size_t(std::clamp(gameState.speedFactor, 0, 6))];
        lastPhase = -1;
        lastHand = nullptr;
        wasPaused = wasDialog = false;
    }
    wasPlay = inPlay;
    wasMenu = inMenu;
}

void kwSoakObserver::watchTurn() {
    const int32_t phase = gameState.playPhase;
    const int32_t p = gameState.currentPlayer;
    if (phase != lastPhase && p >= 0 && p < kMaxPlayers) {
        if (phase == PhaseIntro) {
            ++s.turns;
            ++s.turnsAtLevel[size_t(std::clamp(gameState.level[size_t(p)], 0, kLevelCount))];
            s.highestActiveSkill = std::max(s.highestActiveSkill, gameState.activeSkill[size_t(p)]);
        }
        if (phase == PhaseLevelComplete) {
            ++s.levelsCompleted;
            ++s.wonAtLevel[size_t(std::clamp(gameState.level[size_t(p)], 0, kLevelCount))];
        }
        if (phase == PhaseTimeOut) ++s.timeOuts;
    }
    lastPhase = phase;
}

void kwSoakObserver::watchHand() {
    const kwPiece* held = handPiece();
    if (held == lastHand) return;
    if (lastHand) ++s.putDowns;
    if (held) {
        ++s.pickUps;
        if (held->pieceType() == kwPieceType::Brush) ++s.brushPickUps;
    }
    lastHand = held;
}

// A stroke is due at most every 50 ms; the hand marks each by the time.
void kwSoakObserver::watchBrush() {
    const kwPiece* held = handPiece();
    if (!cursor || cursor->lastBrushTime == lastBrushTime) return;
    lastBrushTime = cursor->lastBrushTime;
    if (!held || held->pieceType() != kwPieceType::Brush || !pieceList) return;
    ++s.brushStrokes;
    const int32_t x = mouseX() + cursor->grabOffsetX + kBristlesX;
    const int32_t y = mouseY() + cursor->grabOffsetY + kBristlesY;
    const kwPiece* under = pieceList->pieceAt(columnAt(x), rowAt(y));
    if (!under || !isSweet(*under)) return;
    ++s.strokesOnSweets;
    if (under->isBrushedOff() && under != lastBrushedOff) {
        ++s.sweetsBrushedOff;
        lastBrushedOff = under;
    }
}

void kwSoakObserver::watchClock() {
    auto* play = static_cast<kwPlayScene*>(scenes.play);
    const bool dialog = play->exitDialog && play->exitDialog->isOpen();
    if (dialog && !wasDialog) ++s.dialogs;
    if (clockState.paused && !wasPaused && !dialog) ++s.pauses;
    wasDialog = dialog;
    wasPaused = clockState.paused;
}
