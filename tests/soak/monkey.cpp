#include "monkey.h"

#include "menu/menu_scene.h"
#include "platform/headless/headless.h"
#include "play/play_scene.h"
#include "shell/scene_manager.h"
#include "shell/scenes.h"

namespace {
constexpr uint32_t kBetweenScenesMs = 100;  // nothing to do while a screen changes
}

void kwMonkey::afterFrame(uint32_t /*frame*/) {
    const uint32_t now = headlessTime();
    observer.observe();
    kwScene* scene = sceneManager ? sceneManager->current : nullptr;
    if (scene != lastScene) {
        lastScene = scene;
        hand.run(now);  // drops what was planned for the old screen
        if (scene && scene == scenes.menu) menu.enter();
        if (scene && scene == scenes.play)
            play.enter(now, menu.target, menu.patient, menu.climbing || hand.oneIn(2));
    }
    hand.run(now);
    if (!hand.idle()) return;
    if (scene && scene == scenes.menu)
        menu.plan(*static_cast<kwMenuScene*>(scene));
    else if (scene && scene == scenes.play)
        play.plan(*static_cast<kwPlayScene*>(scene), now);
    else
        hand.wait(kBetweenScenesMs, kBetweenScenesMs);
}
