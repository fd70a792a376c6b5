// The generated interface archives (font, cursor, clock, play, frozen) as
// the game sees them: every record it loads is there with its exact frame
// count, and, drawn with the game's own images at the game's fixed
// positions, the play screen composes: the frame leaves exactly the board
// open, the status bar's numbers, stars and clock stay in the bar without
// running into each other, the cursor's tip is the mouse point, and the
// pictures the game stacks at equal depths look the same in either order.
// Reads the archives the build generated into its data folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "artgen/art_frame.h"
#include "render/eye.h"

namespace {

using artframe::Box;
using artframe::drawOn;
using artframe::kH;
using artframe::kW;
using artframe::Screen;
using artframe::twoDigits;
constexpr int kBoardLeft = 16, kBoardTop = 60, kBoardRight = 784, kBoardBottom = 588;
constexpr float kClockX = -342, kClockY = 260;
constexpr float kNumberY = 282, kStarY = 255, kDigitStep = 23;
constexpr float kStarXs[28] = {-291, -268, -245, -221, -199, -176, -153, -129, -105, -83,
                               -60,  -37,  -13,  10,   33,   56,   79,   102,  126,  149,
                               172,  195,  218,  242,  265,  288,  311,  334};
constexpr int kCursorHot = 15;

// The pixels a drawable covers fully (the same result over black and
// white) and those it touches at all.
struct Coverage {
    std::vector<bool> opaque, touched;
    Box opaqueBox, touchedBox;
    bool isOpaque(int x, int y) const { return opaque[size_t(y) * kW + x]; }
};

Coverage coverage(kwDrawable& d) {
    Screen black, white;
    white.fill(0xFFFF);
    drawOn(black, d);
    drawOn(white, d);
    Coverage c;
    c.opaque.assign(size_t(kW) * kH, false);
    c.touched.assign(size_t(kW) * kH, false);
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) {
            const uint16_t b = black.at(x, y), w = white.at(x, y);
            const size_t i = size_t(y) * kW + x;
            if (b == w) c.opaque[i] = true, c.opaqueBox.add(x, y);
            if (b != 0 || w != 0xFFFF) c.touched[i] = true, c.touchedBox.add(x, y);
        }
    return c;
}

class UiArchives : public artframe::GeneratedArchives {
protected:
    std::unique_ptr<kwEyeTransparency> image(const std::string& arch, const std::string& name) {
        auto eye = std::make_unique<kwEyeTransparency>();
        kwLinkedFile* f = archive(arch).find(name.c_str());
        EXPECT_NE(f, nullptr) << arch << " has no " << name;
        if (f) eye->setLinkedFile(f);
        return eye;
    }
    std::unique_ptr<kwEyeTransparency> at(std::unique_ptr<kwEyeTransparency> eye, float x,
                                          float y) {
        eye->x = x, eye->y = y;
        return eye;
    }
    Coverage spriteAt(const std::string& arch, const std::string& anim, int frame, float x,
                      float y) {
        auto s = layeredSprite(arch, anim, frame);
        s->x = x, s->y = y;
        return coverage(*s);
    }
};

struct Animation {
    const char* archive;
    const char* name;
    int frames;
};

TEST_F(UiArchives, EveryAnimationHasExactlyItsFrames) {
    const Animation all[] = {
        {"font.lfl", "interface_number", 10},     {"font.lfl", "interface_letter", 26},
        {"font.lfl", "interface_punc", 14},       {"st_cursor.lfl", "arrow_cursor", 1},
        {"st_cursor.lfl", "clickable_cursor", 5}, {"clock.lfl", "alarm_clock", 1},
        {"clock.lfl", "pause_glow", 1},           {"clock.lfl", "paused", 1},
        {"clock.lfl", "alarm_clock_tick", 11},    {"clock.lfl", "alarm_clock_ringing", 12},
        {"play.lfl", "status_bar_star", 1},       {"frozen.lfl", "frozen", 1}};
    for (const Animation& a : all) {
        for (int i = 1; i <= a.frames; ++i) {
            auto s = layeredSprite(a.archive, a.name, i);
            EXPECT_TRUE(s->isComplete()) << a.name << " frame " << i;
            EXPECT_FALSE(coverage(*s).opaqueBox.empty()) << a.name << " frame " << i << " blank";
        }
        const std::string extra =
            "b_" + std::string(a.name) + "_" + twoDigits(a.frames + 1) + ".eye";
        EXPECT_EQ(archive(a.archive).find(extra.c_str()), nullptr) << extra;
    }
}

TEST_F(UiArchives, SingleImagesAreThereAndDrawable) {
    const std::pair<const char*, const char*> all[] = {{"play.lfl", "interface_border_01.eye"},
                                                       {"play.lfl", "x_01.eye"},
                                                       {"play.lfl", "x_02.eye"},
                                                       {"play.lfl", "new_high_score.eye"},
                                                       {"play.lfl", "bonus_01.eye"},
                                                       {"play.lfl", "exit_base.eye"},
                                                       {"play.lfl", "exit_menu.eye"},
                                                       {"play.lfl", "exit_exit.eye"},
                                                       {"play.lfl", "exit_continue.eye"},
                                                       {"clock.lfl", "alarm_clock_hotspot.eye"}};
    for (const auto& [arch, name] : all) {
        auto eye = image(arch, name);
        EXPECT_FALSE(coverage(*eye).opaqueBox.empty()) << name;
    }
    // The sparkle fades by constant opacity, so it must bind to that class too.
    kwEyeTransparencyConstantAlpha sparkle;
    sparkle.setLinkedFile(archive("play.lfl").find("bonus_01.eye"));
    sparkle.Opacity(128);
    EXPECT_FALSE(coverage(sparkle).touchedBox.empty());
}

TEST_F(UiArchives, FrameCoversEverythingButExactlyTheBoard) {
    auto frame = image("play.lfl", "interface_border_01.eye");
    EXPECT_EQ(frame->getWidth(), kW);
    EXPECT_EQ(frame->getHeight(), kH);
    const Coverage c = coverage(*frame);
    int wrong = 0;
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) {
            const bool board =
                x >= kBoardLeft && x < kBoardRight && y >= kBoardTop && y < kBoardBottom;
            const size_t i = size_t(y) * kW + x;
            if (board ? c.touched[i] : !c.opaque[i]) ++wrong;
        }
    EXPECT_EQ(wrong, 0);
}

// The frame and the resting exit button share depth 50, so either may be
// drawn last; the hover picture (depth 49) must visibly differ.
TEST_F(UiArchives, ExitButtonLooksTheSameWhicheverTiedPictureDrawsLast) {
    auto frame = image("play.lfl", "interface_border_01.eye");
    auto button = image("play.lfl", "x_01.eye");
    auto hover = image("play.lfl", "x_02.eye");
    button->x -= 2, hover->x -= 2;  // the game draws both 2 pixels left
    Screen frameLast, buttonLast, lit;
    drawOn(frameLast, *button);
    drawOn(frameLast, *frame);
    drawOn(buttonLast, *frame);
    drawOn(buttonLast, *button);
    EXPECT_EQ(frameLast.px, buttonLast.px);
    lit = buttonLast;
    drawOn(lit, *hover);
    EXPECT_NE(lit.px, buttonLast.px);

    const int cx = int(button->x), cy = int(button->y);
    EXPECT_TRUE(button->hitTest(cx, cy, true));
    const int half = button->getWidth() / 2;
    EXPECT_FALSE(button->hitTest(cx - half + 1, cy + half - 1, true)) << "corner is not the button";
    EXPECT_LE(button->getWidth(), 40);
}

TEST_F(UiArchives, StatusBarPiecesStayInTheBarAndApart) {
    Box digits, stars;
    int widestDigit = 0;
    for (int d = 1; d <= 10; ++d) {
        const Coverage c = spriteAt("font.lfl", "interface_number", d, 0, kNumberY);
        widestDigit = std::max(widestDigit, c.opaqueBox.right - c.opaqueBox.left + 1);
        for (float x : {-272.f, -240.f, -10.f, 128.f, 280.f, 303.f}) {
            const Coverage placed = spriteAt("font.lfl", "interface_number", d, x, kNumberY);
            digits.add(placed.opaqueBox.left, placed.opaqueBox.top);
            digits.add(placed.opaqueBox.right, placed.opaqueBox.bottom);
        }
    }
    EXPECT_LT(widestDigit, int(kDigitStep)) << "neighbouring digits would run together";
    for (float x : kStarXs) {
        const Coverage c = spriteAt("play.lfl", "status_bar_star", 1, x, kStarY);
        stars.add(c.opaqueBox.left, c.opaqueBox.top);
        stars.add(c.opaqueBox.right, c.opaqueBox.bottom);
        EXPECT_LT(c.opaqueBox.right - c.opaqueBox.left + 1, 22) << "stars are 22 apart at least";
    }
    EXPECT_LT(digits.bottom, stars.top) << "numbers and stars overlap";
    EXPECT_LT(stars.bottom, kBoardTop);
    EXPECT_GE(digits.top, 0);

    // The clock, in every look, stays left of the time and above the board.
    const Animation looks[] = {{"clock.lfl", "alarm_clock", 1},
                               {"clock.lfl", "pause_glow", 1},
                               {"clock.lfl", "paused", 1},
                               {"clock.lfl", "alarm_clock_tick", 11},
                               {"clock.lfl", "alarm_clock_ringing", 12}};
    for (const Animation& a : looks)
        for (int i = 1; i <= a.frames; ++i) {
            const Coverage c = spriteAt(a.archive, a.name, i, kClockX, kClockY);
            EXPECT_LT(c.opaqueBox.right, digits.left) << a.name << " " << i;
            EXPECT_LE(c.opaqueBox.bottom, kBoardTop + 3) << a.name << " " << i;
            EXPECT_GE(c.opaqueBox.left, 0) << a.name << " " << i;
        }
}

TEST_F(UiArchives, ClockPicturesStandAtTheClockAndTheHotSpotIsTheClock) {
    for (const char* anim :
         {"alarm_clock", "pause_glow", "paused", "alarm_clock_tick", "alarm_clock_ringing"}) {
        auto s = layeredSprite("clock.lfl", anim, 1);
        EXPECT_EQ(s->baseLayer->x, kClockX) << anim;
        EXPECT_EQ(s->baseLayer->y, kClockY) << anim;
    }
    auto hot = image("clock.lfl", "alarm_clock_hotspot.eye");
    EXPECT_EQ(hot->x, kClockX);
    EXPECT_EQ(hot->y, kClockY);
    EXPECT_TRUE(hot->hitTest(int(kClockX), int(kClockY), true));
    EXPECT_FALSE(hot->hitTest(-360, 216, true)) << "the board's corner cell is not the clock";
    EXPECT_FALSE(hot->hitTest(-272, 282, true)) << "the minutes are not the clock";
}

// With the hot spot (15, 15) the cursor picture's centre is 15 right of and
// 15 below the mouse; its tip must be the mouse point itself.
TEST_F(UiArchives, CursorTipIsTheMousePoint) {
    std::vector<std::unique_ptr<kwLayeredSprite>> all;
    all.push_back(layeredSprite("st_cursor.lfl", "arrow_cursor", 1));
    for (int i = 1; i <= 5; ++i)
        all.push_back(layeredSprite("st_cursor.lfl", "clickable_cursor", i));
    for (const int mx : {-100, 37}) {
        const int my = 20;
        for (auto& s : all) {
            s->x = float(mx + kCursorHot), s->y = float(my - kCursorHot);
            EXPECT_TRUE(s->hitTest(mx, my, true));
            EXPECT_FALSE(s->hitTest(mx - 3, my + 3, true)) << "ink above-left of the tip";
            EXPECT_TRUE(s->hitTest(mx + 3, my - 10, true)) << "the arrow runs down from the tip";
        }
    }
}

TEST_F(UiArchives, ExitDialogButtonsLieInsideTheSignAndApart) {
    auto base = image("play.lfl", "exit_base.eye");
    const Coverage sign = coverage(*base);
    EXPECT_GT(sign.opaqueBox.top, kBoardTop) << "the sign hides the status bar";
    std::vector<Box> buttons;
    for (const char* name : {"exit_menu.eye", "exit_exit.eye", "exit_continue.eye"}) {
        auto eye = image("play.lfl", name);
        const Box b = coverage(*eye).touchedBox;
        ASSERT_FALSE(b.empty()) << name;
        EXPECT_GE(b.left, sign.opaqueBox.left) << name;
        EXPECT_LE(b.right, sign.opaqueBox.right) << name;
        EXPECT_GE(b.top, sign.opaqueBox.top) << name;
        EXPECT_LE(b.bottom, sign.opaqueBox.bottom) << name;
        // Its own rectangle takes its clicks: the centre is inside it.
        EXPECT_TRUE(eye->hitTest(int(eye->x), int(eye->y), false)) << name;
        for (const Box& other : buttons)
            EXPECT_TRUE(b.bottom < other.top || other.bottom < b.top || b.right < other.left ||
                        other.right < b.left)
                << name << " overlaps another button";
        buttons.push_back(b);
    }
}

TEST_F(UiArchives, GlyphsShareABaselineAndTheColonIsCentred) {
    int baseline = -1;
    for (char c : std::string("ABDEFHIKLMNPRTUVWXYZ")) {
        const Coverage g = spriteAt("font.lfl", "interface_letter", c - 'A' + 1, 0, 0);
        if (baseline < 0) baseline = g.opaqueBox.bottom;
        EXPECT_NEAR(g.opaqueBox.bottom, baseline, 1) << c;
    }
    // The colon sits centred on its spot between the minutes and seconds.
    const Coverage colon = spriteAt("font.lfl", "interface_punc", 5, 0, 0);
    const double mid = (colon.opaqueBox.left + colon.opaqueBox.right) / 2.0 - kW / 2;
    EXPECT_NEAR(mid, 0, 1.5);
}

TEST_F(UiArchives, HighScoreBannerHangsBelowTheStatusBarOnScreen) {
    auto banner = image("play.lfl", "new_high_score.eye");
    const Box b = coverage(*banner).opaqueBox;
    ASSERT_FALSE(b.empty());
    EXPECT_GE(b.top, kBoardTop);
    EXPECT_GE(b.left, kBoardLeft);
    EXPECT_LT(b.right, kBoardRight);
}

}  // namespace
