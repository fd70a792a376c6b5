// Text fields: editing at the caret, the length limit and refused codes,
// the caret's column and rows on the frame, and its 500 ms blink.
#include "render/text_field.h"

#include <gtest/gtest.h>

#include <string>

#include "render/text_frame.h"

namespace {

using namespace textframe;

constexpr int kRed = 0xF800;

class TextFieldTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        openScreen();
        arial = new kwFont(24, "Arial");
    }
    static void TearDownTestSuite() {
        delete arial;
        destroyRenderScreen();
    }
    void SetUp() override {
        g_now = 1000;
        beginFrame();
    }
    static kwTextField abcAt1() {
        kwTextField f(arial, 10);
        f.setText("abc");
        f.caretLeft();
        f.caretLeft();
        return f;
    }
    static inline kwFont* arial = nullptr;
};

TEST_F(TextFieldTest, EditingHappensAtTheCaret) {
    kwTextField f = abcAt1();
    EXPECT_FALSE(f.typeChar(8));
    EXPECT_STREQ(f.text, "bc");
    EXPECT_EQ(f.caret, 0);
    f.typeChar(8);  // nothing before the caret
    EXPECT_STREQ(f.text, "bc");
    f = abcAt1();
    f.deleteAtCaret();
    EXPECT_STREQ(f.text, "ac");
    EXPECT_EQ(f.caret, 1);
    f = abcAt1();
    f.typeChar('x');
    EXPECT_STREQ(f.text, "axbc");
    EXPECT_EQ(f.caret, 2);
    f.setText("ab");  // caret at the end: Delete does nothing, Backspace takes the last
    f.deleteAtCaret();
    f.typeChar(8);
    f.caretRight();
    EXPECT_STREQ(f.text, "a");
    EXPECT_EQ(f.caret, 1);
}

TEST_F(TextFieldTest, EnterAndTabAskForTheNextFieldAndTheLimitsHold) {
    kwTextField f(arial, 10);
    EXPECT_TRUE(f.typeChar(13));
    EXPECT_TRUE(f.typeChar(9));
    for (uint32_t code : {0u, 27u, 127u, 0x141u}) EXPECT_FALSE(f.typeChar(code));
    EXPECT_EQ(f.length, 0);
    for (int i = 0; i < 11; ++i) f.typeChar('0' + i);
    EXPECT_STREQ(f.text, "0123456789");  // the eleventh is ignored
    kwTextField wide(arial, 1000);
    for (int i = 0; i < 300; ++i) wide.typeChar('w');
    EXPECT_EQ(wide.length, 255);
}

TEST_F(TextFieldTest, CaretStandsAtTheMeasuredWidthOnTheCellRows) {
    kwTextField f(arial, 10);
    f.setText("Sparkly");
    f.setCaretColor(255 + 256, 0, -256);  // masked: pure red
    f.x = -100.7f, f.y = 50;              // column 400 + trunc(x) = 300, row 250
    for (int caret : {0, 3, 7})
        for (int v = -1; v <= 1; ++v) {
            beginFrame();
            f.caret = caret;
            f.setAlign(-1, v);
            f.draw();
            const int column = 300 + arial->textWidth(std::string(f.text, caret).c_str());
            const int bottom = 250 + (v < 0 ? -24 / 20 : v == 0 ? 12 : 24 + 24 / 20);
            EXPECT_EQ(frameInk(kRed), (Box{column, bottom - 23, column, bottom})) << caret << v;
        }
    GuardedTarget g(100, 20);
    f.setText("");
    f.setAlign(-1, 0);
    f.x = 0, f.y = 12;  // rows -13 .. 10: only 0 .. 10 are drawn
    f.draw();
    EXPECT_EQ(frameInk(kRed), (Box{50, 0, 50, 10}));
    for (float x : {50.0f, -51.0f}) {
        f.x = x;
        f.draw();
    }
    EXPECT_EQ(g.spoiled(), 0);
}

TEST_F(TextFieldTest, CaretBlinksEvery500msAndEditsShowItAtOnce) {
    kwTextField f(arial, 10);  // the phase starts at 1000
    f.setCaretColor(255, 0, 0);
    auto shownAt = [&](uint32_t t) {
        g_now = t;
        beginFrame();
        f.draw();
        return frameInk(kRed) != Box{};
    };
    EXPECT_TRUE(shownAt(1499));
    EXPECT_FALSE(shownAt(1500));
    EXPECT_FALSE(shownAt(1999));
    EXPECT_TRUE(shownAt(2000));
    EXPECT_FALSE(shownAt(2600));
    f.typeChar('a');  // shown again, the phase restarts at 2600
    EXPECT_TRUE(shownAt(3099));
    EXPECT_FALSE(shownAt(3100));
    f.setFocused(false);
    EXPECT_FALSE(shownAt(3700));
    EXPECT_FALSE(f.caretShown);  // the phase stands still without the focus
}

}  // namespace
