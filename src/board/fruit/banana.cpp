#include "board/fruit/banana.h"

kwBanana::kwBanana(kwPieceArt* pieceArt) : kwFruit(pieceArt, kwPieceType::Banana) {
    life = baseLife();
}

bool kwBanana::canEat(kwPieceType type) const {
    return type == kwPieceType::Watermelon;
}

bool kwBananaScript::breedRule() {
    return hasNeighbourOfType(*piece, kwPieceType::Banana) && breed();
}
