// The in-memory backend: a frame buffer the caller reads, a clock the
// caller advances, and input the caller injects. No audio.
#pragma once

#include <cstdint>

#include "platform/platform.h"

const kwPlatform& headlessPlatform();

// Restores the initial state: time 0, mouse at the centre, no buttons,
// no queued events, focused.
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
void headlessFocus(bool focused);

// The last presented frame (and its pixel layout), for screenshots and tests.
const uint16_t* headlessPresentedFrame();
kwPixelLayout headlessLayout();
int headlessPresentCount();
// Make the next lock fail (for tests of the failed-lock path).
void headlessFailNextLock();
