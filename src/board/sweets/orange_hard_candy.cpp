#include "board/sweets/orange_hard_candy.h"

kwOrangeHardCandy::kwOrangeHardCandy(kwPieceArt* pieceArt)
    : kwPiece(pieceArt, kwPieceType::OrangeHardCandy) {
    life = baseLife();
}

void kwOrangeHardCandyScript::idle() {
    if (eatInFixedOrder() || hunt(kwPieceType::Orange) || lookAround()) return;
    idleAnimation();
}
