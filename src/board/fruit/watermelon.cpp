#include "board/fruit/watermelon.h"

#include "board/board_host.h"
#include "board/piece_list.h"
#include "shell/clock.h"
#include "shell/game_state.h"

kwWatermelon::kwWatermelon(kwPieceArt* pieceArt) : kwFruit(pieceArt, kwPieceType::Watermelon) {
    life = baseLife();
}

bool kwWatermelon::canEat(kwPieceType) const {
    return false;
}

void kwWatermelonScript::start() {
    kwLateFruitScript::start();
    startedAt = gameTime();
}

void kwWatermelonScript::idle() {
    if (breedRule()) return;
    if (gameTime() - startedAt > kGrowDelayMs &&
        !hasNeighbourOfType(*piece, kwPieceType::Watermelon))
        piece->addLife(piece->baseLife() * kGrowthShare);
    if (lookAround()) return;
    idleAnimation();
}

bool kwWatermelonScript::breedRule() {
    const int32_t p = gameState.currentPlayer;
    if (p >= 0 && p < kMaxPlayers && pieceList) {
        const int32_t cap = (kCapSkillBase - gameState.activeSkill[size_t(p)]) * kCapPerSkillStep;
        if (gameState.level[size_t(p)] >= kCapFromLevel &&
            pieceList->countOfType(kwPieceType::Watermelon) > cap)
            return false;
    }
    return breed();
}
