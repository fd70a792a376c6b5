// Text tests draw into the headless screen (or a guarded buffer) and read
// the letters back: pixels, boxes of ink, and where a rasterised string's
// ink lies relative to its pen start and cell top.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <vector>

#include "platform/headless/headless.h"
#include "render/render_target.h"
#include "render/screen.h"
#include "shell/clock.h"

namespace textframe {

inline uint32_t g_now = 0;

inline void openScreen() {
    headlessReset();
    headlessPlatform().openWindow({});
    ASSERT_TRUE(createRenderScreen(800, 600, 16));
    resetClock();
    setTickSource([] { return g_now; });
}

// Locks the screen, points the target at it and clears it to black.
inline void beginFrame() {
    ASSERT_NE(screen->Lock(), nullptr);
    targetScreen();
    for (int y = 0; y < renderTarget.height; ++y)
        std::memset(renderTarget.pixels + y * renderTarget.pitch, 0,
                    size_t(renderTarget.width) * 2);
}

inline uint16_t pixelAt(int x, int y) {
    uint16_t v;
    std::memcpy(&v, renderTarget.pixels + y * renderTarget.pitch + x * 2, sizeof v);
    return v;
}

inline std::vector<uint16_t> snapshot() {
    std::vector<uint16_t> out;
    for (int y = 0; y < renderTarget.height; ++y)
        for (int x = 0; x < renderTarget.width; ++x) out.push_back(pixelAt(x, y));
    return out;
}

struct Box {  // inclusive bounds
    int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
    void add(int x, int y) {
        left = std::min(left, x), right = std::max(right, x);
        top = std::min(top, y), bottom = std::max(bottom, y);
    }
    Box moved(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
    bool operator==(const Box&) const = default;
};

inline std::ostream& operator<<(std::ostream& os, const Box& b) {
    return os << b.left << ".." << b.right << " x " << b.top << ".." << b.bottom;
}

// The box of the pixels equal to `value`, or (by default) not black.
inline Box frameInk(int value = -1) {
    Box b;
    for (int y = 0; y < renderTarget.height; ++y)
        for (int x = 0; x < renderTarget.width; ++x)
            if (value < 0 ? pixelAt(x, y) != 0 : pixelAt(x, y) == value) b.add(x, y);
    return b;
}

inline Box coverageInk(const kwTextCoverage& c) {
    Box b;
    for (int y = 0; y < c.height; ++y)
        for (int x = 0; x < c.width; ++x)
            if (c.pixels[y * c.pitch + x]) b.add(x - c.originX, y - (c.baseline - c.ascent));
    return b;
}

// A caller-owned target with a canary margin all round: proof that nothing
// is written outside the target.
struct GuardedTarget {
    static constexpr int kMargin = 64;
    int width, height, pitch;
    std::vector<uint8_t> bytes;

    GuardedTarget(int w, int h)
        : width(w),
          height(h),
          pitch((w + 2 * kMargin) * 2),
          bytes(size_t(pitch) * size_t(h + 2 * kMargin), 0xA5) {
        renderTarget = {bytes.data() + kMargin * pitch + kMargin * 2, pitch, w, h};
        for (int y = 0; y < h; ++y) std::memset(renderTarget.pixels + y * pitch, 0, size_t(w) * 2);
    }
    int spoiled() const {
        int n = 0;
        for (int y = 0; y < height + 2 * kMargin; ++y)
            for (int x = 0; x < pitch; ++x) {
                const bool inside = y >= kMargin && y < kMargin + height && x >= kMargin * 2 &&
                                    x < (kMargin + width) * 2;
                n += !inside && bytes[size_t(y) * pitch + x] != 0xA5;
            }
        return n;
    }
};

}  // namespace textframe
