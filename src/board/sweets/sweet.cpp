#include "board/sweets/sweet.h"

#include "board/board_host.h"
#include "board/piece_list.h"

bool kwSweetScript::qualifies(const kwPiece& prey) const {
    return piece->canEat(prey.pieceType()) && prey.canBeEaten();
}

bool kwSweetScript::eatInFixedOrder() {
    for (kwDirection d :
         {kwDirection::Right, kwDirection::Left, kwDirection::Up, kwDirection::Down}) {
        kwPiece* prey = neighbourPiece(d);
        if (!prey || !qualifies(*prey)) continue;
        state = Moving;
        direction = d;
        prey->beEaten();
        piece->addLife(piece->baseLife());
        piece->playAnimation(eatingAnimation());
        piece->claim(d);
        if (boardHost) boardHost->playEatSound(piece->isScoring());
        ateOne();
        return true;
    }
    return false;
}

bool kwSweetScript::huntNearestPrey() {
    if (!pieceList) return false;
    // Boxed in, the hunt heads nowhere whatever it hunts: any prey at all
    // decides it, and the first listed one saves the search for the nearest.
    const kwPiece* prey = boxedIn() ? pieceList->firstPrey(*piece) : pieceList->nearestPrey(*piece);
    return prey && hunt(prey->pieceType());
}
