// The cursor: loading from "st_cursor.lfl", choosing between the carried
// piece, the clickable animation and the arrow, and the hot spot.
#include "input/cursor.h"

#include <gtest/gtest.h>

#include "input/mouse.h"
#include "platform/headless/headless.h"
#include "render/scene.h"
#include "render/screen.h"
#include "render/sprite_archive.h"
#include "shell/clock.h"

namespace {

constexpr float kUntouched = 12345.0f;
int g_brushes = 0;
bool g_hover = false;

class Piece : public kwDrawable {
public:
    void draw() override { ++draws; }
    int draws = 0;
};

class CursorTest : public ::testing::Test {
protected:
    void SetUp() override {
        headlessReset();
        resetClock();
        setTickSource(headlessTime);
        testsprites::Records r;
        testsprites::addSprite(r, "b_arrow_cursor_01.eye", "a_arrow_cursor_01.eye",
                               "a_arrow_cursor_m_01.msk", 20, 20, 0xFFFFFFFFu);
        for (int i = 1; i <= 5; ++i)
            testsprites::addFrame(r, "clickable_cursor", i, 24, 24, 0xFF00FF00u);
        ASSERT_TRUE(folder.write("st_cursor.lfl", r));
        g_brushes = 0;
        g_hover = false;
        handHooks.hover = [] { return g_hover; };
        handHooks.brush = [] { ++g_brushes; };
        headlessSetTime(1000);
        c = std::make_unique<kwCursor>();
        c->load();
        c->x = 7;
        c->y = -9;
        c->arrow->x = c->clickable->x = kUntouched;
    }
    void TearDown() override {
        c.reset();
        handHooks = kwHandHooks{};
        cursorSlot = kwCursorSlot{};
        setTickSource(nullptr);
        resetClock();
    }
    testsprites::DataFolder folder;
    std::unique_ptr<kwCursor> c;
};

TEST_F(CursorTest, LoadBuildsTheArrowAndAnEndlessClickableLoop) {
    EXPECT_EQ(c->lastBrushTime, 1000u);
    EXPECT_TRUE(c->arrow->isComplete());
    ASSERT_EQ(c->clickable->num_frames, 5);
    for (int i = 0; i < 5; ++i) EXPECT_TRUE(c->clickFrames[i]->isComplete());
    EXPECT_NEAR(c->clickable->duration_ms, 333.33f, 0.01f);
    EXPECT_EQ(c->clickable->play_mode, PlayLoop);
    EXPECT_EQ(c->clickable->repeats, 0u);
    EXPECT_TRUE(c->clickable->isPlaying());
    c->unload();
    EXPECT_EQ(c->archive, nullptr);
    c->draw();  // unloaded: draws nothing
    c->load();
    EXPECT_TRUE(c->arrow->isComplete());
}

TEST_F(CursorTest, DrawsArrowOrClickableOrTheCarriedPiece) {
    c->draw();
    EXPECT_EQ(c->arrow->x, 7.0f);
    EXPECT_EQ(c->clickable->x, kUntouched);

    g_hover = true;
    c->arrow->x = kUntouched;
    c->draw();
    EXPECT_EQ(c->clickable->x, 7.0f);
    EXPECT_EQ(c->arrow->x, kUntouched);
    pauseClock();  // no clickable animation while paused
    c->draw();
    EXPECT_EQ(c->arrow->x, 7.0f);
    resumeClock();

    Piece p;
    c->carried = &p;
    c->grabOffsetX = -3;
    c->grabOffsetY = 5;
    c->draw();
    EXPECT_EQ(p.draws, 1);
    EXPECT_EQ(p.x, 4.0f);
    EXPECT_EQ(p.y, -4.0f);
    EXPECT_EQ(g_brushes, 1);
}

TEST_F(CursorTest, SceneDrawsTheCursorAtTheMousePlusItsHotSpot) {
    headlessPlatform().openWindow({});
    ASSERT_TRUE(createRenderScreen(800, 600, 16));
    ASSERT_TRUE(initInput());
    headlessMoveMouse(400, 300);  // scene (0, 0)
    setCursor(c.get(), 15, 15);
    kwScene scene;
    scene.draw();
    EXPECT_EQ(c->arrow->x, 15.0f);
    EXPECT_EQ(c->arrow->y, -15.0f);
    setCursor(c.get(), 60, 54);
    EXPECT_EQ(cursorSlot.hotY, 54);
    shutdownInput();
    destroyRenderScreen();
}

}  // namespace
