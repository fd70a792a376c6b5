#include "play/board_background.h"

#include <algorithm>
#include <cstring>

#include "render/render_target.h"
#include "render/text.h"

namespace {
constexpr int32_t kFirstBlueLevel = 9;
constexpr kwBoardColours kPurple{127, 52, 142, 226, 93, 253};
constexpr kwBoardColours kBlue{122, 129, 246, 0, 53, 130};
constexpr kwBoardColours kGreen{122, 246, 129, 0, 130, 53};
}  // namespace

kwBoardColours boardColoursForLevel(int32_t level, int32_t levelCount) {
    if (level < kFirstBlueLevel) return kPurple;
    if (level >= levelCount) return kGreen;
    return kBlue;
}

kwBoardBackground::kwBoardBackground() {
    depth = kDepth;
}

void kwBoardBackground::setBoardColours(int r1, int g1, int b1, int r2, int g2, int b2) {
    const uint16_t first = packColorRef(makeColorRef(r1, g1, b1));
    const uint16_t second = packColorRef(makeColorRef(r2, g2, b2));
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            picture[size_t(y) * kWidth + size_t(x)] =
                (y / kSquare + x / kSquare) % 2 == 0 ? first : second;
}

// Whole lines into the target at the board's place. Rows are addressed by
// the target's pitch and clipped to its size (a target is not always an
// 800-pixel-wide screen).
void kwBoardBackground::draw() {
    const kwRenderTarget& t = renderTarget;
    if (!visible || !t.pixels || t.width <= kLeft || t.height <= kTop) return;
    const int columns = std::min(kWidth, t.width - kLeft);
    const int rows = std::min(kHeight, t.height - kTop);
    for (int y = 0; y < rows; ++y)
        std::memcpy(t.pixels + size_t(kTop + y) * size_t(t.pitch) + size_t(kLeft) * 2,
                    &picture[size_t(y) * kWidth], size_t(columns) * 2);
}
