// The SDL backend: its letterbox and pacing arithmetic, and a smoke run of
// the real backend under SDL's dummy video driver with the software
// renderer (skipped if this SDL build cannot do that).
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/sdl/frame_pacer.h"
#include "platform/sdl/letterbox.h"
#include "platform/sdl/sdl_platform.h"

namespace {

TEST(Letterbox, WideWindowGetsBarsLeftAndRight) {
    kwLetterbox box = kwLetterbox::fit(1920, 1080, 800, 600);
    EXPECT_FLOAT_EQ(box.scale, 1.8f);
    EXPECT_EQ(box.offsetX, 240);
    EXPECT_EQ(box.offsetY, 0);
    int x = -1, y = -1;
    box.windowToPicture(240, 0, &x, &y);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    box.windowToPicture(1679, 1079, &x, &y);
    EXPECT_EQ(x, 799);
    EXPECT_EQ(y, 599);
    // Points on the bars or outside the window clamp to the picture's edge.
    box.windowToPicture(10, 540, &x, &y);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 300);
    box.windowToPicture(1900, -20, &x, &y);
    EXPECT_EQ(x, 799);
    EXPECT_EQ(y, 0);
}

TEST(Letterbox, TallWindowGetsBarsTopAndBottom) {
    kwLetterbox box = kwLetterbox::fit(800, 1000, 800, 600);
    EXPECT_FLOAT_EQ(box.scale, 1.0f);
    EXPECT_EQ(box.offsetX, 0);
    EXPECT_EQ(box.offsetY, 200);
    int x = 0, y = 0;
    box.windowToPicture(400, 500, &x, &y);
    EXPECT_EQ(x, 400);
    EXPECT_EQ(y, 300);
}

TEST(Letterbox, PictureToWindowAndBackIsTheSamePixel) {
    for (auto [w, h] : {std::pair{800, 600}, {1920, 1080}, {1366, 768}, {640, 480}, {3840, 2160}}) {
        kwLetterbox box = kwLetterbox::fit(w, h, 800, 600);
        for (auto [px, py] : {std::pair{0, 0}, {400, 300}, {799, 599}, {123, 457}}) {
            int wx = 0, wy = 0, bx = 0, by = 0;
            box.pictureToWindow(px, py, &wx, &wy);
            EXPECT_GE(wx, 0);
            EXPECT_LT(wx, w);
            EXPECT_GE(wy, 0);
            EXPECT_LT(wy, h);
            box.windowToPicture(wx, wy, &bx, &by);
            if (box.scale >= 1.0f) {  // shrunk windows merge pixels; only check growth
                EXPECT_EQ(bx, px) << w << "x" << h;
                EXPECT_EQ(by, py) << w << "x" << h;
            }
        }
    }
}

TEST(Letterbox, MinimisedWindowDoesNotDivideByZero) {
    kwLetterbox box = kwLetterbox::fit(0, 0, 800, 600);
    int x = 0, y = 0;
    box.windowToPicture(5000, -5000, &x, &y);
    EXPECT_EQ(x, 799);
    EXPECT_EQ(y, 0);
}

TEST(FramePacer, PresentsLandOnePeriodApart) {
    kwFramePacer pacer;
    pacer.setPeriod(16000);
    EXPECT_EQ(pacer.waitBeforePresent(1000000), 0u);      // first present: no wait
    EXPECT_EQ(pacer.waitBeforePresent(1002000), 14000u);  // fast frame waits for its slot
    EXPECT_EQ(pacer.waitBeforePresent(1032000), 0u);      // on time for slot 1032000
    EXPECT_EQ(pacer.waitBeforePresent(1040000), 8000u);   // slot 1048000
    // A slow frame within a period of its slot does not wait...
    EXPECT_EQ(pacer.waitBeforePresent(1070000), 0u);  // slot 1064000, late 6 ms
    // ...and more than a period late starts afresh instead of rushing.
    EXPECT_EQ(pacer.waitBeforePresent(1200000), 0u);
    EXPECT_EQ(pacer.waitBeforePresent(1201000), 15000u);
}

TEST(FramePacer, PeriodFromRefreshRate) {
    EXPECT_EQ(kwFramePacer::periodForRate(60), 16666u);
    EXPECT_EQ(kwFramePacer::periodForRate(144), 6944u);
    EXPECT_EQ(kwFramePacer::periodForRate(0), 16666u);  // unknown rate
    EXPECT_EQ(kwFramePacer::periodForRate(-5), 16666u);
    kwFramePacer off;
    EXPECT_EQ(off.waitBeforePresent(5), 0u);
    EXPECT_EQ(off.waitBeforePresent(6), 0u);
}

// --- the real backend under the dummy video driver ---

class SdlBackend : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        kwPlatformConfig config;
        config.windowed = true;
        if (!sdlPlatform().openWindow(config))
            GTEST_SKIP() << "SDL cannot open a window on the dummy video driver here";
    }
    void TearDown() override { sdlPlatform().closeWindow(); }

    static std::vector<kwEvent> drain() {
        std::vector<kwEvent> out;
        kwEvent e;
        while (sdlPlatform().pollEvent(&e)) out.push_back(e);
        return out;
    }
};

TEST_F(SdlBackend, FrameBufferIs16BitAndPresents) {
    const kwPlatform& p = sdlPlatform();
    EXPECT_STREQ(sdlRendererName(), "software");
    kwPixelLayout layout{};
    EXPECT_FALSE(p.createFrameBuffer(800, 600, 32, &layout));
    ASSERT_TRUE(p.createFrameBuffer(800, 600, 16, &layout));
    EXPECT_EQ(layout.red, 0xF800);
    int pitch = 0;
    uint8_t* bits = p.lockFrame(&pitch);
    ASSERT_NE(bits, nullptr);
    EXPECT_GE(pitch, 1600);
    std::memset(bits, 0x5A, size_t(pitch) * 600);
    p.unlockFrame();
    EXPECT_TRUE(p.present());
    EXPECT_TRUE(p.present());
    p.destroyFrameBuffer();
    EXPECT_EQ(p.lockFrame(&pitch), nullptr);
    EXPECT_FALSE(p.present());
}

TEST_F(SdlBackend, Layout555GivesA555Buffer) {
    sdlPlatform().closeWindow();
    kwPlatformConfig config;
    config.windowed = true;
    config.layout = kLayout555;
    ASSERT_TRUE(sdlPlatform().openWindow(config));
    kwPixelLayout layout{};
    ASSERT_TRUE(sdlPlatform().createFrameBuffer(800, 600, 16, &layout));
    EXPECT_EQ(layout.red, 0x7C00);
    EXPECT_EQ(layout.green, 0x03E0);
    EXPECT_TRUE(sdlPlatform().present());
}

TEST_F(SdlBackend, KeysBecomeTheGamesEvents) {
    drain();
    sdlTestKey("Escape", false, false);
    sdlTestKey("Left", false, true);  // auto-repeat is delivered too
    sdlTestKey("Right", false, false);
    sdlTestKey("Delete", false, false);
    sdlTestKey("Backspace", false, false);
    sdlTestKey("Return", false, false);
    sdlTestKey("Keypad Enter", false, false);
    sdlTestKey("Tab", false, false);
    sdlTestKey("F5", false, false);  // not one of ours: dropped
    auto ev = drain();
    ASSERT_EQ(ev.size(), 8u);
    EXPECT_EQ(ev[0].key, kwKey::Escape);
    EXPECT_EQ(ev[1].key, kwKey::Left);
    EXPECT_EQ(ev[2].key, kwKey::Right);
    EXPECT_EQ(ev[3].key, kwKey::Delete);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(ev[i].type, kwEventType::KeyDown);
    const uint32_t codes[] = {8, 13, 13, 9};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(ev[4 + i].type, kwEventType::Char);
        EXPECT_EQ(ev[4 + i].code, codes[i]);
    }
}

TEST_F(SdlBackend, TextGivesPrintableAsciiOnePerEvent) {
    drain();
    sdlTestText("Ab \xC3\xA9~");  // the UTF-8 e-acute is dropped
    auto ev = drain();
    ASSERT_EQ(ev.size(), 4u);
    const char want[] = "Ab ~";
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(ev[i].type, kwEventType::Char);
        EXPECT_EQ(ev[i].code, uint32_t(uint8_t(want[i])));
    }
}

TEST_F(SdlBackend, AltEnterTogglesFullScreenAndIsNotDelivered) {
    drain();
    EXPECT_FALSE(sdlIsFullscreen());
    sdlTestKey("Return", true, false);
    EXPECT_TRUE(drain().empty());
    EXPECT_TRUE(sdlIsFullscreen());
    sdlTestKey("Return", true, true);  // holding it down does not flicker
    EXPECT_TRUE(drain().empty());
    EXPECT_TRUE(sdlIsFullscreen());
    sdlTestKey("Keypad Enter", true, false);
    drain();
    EXPECT_FALSE(sdlIsFullscreen());
}

TEST_F(SdlBackend, FocusAndButtons) {
    drain();
    sdlTestFocus(false);
    sdlTestFocus(true);
    auto ev = drain();
    ASSERT_EQ(ev.size(), 2u);
    EXPECT_EQ(ev[0].type, kwEventType::FocusLost);
    EXPECT_EQ(ev[1].type, kwEventType::FocusGained);

    const kwPlatform& p = sdlPlatform();
    EXPECT_FALSE(p.buttonsSwapped());
    sdlTestMouseButton(0, true);
    sdlTestMouseButton(0, false);
    drain();
    EXPECT_EQ(p.mouseButton(0), kButtonPressedSince);  // press and release between polls
    EXPECT_EQ(p.mouseButton(0), 0);
    sdlTestMouseButton(1, true);
    drain();
    EXPECT_EQ(p.mouseButton(1), kButtonHeld | kButtonPressedSince);
    EXPECT_EQ(p.mouseButton(1), kButtonHeld);
    sdlTestFocus(false);  // a release we never see must not leave it held
    drain();
    EXPECT_EQ(p.mouseButton(1), 0);
    sdlTestFocus(true);
    kwEvent e;
    ASSERT_TRUE(p.waitEvent(&e));  // returns once a queued event is translated
    EXPECT_EQ(e.type, kwEventType::FocusGained);
}

TEST_F(SdlBackend, MousePositionIsInPicturePixels) {
    const kwPlatform& p = sdlPlatform();
    kwPixelLayout layout{};
    ASSERT_TRUE(p.createFrameBuffer(800, 600, 16, &layout));
    p.setMousePos(123, 456);
    drain();
    int x = -1, y = -1;
    p.getMousePos(&x, &y);
    EXPECT_EQ(x, 123);
    EXPECT_EQ(y, 456);
    sdlTestMouseMove(5000, -40);  // outside the window: clamped
    drain();
    p.getMousePos(&x, &y);
    EXPECT_EQ(x, 799);
    EXPECT_EQ(y, 0);
}

}  // namespace
