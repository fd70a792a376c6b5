#include "play/play_scene.h"

#include <algorithm>
#include <cstdio>

#include "audio/sound.h"
#include "audio/sound_list.h"
#include "audio/sound_volume.h"
#include "board/hand.h"
#include "board/piece.h"
#include "board/piece_list.h"
#include "board/piece_script.h"
#include "input/cursor.h"
#include "play/level_spawner.h"
#include "play/level_table.h"
#include "play/play_scripts.h"
#include "shell/clock.h"
#include "shell/game_state.h"
#include "shell/scene_manager.h"
#include "shell/scenes.h"

namespace {

constexpr float kFrameDepth = 50.0f;
constexpr float kExitDepth = 50.0f;
constexpr float kExitHoverDepth = 49.0f;
constexpr float kStatusDepth = 10.0f;
constexpr float kExitShift = -2.0f;  // the exit button sits 2 px left of its stored place
constexpr float kSoundScale = 1.0f;
constexpr int32_t kTurnLineCount = 2;  // from two players on, whose turn it is

constexpr const char* kSoundArchive = "play_noi.lfl";
// In kwPlaySound order.
constexpr const char* kSoundNames[kwPlayScene::kSoundCount] = {
    "bell_01.noi", "eat_good.noi",     "eat_bad.noi", "harp_01.noi",
    "cross.noi",   "reproduce_01.noi", "horn_01.noi", "ohyeah.noi"};

}  // namespace

kwPlayScene::kwPlayScene() = default;

kwPlayScene::~kwPlayScene() {
    clear();
    closeBoard();
    unloadSounds();
}

// ---- enter and leave ---------------------------------------------------------------

void kwPlayScene::enter() {
    reset();
    if (cursorSlot.drawable) cursorSlot.drawable->visible = true;
    archive->add_lfl("play.lfl");
    archive->add_lfl("frozen.lfl");
    frozen = std::make_unique<kwLayeredSprite>("b_frozen_01.eye", "a_frozen_01.eye",
                                               "a_frozen_m_01.msk", archive.get());
    frozenOverlay = frozen.get();
    addImage(frame, "interface_border_01.eye", kFrameDepth);
    if (addImage(exitButton, "x_01.eye", kExitDepth)) exitButton->x += kExitShift;
    if (addImage(exitHover, "x_02.eye", kExitHoverDepth)) {
        exitHover->x += kExitShift;
        exitHover->visible = false;
    }
    if (addImage(newHighScore, "new_high_score.eye", kStatusDepth)) newHighScore->visible = false;
    createStatusBar();
    openBoard(this);
    board = std::make_unique<kwBoardBackground>();
    board->setBoardColours(boardColoursForLevel(1, gameState.levelCount));
    addDrawable(board.get());
    alarmClock = std::make_unique<kwAlarmClock>();
    addDrawable(alarmClock.get());
    createScripts();
    addDrawable(pieceList);
    loadPieceArt();
    exitDialog = std::make_unique<kwExitDialog>();
    exitDialog->load(archive.get());
    alarmClock->setExitDialog(exitDialog.get());
    addDrawable(exitDialog.get());
    loadSounds();
    music.load();
    timeOutText = std::make_unique<kwTextBlock>();
    timeOutText->addTimeOutLines();
    timeOutText->visible = false;
    addDrawable(timeOutText.get());
    installHand();
    startGame();
}

void kwPlayScene::leave() {
    clear();  // the scripts go, and with them every piece (the hand's too)
    closeBoard();
    unloadPieceArt();
    unloadSounds();
    music.unload();
    frozenOverlay = nullptr;
    for (auto* p : {&frame, &exitButton, &exitHover, &newHighScore}) p->reset();
    introText.reset();
    timeOutText.reset();
    exitDialog.reset();
    alarmClock.reset();
    scoreDisplay.reset();
    levelDisplay.reset();
    minutesDisplay.reset();
    secondsDisplay.reset();
    starBar.reset();
    sparkles.reset();
    board.reset();
    frozen.reset();
    spawner = nullptr;
    input = nullptr;
    turnScripts.fill(nullptr);
    gameState.playPhase = PhaseIdle;
}

bool kwPlayScene::addImage(std::unique_ptr<kwEyeTransparency>& slot, const char* name,
                           float depth) {
    slot = std::make_unique<kwEyeTransparency>();
    if (!attachImageAndAdd(slot.get(), name)) {
        slot.reset();
        return false;
    }
    slot->depth = depth;
    return true;
}

void kwPlayScene::createStatusBar() {
    scoreDisplay = std::make_unique<kwScoreDisplay>();
    levelDisplay = std::make_unique<kwLevelDisplay>();
    minutesDisplay = std::make_unique<kwMinutesDisplay>();
    secondsDisplay = std::make_unique<kwSecondsDisplay>();
    for (kwNumberDisplay* d : {static_cast<kwNumberDisplay*>(scoreDisplay.get()),
                               static_cast<kwNumberDisplay*>(levelDisplay.get()),
                               static_cast<kwNumberDisplay*>(minutesDisplay.get()),
                               static_cast<kwNumberDisplay*>(secondsDisplay.get())}) {
        d->depth = kStatusDepth;
        addDrawable(d);
    }
    starBar = std::make_unique<kwStarBar>(archive.get(), this);
    addDrawable(starBar.get());
    sparkles = std::make_unique<kwSparklePool>();
    sparkles->load(archive.get());
    addDrawable(sparkles.get());
}

void kwPlayScene::createScripts() {
    input = new kwPlayInputScript(*this);
    addScript(input);
    spawner = new kwLevelSpawner();
    addScript(spawner);
    auto* ticker = new kwScoreTicker(*this);
    auto* clock = new kwLevelClock(*this);
    auto* intro = new kwIntroTextScript(*this);
    addScript(ticker);
    addScript(clock);
    addScript(intro);
    addScript(new kwHighScoreFlasher(*this, gameState.highScores.bestScore()));
    auto* complete = new kwLevelCompleteScript(*this);
    auto* timeOut = new kwTimeOutScript(*this);
    addScript(complete);
    addScript(timeOut);
    turnScripts = {ticker, clock, intro, complete, timeOut};
}

void kwPlayScene::loadSounds() {
    soundArchive = std::make_unique<kwLinkedFileList>();
    soundArchive->add_lfl(kSoundArchive);
    for (int i = 0; i < kSoundCount; ++i) {
        sounds[size_t(i)] = std::make_unique<kwSound>(soundArchive->find(kSoundNames[i]));
        if (soundList) soundList->add(sounds[size_t(i)].get());
    }
    eatGood = sounds[size_t(kwPlaySound::EatGood)].get();
    eatBad = sounds[size_t(kwPlaySound::EatBad)].get();
    reproduce = sounds[size_t(kwPlaySound::Reproduce)].get();
}

void kwPlayScene::unloadSounds() {
    eatGood = eatBad = reproduce = nullptr;
    for (auto& s : sounds) {
        if (s && soundList) soundList->remove(s.get());
        s.reset();
    }
    if (soundArchive) soundArchive->clear();
    soundArchive.reset();
}

void kwPlayScene::play(kwPlaySound s) {
    kwSound* sound = sounds[size_t(s)].get();
    if (sound) playSound(sound, kSoundScale, false);
}

void kwPlayScene::addSparkle(float x, float y) {
    if (sparkles) sparkles->addSparkle(x, y);
}

// ---- the game and its turns -------------------------------------------------------------

void kwPlayScene::startGame() {
    for (int p = 0; p < kMaxPlayers; ++p) {
        gameState.activeSkill[size_t(p)] = gameState.playerSkill[size_t(p)];
        gameState.level[size_t(p)] = gameState.startLevel;
        gameState.score[size_t(p)] = 0;
        gameState.lives[size_t(p)] = kStartLives;
    }
    gameState.currentPlayer = -1;
    scoresOffered = false;
    beginTurn();
}

void kwPlayScene::beginTurn() {
    music.shuffle();
    music.playNext();
    if (!nextPlayer()) {
        endGame();
        return;
    }
    levelPoints = 0;
    if (sparkles) sparkles->clearSparkles();
    gameState.playPhase = PhaseIntro;
    clearBoard();
    if (timeOutText) timeOutText->visible = false;
    const int32_t level = gameState.level[size_t(gameState.currentPlayer)];
    showIntro(level);
    if (board) board->setBoardColours(boardColoursForLevel(level, gameState.levelCount));
    applyLevel(level);
    if (alarmClock) alarmClock->resetWarnings();
    if (spawner) spawner->state = kwLevelSpawner::StateSetUp;
    for (kwTurnScript* s : turnScripts)
        if (s) s->restart();
}

// The turn before has normally emptied the board by now. A piece still on
// it (a sweet brushed off in mid-step flies on and never starts dying; at a
// slow frame rate a step can outlast the time-out's wait) goes now, claims
// and all: finishing later, it would release or take cells of the new
// turn's grid under the new turn's pieces.
void kwPlayScene::clearBoard() {
    if (pieceList)
        for (kwPiece* p : pieceList->slots) {
            if (!p) continue;
            p->releaseClaims();
            if (p->script) p->script->state = Finished;
        }
    if (pieceList) pieceList->clear();
    if (boardGrid) boardGrid->clear();
}

// The next player with a life, in turn order after the current one.
bool kwPlayScene::nextPlayer() {
    const int32_t count = std::clamp(gameState.playerCount, 1, kMaxPlayers);
    int32_t p = gameState.currentPlayer;
    for (int32_t tries = 0; tries < kMaxPlayers; ++tries) {
        p = (p + 1 + count) % count;
        if (gameState.lives[size_t(p)] != 0) {
            gameState.currentPlayer = p;
            return true;
        }
    }
    gameState.currentPlayer = -1;
    return false;
}

void kwPlayScene::endGame() {
    offerScoresOnce();
    for (int p = 0; p < kMaxPlayers; ++p) {
        gameState.score[size_t(p)] = 0;
        gameState.level[size_t(p)] = 1;
        gameState.lives[size_t(p)] = kStartLives;
    }
    gameState.playPhase = PhaseIdle;
    sceneManager->requestScene(scenes.menu);
}

void kwPlayScene::offerScoresOnce() {
    if (scoresOffered) return;
    scoresOffered = true;
    gameState.highScores.offerScores();
}

void kwPlayScene::showIntro(int32_t level) {
    removeIntro();
    introText = std::make_unique<kwTextBlock>();
    const kwLevelRow& row = levelRow(level);
    if (row.levelLine) introText->addLevelLine(level);
    introText->addLines(row.introLines.data(), int32_t(row.introLines.size()));
    addDrawable(introText.get());
    if (gameState.playerCount >= kTurnLineCount)
        introText->addTurnLine(gameState.playerName[size_t(gameState.currentPlayer)]);
}

void kwPlayScene::removeIntro() {
    if (!introText) return;
    removeDrawable(introText.get());
    introText.reset();
}

void kwPlayScene::applyLevel(int32_t level) {
    const int32_t skill = gameState.activeSkill[size_t(gameState.currentPlayer)];
    levelGoal = turnGoal(level, skill);
    gameState.timeLeft = turnTime(level, skill);
    placeSeeds(levelRow(level).turnSeeds);
}

void kwPlayScene::goToMenu() {
    resumeClock();
    sceneManager->requestSceneAfter(scenes.menu, kMenuDelayMs);
    offerScoresOnce();
    if (input) input->state = kScriptFinished;
    input = nullptr;
}
