#include "board/sweets/yellow_hard_candy.h"

#include "shell/random.h"

kwYellowHardCandy::kwYellowHardCandy(kwPieceArt* pieceArt)
    : kwPiece(pieceArt, kwPieceType::YellowHardCandy) {
    life = baseLife();
}

bool kwYellowHardCandyScript::idleAnimation() {
    if (random(kFidgetChance) != 0) return false;
    if (random(kFidgetKinds) != 0) {
        fidget(AmbientB, AnimAmbientB);
    } else if (random(2) == 0) {
        fidget(AmbientC, AnimAmbientD);
    } else {
        fidget(AmbientD, AnimAmbientC);
    }
    return true;
}

void kwYellowHardCandyScript::idle() {
    if (eatInFixedOrder() || lookAround() || idleAnimation()) return;
    hunt(kwPieceType::Lemon);
}
