// The main menu through the headless runner: a button opens its panel, the
// menu music plays at a volume above 0 and not at all at 0, the start
// picture starts a game.
#include <gtest/gtest.h>

#include <string>

#include "game_run.h"
#include "shell/game_state.h"

class MenuRun : public GameRun {
protected:
    std::string run(const std::string& script) {
        opts.scriptText = script;
        EXPECT_EQ(runHeadless(opts), 0);
        return read("mid.json");
    }
};

TEST_F(MenuRun, CreditsOpensItsPanelAndMusicPlays) {
    const std::string d = run("300 move 700 145\n400 click 700 145\n" + dumpAt(500, "mid.json") +
                              "600 quit\n");
    EXPECT_NE(d.find("\"menu\":{\"openPanel\":5,\"focusedField\":null,\"musicPlaying\":true}"),
              std::string::npos)
        << d;
}

TEST_F(MenuRun, NoMusicAtVolumeZeroForTheWholeVisit) {
    const kwGameState saved = gameState;
    gameState = kwGameState{};
    gameState.musicVolume = 0;
    setSettingsFolder((dir / "state").string());
    saveSettingsRecord();
    gameState = saved;
    setSettingsFolder("");
    const std::string d = run(dumpAt(500, "mid.json") + "600 quit\n");
    EXPECT_NE(d.find("\"musicPlaying\":false"), std::string::npos) << d;
}

TEST_F(MenuRun, TheStartPictureStartsAGame) {
    const std::string d = run("300 move 580 330\n400 click 580 330\n" + dumpAt(700, "mid.json") +
                              "800 quit\n");
    EXPECT_NE(d.find("\"scene\":\"play\""), std::string::npos) << d;
    EXPECT_NE(d.find("\"menu\":null"), std::string::npos);
}
