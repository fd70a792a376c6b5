#include "board/sweets/hard_candy.h"

#include "shell/random.h"

bool kwHardCandyScript::idleAnimation() {
    if (random(kFidgetChance) != 0) return false;
    if (random(kFidgetKinds) != 0) {
        fidget(AmbientB, AnimAmbientB);
    } else {
        fidget(AmbientC, AnimAmbientC);
    }
    return true;
}

bool kwHardCandyScript::qualifies(const kwPiece& prey) const {
    return isPrey(prey.pieceType()) && prey.canBeEaten();
}
