#include "board/sweets/chomp.h"

#include "shell/random.h"

kwChomp::kwChomp(kwPieceArt* pieceArt) : kwPiece(pieceArt, kwPieceType::Chomp) {
    life = baseLife();
}

bool kwChomp::canEat(kwPieceType type) const {
    switch (type) {
        case kwPieceType::Chocolate:
        case kwPieceType::RedHardCandy:
        case kwPieceType::OrangeHardCandy:
        case kwPieceType::YellowHardCandy:
        case kwPieceType::Donut:
        case kwPieceType::Cone:
            return true;
        default:
            return false;
    }
}

void kwChompScript::start() {
    kwSweetScript::start();
    meals = 0;
}

bool kwChompScript::idleAnimation() {
    if (random(kFidgetChance) != 0) return false;
    piece->playAnimation(AnimAmbientA);
    return true;
}

void kwChompScript::idle() {
    if (meals > kFullAfterMeals) {
        fidget(AmbientC, AnimAmbientC);
        return;
    }
    if (eatInFixedOrder() || huntNearestPrey() || wander()) return;
    idleAnimation();
}

// Full: ambient_c again and again, never back to idle.
void kwChompScript::ambientCStep() {
    if (meals > kFullAfterMeals) {
        if (!piece->isAnimationPlaying(AnimAmbientC)) piece->playAnimation(AnimAmbientC);
        return;
    }
    kwSweetScript::ambientCStep();
}
