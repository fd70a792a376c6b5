// The glyph table and glyph text: character mapping, line layout and
// centring, vertical placement of lines, the explode step's integer
// arithmetic, and the letter capacity.
#include "render/glyph_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "render/sprite_archive.h"
#include "shell/log.h"

namespace {

int widthOf(int index) {
    return 10 + index;
}  // glyph k is 10 + k pixels wide

class GlyphTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        folder = new testsprites::DataFolder;
        testsprites::Records r;
        int index = 0;
        for (auto [kind, files] : {std::pair{"number", 10}, {"letter", 26}, {"punc", 14}}) {
            for (int i = 1; i <= files; ++i, ++index) {
                char b[64], a[64], m[64];
                std::snprintf(b, sizeof b, "b_interface_%s_%2.2d.eye", kind, i);
                std::snprintf(a, sizeof a, "a_interface_%s_%2.2d.eye", kind, i);
                std::snprintf(m, sizeof m, "a_interface_%s_m_%2.2d.msk", kind, i);
                testsprites::addSprite(r, b, a, m, widthOf(index), 3, 0xFFFFFFFFu);
            }
        }
        ASSERT_TRUE(folder->write("font.lfl", r));
    }
    static void TearDownTestSuite() { delete folder; }
    void SetUp() override {
        setDataFolder(folder->path);
        createGlyphTable();
    }
    void TearDown() override { deleteGlyphTable(); }
    static int indexOf(char c) {
        for (int i = 0; i < kwGlyphTable::kGlyphCount; ++i)
            if (glyphTable->glyphs[i].get() == glyphFor(uint8_t(c))) return i;
        return -1;
    }
    static inline testsprites::DataFolder* folder = nullptr;
};

TEST_F(GlyphTest, CharactersMapToTheirGlyphs) {
    EXPECT_EQ(indexOf('0'), 0);
    EXPECT_EQ(indexOf('9'), 9);
    EXPECT_EQ(indexOf('A'), 10);
    EXPECT_EQ(indexOf('z'), 35);
    EXPECT_EQ(glyphFor('q'), glyphFor('Q'));
    const std::string punctuation = "?.+-:\"',!&*()#";
    for (size_t i = 0; i < punctuation.size(); ++i)
        EXPECT_EQ(indexOf(punctuation[i]), 36 + int(i)) << punctuation[i];
    for (int c : {int(' '), 0, 9, int('@'), int('_'), 127, 128, 255})
        EXPECT_EQ(glyphFor(uint8_t(c)), nullptr) << c;
    kwLayeredSprite* a = glyphFor('A');
    createGlyphTable();  // already loaded: nothing rebuilt
    EXPECT_EQ(glyphFor('A'), a);
}

TEST_F(GlyphTest, LinesAreCentredAndStackedAboutThePosition) {
    kwGlyphText t;
    EXPECT_EQ(t.depth, 100.0f);
    EXPECT_EQ(t.addLine("ZZZZZZL"), 301);  // six Z (45) and an L (31)
    EXPECT_EQ(t.letters[0].x, -150.0f);
    EXPECT_EQ(t.letters[6].x, 120.0f);
    EXPECT_EQ(t.addLine("a b"), 301);  // a (20), space (14), b (21): the widest stays
    EXPECT_EQ(t.letters[7].x, -27.0f);
    EXPECT_EQ(t.letters[9].x, 7.0f);
    t.x = 5;
    t.y = 100;
    t.draw();
    // kwGlyph leaves the shared glyph where it last drew it.
    EXPECT_EQ(glyphFor('L')->y, 117.0f);  // first line 17 above
    EXPECT_EQ(glyphFor('L')->x, 125.0f);
    EXPECT_EQ(glyphFor('B')->y, 82.0f);  // second line 18 below
    EXPECT_EQ(t.letters[0].y, 0.0f);     // letters keep their relative places
    EXPECT_EQ(t.letters[0].x, -150.0f);
}

TEST_F(GlyphTest, LettersStayWholeAfterEveryDrawAndStep) {
    kwGlyphText t;
    t.addLine("HELLO");
    t.addLine("WORLD!");
    t.x = 0.75f;
    t.y = -10.5f;
    for (int step = 0; step < 30; ++step) {
        t.draw();
        t.explodeStep();
        for (int i = 0; i < t.count; ++i) {
            ASSERT_EQ(t.letters[i].x, std::trunc(t.letters[i].x));
            ASSERT_EQ(t.letters[i].y, std::trunc(t.letters[i].y));
        }
    }
}

// Without a table every character is a 14-pixel space.
TEST(GlyphTextNoFont, ExplodeStepIsATenthOfTheDistanceTruncated) {
    kwGlyphText one;
    one.addLine(" ");  // at the centre: (+1, +1)
    one.explodeStep();
    EXPECT_EQ(one.letters[0].x, -6.0f);
    EXPECT_EQ(one.letters[0].y, 1.0f);

    kwGlyphText pair;
    pair.addLine("  ");
    pair.letters[0].x = -90;  // the centre is at -45
    pair.letters[1].x = 0;
    pair.explodeStep();
    EXPECT_EQ(pair.letters[0].x, -94.0f);
    EXPECT_EQ(pair.letters[1].x, 4.0f);

    kwGlyphText two;  // rows at +17 and -18, centre truncated to 0
    two.addLine(" ");
    two.addLine(" ");
    two.explodeStep();
    EXPECT_EQ(two.letters[0].y, 1.0f);
    EXPECT_EQ(two.letters[1].y, -1.0f);

    for (int i = 0; i < 2000; ++i) two.explodeStep();  // stays finite and bounded
    EXPECT_LE(std::fabs(two.letters[1].y), float(1 << 24));
}

TEST(GlyphTextNoFont, LettersBeyondTheCapacityAreDropped) {
    kwGlyphText t;
    logCaptureBegin();
    t.addLine(std::string(90, 'x').c_str());
    EXPECT_EQ(t.addLine(std::string(30, 'y').c_str()), 90 * 14);
    EXPECT_EQ(t.count, 100);
    EXPECT_EQ(t.letters[99].character, 'y');
    EXPECT_EQ(t.letters[90].x, -70.0f);  // the ten kept letters are centred
    EXPECT_NE(
        std::string(logCaptured()).find("kwGlyphText::addLine - too many letters, 20 dropped"),
        std::string::npos);
    logCaptureEnd();
    t.addLine(nullptr);
    EXPECT_EQ(t.count, 100);
    t.draw();
}

}  // namespace
