// The play screen's board through the headless runner: pieces live on it,
// a click picks one up (the dump shows it in the hand), the next click puts
// it down on the board, and the same seed replays the same board.
#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "game_run.h"

namespace {

class PlayBoard : public GameRun {
protected:
    std::string run(const std::string& script) {
        opts.app.seed = 5;
        opts.scriptText = kStartPlay + script;
        EXPECT_EQ(runHeadless(opts), 0);
        return read("mid.json");
    }
    std::string dumpAt(uint32_t ms) const { return GameRun::dumpAt(ms, "mid.json"); }
};

// The screen position of the first idle piece in a dump.
bool firstIdlePiece(const std::string& dump, int* x, int* y) {
    static const std::regex piece(
        R"re(\{"type":\d+,"column":\d+,"row":\d+,"x":(-?\d+),"y":(-?\d+),"life":[^,]+,"state":1,"frozen":false,"blinking":false)re");
    std::smatch m;
    if (!std::regex_search(dump, m, piece)) return false;
    *x = std::stoi(m[1]);
    *y = std::stoi(m[2]);
    return true;
}

int count(const std::string& hay, const std::string& needle) {
    int n = 0;
    for (size_t at = hay.find(needle); at != std::string::npos; at = hay.find(needle, at + 1)) ++n;
    return n;
}

}  // namespace

TEST_F(PlayBoard, AClickPicksAPieceUpAndTheNextPutsItDown) {
    const std::string before = run(dumpAt(2000) + "2100 quit\n");
    ASSERT_NE(before.find("\"scene\":\"play\""), std::string::npos) << before;
    EXPECT_GE(count(before, "\"type\":"), 31) << before;  // level 1: an orange, thirty apples
    int x = 0, y = 0;
    ASSERT_TRUE(firstIdlePiece(before, &x, &y)) << before;

    // The same seed replays the same board, so the piece is still there.
    const std::string pos = std::to_string(x) + " " + std::to_string(y);
    const std::string carrying = run("2000 move " + pos + "\n2000 click " + pos +
                                     "\n2100 move 400 330\n" + dumpAt(2200) + "2300 quit\n");
    EXPECT_EQ(count(carrying, "\"carried\":true"), 1) << carrying;
    EXPECT_NE(carrying.find("\"carrying\":true"), std::string::npos) << carrying;

    const std::string dropped =
        run("2000 move " + pos + "\n2000 click " + pos +
            "\n2100 move 400 330\n2150 click 400 330\n" + dumpAt(2200) + "2300 quit\n");
    EXPECT_EQ(count(dropped, "\"carried\":true"), 0) << dropped;
    EXPECT_NE(dropped.find("\"carrying\":false"), std::string::npos) << dropped;
    // Screen (400, 330) is cell (8, 5).
    EXPECT_NE(dropped.find("\"column\":8,\"row\":5,"), std::string::npos) << dropped;
    const std::string log = read("gobble.log");
    for (const char* missing : {"unable to find", "could not load", "missing or unusable"})
        EXPECT_EQ(log.find(missing), std::string::npos) << missing << "\n" << log;
}
