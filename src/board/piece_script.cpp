#include "board/piece_script.h"

#include <cstdlib>

#include "board/board_host.h"
#include "board/piece_list.h"
#include "shell/clock.h"
#include "shell/game_state.h"
#include "shell/random.h"

namespace {

constexpr int32_t kCell = kCellSize;
constexpr float kEatLifeFactor = 2.5f;
constexpr float kDonutPoison = -10000.0f;
constexpr int32_t kFlyGoneX = 1000;
constexpr int32_t kFlyGoneY = 800;

// Script intervals by speed setting 1..6; anything else runs at setting 3.
uint32_t intervalForSpeed(int32_t speed) {
    switch (speed) {
        case 1:
            return 40;
        case 2:
            return 30;
        case 4:
            return 20;
        case 5:
            return 16;
        case 6:
            return 12;
        default:
            return 25;
    }
}

// The piece just made on a cell. A piece being eaten may still be listed
// there, and it must not be mistaken for the newborn.
kwPiece* newbornAt(kwCell c) {
    for (kwPiece* p : pieceList->slots)
        if (p && p->column == c.column && p->row == c.row && p->script && p->script->state == New)
            return p;
    return nullptr;
}

// Where a newborn is drawn at first: on its parent's cell.
void arrivalOffset(kwDirection d, int32_t& dx, int32_t& dy) {
    dx = d == kwDirection::Left ? kCell : d == kwDirection::Right ? -kCell : 0;
    dy = d == kwDirection::Down ? kCell : d == kwDirection::Up ? -kCell : 0;
}

}  // namespace

kwPieceScript::kwPieceScript(kwPiece* p) : piece(p) {
    if (piece) piece->script = this;
    state = New;
}

kwPieceScript::~kwPieceScript() {
    delete piece;
}

bool kwPieceScript::elapsedSince(uint32_t since, uint32_t ms) const {
    return gameTime() - since >= ms;
}

kwDirection kwPieceScript::randomDirection() {
    static constexpr kwDirection kOrder[] = {kwDirection::Left, kwDirection::Right,
                                             kwDirection::Down, kwDirection::Up};
    return kOrder[random(4)];
}

int32_t kwPieceScript::lookAnimation(kwDirection d) {
    switch (d) {
        case kwDirection::Up:
            return AnimLookUp;
        case kwDirection::Down:
            return AnimLookDown;
        case kwDirection::Left:
            return AnimLookLeft;
        case kwDirection::Right:
            return AnimLookRight;
        default:
            return AnimAmbientA;
    }
}

bool kwPieceScript::neighbourFree(kwDirection d) const {
    if (!neighbourOnBoard(piece->column, piece->row, d) || !boardGrid) return false;
    const kwCell c = neighbourCell(piece->column, piece->row, d);
    return !boardGrid->isOccupied(c.column, c.row);
}

kwPiece* kwPieceScript::neighbourPiece(kwDirection d) const {
    if (!neighbourOnBoard(piece->column, piece->row, d) || !pieceList) return nullptr;
    const kwCell c = neighbourCell(piece->column, piece->row, d);
    return pieceList->pieceAt(c.column, c.row);
}

void kwPieceScript::setSpeed() {
    interval = intervalForSpeed(gameState.speedFactor);
}

void kwPieceScript::toIdle() {
    state = Idle;
    piece->playIdle();
}

bool kwPieceScript::lookAround() {
    const kwDirection d = randomDirection();
    if (!neighbourOnBoard(piece->column, piece->row, d) || neighbourFree(d)) return false;
    if (random(uint32_t(lookChance())) != 0) return false;
    state = Looking;
    direction = d;
    piece->playAnimation(lookAnimation(d));
    return true;
}

void kwPieceScript::startMove(kwDirection d, int32_t animation, bool restart) {
    state = Moving;
    direction = d;
    piece->claim(d);
    if (piece->pieceType() == kwPieceType::Chomp) animation = AnimAmbientA;
    if (restart)
        piece->playAnimation(animation);
    else
        piece->show(animation);
}

bool kwPieceScript::wander() {
    const kwDirection d = randomDirection();
    if (!neighbourFree(d)) return false;
    if (random(uint32_t(moveChance())) != 0) return false;
    startMove(d, lookAnimation(d), false);
    return true;
}

bool kwPieceScript::boxedIn() const {
    return !neighbourFree(kwDirection::Left) && !neighbourFree(kwDirection::Right) &&
           !neighbourFree(kwDirection::Down) && !neighbourFree(kwDirection::Up);
}

bool kwPieceScript::hunt(kwPieceType type) {
    // Boxed in, no target could be stepped toward: the search over the whole
    // list (most of a crowded board's script time) is skipped.
    const kwPiece* target = pieceList && !boxedIn()
                                ? pieceList->nearestOfType(piece->column, piece->row, type)
                                : nullptr;
    kwDirection d = kwDirection::Here;
    if (target) {
        const int32_t dc = target->column - piece->column;
        const int32_t dr = target->row - piece->row;
        if (dc < 0 && neighbourFree(kwDirection::Left))
            d = kwDirection::Left;
        else if (dc > 0 && neighbourFree(kwDirection::Right))
            d = kwDirection::Right;
        else if (dr < 0 && neighbourFree(kwDirection::Down))
            d = kwDirection::Down;
        else if (dr > 0 && neighbourFree(kwDirection::Up))
            d = kwDirection::Up;
    }
    if (d == kwDirection::Here) {
        if (random(uint32_t(huntChance())) != 0) return false;
        if (random(uint32_t(moveChance())) != 0) return false;
        d = randomDirection();
        if (!neighbourFree(d)) return false;
    }
    startMove(d, lookAnimation(d), true);
    return true;
}

bool kwPieceScript::eatNeighbour() {
    const kwDirection d = randomDirection();
    kwPiece* prey = neighbourPiece(d);
    if (!prey || !piece->canEat(prey->pieceType()) || !prey->canBeEaten()) return false;
    state = Moving;
    direction = d;
    prey->beEaten();
    const bool poisoned =
        piece->pieceType() == kwPieceType::Pear && prey->pieceType() == kwPieceType::Donut;
    piece->addLife(poisoned ? kDonutPoison : kEatLifeFactor * piece->baseLife());
    piece->claim(d);
    piece->show(lookAnimation(d));
    if (boardHost) boardHost->playEatSound(piece->isScoring());
    return true;
}

bool kwPieceScript::breed() {
    if (!pieceList || !boardHost || pieceList->isFull()) return false;
    if (piece->life < 2.0f * piece->baseLife()) return false;
    if (random(uint32_t(breedChance())) != 0) return false;
    const kwDirection d = randomDirection();
    if (!neighbourFree(d)) return false;
    const kwCell c = neighbourCell(piece->column, piece->row, d);
    if (!boardHost->placePiece(piece->pieceType(), c.column, c.row, false)) return false;
    kwPiece* child = newbornAt(c);
    if (child) {
        int32_t dx = 0, dy = 0;
        arrivalOffset(d, dx, dy);
        child->setOffset(dx, dy);
        child->script->setSpeed();
        child->script->state = Arriving;
        child->script->direction = d;
        child->show(lookAnimation(d));
    }
    piece->addLife(-piece->baseLife());
    boardHost->playReproduceSound();
    return true;
}

void kwPieceScript::moveStep() {
    int32_t& off = (direction == kwDirection::Up || direction == kwDirection::Down)
                       ? piece->offsetY
                       : piece->offsetX;
    const bool forward = direction == kwDirection::Up || direction == kwDirection::Right;
    if (forward && off < kCell) {
        off += kStepPixels;
        return;
    }
    if (!forward && off > -kCell) {
        off -= kStepPixels;
        return;
    }
    piece->releaseClaims();
    const kwCell c = neighbourCell(piece->column, piece->row, direction);
    piece->setCell(c.column, c.row);
    piece->setOffset(0, 0);
    toIdle();
    piece->claim(kwDirection::Here);
}

void kwPieceScript::arriveStep() {
    int32_t& off = (direction == kwDirection::Up || direction == kwDirection::Down)
                       ? piece->offsetY
                       : piece->offsetX;
    const bool forward = direction == kwDirection::Up || direction == kwDirection::Right;
    if (forward && off < 0) {
        off += kStepPixels;
        return;
    }
    if (!forward && off > 0) {
        off -= kStepPixels;
        return;
    }
    piece->setOffset(0, 0);
    toIdle();
}

void kwPieceScript::lookStep() {
    if (!piece->isAnimationPlaying(lookAnimation(direction))) toIdle();
}

bool kwPieceScript::flyStep() {
    if (!piece->isBrushedOff()) return false;
    piece->addOffset(piece->flyDx, piece->flyDy);
    if (std::abs(piece->offsetX) > kFlyGoneX && std::abs(piece->offsetY) > kFlyGoneY)
        state = Finished;
    return true;
}

bool kwPieceScript::leaveAtLevelEnd() {
    if (gameState.playPhase != PhaseLevelComplete) return false;
    const bool leaves = random(kLeaveRollRange) < kLeaveRollBelow ||
                        gameTime() - gameState.levelCompleteTime > kLeaveAfterMs;
    if (!leaves) return true;
    if (scoresOnLeaving()) {
        piece->updatePosition();
        if (boardHost) {
            boardHost->addSparkle(piece->x, piece->y);
            boardHost->levelPoints += kLeavingPoints;
        }
        const int32_t p = gameState.currentPlayer;
        if (p >= 0 && p < kMaxPlayers) gameState.score[size_t(p)] += kLeavingPoints;
    }
    state = Finished;
    return true;
}

void kwPieceScript::start() {
    setSpeed();
    toIdle();
}

void kwPieceScript::run() {
    if (!piece) {
        state = Finished;
        return;
    }
    if (state == Finished) return;  // finished from outside (a new turn): the scene deletes it
    if (leaveAtLevelEnd()) return;
    if (gameState.playPhase == PhaseTimeOut) piece->setLife(-1.0f);
    if (piece->carried) return;
    // A piece being eaten is already leaving: it does not start dying too.
    if (piece->life <= 0.0f && state != Dying && state != Moving && state != Eaten) {
        state = Dying;
        piece->playAnimation(dyingAnimation());
        stateTime = gameTime();
        return;
    }
    if (canFreeze() && piece->frozen && state != Dying) {
        if (state == Eaten && elapsedSince(stateTime, kEatenMs)) state = Finished;
        return;
    }
    if (fliesAway() && flyStep() && state != Dying) return;
    runState();
}

void kwPieceScript::runState() {
    switch (state) {
        case New:
            start();
            break;
        case Idle:
            if (!piece->isBlinkingIn()) idle();
            break;
        case AmbientB:
            if (!piece->isAnimationPlaying(AnimAmbientB)) toIdle();
            break;
        case AmbientC:
            ambientCStep();
            break;
        case AmbientD:
            ambientDStep();
            break;
        case Acting:
            act();
            break;
        case Looking:
            lookStep();
            break;
        case Moving:
            moveStep();
            break;
        case Arriving:
            arriveStep();
            break;
        case Dying:
            piece->setLife(-1.0f);
            if (elapsedSince(stateTime, kDyingMs)) state = Finished;
            break;
        case Eaten:
            if (elapsedSince(stateTime, kEatenMs)) state = Finished;
            break;
        default:
            break;
    }
}

void kwPieceScript::replayOrIdle(int32_t animation, uint32_t range, uint32_t replayBelow) {
    if (piece->isAnimationPlaying(animation)) return;
    if (replayBelow > 0 && random(range) < replayBelow)
        piece->playAnimation(animation);
    else
        toIdle();
}

void kwPieceScript::ambientCStep() {
    replayOrIdle(AnimAmbientC, 1, 0);
}

void kwPieceScript::ambientDStep() {
    replayOrIdle(AnimAmbientD, 1, 0);
}
