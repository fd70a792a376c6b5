// The headless backend is what every whole-game test stands on, so its
// clock, button semantics, event queue and frame buffer must behave like
// the real thing.
#include "platform/headless/headless.h"

#include <gtest/gtest.h>

#include <cstring>

#include "shell/log.h"

namespace {

const kwPlatform& hp() {
    return headlessPlatform();
}

class Headless : public ::testing::Test {
protected:
    void SetUp() override { headlessReset(); }
    void TearDown() override {
        hp().destroyFrameBuffer();
        headlessReset();
    }
};

TEST_F(Headless, ClockIsSetAndAdvancedByTheCallerAndWraps) {
    EXPECT_EQ(hp().ticks(), 0u);
    headlessSetTime(1000);
    headlessAdvance(16);
    EXPECT_EQ(hp().ticks(), 1016u);
    EXPECT_EQ(headlessTime(), 1016u);
    headlessSetTime(0xFFFFFFF0u);
    headlessAdvance(0x20);
    EXPECT_EQ(hp().ticks(), 0x10u);
    headlessReset();
    EXPECT_EQ(hp().ticks(), 0u);
}

TEST_F(Headless, ButtonBitsFollowGetAsyncKeyState) {
    EXPECT_EQ(hp().mouseButton(0), 0);
    headlessButton(0, true);
    EXPECT_EQ(hp().mouseButton(0), kButtonHeld | kButtonPressedSince);
    // Still held: the press was already reported.
    EXPECT_EQ(hp().mouseButton(0), kButtonHeld);
    headlessButton(0, true);  // a repeated "down" is not a new press
    EXPECT_EQ(hp().mouseButton(0), kButtonHeld);
    headlessButton(0, false);
    EXPECT_EQ(hp().mouseButton(0), 0);
}

TEST_F(Headless, PressAndReleaseBetweenQueriesReportsOnePress) {
    headlessButton(1, true);
    headlessButton(1, false);
    headlessButton(1, true);
    headlessButton(1, false);
    EXPECT_EQ(hp().mouseButton(1), kButtonPressedSince);
    EXPECT_EQ(hp().mouseButton(1), 0);
    // Querying one button does not consume the other's press.
    headlessButton(0, true);
    headlessButton(1, true);
    EXPECT_EQ(hp().mouseButton(1) & kButtonPressedSince, kButtonPressedSince);
    EXPECT_EQ(hp().mouseButton(0) & kButtonPressedSince, kButtonPressedSince);
    // Buttons outside 0..1 are ignored, not out-of-bounds.
    headlessButton(5, true);
    EXPECT_EQ(hp().mouseButton(5), 0);
    EXPECT_EQ(hp().mouseButton(-1), 0);
}

TEST_F(Headless, MouseStartsCentredAndIsClampedToThePicture) {
    int x = -1, y = -1;
    hp().getMousePos(&x, &y);
    EXPECT_EQ(x, 400);
    EXPECT_EQ(y, 300);
    hp().setMousePos(10, 20);
    hp().getMousePos(&x, &y);
    EXPECT_EQ(x, 10);
    EXPECT_EQ(y, 20);
    headlessMoveMouse(-50, 900);
    hp().getMousePos(&x, &y);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 599);
    headlessSetSwapped(true);
    EXPECT_TRUE(hp().buttonsSwapped());
    headlessReset();
    EXPECT_FALSE(hp().buttonsSwapped());
}

TEST_F(Headless, EventQueueIsFirstInFirstOutAndNeverBlocks) {
    kwEvent e;
    EXPECT_FALSE(hp().pollEvent(&e));
    EXPECT_FALSE(hp().waitEvent(&e));  // empty: returns instead of blocking
    headlessKey(kwKey::Left);
    headlessChar('a');
    headlessPushEvent({.type = kwEventType::Quit});
    ASSERT_TRUE(hp().pollEvent(&e));
    EXPECT_EQ(e.type, kwEventType::KeyDown);
    EXPECT_EQ(e.key, kwKey::Left);
    ASSERT_TRUE(hp().waitEvent(&e));
    EXPECT_EQ(e.type, kwEventType::Char);
    EXPECT_EQ(e.code, uint32_t('a'));
    ASSERT_TRUE(hp().pollEvent(&e));
    EXPECT_EQ(e.type, kwEventType::Quit);
    EXPECT_FALSE(hp().pollEvent(&e));
}

TEST_F(Headless, QueueOverflowDropsNewestAndLogs) {
    logCaptureBegin();
    for (int i = 0; i < 300; ++i) headlessChar(uint32_t(i));
    EXPECT_NE(std::strstr(logCaptured(), "headless::pushEvent - event queue full"), nullptr);
    logCaptureEnd();
    kwEvent e;
    int n = 0;
    uint32_t last = 0;
    while (hp().pollEvent(&e)) {
        EXPECT_EQ(e.code, uint32_t(n));  // order kept across the ring's wrap
        last = e.code;
        ++n;
    }
    EXPECT_EQ(n, 256);
    EXPECT_EQ(last, 255u);
    headlessKey(kwKey::Escape);  // usable again after draining
    EXPECT_TRUE(hp().pollEvent(&e));
}

TEST_F(Headless, FocusChangesArriveAsEventsInOrder) {
    EXPECT_TRUE(headlessFocused());
    headlessFocus(false);
    headlessFocus(true);
    kwEvent e;
    ASSERT_TRUE(hp().pollEvent(&e));
    EXPECT_EQ(e.type, kwEventType::FocusLost);
    ASSERT_TRUE(hp().pollEvent(&e));
    EXPECT_EQ(e.type, kwEventType::FocusGained);
    EXPECT_TRUE(headlessFocused());
    headlessFocus(false);
    headlessReset();
    EXPECT_TRUE(headlessFocused());
    EXPECT_FALSE(hp().pollEvent(&e));  // reset empties the queue
}

TEST_F(Headless, FrameBufferIs16BitInTheLayoutAskedFor) {
    kwPixelLayout layout{};
    EXPECT_FALSE(hp().createFrameBuffer(800, 600, 32, &layout));
    EXPECT_FALSE(hp().createFrameBuffer(800, 600, 24, &layout));
    EXPECT_FALSE(hp().createFrameBuffer(0, 600, 16, &layout));
    ASSERT_TRUE(hp().openWindow({.layout = kLayout555}));
    ASSERT_TRUE(hp().createFrameBuffer(800, 600, 16, &layout));
    EXPECT_EQ(layout.red, 0x7C00);
    EXPECT_EQ(headlessLayout().green, 0x03E0);
    ASSERT_TRUE(hp().openWindow({}));
    ASSERT_TRUE(hp().createFrameBuffer(800, 600, 16, &layout));
    EXPECT_EQ(layout.green, 0x07E0);
    int w = 0, h = 0;
    headlessFrameSize(&w, &h);
    EXPECT_EQ(w, 800);
    EXPECT_EQ(h, 600);
}

TEST_F(Headless, PresentPacksPaddedRowsAndCounts) {
    EXPECT_EQ(hp().lockFrame(nullptr), nullptr);  // no frame buffer yet
    EXPECT_FALSE(hp().present());
    EXPECT_EQ(headlessPresentedFrame(), nullptr);
    kwPixelLayout layout{};
    ASSERT_TRUE(hp().createFrameBuffer(4, 3, 16, &layout));
    int pitch = 0;
    uint8_t* bits = hp().lockFrame(&pitch);
    ASSERT_NE(bits, nullptr);
    EXPECT_GT(pitch, 4 * 2);  // padded on purpose
    EXPECT_EQ(hp().lockFrame(nullptr), bits);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x) {
            uint16_t v = uint16_t(y * 10 + x);
            std::memcpy(bits + y * pitch + x * 2, &v, 2);
        }
    hp().unlockFrame();
    EXPECT_EQ(headlessPresentCount(), 0);
    ASSERT_TRUE(hp().present());
    EXPECT_EQ(headlessPresentCount(), 1);
    const uint16_t* shown = headlessPresentedFrame();
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown[0], 0);
    EXPECT_EQ(shown[3], 3);
    EXPECT_EQ(shown[4], 10);
    EXPECT_EQ(shown[11], 23);
    // Drawing after the present does not touch the presented frame.
    bits = hp().lockFrame(&pitch);
    bits[0] = 0xFF;
    hp().unlockFrame();
    EXPECT_EQ(shown[0], 0);
}

TEST_F(Headless, FailNextLockFailsExactlyOnce) {
    kwPixelLayout layout{};
    ASSERT_TRUE(hp().createFrameBuffer(8, 8, 16, &layout));
    headlessFailNextLock();
    int pitch = 0;
    EXPECT_EQ(hp().lockFrame(&pitch), nullptr);
    EXPECT_NE(hp().lockFrame(&pitch), nullptr);
    hp().unlockFrame();
    headlessFailNextLock();
    headlessReset();  // a pending failure does not leak into the next test
    EXPECT_NE(hp().lockFrame(&pitch), nullptr);
}

}  // namespace
