// The alarm clock's pause toggle and the order of its picture rules, its
// warning animations against the game clock, and the exit dialog's hover
// highlights, choices and placement.
#include "play/alarm_clock.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "assets/eye_writer.h"
#include "assets/pixel_format.h"
#include "platform/headless/headless.h"
#include "play/exit_dialog.h"
#include "render/render_target.h"
#include "render/sprite_archive.h"
#include "shell/clock.h"
#include "shell/flags.h"
#include "shell/game_state.h"
#include "shell/log.h"

namespace {

uint32_t g_now = 0;
constexpr uint32_t kStart = 50000;
constexpr int kHalfW = 400, kHalfH = 300;

// A 20 x 20 hot spot whose top half is opaque and bottom half see-through,
// so an exact hit test and a rectangle test disagree on the lower half.
std::vector<uint8_t> halfOpaqueHotSpot() {
    std::vector<uint32_t> px(20 * 20, 0xFFFF00FFu);
    for (int i = 10 * 20; i < 20 * 20; ++i) px[size_t(i)] = 0;
    return encodeEyeRle(px.data(), 20, 20);
}

void useTestClock() {
    resetClock();
    g_now = kStart;
    setTickSource([] { return g_now; });
}

class AlarmClock : public testing::Test {
protected:
    void SetUp() override {
        useTestClock();
        headlessReset();
        gameState = kwGameState{};
        gameState.playPhase = PhasePlaying;
        gameState.timeLeft = 60;
        testsprites::Records r;
        testsprites::addSprite(r, "b_alarm_clock_01.eye", "a_alarm_clock_01.eye",
                               "a_alarm_clock_m_01.msk", 20, 20, 0xFF0000FFu);
        testsprites::addSprite(r, "b_pause_glow_01.eye", "a_pause_glow_01.eye",
                               "a_pause_glow_m_01.msk", 20, 20, 0xFF00FF00u);
        testsprites::addSprite(r, "b_paused_01.eye", "a_paused_01.eye", "a_paused_m_01.msk", 20, 20,
                               0xFFFF0000u);
        for (int i = 1; i <= 11; ++i)
            testsprites::addFrame(r, "alarm_clock_tick", i, 20, 20, 0xFF111111u);
        for (int i = 1; i <= 12; ++i)
            testsprites::addFrame(r, "alarm_clock_ringing", i, 20, 20, 0xFF222222u);
        r.emplace_back("alarm_clock_hotspot.eye", halfOpaqueHotSpot());
        ASSERT_TRUE(data.write("clock.lfl", r));
        clock = std::make_unique<kwAlarmClock>();
    }
    void TearDown() override {
        clock.reset();
        setTickSource(nullptr);
        resetClock();
    }
    // Moves the system pointer to a scene point.
    static void hover(int32_t x, int32_t y) { headlessMoveMouse(kHalfW + x, kHalfH - y); }
    kwFramePlayer* tick() { return clock->tick->player(); }
    kwFramePlayer* ring() { return clock->ring->player(); }
    int32_t frameShown(kwFramePlayer* p) {
        EXPECT_EQ(clock->choosePicture(), p);
        return p->currentFrame();
    }

    static constexpr int32_t kX = -342, kY = 260;
    static constexpr int32_t kOpaque = kY + 5, kSeeThrough = kY - 5;
    testsprites::DataFolder data;
    std::unique_ptr<kwAlarmClock> clock;
};

TEST_F(AlarmClock, OnlyAClickOnTheOpaqueHotSpotDuringATurnTogglesThePause) {
    for (int32_t phase : {PhaseIntro, PhasePlaying}) {
        gameState.playPhase = phase;
        EXPECT_TRUE(clock->handleClick(kX, kOpaque));
        EXPECT_TRUE(clockState.paused);
        g_now += 700;
        EXPECT_TRUE(clock->handleClick(kX, kOpaque));
        EXPECT_FALSE(clockState.paused);
    }
    EXPECT_EQ(gameTime(), kStart);  // both pauses came off the game clock

    // Inside the picture's rectangle but on a see-through pixel, or elsewhere.
    EXPECT_FALSE(clock->handleClick(kX, kSeeThrough));
    EXPECT_FALSE(clock->handleClick(0, 0));
    EXPECT_FALSE(clockState.paused);

    // Outside a running turn the clock ignores the click, paused or not.
    for (int32_t phase : {PhaseIdle, PhaseLevelComplete, PhaseTimeOut}) {
        gameState.playPhase = phase;
        EXPECT_FALSE(clock->handleClick(kX, kOpaque)) << phase;
        EXPECT_FALSE(clockState.paused);
        pauseClock();
        EXPECT_FALSE(clock->handleClick(kX, kOpaque)) << phase;
        EXPECT_TRUE(clockState.paused);  // not resumed either
        resumeClock();
    }
}

TEST_F(AlarmClock, PicturesFollowTheRulesInOrder) {
    kwDrawable dialog;
    dialog.visible = false;
    clock->setExitDialog(&dialog);
    EXPECT_EQ(clock->choosePicture(), clock->normalImage.get());

    pauseClock();
    EXPECT_EQ(clock->choosePicture(), clock->pausedImage.get());
    hover(kX, kOpaque);  // hovering while paused shows the pause highlight
    EXPECT_EQ(clock->choosePicture(), clock->hoverImage.get());
    hover(kX, kSeeThrough);  // off the opaque hot spot: paused again
    EXPECT_EQ(clock->choosePicture(), clock->pausedImage.get());

    hover(kX, kOpaque);
    dialog.visible = true;  // the open dialog wins over everything
    EXPECT_EQ(clock->choosePicture(), clock->pausedImage.get());
    dialog.visible = false;

    // Outside a running turn neither hover nor pause shows.
    gameState.playPhase = PhaseLevelComplete;
    gameState.timeLeft = 0;
    EXPECT_EQ(clock->choosePicture(), clock->normalImage.get());
    gameState.playPhase = PhaseIntro;  // the intro never warns
    resumeClock();
    hover(0, 0);
    gameState.timeLeft = 5;
    EXPECT_EQ(clock->choosePicture(), clock->normalImage.get());
}

TEST_F(AlarmClock, TickStartsAtTenSecondsLeftOnItsFirstFrameOneFrameASecond) {
    gameState.timeLeft = 11;
    EXPECT_EQ(clock->choosePicture(), clock->normalImage.get());
    EXPECT_FALSE(clock->tickStarted);
    gameState.timeLeft = 10;
    EXPECT_EQ(frameShown(tick()), 0);
    g_now += 999;
    EXPECT_EQ(frameShown(tick()), 0);
    g_now += 1;
    gameState.timeLeft = 9;  // a later draw does not restart it
    EXPECT_EQ(frameShown(tick()), 1);

    pauseClock();  // the pause freezes the animation with the clock
    g_now += 5000;
    resumeClock();
    EXPECT_EQ(frameShown(tick()), 1);
    g_now += 9000;
    EXPECT_EQ(frameShown(tick()), 10);

    clock->resetWarnings();  // a new turn counts down from the start again
    g_now += 500;
    EXPECT_EQ(frameShown(tick()), 0);
}

TEST_F(AlarmClock, RingingLoopsAtTimeOutUntilTheNextTurn) {
    gameState.playPhase = PhaseTimeOut;
    gameState.timeLeft = 0;
    EXPECT_EQ(frameShown(ring()), 0);
    g_now += 1000 / 15 * 11 + 10;
    EXPECT_EQ(frameShown(ring()), 11);
    g_now += 100;  // past the twelfth frame: round again
    EXPECT_EQ(frameShown(ring()), 0);
    g_now += 60000;
    EXPECT_TRUE(ring()->isPlaying());

    clock->resetWarnings();
    gameState.playPhase = PhaseIntro;
    EXPECT_EQ(clock->choosePicture(), clock->normalImage.get());
    gameState.playPhase = PhaseTimeOut;
    g_now += 33;
    EXPECT_EQ(frameShown(ring()), 0);  // started afresh
}

TEST_F(AlarmClock, MissingArchiveIsLoggedAndNeverTakesClicks) {
    clock.reset();
    ASSERT_TRUE(data.write("clock.lfl", {}));
    logCaptureBegin();
    clock = std::make_unique<kwAlarmClock>();
    EXPECT_NE(std::strstr(logCaptured(),
                          "kwAlarmClock::kwAlarmClock - missing hot spot alarm_clock_hotspot.eye"),
              nullptr);
    logCaptureEnd();
    EXPECT_FALSE(clock->handleClick(kX, kOpaque));
    EXPECT_FALSE(clockState.paused);
    gameState.timeLeft = 3;
    EXPECT_EQ(clock->choosePicture(), tick());  // chosen, but its frames draw nothing
}

TEST_F(AlarmClock, DrawsTheChosenPictureAtTheClocksSpot) {
    std::vector<uint16_t> px(800 * 600, 0);
    pixelFormat = makePixelFormat(0xF800, 0x07E0, 0x001F);
    screenSlot = kwRenderTarget{reinterpret_cast<uint8_t*>(px.data()), 800 * 2, 800, 600};
    auto at = [&](int sx, int sy) { return px[size_t((kHalfH - sy) * 800 + kHalfW + sx)]; };
    clock->draw();
    EXPECT_EQ(at(kX, kY), 0x001F);  // the resting clock (blue in the test art)
    EXPECT_EQ(at(kX + 12, kY), 0);  // 20 px wide, centred on the spot
    pauseClock();
    clock->draw();
    EXPECT_EQ(at(kX, kY), 0xF800);  // the paused picture (red)
    screenSlot = renderTarget = kwRenderTarget{};
}

// ---- exit dialog -----------------------------------------------------------------

constexpr uint32_t kBaseArgb = 0xFF0000FFu, kMenuArgb = 0xFFFF0000u;
constexpr uint16_t kBase565 = 0x001F, kMenu565 = 0xF800;

// A 40 x 10 button whose left quarter is see-through: hover and clicks use
// the rectangle, so that quarter still counts.
std::vector<uint8_t> button(uint32_t argb, float y) {
    std::vector<uint32_t> px(40 * 10, argb);
    for (int r = 0; r < 10; ++r)
        for (int c = 0; c < 10; ++c) px[size_t(r * 40 + c)] = 0;
    kwEyeOptions o;
    o.y = y;
    return encodeEyeRle(px.data(), 40, 10, o);
}

class ExitDialog : public testing::Test {
protected:
    void SetUp() override {
        useTestClock();
        appFlags = kwAppFlags{};
        pixelFormat = makePixelFormat(0xF800, 0x07E0, 0x001F);
        renderTarget = kwRenderTarget{reinterpret_cast<uint8_t*>(px.data()), 800 * 2, 800, 600};
        std::vector<uint32_t> base(100 * 80, kBaseArgb);
        basePayload = encodeEyeRle(base.data(), 100, 80);
        add(archive, "exit_base.eye", basePayload);
        add(archive, "exit_menu.eye", button(kMenuArgb, 20));
        add(archive, "exit_exit.eye", button(0xFF00FF00u, 0));
        add(archive, "exit_continue.eye", button(0xFFFFFF00u, -20));
    }
    void TearDown() override {
        renderTarget = kwRenderTarget{};
        setTickSource(nullptr);
        resetClock();
        appFlags = kwAppFlags{};
    }
    static void add(kwLinkedFileList& list, const char* name, const std::vector<uint8_t>& payload) {
        list.append(makeLinkedFile(name, payload).release());
    }
    // Which buttons are lit: menu, exit, continue.
    std::vector<bool> lit() {
        return {dialog.menuButton->visible, dialog.exitButton->visible,
                dialog.continueButton->visible};
    }

    // Declared before the dialog, so the records outlive the pictures bound to them.
    kwLinkedFileList archive, partial;
    std::vector<uint8_t> basePayload;
    std::vector<uint16_t> px = std::vector<uint16_t>(800 * 600, 0);  // the frame drawn into
    kwExitDialog dialog;
};

TEST_F(ExitDialog, HoverLightsTheButtonWhoseRectangleHoldsTheMouse) {
    ASSERT_TRUE(dialog.load(&archive));
    EXPECT_FALSE(dialog.isOpen());
    EXPECT_EQ(lit(), (std::vector<bool>{false, false, false}));
    // The menu button spans x -20..19 and y 15..24.
    dialog.updateHover(-20, 24);  // corner, on a see-through pixel
    EXPECT_EQ(lit(), (std::vector<bool>{true, false, false}));
    dialog.updateHover(20, 15);
    EXPECT_EQ(lit(), (std::vector<bool>{false, false, false}));
    dialog.updateHover(0, -20);
    EXPECT_EQ(lit(), (std::vector<bool>{false, false, true}));
    dialog.updateHover(0, 0);
    EXPECT_EQ(lit(), (std::vector<bool>{false, true, false}));
}

TEST_F(ExitDialog, ClicksChooseAndContinueResumesWhereTheClockStopped) {
    ASSERT_TRUE(dialog.load(&archive));
    ASSERT_TRUE(dialog.open());
    const uint32_t stopped = gameTime();
    g_now += 7000;
    EXPECT_EQ(dialog.handleClick(60, 60), kwExitChoice::None);  // elsewhere: stays open
    EXPECT_TRUE(dialog.isOpen());
    EXPECT_TRUE(clockState.paused);
    EXPECT_EQ(dialog.handleClick(-15, -20), kwExitChoice::Continue);
    EXPECT_FALSE(dialog.isOpen());
    EXPECT_FALSE(clockState.paused);
    EXPECT_EQ(gameTime(), stopped);
    g_now += 10;
    EXPECT_EQ(gameTime(), stopped + 10);
    EXPECT_EQ(dialog.handleClick(-15, -20), kwExitChoice::None);  // closed: not its click

    dialog.open();  // the menu is the scene's to do (its goToMenu resumes)
    EXPECT_EQ(dialog.handleClick(0, 20), kwExitChoice::Menu);
    EXPECT_TRUE(dialog.isOpen());
    EXPECT_TRUE(clockState.paused);
    EXPECT_FALSE(appFlags.quitRequested);
    EXPECT_EQ(dialog.handleClick(0, 0), kwExitChoice::Quit);
    EXPECT_TRUE(appFlags.quitRequested);
}

TEST_F(ExitDialog, PicturesSitAtTheirStoredPlacePlusTheDialogsPosition) {
    ASSERT_TRUE(dialog.load(&archive));
    dialog.x = 100;
    dialog.y = -50;
    dialog.open();
    dialog.updateHover(100, -30);
    EXPECT_EQ(lit(), (std::vector<bool>{true, false, false}));
    EXPECT_EQ(dialog.handleClick(0, 20), kwExitChoice::None);  // the old place
    EXPECT_EQ(dialog.handleClick(100, -30), kwExitChoice::Menu);

    dialog.draw();
    auto at = [&](int sx, int sy) { return px[size_t((kHalfH - sy) * 800 + kHalfW + sx)]; };
    EXPECT_EQ(at(100, -30), kMenu565);  // lit button over the base
    EXPECT_EQ(at(100, -20), kBase565);
    EXPECT_EQ(at(55, -50), kBase565);
    EXPECT_EQ(at(45, -50), 0);  // left of the base
    EXPECT_EQ(at(0, 0), 0);
}

TEST_F(ExitDialog, MissingPictureRefusesToOpenAndLoadsOnlyOnce) {
    add(partial, "exit_base.eye", basePayload);
    logCaptureBegin();
    EXPECT_FALSE(dialog.load(&partial));
    EXPECT_NE(
        std::strstr(logCaptured(), "kwExitDialog::load - missing or unusable file exit_menu.eye"),
        nullptr);
    logCaptureEnd();
    EXPECT_FALSE(dialog.load(&archive));  // the first load stands
    EXPECT_FALSE(dialog.open());
    EXPECT_FALSE(clockState.paused);
    dialog.updateHover(0, 0);
    dialog.draw();  // no crash with unbound buttons
}

}  // namespace
