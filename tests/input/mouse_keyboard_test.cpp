// Mouse and keyboard: one click per press (even a press and release between
// two polls), swapped buttons, the centre-origin conversion, the reset on
// scene switches, and the one held character.
#include <gtest/gtest.h>

#include "input/keyboard.h"
#include "input/mouse.h"
#include "platform/headless/headless.h"
#include "render/scene.h"

namespace {

class MouseTest : public ::testing::Test {
protected:
    void SetUp() override {
        headlessReset();
        ASSERT_TRUE(initInput());
    }
    void TearDown() override { shutdownInput(); }
};

TEST_F(MouseTest, OneClickPerPressAtThePositionOfThePollThatSawIt) {
    headlessMoveMouse(100, 50);
    headlessButton(0, true);
    headlessButton(0, false);  // pressed and released between two polls
    headlessMoveMouse(500, 400);
    mouse->poll();
    EXPECT_TRUE(mouse->isClicked(0));
    EXPECT_EQ(mouse->clickPosX(0), 100);
    EXPECT_EQ(mouse->clickPosY(0), -100);
    EXPECT_FALSE(mouse->isClicked(1));

    int clicks = 0;
    mouse->clearClicked(0);
    headlessButton(0, true);  // held for many frames
    for (int frame = 0; frame < 20; ++frame, mouse->poll()) {
        clicks += mouse->isClicked(0);
        mouse->clearClicked(0);
    }
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(mouse->isClicked(-1));  // out-of-range buttons are harmless
    EXPECT_EQ(mouse->clickPosX(2), 0);
}

TEST_F(MouseTest, SwappedButtonsMakeThePhysicalRightButtonZero) {
    shutdownInput();
    headlessSetSwapped(true);
    ASSERT_TRUE(initInput());
    headlessButton(1, true);
    mouse->poll();
    EXPECT_TRUE(mouse->isClicked(0));
    EXPECT_FALSE(mouse->isClicked(1));
}

TEST_F(MouseTest, CentreOriginCoordinates) {
    headlessMoveMouse(0, 0);
    EXPECT_EQ(mouseX(), -400);
    EXPECT_EQ(mouseY(), 300);
    setMousePos(-100, 50);
    EXPECT_EQ(mouseX(), -100);
    EXPECT_EQ(mouseY(), 50);
    setMousePos(0, 0);
    int x = -1, y = -1;
    platform().getMousePos(&x, &y);
    EXPECT_EQ(x, 400);
    EXPECT_EQ(y, 300);
}

TEST_F(MouseTest, ResetThroughTheSceneHookDropsClicksAndPendingPresses) {
    headlessMoveMouse(10, 10);
    headlessButton(1, true);
    mouse->poll();
    headlessButton(0, true);  // pressed, not yet polled
    headlessButton(0, false);
    sceneHooks.resetMouse();
    EXPECT_FALSE(mouse->isClicked(1));
    EXPECT_EQ(mouse->clickPosX(1), 0);
    EXPECT_EQ(sceneHooks.mouseX(), 0);
    EXPECT_EQ(sceneHooks.mouseY(), 0);
    mouse->poll();
    EXPECT_FALSE(mouse->isClicked(0));  // consumed by the reset

    shutdownInput();
    EXPECT_EQ(mouse, nullptr);
    EXPECT_EQ(sceneHooks.resetMouse, nullptr);
    pollInput();  // no mouse: nothing
}

TEST(Keyboard, OnlyTheLastCharacterIsHeldAndTakingConsumes) {
    kwKeyboard k;
    k.onChar('a');
    k.onChar('b');
    EXPECT_EQ(k.takeChar(false), uint32_t('b'));
    EXPECT_EQ(k.takeChar(true), uint32_t('b'));
    EXPECT_EQ(k.takeChar(true), 0u);
    k.onLeft();
    EXPECT_TRUE(k.takeLeft(false));
    EXPECT_TRUE(k.takeLeft(true));
    EXPECT_FALSE(k.takeLeft(true));
    k.onRight();
    k.onDelete();
    k.onChar(8);
    k.reset();
    EXPECT_FALSE(k.takeRight(true));
    EXPECT_FALSE(k.takeDelete(true));
    EXPECT_EQ(k.takeChar(true), 0u);
}

}  // namespace
