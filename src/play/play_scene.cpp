#include "play/play_scene.h"

#include "audio/sound.h"
#include "audio/sound_list.h"
#include "board/hand.h"
#include "board/piece_list.h"
#include "input/cursor.h"
#include "input/mouse.h"
#include "shell/flags.h"
#include "shell/game_state.h"
#include "shell/scene_manager.h"
#include "shell/scenes.h"

namespace {
constexpr float kFrameDepth = 50.0f;
// The board colours of levels 1..8.
constexpr int kBoardFirst[3] = {127, 52, 142};
constexpr int kBoardSecond[3] = {226, 93, 253};

constexpr const char* kSoundArchive = "play_noi.lfl";
// In this order: the indices below name them.
constexpr const char* kSoundNames[kwPlayScene::kSoundCount] = {
    "bell_01.noi", "eat_good.noi",     "eat_bad.noi", "harp_01.noi",
    "cross.noi",   "reproduce_01.noi", "horn_01.noi", "ohyeah.noi"};
constexpr int kEatGood = 1;
constexpr int kEatBad = 2;
constexpr int kReproduce = 5;

// The free-play board: a few of each fruit of the cycle.
constexpr int kFreePlayEach = 6;
constexpr kwPieceType kFreePlayTypes[] = {kwPieceType::Apple, kwPieceType::Orange,
                                          kwPieceType::Lemon};
}  // namespace

kwPlayScene::kwPlayScene() = default;

kwPlayScene::~kwPlayScene() {
    clear();
    closeBoard();
    unloadSounds();
}

void kwPlayScene::enter() {
    reset();
    if (cursorSlot.drawable) cursorSlot.drawable->visible = true;
    archive->add_lfl("play.lfl");
    archive->add_lfl("frozen.lfl");
    frozen = std::make_unique<kwLayeredSprite>("b_frozen_01.eye", "a_frozen_01.eye",
                                               "a_frozen_m_01.msk", archive.get());
    frozenOverlay = frozen.get();
    frame = std::make_unique<kwEyeTransparency>();
    if (attachImageAndAdd(frame.get(), "interface_border_01.eye"))
        frame->depth = kFrameDepth;
    else
        frame.reset();
    openBoard(this);
    board = std::make_unique<kwBoardBackground>();
    board->setBoardColours(kBoardFirst[0], kBoardFirst[1], kBoardFirst[2], kBoardSecond[0],
                           kBoardSecond[1], kBoardSecond[2]);
    addDrawable(board.get());
    addScript(new kwPlayInputScript());
    addDrawable(pieceList);
    loadPieceArt();
    loadSounds();
    installHand();
    startFreePlay();
}

void kwPlayScene::leave() {
    clear();  // the scripts go, and with them every piece (the hand's too)
    closeBoard();
    unloadPieceArt();
    unloadSounds();
    frozenOverlay = nullptr;
    frozen.reset();
    frame.reset();
    board.reset();
    gameState.playPhase = PhaseIdle;
    gameState.currentPlayer = -1;
}

void kwPlayScene::loadSounds() {
    soundArchive = std::make_unique<kwLinkedFileList>();
    soundArchive->add_lfl(kSoundArchive);
    for (int i = 0; i < kSoundCount; ++i) {
        sounds[size_t(i)] = std::make_unique<kwSound>(soundArchive->find(kSoundNames[i]));
        if (soundList) soundList->add(sounds[size_t(i)].get());
    }
    eatGood = sounds[kEatGood].get();
    eatBad = sounds[kEatBad].get();
    reproduce = sounds[kReproduce].get();
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

void kwPlayScene::startFreePlay() {
    for (int p = 0; p < kMaxPlayers; ++p) {
        gameState.activeSkill[size_t(p)] = gameState.playerSkill[size_t(p)];
        gameState.level[size_t(p)] = gameState.startLevel;
        gameState.score[size_t(p)] = 0;
        gameState.lives[size_t(p)] = kStartLives;
    }
    gameState.currentPlayer = 0;
    gameState.playPhase = PhasePlaying;
    levelPoints = 0;
    for (kwPieceType t : kFreePlayTypes)
        for (int i = 0; i < kFreePlayEach; ++i) spawnPiece(t, true);
}

void kwPlayInputScript::run() {
    interval = 0;
    if (pieceList) pieceList->ageAll();
    if (appFlags.escapePressed) {
        appFlags.escapePressed = false;
        sceneManager->requestScene(scenes.menu);
        return;
    }
    if (mouse->isClicked(0)) {
        const int32_t x = mouse->clickPosX(0), y = mouse->clickPosY(0);
        mouse->clearClicked(0);
        handClick(x, y);
    }
    if (mouse->isClicked(1)) mouse->clearClicked(1);
}
