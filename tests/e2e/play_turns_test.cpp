// Turns through the headless runner: a level-1 turn's goal, clock and
// seeds, play starting with a click, the clock counting down only while
// playing, the exit dialog's three buttons, and Escape leaving for the menu
// after 200 ms.
#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "game_run.h"

namespace {

class PlayTurns : public GameRun {
protected:
    void run(const std::string& script) {
        opts.scriptText = kStartPlay + script;
        ASSERT_EQ(runHeadless(opts), 0);
    }
};

int number(const std::string& dump, const std::string& key) {
    std::smatch m;
    if (!std::regex_search(dump, m, std::regex("\"" + key + "\":(-?\\d+)"))) return -9999;
    return std::stoi(m[1]);
}

}  // namespace

TEST_F(PlayTurns, LevelOneWaitsInItsIntroThenCountsDownOnceAClickStartsPlay) {
    run(dumpAt(1500, "intro.json") + "3000 click 400 580\n" + dumpAt(3050, "started.json") +
        dumpAt(8100, "later.json") + "8200 quit\n");
    const std::string intro = read("intro.json"), started = read("started.json"),
                      later = read("later.json");
    EXPECT_EQ(number(intro, "playPhase"), 1) << intro;
    EXPECT_EQ(number(intro, "levelGoal"), 2000);              // easy: 2000 x 1
    EXPECT_EQ(number(intro, "timeLeft"), 155);                // 45 s and 110 s more at easy
    EXPECT_NE(intro.find("\"type\":1,"), std::string::npos);  // the orange of its seeds
    EXPECT_NE(intro.find("\"intro\":[\"Level 1\",\" \",\"Feed Apples to Oranges.\","
                         "\"to Grow lots of Oranges.\"]"),
              std::string::npos);
    EXPECT_NE(intro.find("\"exitDialog\":false,\"spawner\":{\"state\":1,"), std::string::npos);
    EXPECT_EQ(number(started, "playPhase"), 2) << started;
    EXPECT_EQ(number(later, "timeLeft"), 150);  // five whole seconds of play
    EXPECT_GT(number(later, "levelPoints"), 0);
}

TEST_F(PlayTurns, EscapeReturnsToTheMenuAfter200ms) {
    run("2000 key escape\n" + dumpAt(2150, "soon.json") + dumpAt(2400, "after.json") +
        "2500 quit\n");
    EXPECT_NE(read("soon.json").find("\"scene\":\"play\""), std::string::npos);
    EXPECT_NE(read("after.json").find("\"scene\":\"menu\""), std::string::npos);
    EXPECT_NE(read("after.json").find("\"play\":null"), std::string::npos);
}

// The cross opens the dialog and stops the clock; continue closes it and the
// clock runs on, the menu button leaves after 200 ms, quit ends the program.
TEST_F(PlayTurns, TheExitDialogPausesAndEachButtonDoesItsJob) {
    const std::string cross = "move 768 28\n", openIt = "click 768 28\n";
    run("1000 " + cross + "1100 " + openIt + dumpAt(1200, "open.json") + "3000 click 400 260\n" +
        dumpAt(3100, "continued.json") + "3200 " + openIt + "3300 click 400 316\n" +
        dumpAt(3450, "leaving.json") + dumpAt(3700, "menu.json") + "3800 quit\n");
    const std::string open = read("open.json"), continued = read("continued.json");
    EXPECT_NE(open.find("\"paused\":true"), std::string::npos) << open;
    EXPECT_NE(open.find("\"exitDialog\":true"), std::string::npos);
    EXPECT_NE(continued.find("\"paused\":false"), std::string::npos) << continued;
    EXPECT_NE(continued.find("\"exitDialog\":false"), std::string::npos);
    EXPECT_EQ(number(continued, "timeLeft"), number(open, "timeLeft"));  // the intro holds it
    EXPECT_NE(read("leaving.json").find("\"scene\":\"play\""), std::string::npos);
    EXPECT_NE(read("menu.json").find("\"scene\":\"menu\""), std::string::npos);

    run("1100 " + openIt + "1300 click 400 372\n" + dumpAt(5000, "late.json"));
    EXPECT_FALSE(std::filesystem::exists(dir / "late.json"));  // the program had ended
}
