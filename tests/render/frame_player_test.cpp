// Frame sets, frame players and layered sprites: the frame chosen at each
// moment of each play mode, the offset forwarding, and loading named
// animations from an archive.
#include "render/frame_player.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "render/frame_loader.h"
#include "render/render_target.h"
#include "render/sprite_archive.h"
#include "shell/clock.h"
#include "shell/log.h"

namespace {

uint32_t g_now = 0;

class Spy : public kwDrawable {
public:
    bool place() override {
        placedAt = {x, y, depth};
        return true;
    }
    std::array<float, 3> placedAt{};
};

class FramePlayerTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetClock();
        g_now = 5000;
        setTickSource([] { return g_now; });
    }
    void TearDown() override {
        setTickSource(nullptr);
        logCaptureEnd();
    }
    std::vector<Spy> spies = std::vector<Spy>(10);
};

struct Case {
    int frames;
    float fps;
    uint32_t mode, repeats;
    std::vector<uint32_t> times;
    std::vector<int> expected;
    bool playingAtEnd;
};

TEST_F(FramePlayerTest, FrameAtEachMomentOfEachMode) {
    const std::vector<Case> cases = {
        {10, 15, PlayOnce, 0, {0, 100, 660, 667}, {0, 1, 9, 9}, false},
        {5, 15, PlayLoop, 0, {333, 334, 450, 4000000000u}, {4, 0, 1, 0}, true},
        {4, 10, PlayLoop, 2, {450, 799, 800}, {0, 3, 3}, false},
        {4,
         10,
         PlayPingPong,
         1,
         {50, 150, 250, 350, 450, 550, 650, 750, 800},
         {0, 1, 2, 3, 3, 2, 1, 0, 0},
         false},
        {3, 10, PlayPingPong, 0, {350, 650, 1150}, {2, 0, 0}, true},
        {3, 1e30f, PlayLoop, 0, {1, 999}, {0, 0}, true},  // absurd rate: still a valid frame
    };
    for (const Case& c : cases) {
        kwFramePlayer p;
        for (int i = 0; i < c.frames; ++i) p.addFrame(&spies[i]);
        p.duration(c.fps);
        p.setPlayMode(c.mode, c.repeats);
        g_now = 5000;
        p.play();
        for (size_t i = 0; i < c.times.size(); ++i) {
            g_now = 5000 + c.times[i];
            int f = p.currentFrame();
            if (c.fps > 1e20f) {
                EXPECT_TRUE(f >= 0 && f < c.frames);
                continue;
            }
            EXPECT_EQ(f, c.expected[i]) << "mode " << c.mode << " at " << c.times[i];
        }
        EXPECT_EQ(p.isPlaying(), c.playingAtEnd) << "mode " << c.mode;
    }
}

TEST_F(FramePlayerTest, StoppedPlayerKeepsItsFrameAndPauseFreezesTime) {
    kwFramePlayer p;
    for (int i = 0; i < 4; ++i) p.addFrame(&spies[i]);
    p.duration(10);  // 400 ms
    p.play();
    g_now = 5250;
    p.place();
    EXPECT_EQ(p.current_frame, 2);
    pauseClock();
    g_now = 9000;
    p.place();
    EXPECT_EQ(p.current_frame, 2);
    resumeClock();
    g_now = 9150;  // 400 ms of game time: the single pass ends on the last frame
    p.place();
    EXPECT_EQ(p.current_frame, 3);
    EXPECT_FALSE(p.isPlaying());
    g_now = 20000;
    p.place();
    EXPECT_EQ(p.current_frame, 3);
}

TEST_F(FramePlayerTest, RateAndModeGuards) {
    kwFramePlayer p;
    logCaptureBegin();
    p.duration(15);
    EXPECT_NE(
        std::string(logCaptured()).find("kwFramePlayer::duration - add all your frames first!"),
        std::string::npos);
    p.addFrame(&spies[0]);
    EXPECT_NEAR(p.duration_ms, 33.33f, 0.01f);  // 30 per second from construction
    p.duration(10);
    p.duration(0.001f);  // ignored
    p.addFrame(&spies[1]);
    EXPECT_FLOAT_EQ(p.duration_ms, 200.0f);  // recomputed from the stored rate
    p.setPlayMode(PlayLoop, 3);
    p.setPlayMode(3, 7);  // ignored
    EXPECT_EQ(p.play_mode, PlayLoop);
    EXPECT_EQ(p.repeats, 3u);
}

TEST_F(FramePlayerTest, SetForwardsWithItsOffsetAndGuardsItsIndex) {
    Spy& a = spies[0];
    a.x = 10.1f;
    a.depth = 500;
    kwFrameSet set;
    set.addFrame(&a);
    set.addFrame(nullptr);  // refused
    set.x = 100000.7f;
    set.y = 7;
    set.depth = -1;
    EXPECT_TRUE(set.place());
    EXPECT_EQ(a.placedAt, (std::array<float, 3>{10.1f + 100000.7f, 7.0f, 499.0f}));
    EXPECT_EQ(a.x, 10.1f);  // restored exactly
    EXPECT_EQ(set.getDepth(), 499.0f);

    logCaptureBegin();
    EXPECT_EQ(set.frame(-1), nullptr);
    EXPECT_EQ(set.frame(1), nullptr);
    EXPECT_NE(std::string(logCaptured()).find("kwFrameSet::frame frame_index < 0"),
              std::string::npos);
    EXPECT_NE(std::string(logCaptured()).find("kwFrameSet::frame frame_index >= num_frames"),
              std::string::npos);
    set.num_frames = 5;  // a count written by hand cannot reach past the array
    set.current_frame = 4;
    EXPECT_FALSE(set.place());
    EXPECT_FALSE(set.hitTest(0, 0, false));
    set.draw();
}

class AnimationFiles : public FramePlayerTest {
protected:
    void SetUp() override {
        FramePlayerTest::SetUp();
        testsprites::Records r;
        for (int i = 1; i <= 3; ++i)
            testsprites::addFrame(r, "apple_ambient_a", i, 8 + i, 6, 0xFF00FF00u);
        testsprites::addFrame(r, "broken", 1, 4, 4, 0xFFFF0000u);
        testsprites::addSprite(r, "b_broken_02.eye", "a_broken_02.eye", "other.msk", 4, 4,
                               0xFFFF0000u);
        ASSERT_TRUE(folder.write("anim.lfl", r));
        ASSERT_TRUE(list.add_lfl("anim.lfl"));
    }
    testsprites::DataFolder folder;
    kwLinkedFileList list;
};

TEST_F(AnimationFiles, LoadFrameSetAndMakePlayerShareNamedFrames) {
    std::array<kwLayeredSprite*, 3> sprites{};
    kwFrameSet* set = loadFrameSet(&list, "apple_ambient_a", 3, sprites);
    ASSERT_EQ(set->num_frames, 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(set->frame(i), sprites[i]);
        EXPECT_TRUE(sprites[i]->isComplete());
        EXPECT_EQ(sprites[i]->getWidth(), 9 + i);  // frame i + 1's own file
    }
    kwFramePlayer* player = makePlayer(set);
    EXPECT_EQ(player->frame(2), sprites[2]);
    EXPECT_FLOAT_EQ(player->duration_ms, 100.0f);
    delete player;
    destroyFrameSet(set);  // frees the sprites (the sanitizer build checks)
}

TEST_F(AnimationFiles, SpriteMissingAFileDrawsNothingAndHitsNothing) {
    logCaptureBegin();
    kwFrameSet* set = loadFrameSet(&list, "broken", 2);
    EXPECT_NE(std::string(logCaptured()).find("a_broken_m_02.msk"), std::string::npos);
    auto* good = static_cast<kwLayeredSprite*>(set->frame(0));
    auto* bad = static_cast<kwLayeredSprite*>(set->frame(1));
    EXPECT_FALSE(bad->isComplete());

    std::vector<uint16_t> pixels(40 * 30, 0x1234);
    screenSlot = kwRenderTarget{reinterpret_cast<uint8_t*>(pixels.data()), 80, 40, 30};
    bad->draw();
    for (uint16_t px : pixels) ASSERT_EQ(px, 0x1234);
    EXPECT_FALSE(bad->hitTest(0, 0, false));
    EXPECT_TRUE(good->hitTest(0, 0, true));
    EXPECT_FALSE(good->hitTest(10, 0, false));
    good->draw();  // the opaque red base lands over the alpha layer, centred
    EXPECT_EQ(pixels[15 * 40 + 20], 0xF800);
    EXPECT_EQ(pixels[0], 0x1234);
    screenSlot = kwRenderTarget{};
    destroyFrameSet(set);
}

}  // namespace

// Scripts ask whether an animation still plays without drawing it: the
// answer follows the clock, and a player found stopped shows the frame it
// ended on when it is next drawn.
TEST_F(FramePlayerTest, CheckPlayingFollowsTheClockWithoutADraw) {
    kwFramePlayer once, loop, counted;
    for (kwFramePlayer* p : {&once, &loop, &counted})
        for (int i = 0; i < 4; ++i) p->addFrame(&spies[i]);
    loop.setPlayMode(PlayLoop, 0);
    counted.setPlayMode(PlayPingPong, 1);
    for (kwFramePlayer* p : {&once, &loop, &counted}) {
        p->duration(10);  // 400 ms a pass
        p->play();
        p->place();
    }
    g_now = 5399;
    EXPECT_TRUE(once.checkPlaying());
    g_now = 5400;
    EXPECT_FALSE(once.checkPlaying());
    EXPECT_EQ(once.current_frame, 3);
    EXPECT_TRUE(counted.checkPlaying());  // back again takes a second pass
    g_now = 5800;
    EXPECT_FALSE(counted.checkPlaying());
    EXPECT_EQ(counted.current_frame, 0);
    g_now = 500000;
    EXPECT_TRUE(loop.checkPlaying());
}
