// Start-up, the frame, the window-event handling and shutdown of the game,
// shared by the real program and the headless runner.
#pragma once

#include <cstdint>
#include <string>

#include "platform/platform.h"

struct kwAppOptions {
    const kwPlatform* backend = nullptr;  // nullptr: headless
    kwPlatformConfig window;
    std::string dataDir;      // empty: data/ here, else beside the executable
    std::string settingsDir;  // empty: the per-user state folder
    std::string logPath;      // empty: gobble.log in the state folder; "-": stderr
    bool haveSeed = false;
    uint32_t seed = 0;
};

// Brings the game up in its fixed order. False when the window, the display
// or input could not be had (the program then ends at once).
bool startGame(const kwAppOptions& options);
// One frame: honour a quit request, update sounds, tick the scene manager,
// present.
void runFrame();
// The window procedure: turns one platform event into flags and key state.
void handleEvent(const kwEvent& event);
// True once the window has been asked to close (the quit message is due).
bool quitPosted();
// Takes the game down in its fixed order; writes the settings record first.
void shutdownGame();

// The real program's loop: runs frames while focused, waits for events while
// not. `afterFrame`, when given, runs after every frame. Returns the exit code.
int runMainLoop(void (*afterFrame)() = nullptr);

// Frames run since start-up.
uint32_t framesRun();
