#include "board/fruit/orange.h"

kwOrange::kwOrange(kwPieceArt* pieceArt) : kwFruit(pieceArt, kwPieceType::Orange) {
    life = baseLife();
}

bool kwOrange::canEat(kwPieceType type) const {
    return type == kwPieceType::Apple || type == kwPieceType::Watermelon;
}
