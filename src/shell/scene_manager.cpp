// Scene switching. Every switch drops pending clicks and keys and re-centres
// the pointer, so the click that caused a switch cannot act on the new scene.
#include "shell/scene_manager.h"

#include "input/keyboard.h"
#include "input/mouse.h"
#include "shell/clock.h"

kwSceneManager* sceneManager = nullptr;

namespace {

// The manager whose pending switch stops a script pass (the newest one).
kwSceneManager* g_hooked = nullptr;

bool switchPendingHook() {
    return g_hooked && g_hooked->pending;
}

}  // namespace

kwSceneManager::kwSceneManager() {
    g_hooked = this;
    sceneHooks.switchPending = switchPendingHook;
}

kwSceneManager::~kwSceneManager() {
    if (g_hooked != this) return;
    g_hooked = nullptr;
    sceneHooks.switchPending = nullptr;
}

void kwSceneManager::requestScene(kwScene* scene) {
    if (timedScene) return;
    pending = scene;
}

void kwSceneManager::requestSceneAfter(kwScene* scene, uint32_t delayMs) {
    if (pending || timedScene) return;
    timedScene = scene;
    timedDelay = delayMs;
    timedStart = gameTime();
}

void kwSceneManager::switchScene() {
    if (mouse) mouse->reset();
    if (keyboard) keyboard->reset();
    if (current) {
        current->leave();
        current->kwScene::clear();
        current = nullptr;
        timedScene = nullptr;
    }
    current = pending;
    current->kwScene::reset();
    current->enter();
    pending = nullptr;
}

void kwSceneManager::tick() {
    if (timedScene && gameTime() - timedStart >= timedDelay) {
        pending = timedScene;
        timedScene = nullptr;
    }
    if (pending) switchScene();
    if (!current) return;
    pollInput();
    current->runScripts();
    current->draw();
}
