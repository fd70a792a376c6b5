// A scene is one screen of the game: an asset archive, a flat list of
// drawables (not owned) and a list of scripts (owned). Each frame it runs
// its due scripts, then draws its visible drawables back to front (largest
// depth first) into the locked screen, and the cursor last of all.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "assets/linked_file.h"
#include "render/drawable.h"
#include "render/eye.h"

// What the scene needs from the layers above it (the scene manager and the
// mouse), installed by them at start-up. Unset hooks do nothing.
struct kwSceneHooks {
    bool (*switchPending)() = nullptr;  // the scene manager has a pending switch
    void (*resetMouse)() = nullptr;     // the mouse's reset()
    int32_t (*mouseX)() = nullptr;      // centre-origin mouse position
    int32_t (*mouseY)() = nullptr;
};
extern kwSceneHooks sceneHooks;

// The current cursor (installed by setCursor in input/): drawn last by every scene.
struct kwCursorSlot {
    kwDrawable* drawable = nullptr;
    int32_t hotX = 0, hotY = 0;
};
extern kwCursorSlot cursorSlot;

struct kwSortEntry {
    float depth = 0.0f;
    uint32_t index = 0;
};

class kwScene {
public:
    static constexpr uint32_t kMaxDrawables = 2048;
    static constexpr uint32_t kMaxScripts = 4096;
    static constexpr const char* kDefaultName = "Glorious Scene";

    kwScene();
    virtual ~kwScene();
    kwScene(const kwScene&) = delete;
    kwScene& operator=(const kwScene&) = delete;

    virtual void enter() { reset(); }
    virtual void leave() { clear(); }

    // Empties the lists, gives the scene a fresh empty archive, resets the mouse.
    void reset();
    // Empties the drawable list, deletes the scripts and the archive.
    void clear();

    bool addDrawable(kwDrawable* d);
    void removeDrawable(kwDrawable* d);
    // On success the scene owns `s`; a refused script stays the caller's.
    bool addScript(kwScript* s);

    bool attachImage(kwEye* d, const char* name);
    bool attachImageAndAdd(kwEye* d, const char* name);
    bool attachImageAndAdd(kwEye* d, const char* name, kwLinkedFileList* list);

    void runScripts();
    void draw();

    uint32_t sortCount = 0;
    std::array<kwSortEntry, kMaxDrawables> sortTable{};
    std::array<kwDrawable*, kMaxDrawables> drawables{};
    uint32_t drawableCount = 0;
    std::array<std::unique_ptr<kwScript>, kMaxScripts> scripts;
    uint32_t scriptCount = 0;
    kwLinkedFile* lastFile = nullptr;
    std::unique_ptr<kwLinkedFileList> archive;
    uint8_t flag = 0;
    const char* name = kDefaultName;

private:
    bool containsDrawable(const kwDrawable* d) const;
    bool containsScript(const kwScript* s) const;
    bool attachFrom(kwEye* d, const char* fileName, kwLinkedFileList* list);
    void deleteScripts();
    void removeScriptAt(uint32_t i);
    void collect();
    void sortByDepth();
    bool drawSorted();
    void drawCursor();
};
