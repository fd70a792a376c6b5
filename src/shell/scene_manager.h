// The scene manager: holds the current scene and switches between scenes.
// A switch asked for now or after a delay always happens at the start of the
// next tick, never in the middle of a frame. It does not own the scenes.
#pragma once

#include <cstdint>

#include "render/scene.h"

class kwSceneManager {
public:
    // Installs the scene hook that tells a script pass to stop on a switch.
    kwSceneManager();
    ~kwSceneManager();  // does not leave the current scene
    kwSceneManager(const kwSceneManager&) = delete;
    kwSceneManager& operator=(const kwSceneManager&) = delete;

    // Ignored while a delayed request waits; a second call replaces the first.
    void requestScene(kwScene* scene);
    // Ignored while any request is pending or waiting.
    void requestSceneAfter(kwScene* scene, uint32_t delayMs);
    // Once per frame: a due switch, then the current scene's scripts and drawing.
    void tick();

    kwScene* pending = nullptr;
    kwScene* current = nullptr;
    uint32_t timedStart = 0;
    uint32_t timedDelay = 0;
    kwScene* timedScene = nullptr;

private:
    void switchScene();
};

// The one manager, created last at start-up.
extern kwSceneManager* sceneManager;
