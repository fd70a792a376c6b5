// Text forms: the focus (first field, cycling on Enter and Tab, by name),
// names matched without case, forwarding, and one caret on the frame.
#include "render/text_form.h"

#include <gtest/gtest.h>

#include <string>

#include "render/text_frame.h"

namespace {

using namespace textframe;

class TextFormTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"player1", "Player2", "player3"})
            form.addField(name, -100, 0, nullptr, 10);
    }
    kwTextForm form;
};

TEST_F(TextFormTest, FocusStartsFirstAndCyclesOnEnterAndTab) {
    EXPECT_TRUE(form.isFocused("player1"));
    EXPECT_FALSE(form.typeChar('a'));
    EXPECT_TRUE(form.typeChar(13));
    EXPECT_TRUE(form.isFocused("player2"));
    EXPECT_TRUE(form.typeChar(9));
    EXPECT_TRUE(form.typeChar(13));  // from the last back to the first
    EXPECT_TRUE(form.isFocused("PLAYER1"));
    form.focus("nobody");  // unknown: the focus stays
    EXPECT_TRUE(form.isFocused("player1"));
    EXPECT_FALSE(form.isFocused("nobody"));
    EXPECT_FALSE(kwTextForm().typeChar(13));  // no field, no focus
}

TEST_F(TextFormTest, NamesMatchIgnoringCaseAndUnknownNamesDoNothing) {
    EXPECT_EQ(form.findField("PLAYER2"), form.first->next.get());
    EXPECT_EQ(form.findField("player"), nullptr);
    form.setText("PLAYER3", "Sparkly");
    form.setText("nobody", "x");
    char out[16] = "unchanged";
    form.getText("nobody", out, sizeof out);
    EXPECT_STREQ(out, "unchanged");
    form.getText("player3", out, sizeof out);
    EXPECT_STREQ(out, "Sparkly");
    form.addField(std::string(60, 'q').c_str(), 0, 0, nullptr, 10);  // kept as 39
    EXPECT_EQ(form.findField(std::string(60, 'Q').c_str()), form.last);
}

TEST_F(TextFormTest, KeysGoToTheFocusedFieldAndOnlyItShowsACaret) {
    for (char c : std::string("abc")) form.typeChar(uint32_t(c));
    form.caretLeft();
    form.deleteAtCaret();
    form.caretLeft();
    form.caretRight();
    form.typeChar('x');
    EXPECT_STREQ(form.first->text, "abx");
    EXPECT_EQ(form.first->next->length, 0);
    form.first->setText("");
    form.first->next->y = 100;
    form.setCaretColor(255, 0, 0);  // on every field
    form.focus("player2");
    openScreen();
    beginFrame();
    form.draw();
    // Without a font a field is 10 high: the caret spans rows 196 .. 205.
    EXPECT_EQ(frameInk(0xF800), (Box{300, 196, 300, 205}));
    EXPECT_FALSE(form.first->focused);
    destroyRenderScreen();
}

}  // namespace
