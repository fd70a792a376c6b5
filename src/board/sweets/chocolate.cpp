#include "board/sweets/chocolate.h"

#include "shell/game_state.h"
#include "shell/random.h"

kwChocolate::kwChocolate(kwPieceArt* pieceArt) : kwPiece(pieceArt, kwPieceType::Chocolate) {
    life = baseLife();
}

bool kwChocolateScript::idleAnimation() {
    if (random(kFidgetChance) != 0) return false;
    const uint32_t r = random(kFidgetKinds);
    if (r <= 2) {
        fidget(AmbientB, AnimAmbientB);
    } else if (r == 3) {
        fidget(AmbientC, AnimAmbientC);
    } else {
        fidget(AmbientD, AnimAmbientD);
    }
    return true;
}

void kwChocolateScript::ambientDStep() {
    if (piece->isAnimationPlaying(AnimAmbientD)) return;
    if (gameState.playPhase != PhaseTimeOut && random(kMeltRange) < kMeltAgainBelow)
        piece->playAnimation(AnimAmbientD);
    else
        toIdle();
}
