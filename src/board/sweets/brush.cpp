#include "board/sweets/brush.h"

#include "shell/clock.h"
#include "shell/game_state.h"

namespace {

// The art set leaves the brush's rates to the brush: it drops in, scrubs
// for as long as it is held, and fades out at half speed.
constexpr float kShowUpFps = 30.0f;
constexpr float kInUseFps = 30.0f;
constexpr float kFadeOutFps = 15.0f;

void setRate(kwFramePlayer* p, float fps, uint32_t mode) {
    if (!p || p->num_frames == 0) return;
    p->duration(fps);
    p->setPlayMode(mode, 0);
}

}  // namespace

kwBrush::kwBrush(kwPieceArt* pieceArt) : kwPiece(pieceArt, kwPieceType::Brush) {
    showUp = copyPlayer(kwAnim::Appears);
    cursorImage = copyPlayer(kwAnim::Cursor);
    inUse = copyPlayer(kwAnim::Used);
    fadeOut = copyPlayer(kwAnim::Disappears);
    setRate(showUp.get(), kShowUpFps, PlayOnce);
    setRate(inUse.get(), kInUseFps, PlayLoop);
    setRate(fadeOut.get(), kFadeOutFps, PlayOnce);
    current = showUp.get();
    if (current) current->play();
    life = baseLife();
}

void kwBrush::pickUp() {
    carried = true;
    current = inUse.get();
    if (current) current->play();
    releaseClaims();
}

void kwBrush::playIdle() {
    current = showUp.get();
    if (current) current->play();
}

void kwBrushScript::run() {
    if (!piece) {
        state = Finished;
        return;
    }
    if (gameState.playPhase == PhaseLevelComplete) {
        // Leaves like any piece, without points.
        leaveAtLevelEnd();
        return;
    }
    if (gameState.playPhase == PhaseTimeOut) {
        state = Finished;
        return;
    }
    if (state == New) {
        setSpeed();
        toIdle();
        fading = false;
        return;
    }
    if (state == Idle && gameTime() - piece->createdAt >= kLifetimeMs) expire();
}

void kwBrushScript::expire() {
    kwFramePlayer* fade = brush().fadeOut.get();
    if (piece->carried && !fading) {
        piece->current = fade;
        if (fade) fade->play();
        fading = true;
    }
    if (fading) {
        if (fade && fade->checkPlaying()) return;
        piece->setLife(-1.0f);
        state = Finished;
        return;
    }
    piece->setLife(-1.0f);
    state = Finished;
}
