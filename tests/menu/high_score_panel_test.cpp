// The high-score panel: the cells it writes for each row, the clear
// button's pixel-exact hover and click, drawing the rows under the card,
// and a panel whose pictures are missing.
#include "menu/high_score_panel.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "render/sprite_archive.h"
#include "render/text_frame.h"
#include "shell/game_state.h"
#include "shell/log.h"

namespace {

constexpr uint16_t kRed565 = 0xF800, kGreen565 = 0x07E0, kBlue565 = 0x001F;
constexpr int kHalfW = 400, kHalfH = 300;

// The clear button: 40 x 20 at (0, -196), top half opaque, bottom half
// see-through, so a pixel test and a rectangle test disagree below y -196.
constexpr float kClearX = 0, kClearY = -196;
constexpr int32_t kOnButton = -190, kOnSeeThrough = -200;

std::vector<uint8_t> image(int w, int h, uint32_t argb, float x, float y,
                           bool bottomClear = false) {
    auto px = testsprites::block(w, h, argb);
    if (bottomClear) std::fill(px.begin() + (h / 2) * w, px.end(), 0u);
    kwEyeOptions o;
    o.x = x, o.y = y;
    return encodeEyeRle(px.data(), w, h, o);
}

class HighScorePanel : public testing::Test {
protected:
    static void SetUpTestSuite() { textframe::openScreen(); }
    static void TearDownTestSuite() { destroyRenderScreen(); }
    void SetUp() override {
        saved = gameState;
        gameState = kwGameState{};
        textframe::beginFrame();
    }
    void TearDown() override { gameState = saved; }

    // An archive with the card (a 60 x 20 red block over row 0's name) and
    // the two clear pictures, less the one named in `skip`.
    std::unique_ptr<kwLinkedFileList> archive(const char* skip = "") {
        testsprites::Records r;
        auto add = [&](const char* name, std::vector<uint8_t> payload) {
            if (std::strcmp(name, skip) != 0) r.emplace_back(name, std::move(payload));
        };
        add(kwHighScorePanel::kTitleName, image(60, 20, 0xFFFF0000u, -222, -10));
        add(kwHighScorePanel::kClearName, image(40, 20, 0xFF00FF00u, kClearX, kClearY, true));
        add(kwHighScorePanel::kClearLitName, image(40, 20, 0xFF0000FFu, kClearX, kClearY));
        EXPECT_TRUE(data.write("sub_hs.lfl", r));
        auto list = std::make_unique<kwLinkedFileList>();
        EXPECT_TRUE(list->add_lfl("sub_hs.lfl"));
        return list;
    }
    // Changes every row and unlocks start levels, as a few games would.
    static void playSomeGames() {
        for (int i = 0; i < kwHighScoreTable::kRows; ++i)
            gameState.highScores.records[size_t(i)].setRecord("Bo", 3, 9, 50000 - i);
        gameState.highestLevel = 12;
    }
    static bool tableIsFresh() {
        for (const kwHighScoreRecord& r : gameState.highScores.records)
            if (std::string(r.name) != "Sparkly" || r.skill != 1 || r.level != 4 ||
                r.score != 10000)
                return false;
        return true;
    }
    static std::string cell(kwHighScorePanel& p, int row, int column) {
        p.setCell(row, column);
        return p.rowText->text;
    }

    kwGameState saved;
    testsprites::DataFolder data;
};

TEST_F(HighScorePanel, FreshTableShowsFiveDefaultRowsDownTheColumns) {
    auto list = archive();
    kwHighScorePanel panel;
    EXPECT_FALSE(panel.visible);
    ASSERT_TRUE(panel.load(list.get()));
    for (int row = 0; row < kwHighScoreTable::kRows; ++row) {
        EXPECT_EQ(cell(panel, row, kwHighScorePanel::NameColumn), "Sparkly");
        EXPECT_EQ(cell(panel, row, kwHighScorePanel::LevelColumn), "4");
        EXPECT_EQ(cell(panel, row, kwHighScorePanel::SkillColumn), "EASY");
        EXPECT_EQ(cell(panel, row, kwHighScorePanel::ScoreColumn), "10000");
        EXPECT_EQ(panel.rowText->x, 205.0f);
        EXPECT_EQ(panel.rowText->y, -10.0f - 32.0f * float(row));
    }
    panel.setCell(4, kwHighScorePanel::NameColumn);
    EXPECT_EQ(panel.rowText->x, -222.0f);
    EXPECT_EQ(panel.rowText->y, -138.0f);
    EXPECT_EQ(panel.rowText->hAlign, 0);
    EXPECT_EQ(panel.rowText->vAlign, 0);
    // Out of range leaves the text where it was.
    panel.setCell(5, kwHighScorePanel::NameColumn);
    panel.setCell(0, kwHighScorePanel::kColumns);
    EXPECT_STREQ(panel.rowText->text, "Sparkly");
    EXPECT_EQ(panel.rowText->y, -138.0f);
}

TEST_F(HighScorePanel, CellsShowSkillWordsNumbersAndBoundedNames) {
    auto list = archive();
    kwHighScorePanel panel;
    panel.load(list.get());
    EXPECT_STREQ(kwHighScorePanel::skillWord(1), "EASY");
    EXPECT_STREQ(kwHighScorePanel::skillWord(2), "MED.");
    EXPECT_STREQ(kwHighScorePanel::skillWord(3), "HARD");
    EXPECT_STREQ(kwHighScorePanel::skillWord(5), "HARD");  // skill grown past level 16
    EXPECT_STREQ(kwHighScorePanel::skillWord(0), "HARD");

    kwHighScoreRecord& r = gameState.highScores.records[2];
    r.setRecord("Ann", 2, -3, -250);
    EXPECT_EQ(cell(panel, 2, kwHighScorePanel::SkillColumn), "MED.");
    EXPECT_EQ(cell(panel, 2, kwHighScorePanel::LevelColumn), "-3");
    EXPECT_EQ(cell(panel, 2, kwHighScorePanel::ScoreColumn), "-250");
    // A name field filled to the brim without its zero shows 10 characters
    // and never runs on into the numbers behind it.
    std::memset(r.name, 'W', sizeof r.name);
    EXPECT_EQ(cell(panel, 2, kwHighScorePanel::NameColumn), "WWWWWWWWWW");
}

TEST_F(HighScorePanel, ClearButtonAnswersOnlyOnItsOpaquePixels) {
    auto list = archive();
    kwHighScorePanel panel;
    panel.load(list.get());
    EXPECT_TRUE(panel.clearButton->visible);
    EXPECT_FALSE(panel.clearLit->visible);

    panel.updateHover(0, kOnButton);
    EXPECT_FALSE(panel.clearButton->visible);
    EXPECT_TRUE(panel.clearLit->visible);
    panel.updateHover(0, kOnSeeThrough);  // inside the rectangle, off the paint
    EXPECT_TRUE(panel.clearButton->visible);
    EXPECT_FALSE(panel.clearLit->visible);

    playSomeGames();
    EXPECT_FALSE(panel.handleClick(0, kOnSeeThrough));
    EXPECT_FALSE(panel.handleClick(100, 0));
    EXPECT_FALSE(tableIsFresh());
    EXPECT_EQ(gameState.highestLevel, 12);

    EXPECT_TRUE(panel.handleClick(0, kOnButton));
    EXPECT_TRUE(tableIsFresh());
    EXPECT_EQ(gameState.highestLevel, 1);  // start levels above 1 lock again
}

TEST_F(HighScorePanel, RowsAreDrawnUnderTheCardAndOnlyTheShownButton) {
    using textframe::pixelAt;
    auto list = archive();
    kwHighScorePanel panel;
    panel.draw();  // before loading: nothing at all
    EXPECT_EQ(textframe::frameInk(), textframe::Box{});

    panel.load(list.get());
    panel.draw();
    // The card covers row 0's name cell: no letter may show through it.
    for (int y = 300; y < 320; ++y)
        for (int x = 148; x < 208; ++x) ASSERT_EQ(pixelAt(x, y), kRed565) << x << "," << y;
    // Row 1's name, centred on (-222, -42), is there.
    textframe::Box ink;
    for (int y = 325; y < 360; ++y)
        for (int x = 120; x < 236; ++x)
            if (pixelAt(x, y) != 0) ink.add(x, y);
    EXPECT_LT(ink.left, kHalfW - 222);
    EXPECT_GT(ink.right, kHalfW - 222);
    EXPECT_LT(ink.top, kHalfH + 42);
    EXPECT_GT(ink.bottom, kHalfH + 42);
    EXPECT_EQ(pixelAt(kHalfW, kHalfH - kOnButton), kGreen565);

    textframe::beginFrame();
    panel.updateHover(0, kOnButton);
    panel.draw();
    EXPECT_EQ(pixelAt(kHalfW, kHalfH - kOnButton), kBlue565);
    EXPECT_EQ(pixelAt(kHalfW, kHalfH - kOnSeeThrough), kBlue565);
}

TEST_F(HighScorePanel, MissingPicturesAreLoggedAndTheRestStillWorks) {
    auto noHighlight = archive(kwHighScorePanel::kClearLitName);
    kwHighScorePanel panel;
    logCaptureBegin();
    EXPECT_FALSE(panel.load(noHighlight.get()));
    const std::string log = logCaptured();
    logCaptureEnd();
    EXPECT_NE(log.find("kwHighScorePanel::load - missing or unusable file"), std::string::npos);
    EXPECT_NE(log.find(kwHighScorePanel::kClearLitName), std::string::npos);
    // Without a highlight the button stays up under the mouse.
    panel.updateHover(0, kOnButton);
    EXPECT_TRUE(panel.clearButton->visible);
    playSomeGames();
    EXPECT_TRUE(panel.handleClick(0, kOnButton));
    EXPECT_TRUE(tableIsFresh());

    // Loading happens once: a later, complete archive changes nothing.
    kwHighScorePanel bare;
    logCaptureBegin();
    EXPECT_FALSE(bare.load(nullptr));
    logCaptureEnd();
    auto full = archive();
    EXPECT_FALSE(bare.load(full.get()));
    EXPECT_EQ(bare.clearButton, nullptr);
    playSomeGames();
    bare.updateHover(0, kOnButton);
    EXPECT_FALSE(bare.handleClick(0, kOnButton));
    EXPECT_FALSE(tableIsFresh());
    bare.draw();  // rows only, no crash
    EXPECT_NE(textframe::frameInk(), textframe::Box{});
}

}  // namespace
