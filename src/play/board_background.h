// The board's checkerboard: 16 x 11 squares of 48 pixels in two colours that
// change with the level, painted once per turn into a picture of its own and
// copied line by line into the frame, behind everything else.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "render/drawable.h"

// The two colours of a level's checkerboard; the first fills the top-left
// square.
struct kwBoardColours {
    int r1, g1, b1;
    int r2, g2, b2;
};
// Purple for levels 1..8, green from the last level (`levelCount`) on, blue
// in between.
kwBoardColours boardColoursForLevel(int32_t level, int32_t levelCount);

class kwBoardBackground : public kwDrawable {
public:
    static constexpr int kColumns = 16, kRows = 11, kSquare = 48;
    static constexpr int kWidth = kColumns * kSquare;  // 768
    static constexpr int kHeight = kRows * kSquare;    // 528
    static constexpr int kLeft = 16, kTop = 60;        // screen pixels
    static constexpr float kDepth = 10000.0f;

    kwBoardBackground();
    void setBoardColours(int r1, int g1, int b1, int r2, int g2, int b2);
    void setBoardColours(const kwBoardColours& c) {
        setBoardColours(c.r1, c.g1, c.b1, c.r2, c.g2, c.b2);
    }
    void draw() override;

    uint16_t pixel(int x, int y) const { return picture[std::size_t(y) * kWidth + std::size_t(x)]; }

private:
    std::array<uint16_t, std::size_t(kWidth) * kHeight> picture{};
};
