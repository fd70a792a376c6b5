// The board's checkerboard: which colour each square takes, where the
// picture lands in the frame, and that a narrower or padded target is
// written row by row within its bounds.
#include "play/board_background.h"

#include <gtest/gtest.h>

#include <vector>

#include "assets/pixel_format.h"
#include "render/render_target.h"

namespace {

constexpr uint16_t kGuard = 0xA5A5;
constexpr uint16_t kPurple = 0x79B1;  // (127, 52, 142) in 5-6-5
constexpr uint16_t kPink = 0xE2FF;    // (226, 93, 253) in 5-6-5

struct Frame {
    int w, h, pitchPixels;
    std::vector<uint16_t> px;
    Frame(int width, int height, int padding)
        : w(width),
          h(height),
          pitchPixels(width + padding),
          px(size_t(pitchPixels) * height, kGuard) {
        renderTarget = kwRenderTarget{reinterpret_cast<uint8_t*>(px.data()), pitchPixels * 2, w, h};
    }
    uint16_t at(int x, int y) const { return px[size_t(y) * pitchPixels + x]; }
};

class BoardBackground : public testing::Test {
protected:
    void SetUp() override {
        pixelFormat = makePixelFormat(0xF800, 0x07E0, 0x001F);
        board.setBoardColours(127, 52, 142, 226, 93, 253);
    }
    kwBoardBackground board;
};

}  // namespace

TEST_F(BoardBackground, SquaresAlternateFromTheFirstColourTopLeft) {
    EXPECT_EQ(board.pixel(0, 0), kPurple);
    EXPECT_EQ(board.pixel(47, 47), kPurple);
    EXPECT_EQ(board.pixel(48, 0), kPink);
    EXPECT_EQ(board.pixel(0, 48), kPink);
    EXPECT_EQ(board.pixel(48, 48), kPurple);
    EXPECT_EQ(board.pixel(767, 527), kPink);  // square (10, 15): r + c odd
    EXPECT_EQ(board.pixel(720, 480), board.pixel(767, 527));
    EXPECT_EQ(board.depth, 10000.0f);
}

TEST_F(BoardBackground, DrawsAtTheBoardsPlaceUsingThePitch) {
    Frame f(800, 600, 24);
    board.draw();
    EXPECT_EQ(f.at(15, 60), kGuard);
    EXPECT_EQ(f.at(16, 59), kGuard);
    EXPECT_EQ(f.at(16, 60), kPurple);
    EXPECT_EQ(f.at(16 + 48, 60), kPink);
    EXPECT_EQ(f.at(783, 587), board.pixel(767, 527));
    EXPECT_EQ(f.at(784, 587), kGuard);
    EXPECT_EQ(f.at(783, 588), kGuard);
    for (int y = 0; y < f.h; ++y)  // the padding past each row stays untouched
        for (int x = f.w; x < f.pitchPixels; ++x)
            ASSERT_EQ(f.px[size_t(y) * f.pitchPixels + x], kGuard);
}

TEST_F(BoardBackground, SmallTargetsAreClippedNotOverrun) {
    Frame f(300, 100, 0);
    board.draw();
    EXPECT_EQ(f.at(16, 60), kPurple);
    EXPECT_EQ(f.at(299, 99), board.pixel(283, 39));
    Frame tiny(10, 10, 0);
    board.draw();  // entirely left of and above the board: nothing written
    for (uint16_t p : tiny.px) EXPECT_EQ(p, kGuard);
}
