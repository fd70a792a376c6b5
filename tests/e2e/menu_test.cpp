// The main menu through the headless runner: a button opens its panel, the
// menu music plays at a volume above 0 and not at all at 0, the start
// picture starts a game.
#include <gtest/gtest.h>

#include <string>

#include "game_run.h"
#include "shell/game_state.h"

class MenuRun : public GameRun {
protected:
    // One character a line, 50 ms apart, as a person types (escapes such as
    // "\\b" count as one).
    static std::string typed(uint32_t at, const std::string& text) {
        std::string out;
        for (size_t i = 0; i < text.size(); ++i, at += 50) {
            const size_t n = text[i] == '\\' ? 2 : 1;
            out += std::to_string(at) + " char " + text.substr(i, n) + "\n";
            i += n - 1;
        }
        return out;
    }
    std::string run(const std::string& script) {
        opts.scriptText = script;
        EXPECT_EQ(runHeadless(opts), 0);
        return read("mid.json");
    }
};

TEST_F(MenuRun, CreditsOpensItsPanelAndMusicPlays) {
    const std::string d =
        run("300 move 700 145\n400 click 700 145\n" + dumpAt(500, "mid.json") + "600 quit\n");
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
    const std::string d =
        run("300 move 580 330\n400 click 580 330\n" + dumpAt(700, "mid.json") + "800 quit\n");
    EXPECT_NE(d.find("\"scene\":\"play\""), std::string::npos) << d;
    EXPECT_NE(d.find("\"menu\":null"), std::string::npos);
}

// Names typed into the players panel reach the game state at once, Delete
// alone included, and the skill panel's hard button sets every player.
TEST_F(MenuRun, PanelsChangeTheSettingsAtOnce) {
    const std::string d =
        run("300 move 217 145\n400 click 217 145\n"        // players
            "500 move 393 255\n600 click 393 255\n"        // 2 players
            "700 move 393 370\n800 click 393 370\n"        // name box 2
            + typed(900, "\\b\\b\\b\\b\\b\\b\\b\\bBob") +  // "player 2" becomes "Bob"
            "1600 key left\n1650 key left\n1700 key delete\n" + dumpAt(1800, "names.json") +
            "1900 move 338 145\n2000 click 338 145\n"    // skill
            "2100 move 671 218\n2200 click 671 218\n" +  // hard
            dumpAt(2300, "mid.json") +
            "2400 quit\n");
    const std::string names = read("names.json");
    EXPECT_NE(names.find("\"playerCount\":2"), std::string::npos) << names;
    EXPECT_NE(names.find("\"playerName\":[\"player 1\",\"Bb\",\"player 3\"]"), std::string::npos)
        << names;
    EXPECT_NE(names.find("\"focusedField\":\"player 2\""), std::string::npos);
    EXPECT_NE(d.find("\"playerSkill\":[3,3,3]"), std::string::npos) << d;
    EXPECT_NE(d.find("\"openPanel\":2"), std::string::npos);

    // The next start finds them all again.
    const std::string next = run(dumpAt(300, "mid.json") + "400 quit\n");
    EXPECT_NE(next.find("\"playerCount\":2"), std::string::npos) << next;
    EXPECT_NE(next.find("\"playerName\":[\"player 1\",\"Bb\",\"player 3\"]"), std::string::npos);
    EXPECT_NE(next.find("\"playerSkill\":[3,3,3]"), std::string::npos);
}

// Every picture and sound the menu, each panel and the play screen load is
// in the generated data: a walk through all of them leaves no complaint in
// the log. (The play screen loads every piece type's art when it opens.)
TEST_F(MenuRun, EveryScreenFindsEverythingItLoads) {
    std::string script;
    uint32_t at = 300;
    for (int x : {95, 217, 338, 460, 582, 704}) {  // how-to .. credits
        script += std::to_string(at) + " move " + std::to_string(x) + " 145\n" +
                  std::to_string(at + 50) + " click " + std::to_string(x) + " 145\n" +
                  std::to_string(at + 100) + " move 400 330\n";
        at += 300;
    }
    script += std::to_string(at) + " move 686 563\n" + std::to_string(at + 50) +
              " click 686 563\n";  // PLAY!
    at += 3000;
    script += std::to_string(at) + " click 400 580\n" + std::to_string(at + 2000) +
              " move 768 28\n" + std::to_string(at + 2050) + " click 768 28\n" +
              std::to_string(at + 2300) + " click 400 316\n" +  // the dialog's menu button
              dumpAt(at + 3000, "mid.json") + std::to_string(at + 3100) + " quit\n";
    const std::string d = run(script);
    EXPECT_NE(d.find("\"scene\":\"menu\""), std::string::npos) << d;
    const std::string log = read("gobble.log");
    for (const char* missing :
         {"unable to find", "could not load", "missing or unusable", "missing file"})
        EXPECT_EQ(log.find(missing), std::string::npos) << missing << "\n" << log;
}
