// Piece art sets and the how-to panel's demonstration pieces: building once,
// the look and freeze-ray sequences and their timing, frame file naming,
// every type against the generated archives, and the showcases' dice.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "board/fruit/apple_art.h"
#include "board/fruit/banana_art.h"
#include "board/fruit/lemon_art.h"
#include "board/fruit/orange_art.h"
#include "board/fruit/pear_art.h"
#include "board/fruit/watermelon_art.h"
#include "board/piece_showcase.h"
#include "board/sweets/brush_art.h"
#include "board/sweets/chocolate_art.h"
#include "board/sweets/chomp_art.h"
#include "board/sweets/cone_art.h"
#include "board/sweets/donut_art.h"
#include "board/sweets/orange_hard_candy_art.h"
#include "board/sweets/red_hard_candy_art.h"
#include "board/sweets/yellow_hard_candy_art.h"
#include "render/sprite_archive.h"
#include "shell/clock.h"
#include "shell/log.h"
#include "shell/random.h"

namespace {

uint32_t g_now = 0;

// The generated archives and a clock the test moves by hand.
class ArtFixture : public ::testing::Test {
protected:
    void SetUp() override {
        setDataFolder(GG_BINARY_DIR "/data");
        resetClock();
        g_now = 10000;
        setTickSource([] { return g_now; });
    }
    void TearDown() override {
        setTickSource(nullptr);
        setDataFolder("");
        logCaptureEnd();
    }
};

class PieceArtSet : public ArtFixture {};
class PieceShowcase : public ArtFixture {};

// The indices into the frame set that a player's frames are.
std::vector<int> sequenceOf(const kwFramePlayer& player, const kwFrameSet& set) {
    std::vector<int> out;
    for (kwDrawable* f : player.frames) {
        int index = -1;
        for (int i = 0; i < set.num_frames; ++i)
            if (set.frames[size_t(i)] == f) index = i;
        out.push_back(index);
    }
    return out;
}

// The set index shown by a copy of the player at ms after play().
int shownAt(kwFramePlayer& p, const kwFrameSet& set, uint32_t ms) {
    g_now = p.start_time + ms;
    p.place();
    return sequenceOf(p, set)[size_t(p.current_frame)];
}

std::vector<std::unique_ptr<kwPieceArt>> everyType() {
    std::vector<std::unique_ptr<kwPieceArt>> arts;
    arts.push_back(std::make_unique<kwAppleArt>());
    arts.push_back(std::make_unique<kwOrangeArt>());
    arts.push_back(std::make_unique<kwLemonArt>());
    arts.push_back(std::make_unique<kwChocolateArt>());
    arts.push_back(std::make_unique<kwRedHardCandyArt>());
    arts.push_back(std::make_unique<kwOrangeHardCandyArt>());
    arts.push_back(std::make_unique<kwYellowHardCandyArt>());
    arts.push_back(std::make_unique<kwBrushArt>());
    arts.push_back(std::make_unique<kwWatermelonArt>());
    arts.push_back(std::make_unique<kwBananaArt>());
    arts.push_back(std::make_unique<kwDonutArt>());
    arts.push_back(std::make_unique<kwPearArt>());
    arts.push_back(std::make_unique<kwConeArt>());
    arts.push_back(std::make_unique<kwChompArt>());
    return arts;
}

TEST_F(PieceArtSet, LoadingTwiceBuildsOnceAndNothingBeforeLoad) {
    kwAppleArt art;
    EXPECT_FALSE(art.loaded);
    EXPECT_EQ(art.player(kwAnim::AmbientA), nullptr);
    art.load();
    ASSERT_TRUE(art.loaded);
    const kwLinkedFileList* archive = art.archive.get();
    const kwFramePlayer* look = art.player(kwAnim::LookUp);
    const kwLayeredSprite* sprite = art.sprites(kwAnim::AmbientC)[10];
    art.load();
    EXPECT_EQ(art.archive.get(), archive);
    EXPECT_EQ(art.player(kwAnim::LookUp), look);
    EXPECT_EQ(art.sprites(kwAnim::AmbientC)[10], sprite);
    EXPECT_EQ(art.sprites(kwAnim::AmbientC).size(), 11u);
}

TEST_F(PieceArtSet, LookHoldsTwentyOneFramesAndStopsBackOnTheFirstAfter700ms) {
    kwOrangeArt art;
    art.load();
    for (kwAnim a : {kwAnim::LookDown, kwAnim::LookUp, kwAnim::LookLeft, kwAnim::LookRight}) {
        const kwFrameSet& set = *art.frameSet(a);
        kwFramePlayer p = *art.player(a);
        ASSERT_EQ(set.num_frames, 3);
        const std::vector<int> expected = {0, 1, 2, 2, 2, 2, 2, 2, 2, 2, 2,
                                           2, 2, 2, 2, 2, 2, 2, 2, 1, 0};
        EXPECT_EQ(sequenceOf(p, set), expected);
        EXPECT_NEAR(p.duration_ms, 700.0f, 0.01f);
        EXPECT_EQ(p.play_mode, PlayOnce);
        p.play();
        EXPECT_EQ(shownAt(p, set, 66), 1);
        EXPECT_EQ(shownAt(p, set, 610), 2);  // frame 18, still holding
        EXPECT_EQ(shownAt(p, set, 640), 1);
        EXPECT_EQ(shownAt(p, set, 699), 0);
        EXPECT_TRUE(p.isPlaying());
        EXPECT_EQ(shownAt(p, set, 700), 0);
        EXPECT_FALSE(p.isPlaying());
        EXPECT_EQ(shownAt(p, set, 5000), 0);
    }
}

TEST_F(PieceArtSet, ConeFreezeRayWindsUpThenFlickersAtFifteenPerSecond) {
    kwConeArt art;
    art.load();
    for (kwAnim a : {kwAnim::FrDown, kwAnim::FrUp, kwAnim::FrLeft, kwAnim::FrRight}) {
        const kwFrameSet& set = *art.frameSet(a);
        kwFramePlayer p = *art.player(a);
        const std::vector<int> expected = {0, 1, 2, 3, 4, 4, 3, 4, 3, 4,
                                           3, 4, 3, 4, 3, 4, 3, 4, 3, 4};
        EXPECT_EQ(sequenceOf(p, set), expected);
        EXPECT_FLOAT_EQ(p.fps, 15.0f);
        EXPECT_NEAR(p.duration_ms, 1333.33f, 0.01f);
        p.play();
        EXPECT_EQ(shownAt(p, set, 333), 4);   // frame 4 ends at 333.3 ms
        EXPECT_EQ(shownAt(p, set, 380), 4);   // frame 5 repeats the wound-up frame
        EXPECT_EQ(shownAt(p, set, 420), 3);   // frame 6 flickers back
        EXPECT_EQ(shownAt(p, set, 1334), 4);  // stopped on the last frame
        EXPECT_FALSE(p.isPlaying());
    }
    // Only the cone has freeze rays; other looks stay plain 21-frame looks.
    EXPECT_EQ(art.player(kwAnim::LookLeft)->num_frames, 21);
    EXPECT_EQ(art.player(kwAnim::Roll), nullptr);
}

TEST_F(PieceArtSet, RatesAndModesOfTheTemplatePlayers) {
    struct Row {
        std::function<std::unique_ptr<kwPieceArt>()> make;
        kwAnim anim;
        int frames;
        float fps;
        uint32_t mode, repeats;
    };
    const std::vector<Row> rows = {
        {[] { return std::make_unique<kwAppleArt>(); }, kwAnim::AmbientC, 11, 30, PlayOnce, 0},
        {[] { return std::make_unique<kwLemonArt>(); }, kwAnim::AmbientC, 36, 15, PlayOnce, 0},
        {[] { return std::make_unique<kwChocolateArt>(); }, kwAnim::AmbientC, 22, 10, PlayOnce, 0},
        {[] { return std::make_unique<kwYellowHardCandyArt>(); }, kwAnim::AmbientC, 22, 30,
         PlayPingPong, 1},
        {[] { return std::make_unique<kwDonutArt>(); }, kwAnim::Roll, 10, 15, PlayLoop, 0},
        {[] { return std::make_unique<kwDonutArt>(); }, kwAnim::AmbientC, 10, 20, PlayOnce, 0},
        {[] { return std::make_unique<kwChompArt>(); }, kwAnim::AmbientB, 3, 15, PlayLoop, 0},
        {[] { return std::make_unique<kwChompArt>(); }, kwAnim::AmbientC, 5, 10, PlayLoop, 0},
        {[] { return std::make_unique<kwBrushArt>(); }, kwAnim::Disappears, 10, 30, PlayOnce, 0},
    };
    for (const Row& r : rows) {
        auto art = r.make();
        art->load();
        SCOPED_TRACE(std::string(art->stem()) + " " + animSuffix(r.anim));
        const kwFramePlayer* p = art->player(r.anim);
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(p->num_frames, r.frames);
        EXPECT_FLOAT_EQ(p->fps, r.fps);
        EXPECT_EQ(p->play_mode, r.mode);
        EXPECT_EQ(p->repeats, r.repeats);
    }
}

TEST_F(PieceArtSet, EveryTypeLoadsEveryAnimationCompleteFromTheGeneratedArchives) {
    for (auto& art : everyType()) {
        art->load();
        SCOPED_TRACE(art->stem());
        int present = 0;
        for (const kwAnimSpec& spec : art->animations()) {
            SCOPED_TRACE(animSuffix(spec.anim));
            const kwFramePlayer* p = art->player(spec.anim);
            ASSERT_NE(p, nullptr);
            ASSERT_EQ(art->frameSet(spec.anim)->num_frames, spec.frames);
            for (kwLayeredSprite* s : art->sprites(spec.anim)) {
                ASSERT_NE(s, nullptr);
                EXPECT_TRUE(s->isComplete());
                EXPECT_GT(s->getWidth(), 0);
            }
            ++present;
        }
        int players = 0;
        for (size_t a = 0; a < kAnimCount; ++a)
            if (art->player(kwAnim(a))) ++players;
        EXPECT_EQ(players, present);  // animations a type lacks are null
    }
}

// The tenth frame must come from "..._10" files, not "..._010" or "..._0a".
TEST_F(PieceArtSet, FrameFilesAreNumberedWithTwoDigitsAndMissingFilesLeaveGaps) {
    testsprites::DataFolder folder;
    testsprites::Records records;
    for (int i = 1; i <= 10; ++i)
        testsprites::addFrame(records, "donut_roll", i, i == 10 ? 7 : 4, 4, 0xff3366ffu);
    ASSERT_TRUE(folder.write("donut.lfl", records));
    logCaptureBegin();
    kwDonutArt donut;
    donut.load();
    auto roll = donut.sprites(kwAnim::Roll);
    ASSERT_EQ(roll.size(), 10u);
    EXPECT_TRUE(roll[9]->isComplete());
    EXPECT_EQ(roll[9]->getWidth(), 7);
    EXPECT_EQ(roll[8]->getWidth(), 4);
    EXPECT_FALSE(donut.sprites(kwAnim::AmbientA)[0]->isComplete());

    // No archive at all: the set still loads, every sprite incomplete.
    kwPearArt pear;
    pear.load();
    EXPECT_TRUE(pear.loaded);
    ASSERT_NE(pear.player(kwAnim::LookDown), nullptr);
    EXPECT_EQ(pear.player(kwAnim::LookDown)->num_frames, 21);
    EXPECT_FALSE(pear.sprites(kwAnim::Shock)[0]->isComplete());
    kwFramePlayer shock = *pear.player(kwAnim::Shock);
    EXPECT_FALSE(shock.hitTest(0, 0, true));
}

// The dice, replayed from the same seed, say which roll brings the fidget.
int firstFidgetRoll(uint32_t seed) {
    seedRandomWith(seed);
    for (int n = 1;; ++n)
        if (random(kwPieceShowcase::kRollRange) < kwPieceShowcase::kRollChance) return n;
}

TEST_F(PieceShowcase, RollsOncePerHundredMsAndFidgetsOnceAtFivePercent) {
    kwAppleArt art;
    art.load();
    const uint32_t seed = 1234;
    const int fidgetRoll = firstFidgetRoll(seed);
    ASSERT_GT(fidgetRoll, 1);
    seedRandomWith(seed);
    kwPieceShowcase show(art);
    const uint32_t built = g_now;

    g_now = built + kwPieceShowcase::kRollIntervalMs;  // not yet: "more than" 100 ms
    show.draw();
    EXPECT_EQ(show.lastRoll, built);
    int rolls = 0;
    while (!show.showingFidget() && rolls < fidgetRoll + 5) {
        g_now += kwPieceShowcase::kRollIntervalMs + 1;
        show.draw();
        show.draw();  // a second draw in the same ms never rolls again
        ++rolls;
        EXPECT_EQ(show.lastRoll, g_now);
    }
    EXPECT_EQ(rolls, fidgetRoll);
    ASSERT_TRUE(show.showingFidget());
    EXPECT_TRUE(show.ambientB.isPlaying());

    // While ambient_b plays (3 frames, 100 ms) nothing is rolled.
    const uint32_t fidgetStart = g_now;
    g_now = fidgetStart + 99;
    show.draw();
    EXPECT_TRUE(show.showingFidget());
    EXPECT_EQ(show.lastRoll, fidgetStart);
    g_now = fidgetStart + 100;
    show.draw();
    EXPECT_FALSE(show.showingFidget());
    EXPECT_EQ(show.lastRoll, fidgetStart);
}

TEST_F(PieceShowcase, CandyPlaysItsSparkleOnceUnderTheMouseThenRests) {
    kwRedHardCandyArt art;
    art.load();
    kwCandyShowcase candy(art);
    EXPECT_FALSE(candy.highlighted());
    candy.setPosition(-115, -114);
    EXPECT_FLOAT_EQ(candy.ambientC.x, -115.0f);
    EXPECT_FLOAT_EQ(candy.ambientA.y, -114.0f);
    EXPECT_TRUE(candy.hitTest(-115, -114));
    EXPECT_FALSE(candy.hitTest(300, 200));

    candy.highlight(true);
    const uint32_t started = candy.ambientC.start_time;
    g_now += 500;
    candy.highlight(true);  // already sparkling: not restarted
    EXPECT_EQ(candy.ambientC.start_time, started);
    candy.draw();
    EXPECT_TRUE(candy.highlighted());
    // 25 frames at 15/s: 1666.7 ms, then back to rest on the next draw.
    g_now = started + 1667;
    candy.draw();
    EXPECT_FALSE(candy.highlighted());
    EXPECT_EQ(candy.ambientA.start_time, g_now);
}

}  // namespace
