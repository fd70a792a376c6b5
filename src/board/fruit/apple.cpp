#include "board/fruit/apple.h"

kwApple::kwApple(kwPieceArt* pieceArt) : kwFruit(pieceArt, kwPieceType::Apple) {
    life = baseLife();
}

bool kwApple::canEat(kwPieceType type) const {
    return type == kwPieceType::Lemon || type == kwPieceType::Watermelon;
}
