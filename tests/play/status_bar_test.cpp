// The status bar and its effects against a headless screen: digit fields
// and where each digit lands, the clock's split into minutes and seconds,
// the star count's boundaries, the board colours by level, the text blocks,
// and the sparkle pool's slot search, lifetime and fading.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "board/board_host.h"
#include "platform/headless/headless.h"
#include "play/board_background.h"
#include "play/number_display.h"
#include "play/sparkle_pool.h"
#include "play/star_bar.h"
#include "play/text_block.h"
#include "render/eye.h"
#include "render/glyph_text.h"
#include "render/png_writer.h"
#include "render/render_target.h"
#include "render/screen.h"
#include "render/sprite_archive.h"
#include "render/text.h"
#include "shell/clock.h"
#include "shell/game_state.h"

namespace {

uint32_t g_now = 0;

// Digit d is a 20 x 30 block of its own colour; ':' is 6 x 30.
constexpr int kGlyphW = 20, kGlyphH = 30, kColonW = 6;
constexpr int kStarW = 16, kSparkleW = 24;
constexpr uint32_t kStarArgb = 0xFFFFD700u, kSparkleArgb = 0xFFFFFFFFu, kColonArgb = 0xFF00FF00u;

uint32_t digitArgb(int d) {
    return 0xFF000000u | uint32_t(40 + d * 20) << 16 | uint32_t(200 - d * 15);
}
uint16_t packed(uint32_t argb) {
    return packColorRef(makeColorRef((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF));
}

class StatusTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        headlessReset();
        headlessPlatform().openWindow({});
        createRenderScreen(800, 600, 16);
        folder = new testsprites::DataFolder;
        testsprites::Records font;
        int index = 0;
        for (auto [kind, files] : {std::pair{"number", 10}, {"letter", 26}, {"punc", 14}}) {
            for (int i = 1; i <= files; ++i, ++index) {
                char b[64], a[64], m[64];
                std::snprintf(b, sizeof b, "b_interface_%s_%2.2d.eye", kind, i);
                std::snprintf(a, sizeof a, "a_interface_%s_%2.2d.eye", kind, i);
                std::snprintf(m, sizeof m, "a_interface_%s_m_%2.2d.msk", kind, i);
                const bool colon = index == 40;  // punctuation file 05
                testsprites::addSprite(font, b, a, m, colon ? kColonW : kGlyphW, kGlyphH,
                                       index < 10 ? digitArgb(index)
                                       : colon    ? kColonArgb
                                                  : 0xFF808080u);
            }
        }
        ASSERT_TRUE(folder->write("font.lfl", font));
        testsprites::Records play;
        testsprites::addSprite(play, "b_status_bar_star_01.eye", "a_status_bar_star_01.eye",
                               "a_status_bar_star_m_01.msk", kStarW, kStarW, kStarArgb);
        auto sparkle = testsprites::block(kSparkleW, kSparkleW, kSparkleArgb);
        play.emplace_back("bonus_01.eye", encodeEyeRle(sparkle.data(), kSparkleW, kSparkleW));
        ASSERT_TRUE(folder->write("play.lfl", play));
    }
    static void TearDownTestSuite() {
        delete folder;
        folder = nullptr;
        destroyRenderScreen();
    }
    void SetUp() override {
        setDataFolder(folder->path);
        createGlyphTable();
        archive.add_lfl("play.lfl");
        resetClock();
        g_now = 50000;
        setTickSource([] { return g_now; });
        gameState = kwGameState{};
    }
    void TearDown() override {
        setTickSource(nullptr);
        deleteGlyphTable();
        archive.clear();
    }
    // Draws one drawable into a cleared screen and keeps the frame.
    void drawOnly(kwDrawable& d) {
        ASSERT_TRUE(screen->Lock());
        targetScreen();
        for (int y = 0; y < 600; ++y)
            std::memset(screenSlot.pixels + size_t(y) * size_t(screenSlot.pitch), 0, 1600);
        d.draw();
        copyFrame();
        screen->Unlock();
    }
    void copyFrame() {
        for (int y = 0; y < 600; ++y)
            std::memcpy(frame[y], screenSlot.pixels + size_t(y) * size_t(screenSlot.pitch), 1600);
    }
    // The pixel at a scene position (centre origin, y up).
    uint16_t at(int sx, int sy) const { return frame[300 - sy][400 + sx]; }

    static inline testsprites::DataFolder* folder = nullptr;
    kwLinkedFileList archive;
    uint16_t frame[600][800];
};

using StatusBar = StatusTest;
using SparklePool = StatusTest;

std::string fieldOf(int32_t value, int32_t digits) {
    kwNumberDisplay d(0, 0, digits);
    d.value = value;
    char text[kwNumberDisplay::kMaxText];
    d.format(text);
    return text;
}

}  // namespace

TEST_F(StatusBar, FieldsHaveLeadingZerosAndWiderValuesShowWhole) {
    EXPECT_EQ(fieldOf(7, 7), "0000007");
    EXPECT_EQ(fieldOf(9999999, 7), "9999999");
    EXPECT_EQ(fieldOf(10000000, 7), "10000000");
    EXPECT_EQ(fieldOf(2147483647, 7), "2147483647");
    EXPECT_EQ(fieldOf(3, 2), "03");
    EXPECT_EQ(fieldOf(0, 1), "0");
    EXPECT_EQ(fieldOf(-5, 3), "-05");
    EXPECT_EQ(fieldOf(-2147483647 - 1, 7), "-2147483648");

    // The score's digits start at x -10, 23 apart; an eighth digit goes
    // left of the field so the others keep their places.
    kwScoreDisplay score;
    EXPECT_EQ(score.depth, 100.0f);
    gameState.score[0] = 7;
    drawOnly(score);
    EXPECT_EQ(at(-10, 282), packed(digitArgb(0)));
    EXPECT_EQ(at(-10 + 23 * 6, 282), packed(digitArgb(7)));
    EXPECT_EQ(at(-10 - 23, 282), 0);
    gameState.score[0] = 12345678;
    drawOnly(score);
    EXPECT_EQ(at(-10 - 23, 282), packed(digitArgb(1)));
    EXPECT_EQ(at(-10, 282), packed(digitArgb(2)));
    EXPECT_EQ(at(-10 + 23 * 6, 282), packed(digitArgb(8)));
}

TEST_F(StatusBar, DisplaysFollowTheCurrentPlayer) {
    kwScoreDisplay score;
    kwLevelDisplay level;
    gameState.score = {11, 22, 33};
    gameState.level = {4, 12, 16};
    gameState.currentPlayer = 1;
    drawOnly(level);
    EXPECT_EQ(at(280, 282), packed(digitArgb(1)));
    EXPECT_EQ(at(303, 282), packed(digitArgb(2)));
    drawOnly(score);
    EXPECT_EQ(score.value, 22);
    gameState.currentPlayer = -1;  // between games
    drawOnly(score);
    EXPECT_EQ(score.value, 0);
}

TEST_F(StatusBar, ClockSplitsTimeLeftIntoMinutesAndSeconds) {
    kwMinutesDisplay minutes;
    kwSecondsDisplay seconds;
    gameState.timeLeft = 125;
    drawOnly(minutes);
    EXPECT_EQ(at(-272, 282), packed(digitArgb(2)));
    drawOnly(seconds);
    EXPECT_EQ(at(-255, 282), packed(kColonArgb));
    EXPECT_EQ(at(-240, 282), packed(digitArgb(0)));
    EXPECT_EQ(at(-217, 282), packed(digitArgb(5)));
    struct Case {
        int32_t left, m, s;
    } cases[] = {{59, 0, 59}, {60, 1, 0}, {599, 9, 59}, {0, 0, 0}, {-3, 0, 0}};
    for (const Case& c : cases) {
        gameState.timeLeft = c.left;
        drawOnly(minutes);
        drawOnly(seconds);
        EXPECT_EQ(minutes.value, c.m) << c.left;
        EXPECT_EQ(seconds.value, c.s) << c.left;
    }
}

TEST_F(StatusBar, StarsCountTwentyEighthsOfTheGoal) {
    EXPECT_EQ(kwStarBar::starCount(0, 2800), 0);
    EXPECT_EQ(kwStarBar::starCount(99, 2800), 0);
    EXPECT_EQ(kwStarBar::starCount(100, 2800), 1);
    EXPECT_EQ(kwStarBar::starCount(2799, 2800), 27);
    EXPECT_EQ(kwStarBar::starCount(2800, 2800), 28);
    EXPECT_EQ(kwStarBar::starCount(90000, 2800), 28);
    EXPECT_EQ(kwStarBar::starCount(2147483647, 30000), 28);  // no wrap in the product
    EXPECT_EQ(kwStarBar::starCount(500, 0), 0);              // no goal, no stars
    EXPECT_EQ(kwStarBar::starCount(-5, 2800), 0);

    kwBoardHost host;
    kwStarBar bar(&archive, &host);
    EXPECT_EQ(bar.depth, 10.0f);
    host.levelGoal = 2000;
    host.levelPoints = 3 * 2000 / 28 + 1;  // three stars
    drawOnly(bar);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(at(kwStarBar::kStarX[i], 255), packed(kStarArgb)) << i;
    EXPECT_EQ(at(kwStarBar::kStarX[3], 255), 0);
    host.levelPoints = 2000;
    drawOnly(bar);
    EXPECT_EQ(at(334, 255), packed(kStarArgb));
    EXPECT_EQ(at(-291, 255), packed(kStarArgb));
    host.levelPoints = 0;
    drawOnly(bar);
    EXPECT_EQ(at(-291, 255), 0);
}

TEST_F(StatusBar, BoardColoursChangeAtLevelsNineAndTheLast) {
    auto first = [](int level) { return boardColoursForLevel(level, kLevelCount).r1; };
    auto second = [](int level) { return boardColoursForLevel(level, kLevelCount).b2; };
    EXPECT_EQ(first(1), 127);
    EXPECT_EQ(second(8), 253);
    EXPECT_EQ(first(9), 122);
    EXPECT_EQ(second(9), 130);
    EXPECT_EQ(boardColoursForLevel(15, kLevelCount).g1, 129);
    EXPECT_EQ(boardColoursForLevel(16, kLevelCount).g1, 246);
    EXPECT_EQ(second(16), 53);
    EXPECT_EQ(boardColoursForLevel(40, kLevelCount).g1, 246);
    EXPECT_EQ(boardColoursForLevel(12, 12).g1, 246);  // the last level, whatever the count
}

TEST_F(StatusBar, TextBlocksHoldTheirLines) {
    kwTextBlock out;
    out.addTimeOutLines();
    EXPECT_EQ(out.lines, 5);
    EXPECT_EQ(out.count, 10);  // "Out", "of", "Time!"
    EXPECT_EQ(out.letters[3].character, 'o');
    EXPECT_EQ(out.lineOf[3], 2);
    EXPECT_EQ(out.lineOf[5], 4);

    kwTextBlock intro;
    intro.addLevelLine(16);
    const char* rules[] = {" ", "Pearadise"};
    intro.addLines(rules, 2);
    intro.addTurnLine("abcdefghijXYZ");  // longer than a name may be: cut at 10
    EXPECT_EQ(intro.lines, 5);
    std::string last;
    for (int i = 0; i < intro.count; ++i)
        if (intro.lineOf[i] == 4) last += char(intro.letters[i].character);
    EXPECT_EQ(last, "abcdefghij's turn!");
    EXPECT_EQ(intro.letters[6].character, '1');
    EXPECT_EQ(intro.letters[7].character, '6');
}

TEST_F(SparklePool, SlotsFillFromNextAndWrap) {
    kwSparklePool pool;
    EXPECT_EQ(pool.depth, 40.0f);
    for (int i = 0; i < 3; ++i) pool.addSparkle(float(i), 0);
    EXPECT_EQ(pool.next, 3);
    pool.slots[1].active = 0;
    pool.addSparkle(9, 9);  // the search starts at next, not at the first free slot
    EXPECT_EQ(pool.next, 4);
    pool.next = 170;
    for (int i = 0; i < 6; ++i) pool.addSparkle(0, 0);
    EXPECT_EQ(pool.next, 176);
    pool.addSparkle(5, 6);  // from the end back to the start: slot 1 is free
    EXPECT_EQ(pool.next, 2);
    EXPECT_EQ(pool.slots[1].x, 5.0f);
    EXPECT_EQ(pool.slots[1].start, g_now);
    pool.clearSparkles();
    EXPECT_EQ(pool.next, 0);
    EXPECT_EQ(pool.liveCount(g_now), 0);
}

TEST_F(SparklePool, AFullPoolRefusesUntilASlotHasFadedOut) {
    kwSparklePool pool;
    for (int i = 0; i < kwSparklePool::kSlots; ++i) {
        pool.addSparkle(float(i), 0);
        ++g_now;  // slot i is filled at 50000 + i
    }
    const auto before = pool.slots;
    pool.addSparkle(-1, -1);  // the 177th
    EXPECT_EQ(std::memcmp(&before, &pool.slots, sizeof before), 0);
    g_now = 50000 + 1022;
    pool.addSparkle(-1, -1);
    EXPECT_EQ(pool.slots[0].x, 0.0f);
    g_now = 50000 + 1023;  // slot 0 is over, even without a draw in between
    pool.addSparkle(-1, -1);
    EXPECT_EQ(pool.slots[0].x, -1.0f);
    EXPECT_EQ(pool.next, 1);
}

TEST_F(SparklePool, SparklesFadeOverASecondAndFreeTheirSlot) {
    kwSparklePool pool;
    ASSERT_TRUE(pool.load(&archive));
    pool.addSparkle(100, -50);
    drawOnly(pool);
    EXPECT_EQ(pool.image.opacity, 255u);
    EXPECT_EQ(at(100, -50), packed(kSparkleArgb));
    g_now += 511;
    drawOnly(pool);
    EXPECT_EQ(pool.image.opacity, 128u);
    const uint16_t half = at(100, -50);
    EXPECT_NE(half, 0);
    EXPECT_NE(half, packed(kSparkleArgb));
    g_now += 511;  // age 1022: the last, invisible step
    drawOnly(pool);
    EXPECT_EQ(pool.image.opacity, 0u);
    EXPECT_EQ(pool.slots[0].active, 1);
    g_now += 1;
    drawOnly(pool);
    EXPECT_EQ(pool.slots[0].active, 0);
    kwSparklePool missing;
    kwLinkedFileList empty;
    EXPECT_FALSE(missing.load(&empty));
    missing.addSparkle(0, 0);
    drawOnly(missing);  // no picture: nothing drawn, the slot still ages
    EXPECT_EQ(at(0, 0), 0);
}
