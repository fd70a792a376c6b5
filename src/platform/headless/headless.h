// The in-memory backend: a frame buffer the caller reads, a clock the
// caller advances, and input the caller injects; audio is pulled as the
// clock moves (headless_audio.h). waitEvent never
// blocks: on an empty queue it returns false, since nothing else could fill it.
#pragma once

#include <cstdint>

#include "platform/platform.h"

const kwPlatform& headlessPlatform();

// Restores the initial state: time 0, mouse at the centre, no buttons,
// no queued events, focused, buttons not swapped, no pending lock failure,
// present count 0. The frame buffer (owned by the screen) is kept.
void headlessReset();
void headlessSetTime(uint32_t ms);
void headlessAdvance(uint32_t ms);
uint32_t headlessTime();

void headlessMoveMouse(int x, int y);
void headlessButton(int physicalButton, bool down);
void headlessSetSwapped(bool swapped);
void headlessPushEvent(const kwEvent& event);
void headlessKey(kwKey key);
void headlessChar(uint32_t code);
void headlessFocus(bool focused);  // pushes FocusGained / FocusLost
bool headlessFocused();            // the last focus change pushed

// The last presented frame (and its pixel layout), for screenshots and tests:
// width x height pixels with no row padding (the work buffer itself has a
// padded pitch, so code that assumes pitch == width * 2 shows up in tests).
// Null while no frame buffer exists.
const uint16_t* headlessPresentedFrame();
void headlessFrameSize(int* width, int* height);
kwPixelLayout headlessLayout();
int headlessPresentCount();
// Make the next lock fail (for tests of the failed-lock path).
void headlessFailNextLock();
// The last text given to showMessage ("caption: text"), empty if none.
const char* headlessLastMessage();
