// The real backend over SDL2: the game's window, its frame buffer shown
// through a streaming texture, the mouse and the few keys the game reads.
// This header is SDL-free; only the files of this folder include SDL.
#pragma once

#include "platform/platform.h"

const kwPlatform& sdlPlatform();

// Test support: feed the backend events as the system would deliver them,
// and read back what a test cannot see from the table. `keyName` is an SDL
// key name ("Escape", "Return", "Keypad Enter", "Left", "A").
void sdlTestKey(const char* keyName, bool alt, bool repeat);
void sdlTestText(const char* utf8);
void sdlTestMouseButton(int physicalButton, bool down);
void sdlTestMouseMove(int windowX, int windowY);
void sdlTestFocus(bool gained);
bool sdlIsFullscreen();
bool sdlHasVsync();
const char* sdlRendererName();  // "" before openWindow
