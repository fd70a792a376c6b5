// The play screen. For now it shows the play frame and goes back to
// the menu on Escape; the board, turns and status bar build on it.
#pragma once

#include <memory>

#include "play/board_background.h"
#include "render/eye.h"
#include "render/scene.h"

class kwPlayScene : public kwScene {
public:
    kwPlayScene();
    ~kwPlayScene() override;
    void enter() override;
    void leave() override;

private:
    std::unique_ptr<kwEyeTransparency> frame;
    std::unique_ptr<kwBoardBackground> board;
};

class kwPlayInputScript : public kwScript {
public:
    void run() override;
};
