#include "menu/stripe_background.h"

#include <algorithm>
#include <cstring>

#include "assets/pixel_format.h"
#include "render/render_target.h"
#include "shell/clock.h"

namespace {
uint16_t toDisplay(uint32_t r, uint32_t g, uint32_t b) {
    const kwPixelFormat& f = pixelFormat;
    return static_cast<uint16_t>(((r & f.red.mask8) << f.sR) | ((g & f.green.mask8) << f.sG) |
                                 ((b & f.blue.mask8) >> f.sB));
}
}  // namespace

kwStripeBackground::kwStripeBackground() : lastShift(gameTime()) {
    depth = kDepth;
    const uint16_t white = toDisplay(255, 255, 255);
    const uint16_t cream = toDisplay(255, 255, 163);
    for (int i = 0; i < kLineWidth; ++i)
        line[static_cast<std::size_t>(i)] = (i / kStripeWidth) % 2 == 0 ? white : cream;
}

void kwStripeBackground::shiftIfDue() {
    uint32_t now = gameTime();
    if (now - lastShift < kShiftIntervalMs) return;
    lastShift = now;
    std::rotate(line.rbegin(), line.rbegin() + 1, line.rend());
}

void kwStripeBackground::draw() {
    shiftIfDue();
    const kwRenderTarget& t = renderTarget;
    if (!t.pixels) return;
    // The line is 16-bit; other depths have nothing to copy it into.
    if (pixelFormat.bpp != 16) return;
    std::size_t bytes = static_cast<size_t>(std::min(t.width, kLineWidth)) * sizeof(uint16_t);
    for (int row = 0; row < t.height; ++row)
        std::memcpy(t.pixels + static_cast<std::ptrdiff_t>(row) * t.pitch, line.data(), bytes);
}
