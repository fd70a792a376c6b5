#include "board/sweets/donut.h"

#include "board/board_host.h"
#include "board/piece_list.h"
#include "shell/random.h"

kwDonut::kwDonut(kwPieceArt* pieceArt) : kwPiece(pieceArt, kwPieceType::Donut) {
    life = baseLife();
}

bool kwDonut::canEat(kwPieceType type) const {
    return type == kwPieceType::Watermelon || type == kwPieceType::Banana ||
           type == kwPieceType::Orange;
}

bool kwDonutScript::idleAnimation() {
    if (random(kFidgetChance) != 0) return false;
    fidget(AmbientB, AnimAmbientB);
    return true;
}

void kwDonutScript::idle() {
    if (startRoll() || eatInFixedOrder() || huntNearestPrey() || lookAround()) return;
    idleAnimation();
}

bool kwDonutScript::isRollPrey(const kwPiece* p) const {
    return p && piece->canEat(p->pieceType()) && p->canBeEaten();
}

bool kwDonutScript::startRoll() {
    if (piece->column < kMinRollColumn || !pieceList || !boardGrid) return false;
    int32_t victims = 0;
    for (int32_t k = 1; k <= kRollLookAhead; ++k) {
        const kwPiece* p = pieceList->pieceAt(piece->column - k, piece->row);
        if (!p) continue;
        if (!isRollPrey(p)) return false;
        ++victims;
    }
    if (victims == 0) return false;
    kwPiece* adjacent = pieceList->pieceAt(piece->column - 1, piece->row);
    if (adjacent)
        eatOnTheRoll(*adjacent);
    else if (boardGrid->isOccupied(piece->column - 1, piece->row))
        return false;
    piece->claim(kwDirection::Left);
    rollSteps = 0;
    rollMeals = 0;
    state = Acting;
    piece->playAnimation(AnimSpecial);
    piece->offsetX = 0;
    return true;
}

// No eat sound while rolling: the roll is its own noise.
void kwDonutScript::eatOnTheRoll(kwPiece& prey) {
    prey.beEaten();
    piece->addLife(kRollMealFactor * piece->baseLife());
}

void kwDonutScript::act() {
    if (piece->offsetX > -kCellSize) {
        piece->offsetX -= kStepPixels;
        return;
    }
    piece->releaseClaims();
    piece->setCell(piece->column - 1, piece->row);
    piece->offsetX = 0;
    piece->claim(kwDirection::Here);
    ++rollSteps;
    if (rollSteps < kRollCells) {
        lookAheadOnTheRoll();
        return;
    }
    if (rollMeals != 0) {
        state = AmbientD;
        dizzyCount = 0;
        piece->playAnimation(AnimAmbientD);
    } else {
        toIdle();
    }
}

void kwDonutScript::lookAheadOnTheRoll() {
    if (!neighbourOnBoard(piece->column, piece->row, kwDirection::Left)) {
        toIdle();
        return;
    }
    kwPiece* next = pieceList ? pieceList->pieceAt(piece->column - 1, piece->row) : nullptr;
    if (next) {
        if (!isRollPrey(next)) {
            toIdle();
            return;
        }
        eatOnTheRoll(*next);
        ++rollMeals;
    } else if (boardGrid && boardGrid->isOccupied(piece->column - 1, piece->row)) {
        toIdle();
        return;
    }
    piece->claim(kwDirection::Left);
    if (!piece->isAnimationPlaying(AnimSpecial)) piece->playAnimation(AnimSpecial);
}

void kwDonutScript::ambientDStep() {
    if (piece->isAnimationPlaying(AnimAmbientD)) return;
    if (++dizzyCount < kDizzyPlays)
        piece->playAnimation(AnimAmbientD);
    else
        toIdle();
}
