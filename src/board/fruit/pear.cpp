#include "board/fruit/pear.h"

kwPear::kwPear(kwPieceArt* pieceArt) : kwFruit(pieceArt, kwPieceType::Pear) {
    life = baseLife();
}

bool kwPear::canEat(kwPieceType type) const {
    return type == kwPieceType::Banana || type == kwPieceType::Donut;
}

void kwPearScript::idle() {
    if (breedRule()) return;
    for (int i = 0; i < kEatTries; ++i)
        if (eatNeighbour()) return;
    if (wander() || lookAround() || hunt(kwPieceType::Donut)) return;
    idleAnimation();
}
