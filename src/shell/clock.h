// The game clock: platform milliseconds minus the time spent paused. Every
// timer in the game reads gameTime(), so the pause button freezes them all.
#pragma once

#include <cstdint>

struct kwClockState {
    bool paused = false;
    uint32_t pauseStart = 0;
    uint32_t pauseOffset = 0;
};
extern kwClockState clockState;

// The millisecond source (the platform's tick counter); set at start-up.
using kwTickSource = uint32_t (*)();
void setTickSource(kwTickSource source);
uint32_t platformTicks();

uint32_t gameTime();
void pauseClock();
void resumeClock();
void resetClock();  // back to running with no offset (start-up and tests)
