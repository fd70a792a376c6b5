// Where the blitters write this frame: the locked work surface, or any
// caller-owned buffer (the lfl tool, tests, benchmarks).
#pragma once

#include <cstdint>

struct kwRenderTarget {
    uint8_t* pixels = nullptr;  // top-left pixel
    int pitch = 0;              // bytes per row
    int width = 0;
    int height = 0;
};
extern kwRenderTarget renderTarget;

// Points renderTarget at the locked screen (the slot Lock publishes).
void targetScreen();
// The slot itself: kwScreen::Lock writes it; tools may set it directly.
extern kwRenderTarget screenSlot;
