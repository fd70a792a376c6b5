// The screen over the headless backend: pixel format from the buffer's
// layout, lock bookkeeping, the start-up clear and the depth fall-backs.
#include "render/screen.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "assets/pixel_format.h"
#include "platform/headless/headless.h"
#include "render/render_target.h"
#include "shell/log.h"

namespace {

// A backend that is headless except for createFrameBuffer: it records the
// depths asked for, refuses the ones a test marks, and hands out a buffer
// full of garbage so the start-up clear has something to do.
struct TestBackend {
    static inline std::vector<int> asked;
    static inline std::vector<int> refused;
    static inline int messages = 0;
    static inline bool failFirstLock = false;

    static bool create(int w, int h, int bpp, kwPixelLayout* layout) {
        asked.push_back(bpp);
        for (int r : refused)
            if (r == bpp) return false;
        if (!headlessPlatform().createFrameBuffer(w, h, 16, layout)) return false;
        int pitch = 0;
        uint8_t* bits = headlessPlatform().lockFrame(&pitch);
        std::memset(bits, 0xAB, size_t(pitch) * size_t(h));
        headlessPlatform().unlockFrame();
        headlessPlatform().present();
        if (failFirstLock) headlessFailNextLock();
        return true;
    }
    static void message(const char* caption, const char* text) {
        ++messages;
        headlessPlatform().showMessage(caption, text);
    }
    static kwPlatform table() {
        kwPlatform t = headlessPlatform();
        t.createFrameBuffer = create;
        t.showMessage = message;
        return t;
    }
};

class Screen : public ::testing::Test {
protected:
    void SetUp() override {
        headlessReset();
        headlessPlatform().openWindow({});
        TestBackend::asked.clear();
        TestBackend::refused.clear();
        TestBackend::messages = 0;
        TestBackend::failFirstLock = false;
        backend = TestBackend::table();
        setPlatform(&backend);
        logCaptureBegin();
    }
    void TearDown() override {
        logCaptureEnd();
        destroyRenderScreen();
        setPlatform(nullptr);
        headlessReset();
    }
    kwPlatform backend{};
};

TEST_F(Screen, PixelFormatFrom565And555Layouts) {
    ASSERT_TRUE(createRenderScreen(800, 600, 16));
    EXPECT_EQ(pixelFormat.sR, 8);
    EXPECT_EQ(pixelFormat.sG, 3);
    EXPECT_EQ(pixelFormat.sB, 3);
    EXPECT_EQ(pixelFormat.red.mask8, 248u);
    EXPECT_EQ(pixelFormat.green.mask8, 252u);
    EXPECT_EQ(pixelFormat.blue.mask8, 248u);
    destroyRenderScreen();

    headlessPlatform().openWindow({.layout = kLayout555});
    ASSERT_TRUE(createRenderScreen(800, 600, 16));
    EXPECT_EQ(screen->layout.red, 0x7C00);
    EXPECT_EQ(pixelFormat.sR, 7);
    EXPECT_EQ(pixelFormat.sG, 2);
    EXPECT_EQ(pixelFormat.sB, 3);
    EXPECT_EQ(pixelFormat.red.mask8, 248u);
    EXPECT_EQ(pixelFormat.green.mask8, 248u);
    EXPECT_EQ(pixelFormat.blue.mask8, 248u);
}

TEST_F(Screen, DoubleLockGivesTheSamePointerAndPublishesTheSlot) {
    ASSERT_TRUE(createRenderScreen(800, 600, 16));
    uint8_t* first = screen->Lock();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(screen->Lock(), first);
    EXPECT_TRUE(screen->isLocked());
    EXPECT_EQ(screenSlot.pixels, first);
    EXPECT_EQ(screenSlot.pitch, screen->getPitch());
    EXPECT_GE(screenSlot.pitch, 1600);
    EXPECT_EQ(screenSlot.width, 800);
    EXPECT_EQ(screenSlot.height, 600);
    screen->Unlock();  // one unlock releases both locks
    EXPECT_FALSE(screen->isLocked());
    EXPECT_FALSE(screen->work->locked);
    destroyRenderScreen();
    EXPECT_EQ(screen, nullptr);
    EXPECT_EQ(screenSlot.pixels, nullptr);  // no pointer into the freed buffer
}

TEST_F(Screen, BothBuffersAreBlackAfterCreation) {
    ASSERT_TRUE(createRenderScreen(800, 600, 16));
    EXPECT_EQ(headlessPresentCount(), 1 + 2);  // the garbage, then two clears
    const uint16_t* shown = headlessPresentedFrame();
    ASSERT_NE(shown, nullptr);
    for (int i = 0; i < 800 * 600; ++i) ASSERT_EQ(shown[i], 0) << "presented pixel " << i;
    uint8_t* bits = screen->Lock();
    ASSERT_NE(bits, nullptr);
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 1600; ++x)
            ASSERT_EQ(bits[y * screen->getPitch() + x], 0) << "work " << x << "," << y;
    screen->Unlock();
    EXPECT_NE(std::strstr(logCaptured(), "Video Screen Initialized to 800x600x16\r\n"), nullptr);
}

TEST_F(Screen, DeepRequestFallsBackTo24Then16) {
    TestBackend::refused = {32, 24};
    ASSERT_TRUE(createRenderScreen(800, 600, 32));
    EXPECT_EQ(TestBackend::asked, (std::vector<int>{32, 24, 16}));
    EXPECT_EQ(TestBackend::messages, 0);
    EXPECT_EQ(screen->getBpp(), 16u);
    EXPECT_NE(std::strstr(logCaptured(), "Video Screen Initialized to 800x600x16\r\n"), nullptr);
    destroyRenderScreen();

    TestBackend::asked.clear();
    TestBackend::refused = {32};
    ASSERT_TRUE(createRenderScreen(800, 600, 32));
    EXPECT_EQ(TestBackend::asked, (std::vector<int>{32, 24}));
    EXPECT_NE(std::strstr(logCaptured(), "Video Screen Initialized to 800x600x24\r\n"), nullptr);
}

TEST_F(Screen, AllDepthsFailingShowsTheMessageOnce) {
    TestBackend::refused = {32, 24, 16};
    EXPECT_FALSE(createRenderScreen(800, 600, 32));
    EXPECT_EQ(TestBackend::asked, (std::vector<int>{32, 24, 16}));
    EXPECT_EQ(TestBackend::messages, 1);
    EXPECT_EQ(screen, nullptr);
    EXPECT_NE(std::strstr(headlessLastMessage(), "Cannot create render screen.: "), nullptr);
    EXPECT_NE(std::strstr(logCaptured(), "SetDisplayMode failed"), nullptr);
}

TEST_F(Screen, SixteenBitFailureReturnsAtOnceWithoutMessage) {
    TestBackend::refused = {16};
    EXPECT_FALSE(createRenderScreen(800, 600, 16));
    EXPECT_EQ(TestBackend::asked, (std::vector<int>{16}));
    EXPECT_EQ(TestBackend::messages, 0);
    EXPECT_EQ(screen, nullptr);
}

TEST_F(Screen, FailedLockReturnsNullAndTheNextLockWorks) {
    ASSERT_TRUE(createRenderScreen(800, 600, 16));
    headlessFailNextLock();
    EXPECT_EQ(screen->Lock(), nullptr);
    EXPECT_FALSE(screen->isLocked());
    EXPECT_NE(std::strstr(logCaptured(), "kwSurface::Lock failed\r\n"), nullptr);
    EXPECT_NE(screen->Lock(), nullptr);
    screen->Unlock();
}

TEST_F(Screen, AFailedWorkSurfaceFailsCreation) {
    TestBackend::failFirstLock = true;  // the surface's first lock learns the pitch
    EXPECT_FALSE(createRenderScreen(800, 600, 16));
    EXPECT_NE(std::strstr(logCaptured(), "Create Surface Failed"), nullptr);
    EXPECT_EQ(headlessPresentedFrame(), nullptr);  // the buffer was given back
}

TEST_F(Screen, OnlyOneScreenOwnsTheFrameBuffer) {
    ASSERT_TRUE(createRenderScreen(800, 600, 16));
    kwScreen* first = screen;
    EXPECT_FALSE(createRenderScreen(800, 600, 16));
    EXPECT_EQ(screen, first);
    {
        kwScreen second(800, 600, 16);
        EXPECT_FALSE(second.isInitialized());
        EXPECT_EQ(second.Lock(), nullptr);
        EXPECT_FALSE(second.Flip());
    }
    // The second one's end did not take the buffer away from the first.
    EXPECT_NE(screen->Lock(), nullptr);
    screen->Unlock();
    EXPECT_TRUE(screen->Flip());
    destroyRenderScreen();
    EXPECT_TRUE(createRenderScreen(800, 600, 16));  // free again after destruction
}

}  // namespace
