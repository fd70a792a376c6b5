#include "board/fruit/fruit.h"

#include "board/board_host.h"
#include "board/piece_list.h"
#include "shell/random.h"

bool kwFruitScript::idleAnimation() {
    if (random(kFidgetChance) != 0) return false;
    if (random(kFidgetKinds) < kFidgetKinds - 1) {
        state = AmbientB;
        piece->playAnimation(AnimAmbientB);
    } else {
        state = AmbientC;
        piece->playAnimation(AnimAmbientC);
    }
    return true;
}

void kwFruitScript::idle() {
    if (breedRule() || eatNeighbour() || wander() || lookAround()) return;
    idleAnimation();
}

bool hasNeighbourOfType(const kwPiece& piece, kwPieceType type) {
    if (!pieceList) return false;
    for (kwDirection d :
         {kwDirection::Left, kwDirection::Right, kwDirection::Down, kwDirection::Up}) {
        if (!neighbourOnBoard(piece.column, piece.row, d)) continue;
        const kwCell c = neighbourCell(piece.column, piece.row, d);
        const kwPiece* n = pieceList->pieceAt(c.column, c.row);
        if (n && n->pieceType() == type) return true;
    }
    return false;
}
