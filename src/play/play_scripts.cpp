#include "play/play_scripts.h"

#include <algorithm>

#include "board/hand.h"
#include "board/piece_list.h"
#include "input/mouse.h"
#include "play/play_scene.h"
#include "shell/clock.h"
#include "shell/flags.h"
#include "shell/game_state.h"

namespace {

bool introOrPlaying() {
    return gameState.playPhase == PhaseIntro || gameState.playPhase == PhasePlaying;
}

// The current player, or -1 between games.
int32_t player() {
    const int32_t p = gameState.currentPlayer;
    return p >= 0 && p < kMaxPlayers ? p : -1;
}

void addPoints(kwPlayScene& scene, int32_t p, int32_t points) {
    gameState.score[size_t(p)] += points;
    scene.levelPoints += points;
}

}  // namespace

// ---- input ---------------------------------------------------------------------

kwPlayInputScript::kwPlayInputScript(kwPlayScene& owner) : scene(owner) {
    interval = 0;
}

void kwPlayInputScript::run() {
    interval = 0;
    if (pieceList) pieceList->ageAll();
    if (introOrPlaying()) scene.music.keepAlive();
    if (appFlags.escapePressed) {
        appFlags.escapePressed = false;
        scene.goToMenu();
        return;
    }
    hover();
    if (mouse && mouse->isClicked(0)) {
        const int32_t x = mouse->clickPosX(0), y = mouse->clickPosY(0);
        mouse->clearClicked(0);
        click(x, y);
    }
    if (mouse && mouse->isClicked(1)) mouse->clearClicked(1);
}

void kwPlayInputScript::hover() {
    if (scene.exitDialog && scene.exitDialog->isOpen()) {
        scene.exitDialog->updateHover(mouseX(), mouseY());
        return;
    }
    if (!scene.exitButton || !scene.exitHover) return;
    const bool over = scene.exitButton->hitTest(mouseX(), mouseY(), true);
    scene.exitButton->visible = !over;
    scene.exitHover->visible = over;
}

void kwPlayInputScript::click(int32_t x, int32_t y) {
    if (scene.exitDialog && scene.exitDialog->isOpen()) {
        if (scene.exitDialog->handleClick(x, y) == kwExitChoice::Menu) scene.goToMenu();
        return;
    }
    if (scene.exitButton && scene.exitButton->hitTest(x, y, true)) {
        if (scene.exitDialog) scene.exitDialog->open();
        return;
    }
    if (!introOrPlaying()) return;
    if (scene.alarmClock && scene.alarmClock->handleClick(x, y)) return;
    if (gameState.playPhase == PhaseIntro) gameState.playPhase = PhasePlaying;
    handClick(x, y);
}

// ---- the turn's scripts ------------------------------------------------------------

kwTurnScript::kwTurnScript(kwPlayScene& owner, uint32_t every) : scene(owner) {
    interval = every;
}

void kwScoreTicker::run() {
    const int32_t p = player();
    if (!introOrPlaying() || p < 0) return;
    addPoints(scene, p, pieceList ? pieceList->scoringValue() : 0);
    if (scene.levelPoints < scene.levelGoal) return;
    gameState.playPhase = PhaseLevelComplete;
    handDrop();
    gameState.levelCompleteTime = gameTime();
    const int32_t level = gameState.level[size_t(p)];
    scene.play(level == gameState.levelCount ? kwPlaySound::OhYeah : kwPlaySound::Harp);
    gameState.highestLevel = std::max(gameState.highestLevel, level);
}

void kwLevelClock::run() {
    if (gameState.playPhase == PhasePlaying) {
        interval = kPlayEveryMs;
        countDown();
    } else if (gameState.playPhase == PhaseLevelComplete) {
        interval = kBonusEveryMs;
        payBonus();
    }
}

void kwLevelClock::countDown() {
    const uint32_t now = gameTime();
    if (state == 0) {
        startedAt = now;
        total = gameState.timeLeft;
        state = 1;
    }
    const int32_t seconds = int32_t((now - startedAt) / 1000);
    if (seconds < total) {
        gameState.timeLeft = total - seconds;
        return;
    }
    gameState.timeLeft = 0;
    gameState.playPhase = PhaseTimeOut;
    handDrop();
    scene.play(kwPlaySound::Horn);
    if (scene.timeOutText) scene.timeOutText->visible = true;
}

void kwLevelClock::payBonus() {
    const int32_t p = player();
    if (p < 0 || (pieceList && pieceList->count > 0) || gameState.timeLeft <= 0) return;
    const int32_t n = std::min(kBonusStepSeconds, gameState.timeLeft);
    gameState.timeLeft -= n;
    addPoints(scene, p, (gameState.playerSkill[size_t(p)] + 1) * n * kBonusPerSecond);
    scene.play(kwPlaySound::Bell);
}

void kwIntroTextScript::run() {
    if (!introOrPlaying() || !scene.introText || !scene.introText->visible) return;
    const uint32_t now = gameTime();
    if (state == 0) {
        startedAt = now;
        state = 1;
    }
    const uint32_t shown = now - startedAt;
    if (gameState.playPhase == PhaseIntro && shown >= kPlayAfterMs)
        gameState.playPhase = PhasePlaying;
    if (gameState.playPhase != PhasePlaying) return;
    if (shown >= kGoneAfterMs)
        scene.removeIntro();
    else
        scene.introText->explodeStep();
}

void kwLevelCompleteScript::run() {
    const int32_t p = player();
    if (gameState.playPhase != PhaseLevelComplete || p < 0) return;
    scene.music.stopCurrent();
    if (gameState.timeLeft != 0) return;
    const uint32_t now = gameTime();
    if (state == 0) {
        bonusDoneAt = now;
        state = 1;
    }
    if (now - bonusDoneAt < kAfterBonusMs) return;
    if (++gameState.level[size_t(p)] > gameState.levelCount) {
        gameState.level[size_t(p)] = 1;
        ++gameState.activeSkill[size_t(p)];
    }
    scene.beginTurn();
}

void kwTimeOutScript::run() {
    const int32_t p = player();
    if (gameState.playPhase != PhaseTimeOut || p < 0) return;
    scene.music.stopCurrent();
    const uint32_t now = gameTime();
    if (state == 0) {
        timedOutAt = now;
        state = 1;
    }
    if (now - timedOutAt < kWaitMs) return;
    // The scores are offered when the game ends (beginTurn finds nobody
    // left), whichever player lost the last life.
    if (gameState.lives[size_t(p)] > 0) --gameState.lives[size_t(p)];
    scene.beginTurn();
}

// ---- high score ----------------------------------------------------------------------

kwHighScoreFlasher::kwHighScoreFlasher(kwPlayScene& owner, int32_t best)
    : scene(owner), threshold(best) {
    interval = kEveryMs;
}

void kwHighScoreFlasher::run() {
    const uint32_t now = gameTime();
    if (flashing && scene.newHighScore) {
        const uint32_t e = now - flashStart;
        flashing = e < kFlashes * 2 * kHalfFlashMs;
        scene.newHighScore->visible = flashing && (e / kHalfFlashMs) % 2 == 0;
    }
    const int32_t p = player();
    if (gameState.playPhase != PhasePlaying || p < 0) return;
    const int32_t score = gameState.score[size_t(p)];
    if (score <= threshold || p == flagged) return;
    flagged = p;
    threshold = score;
    scene.play(kwPlaySound::Cross);
    flashing = true;
    flashStart = now;
    if (scene.newHighScore) scene.newHighScore->visible = true;
}
