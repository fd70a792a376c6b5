// The menu's moving background: one 800-pixel line of 50-pixel stripes,
// white and pale yellow, copied to every line of the screen and rotated one
// pixel to the right every 11 ms of game time.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "render/drawable.h"

class kwStripeBackground : public kwDrawable {
public:
    static constexpr int kLineWidth = 800;
    static constexpr int kStripeWidth = 50;
    static constexpr uint32_t kShiftIntervalMs = 11;
    static constexpr float kDepth = 1000.0f;

    kwStripeBackground();
    void draw() override;

    // Pixel i of the line, for tests.
    uint16_t pixel(int i) const { return line[static_cast<std::size_t>(i)]; }

private:
    void shiftIfDue();

    std::array<uint16_t, kLineWidth> line{};
    uint32_t lastShift = 0;
};
