#include "board/sweets/cone.h"

#include <array>

#include "board/board_host.h"
#include "board/piece_list.h"
#include "shell/random.h"

kwCone::kwCone(kwPieceArt* pieceArt) : kwPiece(pieceArt, kwPieceType::Cone) {
    frDown = copyPlayer(kwAnim::FrDown);
    frUp = copyPlayer(kwAnim::FrUp);
    frLeft = copyPlayer(kwAnim::FrLeft);
    frRight = copyPlayer(kwAnim::FrRight);
    life = baseLife();
}

bool kwCone::canEat(kwPieceType type) const {
    return type == kwPieceType::Watermelon || type == kwPieceType::Banana ||
           type == kwPieceType::Pear;
}

kwFramePlayer* kwCone::rayPlayer(kwDirection d) const {
    switch (d) {
        case kwDirection::Up:
            return frUp.get();
        case kwDirection::Down:
            return frDown.get();
        case kwDirection::Left:
            return frLeft.get();
        case kwDirection::Right:
            return frRight.get();
        default:
            return nullptr;
    }
}

bool kwConeScript::idleAnimation() {
    if (random(kFidgetChance) != 0) return false;
    const uint32_t r = random(kFidgetKinds);
    if (r < 2) {
        fidget(AmbientB, AnimAmbientB);
    } else if (r < 4) {
        fidget(AmbientC, AnimAmbientC);
    } else {
        fidget(AmbientD, AnimAmbientD);
    }
    return true;
}

void kwConeScript::idle() {
    if (fire() || eatInFixedOrder() || breed() || idleAnimation() || lookAround()) return;
    huntNearestPrey();
}

bool kwConeScript::isTarget(const kwPiece* p) const {
    // The type test first: it rules out most pieces without reading the clock.
    return p && piece->canEat(p->pieceType()) && p->canBeEaten() && !p->isFrozen();
}

int32_t kwConeScript::countTargets(kwDirection d) {
    targetCount = 0;
    const kwCell step = neighbourCell(0, 0, d);
    const int32_t endColumn = piece->column + step.column * kRayCells;
    const int32_t endRow = piece->row + step.row * kRayCells;
    if (endColumn < 0 || endColumn >= kBoardColumns || endRow < 0 || endRow >= kBoardRows) return 0;
    for (int32_t k = 1; k <= kRayCells && pieceList; ++k)
        if (isTarget(
                pieceList->pieceAt(piece->column + step.column * k, piece->row + step.row * k)))
            ++targetCount;
    return targetCount;
}

bool kwConeScript::fire() {
    kwDirection best = kwDirection::Here;
    int32_t bestCount = 0;
    for (kwDirection d :
         {kwDirection::Up, kwDirection::Down, kwDirection::Left, kwDirection::Right}) {
        const int32_t n = countTargets(d);
        if (n > bestCount) {
            bestCount = n;
            best = d;
        }
    }
    if (bestCount < kMinTargets) return false;
    fireDirection = int32_t(best);
    piece->current = cone().rayPlayer(best);
    if (piece->current) piece->current->play();
    state = Acting;
    return true;
}

void kwConeScript::act() {
    kwFramePlayer* ray = cone().rayPlayer(kwDirection(fireDirection));
    if (ray && ray->checkPlaying()) return;
    const kwCell step = neighbourCell(0, 0, kwDirection(fireDirection));
    for (int32_t k = 1; k <= kRayCells && pieceList; ++k)
        pieceList->freezeAt(piece->column + step.column * k, piece->row + step.row * k);
    toIdle();
}
