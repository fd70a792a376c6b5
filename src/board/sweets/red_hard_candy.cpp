#include "board/sweets/red_hard_candy.h"

kwRedHardCandy::kwRedHardCandy(kwPieceArt* pieceArt)
    : kwPiece(pieceArt, kwPieceType::RedHardCandy) {
    life = baseLife();
}

bool kwRedHardCandyScript::isPrey(kwPieceType type) const {
    return type == kwPieceType::Apple || type == kwPieceType::Watermelon;
}

void kwRedHardCandyScript::idle() {
    if (eatInFixedOrder() || hunt(kwPieceType::Apple) || hunt(kwPieceType::Watermelon) ||
        lookAround())
        return;
    idleAnimation();
}
