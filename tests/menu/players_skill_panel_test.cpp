// The players and skill panels over the generated menu archives: which
// click sets what, the focus and name rules of the players' form, the
// locked start levels and the chips shown for the current choices.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <utility>

#include "assets/linked_file.h"
#include "input/keyboard.h"
#include "menu/players_panel.h"
#include "menu/skill_panel.h"
#include "platform/headless/headless.h"
#include "render/render_target.h"
#include "render/screen.h"
#include "shell/game_state.h"

namespace {

// A scene point at the centre of a picture.
int32_t cx(const kwEye& e) {
    return int32_t(e.x);
}
int32_t cy(const kwEye& e) {
    return int32_t(e.y);
}

class PanelTest : public ::testing::Test {
protected:
    void SetUp() override {
        headlessReset();
        headlessPlatform().openWindow({});
        createRenderScreen(800, 600, 16);
        setDataFolder(GG_BINARY_DIR "/data");
        saved = gameState;
        gameState = kwGameState{};
        savedKeyboard = keyboard;
        keyboard = &keys;
    }
    void TearDown() override {
        keyboard = savedKeyboard;
        gameState = saved;
        archive.clear();
        setDataFolder("");
        destroyRenderScreen();
    }
    // Draws one drawable into a cleared screen and keeps the frame.
    void drawOnly(kwDrawable& d) {
        ASSERT_TRUE(screen->Lock());
        targetScreen();
        for (int y = 0; y < 600; ++y)
            std::memset(screenSlot.pixels + size_t(y) * size_t(screenSlot.pitch), 0, 1600);
        d.draw();
        for (int y = 0; y < 600; ++y)
            std::memcpy(frame[y], screenSlot.pixels + size_t(y) * size_t(screenSlot.pitch), 1600);
        screen->Unlock();
    }
    uint16_t at(int sx, int sy) const { return frame[300 - sy][400 + sx]; }

    kwLinkedFileList archive;
    kwKeyboard keys;
    kwKeyboard* savedKeyboard = nullptr;
    kwGameState saved;
    uint16_t frame[600][800] = {};
};

class PlayersPanel : public PanelTest {
protected:
    void SetUp() override {
        PanelTest::SetUp();
        ASSERT_TRUE(archive.add_lfl("sub_players.lfl"));
    }
    std::unique_ptr<kwPlayersPanel> make() {
        auto p = std::make_unique<kwPlayersPanel>(&archive);
        EXPECT_TRUE(p->load());
        return p;
    }
    void clickCount(kwPlayersPanel& p, int n) {
        kwEye& b = *p.countButtons[size_t(n - 1)];
        EXPECT_TRUE(p.handleClick(cx(b), cy(b)));
    }
    void clickBox(kwPlayersPanel& p, int n) {
        kwEye& b = *p.nameBoxes[size_t(n - 1)];
        EXPECT_TRUE(p.handleClick(cx(b), cy(b)));
    }
    // One frame of the panel with a key waiting.
    void typeKey(kwPlayersPanel& p, uint32_t c) {
        keys.onChar(c);
        drawOnly(p);
    }
    void typeText(kwPlayersPanel& p, const char* s) {
        for (; *s; ++s) typeKey(p, uint8_t(*s));
    }
    void pressDelete(kwPlayersPanel& p) {
        keys.onDelete();
        drawOnly(p);
    }
    void pressLeft(kwPlayersPanel& p) {
        keys.onLeft();
        drawOnly(p);
    }
};

}  // namespace

TEST_F(PlayersPanel, PicturesStandAtTheirOffsetAndTheFieldsHoldTheNames) {
    kwLinkedFile* f = archive.find("name_space_02.eye");
    ASSERT_TRUE(f);
    kwEyeTransparency plain;
    plain.setLinkedFile(f);
    std::strcpy(gameState.playerName[1], "Mia");
    auto p = make();
    EXPECT_FALSE(p->visible);
    EXPECT_EQ(p->depth, 100.0f);
    EXPECT_EQ(p->nameBoxes[1]->x, plain.x - 15.0f);
    EXPECT_EQ(p->nameBoxes[1]->y, plain.y - 11.0f);
    EXPECT_EQ(p->covers[2]->opacity, 200u);
    char text[32];
    p->form->getText("player 2", text, sizeof text);
    EXPECT_STREQ(text, "Mia");
    EXPECT_EQ(p->form->findField("player 3")->x, 120.0f);
    EXPECT_TRUE(p->form->isFocused("player 1"));
}

TEST_F(PlayersPanel, CountButtonsSetThePlayersAndLightUnderTheMouse) {
    auto p = make();
    clickCount(*p, 3);
    EXPECT_EQ(gameState.playerCount, 3);
    clickCount(*p, 2);
    EXPECT_EQ(gameState.playerCount, 2);
    EXPECT_FALSE(p->handleClick(-399, 299));  // the screen's corner: nothing there

    kwEye& two = *p->countButtons[1];
    p->updateHover(cx(two), cy(two));
    EXPECT_FALSE(p->countButtons[1]->visible);
    EXPECT_TRUE(p->countHighlights[1]->visible);
    EXPECT_TRUE(p->countButtons[0]->visible);
    EXPECT_FALSE(p->countHighlights[0]->visible);
    p->updateHover(-399, 299);
    EXPECT_TRUE(p->countButtons[1]->visible);
    EXPECT_FALSE(p->countHighlights[1]->visible);
}

TEST_F(PlayersPanel, OnlyThePlayersWhoPlayCanTakeTheFocus) {
    auto p = make();
    gameState.playerCount = 1;
    clickBox(*p, 2);  // taken, but the box stays locked
    EXPECT_TRUE(p->form->isFocused("player 1"));
    clickCount(*p, 2);
    clickBox(*p, 3);
    EXPECT_TRUE(p->form->isFocused("player 1"));
    clickBox(*p, 2);
    EXPECT_TRUE(p->form->isFocused("player 2"));
    clickCount(*p, 3);
    clickBox(*p, 3);
    EXPECT_TRUE(p->form->isFocused("player 3"));
    // Fewer players: the focus goes home at once.
    clickCount(*p, 1);
    EXPECT_TRUE(p->form->isFocused("player 1"));
}

TEST_F(PlayersPanel, TypedKeysEditTheFocusedNameAndReachTheGameState) {
    std::strcpy(gameState.playerName[0], "Ann");
    auto p = make();
    typeText(*p, "e");
    EXPECT_STREQ(gameState.playerName[0], "Anne");
    // Delete alone reaches the name at once.
    pressLeft(*p);
    pressLeft(*p);
    pressDelete(*p);
    EXPECT_STREQ(gameState.playerName[0], "Ane");
    typeKey(*p, kwTextField::kBackspace);
    EXPECT_STREQ(gameState.playerName[0], "Ae");
    // Keys are taken once each.
    EXPECT_EQ(keys.lastChar, 0u);
    EXPECT_EQ(keys.deletePressed, 0);
    drawOnly(*p);
    EXPECT_STREQ(gameState.playerName[0], "Ae");
}

TEST_F(PlayersPanel, NamesStopAtTenCharactersAndKeepTheirEnd) {
    std::strcpy(gameState.playerName[0], "");
    auto p = make();
    typeText(*p, "ABCDEFGHIJKLMN");
    EXPECT_STREQ(gameState.playerName[0], "ABCDEFGHIJ");
    // A record whose name fills all 11 bytes is cut, never read past.
    std::memcpy(gameState.playerName[1], "ZYXWVUTSRQP", kPlayerNameSize);
    auto q = make();
    char text[32];
    q->form->getText("player 2", text, sizeof text);
    EXPECT_STREQ(text, "ZYXWVUTSRQ");
}

TEST_F(PlayersPanel, KeysNeverReachAPlayerWhoDoesNotPlay) {
    std::strcpy(gameState.playerName[0], "A");
    std::strcpy(gameState.playerName[1], "B");
    std::strcpy(gameState.playerName[2], "C");
    auto p = make();
    gameState.playerCount = 2;
    // Enter moves on to player 2, then past player 3 back to player 1.
    typeKey(*p, kwTextField::kEnter);
    EXPECT_TRUE(p->form->isFocused("player 2"));
    typeKey(*p, kwTextField::kTab);
    EXPECT_TRUE(p->form->isFocused("player 1"));
    // The count dropped elsewhere while player 3 held the focus.
    gameState.playerCount = 3;
    clickBox(*p, 3);
    gameState.playerCount = 1;
    typeKey(*p, 'x');
    EXPECT_STREQ(gameState.playerName[2], "C");
    EXPECT_STREQ(gameState.playerName[0], "Ax");
}

TEST_F(PlayersPanel, CoversGreyTheBoxesOfPlayersWhoDoNotPlay) {
    auto p = make();
    // A point inside each box, clear of the name written at its left.
    auto probe = [&](int n) {
        kwEye& b = *p->nameBoxes[size_t(n - 1)];
        return at(cx(b) + b.width / 2 - 12, cy(b));
    };
    uint16_t box2[4], box3[4];
    for (int n = 1; n <= 3; ++n) {
        gameState.playerCount = n;
        drawOnly(*p);
        box2[n] = probe(2);
        box3[n] = probe(3);
    }
    EXPECT_NE(box2[1], box2[2]);
    EXPECT_EQ(box2[2], box2[3]);
    EXPECT_EQ(box3[1], box3[2]);
    EXPECT_NE(box3[2], box3[3]);
}

namespace {

class SkillPanel : public PanelTest {
protected:
    void SetUp() override {
        PanelTest::SetUp();
        ASSERT_TRUE(archive.add_lfl("sub_skill.lfl"));
        panel = std::make_unique<kwSkillPanel>(&archive);
        ASSERT_TRUE(panel->load());
    }
    bool click(const std::unique_ptr<kwEyeTransparency>& e) {
        return panel->handleClick(cx(*e), cy(*e));
    }
    std::unique_ptr<kwSkillPanel> panel;
};

}  // namespace

TEST_F(SkillPanel, SkillButtonsSetEveryPlayersSkillAndLightUnderTheMouse) {
    kwLinkedFile* f = archive.find("hard_small_01.eye");
    ASSERT_TRUE(f);
    kwEyeTransparency plain;
    plain.setLinkedFile(f);
    EXPECT_EQ(panel->skillButtons[2]->x, plain.x - 30.0f);
    EXPECT_EQ(panel->skillButtons[2]->y, plain.y);

    EXPECT_TRUE(click(panel->skillButtons[1]));
    EXPECT_EQ(gameState.playerSkill, (kwGameState::PerPlayer{2, 2, 2}));
    EXPECT_TRUE(click(panel->skillButtons[2]));
    EXPECT_EQ(gameState.playerSkill, (kwGameState::PerPlayer{3, 3, 3}));
    EXPECT_TRUE(click(panel->skillButtons[0]));
    EXPECT_EQ(gameState.playerSkill, (kwGameState::PerPlayer{1, 1, 1}));
    EXPECT_FALSE(panel->handleClick(-399, 299));

    kwEye& medium = *panel->skillButtons[1];
    panel->updateHover(cx(medium), cy(medium));
    EXPECT_FALSE(panel->skillButtons[1]->visible);
    EXPECT_TRUE(panel->skillHighlights[1]->visible);
    EXPECT_FALSE(panel->skillHighlights[0]->visible);
}

TEST_F(SkillPanel, SpeedChipsAnswerOnlyOnTheirPixels) {
    EXPECT_TRUE(click(panel->speedChips[5]));
    EXPECT_EQ(gameState.speedFactor, 6);
    EXPECT_TRUE(click(panel->speedChips[0]));
    EXPECT_EQ(gameState.speedFactor, 1);
    // The round chip's see-through corner is no hit.
    kwEye& chip = *panel->speedChips[3];
    const int32_t cornerX = cx(chip) - chip.width / 2 + 1;
    const int32_t cornerY = cy(chip) + chip.height / 2 - 1;
    EXPECT_FALSE(panel->handleClick(cornerX, cornerY));
    EXPECT_EQ(gameState.speedFactor, 1);
    panel->updateHover(cornerX, cornerY);
    EXPECT_FALSE(chip.visible);
    panel->updateHover(cx(chip), cy(chip));
    EXPECT_TRUE(chip.visible);
}

TEST_F(SkillPanel, StartChipsOpenAsTheLevelsAreReached) {
    gameState.highestLevel = 3;
    EXPECT_TRUE(click(panel->startChips[1]));  // taken without effect
    EXPECT_EQ(gameState.startLevel, 1);
    panel->updateHover(cx(*panel->startChips[1]), cy(*panel->startChips[1]));
    for (auto& chip : panel->startChips) EXPECT_FALSE(chip->visible);
    gameState.startLevel = 7;
    EXPECT_TRUE(click(panel->startChips[0]));
    EXPECT_EQ(gameState.startLevel, 1);
    panel->updateHover(cx(*panel->startChips[0]), cy(*panel->startChips[0]));
    EXPECT_TRUE(panel->startChips[0]->visible);

    gameState.highestLevel = 4;  // after completing level 4
    EXPECT_TRUE(click(panel->startChips[1]));
    EXPECT_EQ(gameState.startLevel, 4);
    EXPECT_TRUE(click(panel->startChips[5]));
    EXPECT_EQ(gameState.startLevel, 4);
    gameState.highestLevel = kLevelCount;
    EXPECT_TRUE(click(panel->startChips[5]));
    EXPECT_EQ(gameState.startLevel, 14);
}

TEST_F(SkillPanel, DrawingShowsTheChipsOfTheCurrentChoices) {
    const std::pair<int32_t, int> levels[] = {{1, 0},  {3, 0},  {4, 1},  {6, 1},  {7, 2},
                                              {9, 2},  {10, 3}, {11, 3}, {12, 4}, {13, 4},
                                              {14, 5}, {16, 5}, {0, 5},  {-2, 5}};
    for (auto [level, chip] : levels) EXPECT_EQ(kwSkillPanel::startChipFor(level), chip) << level;

    gameState.speedFactor = 4;
    gameState.startLevel = 10;
    panel->updateHover(-399, 299);
    drawOnly(*panel);
    for (int i = 0; i < kwSkillPanel::kChips; ++i) {
        EXPECT_EQ(panel->speedChips[size_t(i)]->visible, i == 3) << i;
        EXPECT_EQ(panel->startChips[size_t(i)]->visible, i == 3) << i;
    }
    // The big picture follows the first player's skill.
    gameState.playerSkill = {1, 1, 1};
    drawOnly(*panel);
    auto easy = std::make_unique<uint16_t[]>(600 * 800);
    std::memcpy(easy.get(), frame, sizeof frame);
    gameState.playerSkill = {3, 3, 3};
    drawOnly(*panel);
    EXPECT_NE(std::memcmp(easy.get(), frame, sizeof frame), 0);
    gameState.playerSkill = {1, 3, 3};
    drawOnly(*panel);
    EXPECT_EQ(std::memcmp(easy.get(), frame, sizeof frame), 0);
}
