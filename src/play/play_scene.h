// The play screen: the frame, the checkered board and the living board on
// it (grid, piece list, art sets, the factory, the sounds the pieces play).
// Until turns and levels exist it opens on a free-play board of fruit that
// the player can rearrange by hand; Escape goes back to the menu.
#pragma once

#include <array>
#include <memory>

#include "board/board_host.h"
#include "play/board_background.h"
#include "render/eye.h"
#include "render/layered_sprite.h"
#include "render/scene.h"

class kwSound;

class kwPlayScene : public kwScene, public kwBoardHost {
public:
    static constexpr int kSoundCount = 8;

    kwPlayScene();
    ~kwPlayScene() override;
    void enter() override;
    void leave() override;

private:
    void loadSounds();
    void unloadSounds();
    void startFreePlay();

    std::unique_ptr<kwEyeTransparency> frame;
    std::unique_ptr<kwBoardBackground> board;
    std::unique_ptr<kwLayeredSprite> frozen;
    std::array<std::unique_ptr<kwSound>, kSoundCount> sounds;
    std::unique_ptr<kwLinkedFileList> soundArchive;
};

class kwPlayInputScript : public kwScript {
public:
    void run() override;
};
