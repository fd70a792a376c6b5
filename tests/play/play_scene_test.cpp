// The play scene on its own, over the generated data: completing the last
// level starts the first again one skill harder, with that skill's goal and
// time.
#include "play/play_scene.h"

#include <gtest/gtest.h>

#include "board/piece_list.h"
#include "platform/headless/headless.h"
#include "render/glyph_text.h"
#include "render/screen.h"
#include "shell/clock.h"
#include "shell/game_state.h"
#include "shell/random.h"

namespace {
uint32_t g_now = 0;
constexpr uint32_t kFrameMs = 16;
}  // namespace

class PlayScene : public ::testing::Test {
protected:
    void SetUp() override {
        headlessReset();
        headlessPlatform().openWindow({});
        createRenderScreen(800, 600, 16);
        setDataFolder(GG_BINARY_DIR "/data");
        createGlyphTable();
        resetClock();
        g_now = 1000;
        setTickSource([] { return g_now; });
        seedRandomWith(4);
        saved = gameState;
        gameState = kwGameState{};
    }
    void TearDown() override {
        gameState = saved;
        deleteGlyphTable();
        setTickSource(nullptr);
        setDataFolder("");
        destroyRenderScreen();
    }
    // Frames until the condition holds or `limitMs` pass.
    template <class F>
    bool runUntil(kwPlayScene& scene, F cond, uint32_t limitMs) {
        for (uint32_t t = 0; t < limitMs; t += kFrameMs) {
            if (cond()) return true;
            g_now += kFrameMs;
            scene.runScripts();
        }
        return cond();
    }
    kwGameState saved;
};

TEST_F(PlayScene, PassingTheLastLevelStartsTheFirstOneSkillHarder) {
    gameState.startLevel = kLevelCount;
    auto scene = std::make_unique<kwPlayScene>();
    scene->enter();
    ASSERT_EQ(gameState.level[0], kLevelCount);
    EXPECT_EQ(scene->levelGoal, 10000);  // level 16 at easy
    EXPECT_EQ(gameState.timeLeft, 390);
    scene->levelGoal = 1;  // the next tick of the score completes the level
    ASSERT_TRUE(runUntil(*scene, [] { return gameState.playPhase == PhaseLevelComplete; }, 2000));
    EXPECT_EQ(gameState.highestLevel, kLevelCount);
    // The pieces leave, the 390 s turn into bonus 3 s a step, a second's pause.
    ASSERT_TRUE(runUntil(*scene, [] { return gameState.playPhase == PhaseIntro; }, 20000));
    EXPECT_EQ(gameState.level[0], 1);
    EXPECT_EQ(gameState.activeSkill[0], 2);
    EXPECT_EQ(gameState.playerSkill[0], 1);  // the menu's choice is untouched
    EXPECT_EQ(scene->levelGoal, 4000);       // level 1 at skill 2
    EXPECT_EQ(gameState.timeLeft, 60);
    ASSERT_TRUE(scene->introText);
    EXPECT_EQ(scene->introText->texts().front(), "Level 1");
    scene->leave();
    EXPECT_EQ(pieceList, nullptr);
}
