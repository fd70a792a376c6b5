// Start-up, the frame loop and shutdown, in the game's fixed order. The
// real program and the headless runner both go through here; only the
// platform backend differs.
#include "shell/app.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "assets/linked_file.h"
#include "audio/sound.h"
#include "audio/sound_list.h"
#include "audio/sound_volume.h"
#include "input/cursor.h"
#include "input/keyboard.h"
#include "input/mouse.h"
#include "menu/menu_scene.h"
#include "play/play_scene.h"
#include "render/glyph_text.h"
#include "render/screen.h"
#include "shell/app_paths.h"
#include "shell/clock.h"
#include "shell/flags.h"
#include "shell/game_state.h"
#include "shell/log.h"
#include "shell/processor_test.h"
#include "shell/random.h"
#include "shell/scene_manager.h"
#include "shell/scenes.h"

namespace {
constexpr int kHotSpot = 15;
constexpr const char* kLogName = "gobble.log";

bool g_quitPosted = false;
bool g_destroyPosted = false;
uint32_t g_frames = 0;

void resetProgramState() {
    appFlags = kwAppFlags{};
    resetClock();
    g_quitPosted = false;
    g_destroyPosted = false;
    g_frames = 0;
}

// The log lives beside the settings record, made afresh in that folder and
// never through a link; where the folder is refused or cannot be written,
// the lines go to standard error instead of nowhere.
bool openLog(const kwAppOptions& o) {
    if (!o.logPath.empty()) return logOpen(o.logPath.c_str());
    const int folder = openSettingsFolder(true);
    const bool opened = folder >= 0 && logOpenAt(folder, kLogName);
    if (folder >= 0) close(folder);
    return opened || logOpen("-");
}

bool initInstance(const kwAppOptions& o) {
    if (!platform().openWindow(o.window)) return false;
    debugLog("Init Instance... ok\r\n\r\n");
    return true;
}

void initGlobalGraphics() {
    cursor = new kwCursor();
    cursor->load();
    setCursor(cursor, kHotSpot, kHotSpot);
    debugLog("Read global lfl\r\n");
    debugLog("InitGlobalGraphics complete\r\n");
}
}  // namespace

bool startGame(const kwAppOptions& o) {
    resetProgramState();
    setPlatform(o.backend);
    setTickSource(platform().ticks);
    if (!o.settingsDir.empty()) setSettingsFolder(o.settingsDir);
    openLog(o);
    debugLog("*** Application begins ***\r\n\r\n");
    setDataFolder(resolveDataFolder(o.dataDir));

    if (!initInstance(o)) return false;
    if (!createRenderScreen(kScreenWidth, kScreenHeight, 16)) return false;
    debugLog("Init Video Screen... ok\r\n\r\n");
    if (!initInput()) return false;
    debugLog("Input initialized ok\r\n");
    // Without sound the game runs silent; start-up carries on either way.
    setVolumeSettings({&gameState.soundVolume, &gameState.musicVolume});
    initSound();
    runProcessorTest();
    initGlobalGraphics();

    scenes.menu = new kwMenuScene();
    scenes.play = new kwPlayScene();
    if (o.haveSeed)
        seedRandomWith(o.seed);
    else
        seedRandom();
    initGameState();

    sceneManager = new kwSceneManager();
    sceneManager->requestScene(scenes.menu);
    return true;
}

void runFrame() {
    if (appFlags.quitRequested) {
        appFlags.quitRequested = false;
        g_destroyPosted = true;  // the window closes after this frame
    }
    updateSounds();
    sceneManager->tick();
    if (screen) screen->Flip();
    ++g_frames;
}

void handleEvent(const kwEvent& e) {
    switch (e.type) {
        case kwEventType::Quit: g_destroyPosted = true; break;
        case kwEventType::FocusGained: appFlags.active = true; break;
        case kwEventType::FocusLost: appFlags.active = false; break;
        case kwEventType::KeyDown:
            if (e.key == kwKey::Escape) appFlags.escapePressed = true;
            if (!keyboard) break;
            if (e.key == kwKey::Left) keyboard->onLeft();
            if (e.key == kwKey::Right) keyboard->onRight();
            if (e.key == kwKey::Delete) keyboard->onDelete();
            break;
        case kwEventType::Char:
            if (keyboard) keyboard->onChar(e.code);
            break;
        case kwEventType::None: break;
    }
    // The destroyed window posts the quit message, seen at the next message pass.
    if (g_destroyPosted) g_quitPosted = true;
}

bool quitPosted() { return g_quitPosted || g_destroyPosted; }
uint32_t framesRun() { return g_frames; }

int runMainLoop(void (*afterFrame)()) {
    bool wasActive = true;
    kwEvent e;
    while (!quitPosted()) {
        if (platform().pollEvent(&e)) {
            handleEvent(e);
            continue;
        }
        if (appFlags.active) {
            if (!wasActive) {
                wasActive = true;
                if (screen) screen->restoreAllSurfaces();
            }
            runFrame();
            if (afterFrame) afterFrame();
        } else {
            // Without the focus no frame runs; wait instead of spinning a core.
            wasActive = false;
            if (platform().waitEvent(&e)) handleEvent(e);
        }
    }
    shutdownGame();
    return 0;
}

void shutdownGame() {
    saveSettingsRecord();
    deleteGlyphTable();
    shutdownGameState();
    stopAll();
    if (cursor) {
        if (cursorSlot.drawable == cursor) setCursor(nullptr, 0, 0);
        cursor->unload();
        delete cursor;
        cursor = nullptr;
    }
    delete scenes.menu;
    delete scenes.play;
    scenes = kwScenes{};
    delete sceneManager;
    sceneManager = nullptr;
    destroyRenderScreen();
    deleteSoundList();
    shutdownSound();
    shutdownInput();
    platform().closeWindow();
    debugLog("Exiting Application\r\n\r\n");
    logClose();
}
