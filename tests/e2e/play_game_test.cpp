// Whole games through the headless runner: level 1 at each skill, a level
// completed by itself (pieces leaving, the time bonus, the next level's
// intro), a player running out of time three times until the game ends and
// offers the score, turns passing between two and three players, and the
// pause behind the alarm clock.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <string>
#include <vector>

#include "game_run.h"
#include "shell/game_state.h"

namespace {

constexpr const char* kAlarmClock = "58 40";  // the clock's hot spot, scene (-342, 260)

// One state dump, with the few fields these tests read.
struct Dump {
    uint32_t at = 0;  // script time it was taken
    std::string text;

    // The first integer after "key": (the game state's copy for timeLeft).
    int number(const std::string& key) const {
        const size_t k = text.find("\"" + key + "\":");
        return k == std::string::npos ? -9999 : std::atoi(text.c_str() + k + key.size() + 3);
    }
    // A per-player array such as "score":[1,2,3].
    std::vector<int> list(const std::string& key) const {
        std::vector<int> out;
        size_t k = text.find("\"" + key + "\":[");
        if (k == std::string::npos) return out;
        for (const char* p = text.c_str() + k + key.size() + 4; *p != ']';) {
            char* end = nullptr;
            out.push_back(int(std::strtol(p, &end, 10)));
            p = *end == ',' ? end + 1 : end;
        }
        return out;
    }
    int of(const std::string& key, int player) const { return list(key).at(size_t(player)); }
    int phase() const { return number("playPhase"); }
    int gameTime() const { return number("gameTime"); }
    int pieces() const { return count("\"type\":"); }
    int count(const std::string& needle) const {
        int n = 0;
        for (size_t at = text.find(needle); at != std::string::npos; at = text.find(needle, at + 1))
            ++n;
        return n;
    }
    bool has(const std::string& needle) const { return text.find(needle) != std::string::npos; }
    // The play scene's piece array as text: every piece's type, cell, offset,
    // life, state and flags.
    std::string piecesText() const {
        const size_t k = text.find("\"pieces\":[");
        return k == std::string::npos ? std::string() : text.substr(k, text.find(']', k) - k);
    }
    // The intro block's lines, or empty when there is none.
    std::vector<std::string> intro() const {
        std::vector<std::string> lines;
        size_t k = text.find("\"intro\":[");
        if (k == std::string::npos) return lines;
        for (k += 9; text[k] == '"';) {
            const size_t close = text.find('"', k + 1);
            lines.push_back(text.substr(k + 1, close - k - 1));
            k = text[close + 1] == ',' ? close + 2 : close + 1;
        }
        return lines;
    }
};

std::string introTail(const Dump& d) {
    const std::vector<std::string> lines = d.intro();
    if (lines.size() < 2) return "(no intro)";
    return "[" + lines[lines.size() - 2] + "][" + lines.back() + "]";
}

class PlayGame : public GameRun {
protected:
    void SetUp() override {
        GameRun::SetUp();
        saved = gameState;
        opts.frameMs = 50;
    }
    void TearDown() override {
        gameState = saved;
        setSettingsFolder("");
        GameRun::TearDown();
    }

    // What the menu would have saved: one skill per player (named Ann, Bob
    // and Cy), and a high-score table low enough for any game to enter.
    void savePlayers(std::initializer_list<int32_t> skills, bool lowTable = false) {
        static const char* const kNames[kMaxPlayers] = {"Ann", "Bob", "Cy"};
        gameState = kwGameState{};
        gameState.playerCount = int32_t(skills.size());
        int p = 0;
        for (int32_t skill : skills) {
            gameState.playerSkill[size_t(p)] = skill;
            std::snprintf(gameState.playerName[p], kPlayerNameSize, "%s", kNames[p]);
            ++p;
        }
        int32_t score = 5000;
        if (lowTable)
            for (kwHighScoreRecord& r : gameState.highScores.records) {
                r.setRecord("Low", 1, 1, score);
                score -= 1000;
            }
        setSettingsFolder((dir / "state").string());
        saveSettingsRecord();
        gameState = kwGameState{};
    }

    // Starts a game and runs `script`, dumping the state every `every` ms
    // from `from` to `to`; returns the dumps in time order.
    std::vector<Dump> run(const std::string& script, uint32_t from, uint32_t to, uint32_t every) {
        std::string text = kStartPlay + script;
        for (uint32_t t = from; t <= to; t += every) text += dumpAt(t, name(t));
        opts.scriptText = text + std::to_string(to + 1) + " quit\n";
        EXPECT_EQ(runHeadless(opts), 0);
        std::vector<Dump> dumps;
        for (uint32_t t = from; t <= to; t += every) dumps.push_back({t, read(name(t))});
        return dumps;
    }
    static std::string name(uint32_t t) { return "d" + std::to_string(t) + ".json"; }

    kwGameState saved;
};

// The first dump at or after index `from` that satisfies `test`, or -1.
template <class Test>
int firstWhere(const std::vector<Dump>& dumps, size_t from, Test test) {
    for (size_t i = from; i < dumps.size(); ++i)
        if (test(dumps[i])) return int(i);
    return -1;
}

// A turn as the dumps show it: who played, and where it started and ended.
struct Turn {
    int player = -1;
    int start = -1;  // first dump of its intro
    int end = -1;    // first dump of the next turn (or of the menu)
    int lastPhase = 0;
};

std::vector<Turn> turnsIn(const std::vector<Dump>& dumps) {
    std::vector<Turn> turns;
    int previous = 0;
    for (size_t i = 0; i < dumps.size(); ++i) {
        const int phase = dumps[i].phase();
        const bool starts =
            phase == PhaseIntro && previous != PhaseIntro && previous != PhasePlaying;
        const bool ends = phase == PhaseIdle && previous != PhaseIdle;
        if ((starts || ends) && !turns.empty()) turns.back().end = int(i);
        if (starts) turns.push_back({dumps[i].number("currentPlayer"), int(i), -1, 0});
        if (!turns.empty() && turns.back().end < 0 && phase != PhaseIdle)
            turns.back().lastPhase = phase;
        previous = phase;
    }
    return turns;
}

}  // namespace

// Level 1 at each skill: the goal grows with the skill, the time shrinks,
// the spawner's first run puts an orange and thirty apples down, and every
// score tick earns the scoring pieces times the skill.
TEST_F(PlayGame, LevelOneAtEachSkill) {
    const int goals[] = {2000, 4000, 6000}, times[] = {155, 60, 45};
    for (int skill = 1; skill <= 3; ++skill) {
        SCOPED_TRACE("skill " + std::to_string(skill));
        savePlayers({skill});
        const std::vector<Dump> d = run("", 600, 2600, 2000);
        const Dump &early = d[0], &tick = d[1];
        ASSERT_TRUE(early.has("\"scene\":\"play\"")) << early.text;
        EXPECT_EQ(early.phase(), PhaseIntro);
        EXPECT_EQ(early.of("activeSkill", 0), skill);
        EXPECT_EQ(early.number("levelGoal"), goals[skill - 1]);
        EXPECT_EQ(early.number("timeLeft"), times[skill - 1]);
        EXPECT_EQ(early.intro(),
                  (std::vector<std::string>{"Level 1", " ", "Feed Apples to Oranges.",
                                            "to Grow lots of Oranges."}));
        EXPECT_TRUE(early.has("\"spawner\":{\"state\":1,\"bagIndex\":0}")) << early.text;
        EXPECT_EQ(early.pieces(), 31);
        EXPECT_EQ(early.count("\"type\":1,"), 1);  // the orange
        EXPECT_EQ(early.count("\"type\":0,"), 30);

        // Points come during the intro too; only the clock waits for play.
        EXPECT_EQ(tick.phase(), PhaseIntro);
        EXPECT_EQ(tick.number("timeLeft"), times[skill - 1]);
        const int points = tick.number("levelPoints");
        EXPECT_GT(points, 0);
        EXPECT_EQ(points % skill, 0) << points;
        EXPECT_EQ(tick.of("score", 0), points);
    }
}

// Seed 9 at easy reaches 2000 points about 81 s in with 80 s on the clock.
TEST_F(PlayGame, LevelOneAtEasyCompletesByItselfAndLevelTwoFollows) {
    savePlayers({1});
    const std::vector<Dump> d = run("", 75000, 92000, 100);
    const int done =
        firstWhere(d, 0, [](const Dump& x) { return x.phase() == PhaseLevelComplete; });
    ASSERT_GT(done, 0) << "the level did not complete in time";
    EXPECT_LT(d[size_t(done - 1)].number("levelPoints"), 2000);
    EXPECT_GE(d[size_t(done)].number("levelPoints"), 2000);

    // The pieces leave, each for 10 points; no drops, no ticks, the clock holds.
    const int empty = firstWhere(d, size_t(done), [](const Dump& x) { return x.pieces() == 0; });
    ASSERT_GT(empty, done);
    const int held = d[size_t(done)].number("timeLeft");
    for (int i = done + 1; i <= empty; ++i) {
        const Dump &a = d[size_t(i - 1)], &b = d[size_t(i)];
        ASSERT_EQ(b.phase(), PhaseLevelComplete) << b.at;
        const int left = a.pieces() - b.pieces();
        EXPECT_GE(left, 0) << b.at;
        EXPECT_EQ(b.of("score", 0) - a.of("score", 0), 10 * left) << b.at;
        EXPECT_EQ(b.number("levelPoints") - a.number("levelPoints"), 10 * left) << b.at;
        EXPECT_EQ(b.number("timeLeft"), held) << b.at;
    }

    // Then the clock drains: 3 s and (1 + 1) x 3 x 100 points per 100 ms step.
    const int drained =
        firstWhere(d, size_t(empty), [](const Dump& x) { return x.number("timeLeft") == 0; });
    ASSERT_GT(drained, empty);
    int steps = 0;
    for (int i = empty + 1; i <= drained; ++i) {
        const Dump &a = d[size_t(i - 1)], &b = d[size_t(i)];
        const int seconds = a.number("timeLeft") - b.number("timeLeft");
        EXPECT_TRUE(seconds == 3 || (seconds > 0 && b.number("timeLeft") == 0)) << b.at;
        EXPECT_EQ(b.of("score", 0) - a.of("score", 0), 200 * seconds) << b.at;
        EXPECT_EQ(b.number("levelPoints") - a.number("levelPoints"), 200 * seconds) << b.at;
        EXPECT_EQ(b.pieces(), 0) << b.at;
        steps += seconds > 0;
    }
    EXPECT_EQ(steps, (held + 2) / 3);

    // A second after the last step, level 2 begins with its rules alone.
    const int next =
        firstWhere(d, size_t(drained), [](const Dump& x) { return x.phase() == PhaseIntro; });
    ASSERT_GT(next, drained);
    const Dump &last = d[size_t(next - 1)], &level2 = d[size_t(next)];
    EXPECT_EQ(last.phase(), PhaseLevelComplete);
    const int wait = level2.gameTime() - d[size_t(drained)].gameTime();
    EXPECT_GE(wait, 1000);
    EXPECT_LE(wait, 1200);
    EXPECT_EQ(level2.of("level", 0), 2);
    EXPECT_EQ(level2.of("lives", 0), 3);
    EXPECT_EQ(level2.of("score", 0), last.of("score", 0));
    EXPECT_EQ(level2.number("levelPoints"), 0);
    EXPECT_EQ(level2.number("levelGoal"), 4000);
    EXPECT_EQ(level2.number("timeLeft"), 200);
    EXPECT_EQ(level2.intro(),
              (std::vector<std::string>{"Oranges eat apples,", "Lemons eat oranges,",
                                        "and apples eat lemons."}));
    EXPECT_EQ(level2.pieces(), 2);  // its set-up seeds: an orange and an apple
}

// Seed 9 at hard never reaches 6000 points in a turn. Each turn: 5 s of
// intro, 45 s of play, 5 s of "Out of Time!", a life gone. The third ends
// the game; its score tops the (lowered) high-score table.
TEST_F(PlayGame, ThreeTimeOutsEndTheGameAndOfferTheScore) {
    savePlayers({3}, true);
    const std::vector<Dump> d = run("", 300, 170000, 100);
    const std::vector<Turn> turns = turnsIn(d);
    ASSERT_EQ(turns.size(), 3u);
    int lives = 3, finalScore = 0;
    for (const Turn& t : turns) {
        SCOPED_TRACE("turn at " + std::to_string(d[size_t(t.start)].at));
        ASSERT_GT(t.end, t.start);
        EXPECT_EQ(t.player, 0);
        EXPECT_EQ(t.lastPhase, PhaseTimeOut);
        EXPECT_EQ(d[size_t(t.start)].of("lives", 0), lives);
        EXPECT_EQ(d[size_t(t.start)].of("level", 0), 1);
        const int play =
            firstWhere(d, size_t(t.start), [](const Dump& x) { return x.phase() == PhasePlaying; });
        const int out =
            firstWhere(d, size_t(t.start), [](const Dump& x) { return x.phase() == PhaseTimeOut; });
        ASSERT_TRUE(play > t.start && out > play && out < t.end);
        const int intro = d[size_t(play)].gameTime() - d[size_t(t.start)].gameTime();
        const int clock = d[size_t(out)].gameTime() - d[size_t(play)].gameTime();
        const int grace = d[size_t(t.end)].gameTime() - d[size_t(out)].gameTime();
        EXPECT_TRUE(intro >= 4900 && intro <= 5200) << intro;
        EXPECT_TRUE(clock >= 44900 && clock <= 45200) << clock;
        EXPECT_TRUE(grace >= 4900 && grace <= 5200) << grace;
        // Out of time: the clock stays at 0, nothing drops, nothing scores,
        // and the life goes only when the five seconds are up.
        for (int i = out; i < t.end; ++i) {
            const Dump& x = d[size_t(i)];
            EXPECT_EQ(x.number("timeLeft"), 0) << x.at;
            EXPECT_EQ(x.of("score", 0), d[size_t(out)].of("score", 0)) << x.at;
            if (i > out) {
                EXPECT_LE(x.pieces(), d[size_t(i - 1)].pieces()) << x.at;
            }
            EXPECT_EQ(x.of("lives", 0), lives) << x.at;
        }
        finalScore = d[size_t(t.end - 1)].of("score", 0);
        --lives;
    }

    const Dump& menu = d[size_t(turns.back().end)];
    EXPECT_TRUE(menu.has("\"scene\":\"menu\"")) << menu.text;
    EXPECT_TRUE(menu.has("\"play\":null"));
    EXPECT_EQ(menu.number("currentPlayer"), -1);
    EXPECT_EQ(menu.list("score"), (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(menu.list("level"), (std::vector<int>{1, 1, 1}));
    EXPECT_EQ(menu.list("lives"), (std::vector<int>{3, 3, 3}));
    ASSERT_GT(finalScore, 5000);
    const std::string top = "\"highScores\":[{\"name\":\"Ann\",\"skill\":3,\"level\":1,\"score\":" +
                            std::to_string(finalScore) +
                            "},{\"name\":\"Low\",\"skill\":1,"
                            "\"level\":1,\"score\":5000},";
    EXPECT_TRUE(menu.has(top)) << menu.text;
    EXPECT_EQ(menu.count("\"name\":\"Ann\""), 1);  // offered once
    EXPECT_FALSE(menu.has("\"score\":1000}"));     // the last row dropped out
    EXPECT_EQ(d.back().count("\"name\":\"Ann\""), 1);

    // The table is saved with the settings: the next start shows it again.
    const std::vector<Dump> next = run("", 300, 300, 100);
    ASSERT_EQ(next.size(), 1u);
    EXPECT_TRUE(next[0].has(top)) << next[0].text;
}

// Ann (hard) and Bob (easy), seed 9: Ann times out every turn; Bob completes
// level 1 and then runs out of time on level 2. Once Ann's lives are gone,
// Bob plays turn after turn.
TEST_F(PlayGame, TurnsAlternateAndSkipAPlayerWithoutLives) {
    opts.frameMs = 100;
    savePlayers({3, 1});
    const std::vector<Dump> d = run("", 1000, 695000, 1000);
    const std::vector<Turn> turns = turnsIn(d);
    std::vector<int> order;
    for (const Turn& t : turns) order.push_back(t.player);
    EXPECT_EQ(order, (std::vector<int>{0, 1, 0, 1, 0, 1, 1}));

    const char* const names[] = {"Ann", "Bob"};
    for (size_t k = 0; k < turns.size(); ++k) {
        const Turn& t = turns[k];
        const Dump& first = d[size_t(t.start)];
        SCOPED_TRACE("turn at " + std::to_string(first.at));
        ASSERT_TRUE(t.player == 0 || t.player == 1);
        EXPECT_EQ(introTail(first), std::string("[][") + names[t.player] + "'s turn!]");
        EXPECT_GT(first.of("lives", t.player), 0);
        if (t.end < 0) continue;
        // A time-out costs the player on turn one life; a completed level
        // costs none and moves that player on. The other player is untouched.
        const Dump &before = d[size_t(t.end - 1)], &after = d[size_t(t.end)];
        const int other = 1 - t.player;
        const bool timedOut = t.lastPhase == PhaseTimeOut;
        EXPECT_EQ(after.of("lives", t.player), before.of("lives", t.player) - (timedOut ? 1 : 0));
        EXPECT_EQ(after.of("level", t.player), before.of("level", t.player) + (timedOut ? 0 : 1));
        EXPECT_EQ(after.of("lives", other), first.of("lives", other));
        EXPECT_EQ(before.of("score", other), first.of("score", other));
    }
    ASSERT_EQ(turns.size(), 7u);
    EXPECT_EQ(d[size_t(turns[6].start)].list("lives"), (std::vector<int>{0, 1, 3}));
}

TEST_F(PlayGame, ThreePlayersTakeTurnsInOrder) {
    opts.frameMs = 100;
    savePlayers({3, 3, 3});
    const std::vector<Dump> d = run("", 1000, 170000, 1000);
    const std::vector<Turn> turns = turnsIn(d);
    ASSERT_EQ(turns.size(), 4u);
    const char* const tails[] = {"[][Ann's turn!]", "[][Bob's turn!]", "[][Cy's turn!]",
                                 "[][Ann's turn!]"};
    for (size_t k = 0; k < turns.size(); ++k) {
        const Dump& first = d[size_t(turns[k].start)];
        EXPECT_EQ(turns[k].player, int(k % 3)) << first.at;
        EXPECT_EQ(introTail(first), tails[k]) << first.at;
        EXPECT_EQ(first.intro().front(), "Level 1") << first.at;
    }
    EXPECT_EQ(d[size_t(turns[3].start)].list("lives"), (std::vector<int>{2, 2, 2}));
    // Each player's score is their own: Bob's turn leaves Ann's alone.
    EXPECT_EQ(d[size_t(turns[2].start)].of("score", 0), d[size_t(turns[1].start)].of("score", 0));
}

// The alarm clock pauses the game clock: everything timed stands still,
// while the input script keeps running (the clock's second click resumes).
// During the intro the pause holds the intro too, without starting play.
TEST_F(PlayGame, TheAlarmClockPausesEverythingButInput) {
    savePlayers({1});
    const std::string clock = std::string(" click ") + kAlarmClock + "\n";
    const std::vector<Dump> d =
        run("1000" + clock + "7000 move 400 300\n8000" + clock + "20000" + clock + "26000" + clock,
            300, 30000, 100);
    auto at = [&](uint32_t ms) -> const Dump& { return d[size_t((ms - 300) / 100)]; };

    const Dump &paused = at(1100), &stillPaused = at(7900);
    EXPECT_TRUE(paused.has("\"paused\":true")) << paused.text;
    EXPECT_TRUE(stillPaused.has("\"paused\":true"));
    EXPECT_EQ(stillPaused.phase(), PhaseIntro);  // the intro's 5 s wait too
    EXPECT_EQ(stillPaused.gameTime(), paused.gameTime());
    EXPECT_EQ(stillPaused.number("levelPoints"), paused.number("levelPoints"));
    EXPECT_EQ(stillPaused.piecesText(), paused.piecesText());
    EXPECT_EQ(stillPaused.number("x"), 400);  // the cursor followed the mouse

    // Resumed at 8000: the intro's 5 s are counted on the game clock, so
    // play starts 5 s of unpaused time after the intro began (7 s late).
    EXPECT_TRUE(at(8100).has("\"paused\":false"));
    const int intro = firstWhere(d, 0, [](const Dump& x) { return x.phase() == PhaseIntro; });
    const int play = firstWhere(d, 0, [](const Dump& x) { return x.phase() == PhasePlaying; });
    ASSERT_TRUE(intro >= 0 && play > intro);
    const int introMs = d[size_t(play)].gameTime() - d[size_t(intro)].gameTime();
    EXPECT_TRUE(introMs >= 4900 && introMs <= 5100) << introMs;
    EXPECT_GE(d[size_t(play)].at - d[size_t(intro)].at, 12000u - 100u);

    // Paused again in play.
    const Dump &playing = at(20100), &held = at(25900), &resumed = at(28500);
    EXPECT_TRUE(playing.has("\"paused\":true")) << playing.text;
    EXPECT_EQ(held.number("timeLeft"), playing.number("timeLeft"));
    EXPECT_EQ(held.number("levelPoints"), playing.number("levelPoints"));
    EXPECT_EQ(held.piecesText(), playing.piecesText());
    EXPECT_TRUE(resumed.has("\"paused\":false"));
    const int ran = playing.number("timeLeft") - resumed.number("timeLeft");
    EXPECT_TRUE(ran == 2 || ran == 3) << ran;  // 2.5 s of play since the resume
}
