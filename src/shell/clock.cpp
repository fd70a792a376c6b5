#include "shell/clock.h"

kwClockState clockState;

namespace {
uint32_t zeroTicks() { return 0; }
kwTickSource g_source = zeroTicks;
}  // namespace

void setTickSource(kwTickSource source) { g_source = source ? source : zeroTicks; }
uint32_t platformTicks() { return g_source(); }

uint32_t gameTime() {
    uint32_t now = clockState.paused ? clockState.pauseStart : g_source();
    return now - clockState.pauseOffset;
}

void pauseClock() {
    if (clockState.paused) return;
    clockState.paused = true;
    clockState.pauseStart = g_source();
}

void resumeClock() {
    if (!clockState.paused) return;
    clockState.paused = false;
    clockState.pauseOffset += g_source() - clockState.pauseStart;
}

void resetClock() { clockState = kwClockState{}; }
