#include "play/play_scene.h"

#include "input/cursor.h"
#include "input/mouse.h"
#include "shell/flags.h"
#include "shell/scene_manager.h"
#include "shell/scenes.h"

namespace {
constexpr float kFrameDepth = 50.0f;
// The board colours of levels 1..8.
constexpr int kBoardFirst[3] = {127, 52, 142};
constexpr int kBoardSecond[3] = {226, 93, 253};
}  // namespace

kwPlayScene::kwPlayScene() = default;
kwPlayScene::~kwPlayScene() { clear(); }

void kwPlayScene::enter() {
    reset();
    if (cursorSlot.drawable) cursorSlot.drawable->visible = true;
    archive->add_lfl("play.lfl");
    frame = std::make_unique<kwEyeTransparency>();
    if (attachImageAndAdd(frame.get(), "interface_border_01.eye"))
        frame->depth = kFrameDepth;
    else
        frame.reset();
    board = std::make_unique<kwBoardBackground>();
    board->setBoardColours(kBoardFirst[0], kBoardFirst[1], kBoardFirst[2], kBoardSecond[0],
                           kBoardSecond[1], kBoardSecond[2]);
    addDrawable(board.get());
    addScript(new kwPlayInputScript());
}

void kwPlayScene::leave() {
    frame.reset();
    board.reset();
    clear();
}

void kwPlayInputScript::run() {
    interval = 0;
    if (appFlags.escapePressed) {
        appFlags.escapePressed = false;
        sceneManager->requestScene(scenes.menu);
    }
    if (mouse->isClicked(0)) mouse->clearClicked(0);
    if (mouse->isClicked(1)) mouse->clearClicked(1);
}
