#include "board/fruit/lemon.h"

kwLemon::kwLemon(kwPieceArt* pieceArt) : kwFruit(pieceArt, kwPieceType::Lemon) {
    life = baseLife();
}

bool kwLemon::canEat(kwPieceType type) const {
    return type == kwPieceType::Orange;
}
