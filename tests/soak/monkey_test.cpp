// The soak monkey itself: a short soak plays through menu and game and
// finds nothing, the same seed plays the same run again (so a finding can
// be replayed), a failure in the debug log fails a run, its checks catch a
// game that did not do what a step should have done, it never clicks a quit
// button whatever was planned, the start levels it picks reach every level,
// the report counts what happened, and the hand moves at a person's pace.
#include "monkey.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "app/runner.h"
#include "board/board_host.h"
#include "board/piece.h"
#include "board/piece_list.h"
#include "board/piece_script.h"
#include "input/cursor.h"
#include "menu_monkey.h"
#include "platform/headless/headless.h"
#include "play/play_scene.h"
#include "shell/game_state.h"
#include "shell/scene_manager.h"
#include "shell/scenes.h"
#include "soak_run.h"

namespace {

namespace fs = std::filesystem;

class Soak : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir = fs::path(::testing::TempDir()) / (std::string("soak_") + info->name());
        opts.dataDir = GG_BINARY_DIR "/data";
        opts.workDir = dir.string();
        opts.minutes = 3;
        opts.seed = 11;
        saved = gameState;
    }
    void TearDown() override {
        gameState = saved;
        fs::remove_all(dir);
    }

    fs::path dir;
    kwSoakOptions opts;
    kwGameState saved;
};

}  // namespace

TEST_F(Soak, AShortRunPlaysMenuAndGameAndFindsNothing) {
    const kwSoakResult r = runSoak(opts);
    EXPECT_TRUE(r.ok()) << soakReport(r);
    const kwSoakStats& s = r.stats;
    EXPECT_EQ(s.frames, r.framesWanted);
    EXPECT_GE(s.games, 1u);
    EXPECT_GE(s.turns, 1u);
    EXPECT_GT(s.pickUps, 10u);
    EXPECT_GE(s.putDowns + 1, s.pickUps);  // at most one piece still in the hand
    EXPECT_GT(r.play.feeds, 0u);
    EXPECT_GT(r.menu.settingsClicks, 0u);
    EXPECT_GT(r.checks, 5u);  // the steps' effects were really looked at
    uint32_t turns = 0;
    for (uint32_t n : s.turnsAtLevel) turns += n;
    EXPECT_EQ(turns, s.turns);
}

TEST_F(Soak, TheSameSeedPlaysTheSameRun) {
    opts.minutes = 1;
    const kwSoakResult a = runSoak(opts);
    const kwSoakResult b = runSoak(opts);
    EXPECT_EQ(a.stats.pickUps, b.stats.pickUps);
    EXPECT_EQ(a.stats.turns, b.stats.turns);
    EXPECT_EQ(a.stats.mostPieces, b.stats.mostPieces);
    EXPECT_EQ(a.clicks, b.clicks);
    EXPECT_EQ(a.play.feeds, b.play.feeds);
    opts.seed += 1;
    const kwSoakResult c = runSoak(opts);
    EXPECT_TRUE(c.clicks != a.clicks || c.stats.pickUps != a.stats.pickUps);
}

// A picture or sound the game cannot find is an error even though the game
// carries on without it.
TEST_F(Soak, AFailureInTheDebugLogFailsTheRun) {
    const fs::path data = dir.string() + "_data";
    fs::remove_all(data);
    fs::copy(opts.dataDir, data);
    fs::remove(data / "frozen.lfl");  // the play screen's frozen-piece overlay
    opts.dataDir = data.string();
    opts.minutes = 1;
    const kwSoakResult r = runSoak(opts);
    fs::remove_all(data);
    EXPECT_FALSE(r.ok());
    EXPECT_EQ(r.exitCode, 0);
    ASSERT_FALSE(r.logErrors.empty());
    EXPECT_NE(r.logErrors[0].find("frozen.lfl"), std::string::npos) << r.logErrors[0];
}

TEST(MonkeyHand, AStepThatDidNotHappenIsASurprise) {
    kwGameState saved = gameState;
    kwMonkeyHand hand(1);
    gameState.playerCount = 2;
    gameState.speedFactor = 4;
    hand.expect(kwExpectKind::PlayerCount, 3);
    hand.expect(kwExpectKind::Speed, 4);
    // No play scene: the pause and the hand cannot be judged, and are not.
    hand.expect(kwExpectKind::Paused, 1);
    hand.expect(kwExpectKind::HandEmpty);
    hand.run(1234);
    gameState = saved;
    EXPECT_TRUE(hand.idle());
    EXPECT_EQ(hand.checks, 2u);
    ASSERT_EQ(hand.surpriseCount, 1u);
    EXPECT_EQ(hand.surprises.at(0), "at 1234 ms: player count: wanted 3, found 2");
}

TEST(MonkeyHand, NamesThatOverrunTheirBytesAreCaught) {
    kwGameState saved = gameState;
    kwMonkeyHand hand(1);
    hand.expect(kwExpectKind::NamesValid);
    hand.run(0);
    std::memset(gameState.playerName[1], 'x', kPlayerNameSize);  // no NUL left
    hand.expect(kwExpectKind::NamesValid);
    hand.run(1);
    gameState = saved;
    EXPECT_EQ(hand.checks, 2u);
    EXPECT_EQ(hand.surpriseCount, 1u);
}

// Whatever a planner asks, a click on the menu's quit button would end the
// soak early; the hand refuses it and reports it.
TEST_F(Soak, TheHandNeverClicksQuit) {
    fs::create_directories(dir);
    kwMonkey monkey(3);
    kwRunnerOptions run;
    run.app.dataDir = opts.dataDir;
    run.app.settingsDir = (dir / "state").string();
    run.app.logPath = (dir / "gobble.log").string();
    run.app.haveSeed = true;
    run.frames = 120;
    uint32_t calls = 0;
    run.afterFrame = [&](uint32_t) {
        if (++calls == 20) {
            monkey.hand.glideFor(100, 564, 50);  // the quit button's middle
            monkey.hand.click();
        }
        monkey.hand.run(headlessTime());
    };
    EXPECT_EQ(runHeadless(run), 0);
    EXPECT_EQ(calls, 120u);  // the program did not end early
    EXPECT_EQ(monkey.hand.clicks, 0u);
    EXPECT_EQ(monkey.hand.surpriseCount, 1u);
}

TEST(MenuMonkey, StartLevelsReachEveryLevelFromBelow) {
    const int32_t want[kLevelCount + 1] = {0, 1,  1,  1,  4,  4,  4,  7, 7,
                                           7, 10, 10, 12, 12, 14, 14, 14};
    for (int32_t level = 1; level <= kLevelCount; ++level)
        EXPECT_EQ(kwMenuMonkey::startFor(level), want[level]) << "level " << level;
}

TEST(MenuMonkey, AimsSpreadOverLevelsNotYetPlayed) {
    kwMonkeyHand hand(7);
    kwSoakStats stats;
    for (int32_t l = 1; l <= kLevelCount; ++l) stats.turnsAtLevel[size_t(l)] = l == 9 ? 0 : 2;
    kwMenuMonkey menu(hand, stats);
    // The level played least first, until aiming at it has evened it out
    // (it may be hard to reach: it must not take every game); then every
    // level once before any twice.
    EXPECT_EQ(menu.leastPlayed(), 9);
    EXPECT_EQ(menu.leastPlayed(), 9);
    std::set<int32_t> next;
    for (int i = 0; i < kLevelCount; ++i) next.insert(menu.leastPlayed());
    EXPECT_EQ(next.size(), size_t(kLevelCount));
}

// A level with no turn yet is aimed at directly: never a random chip, never
// a climb that a random player would lose on the way.
TEST(MenuMonkey, ALevelNotYetPlayedIsGoneForStraight) {
    for (int32_t unplayed : {13, 12}) {  // no chip starts 13; one starts 12
        for (uint32_t seed = 1; seed <= 40; ++seed) {
            kwMonkeyHand hand(seed);
            kwSoakStats stats;
            for (int32_t l = 1; l <= kLevelCount; ++l)
                stats.turnsAtLevel[size_t(l)] = l == unplayed ? 0 : 3;
            kwMenuMonkey menu(hand, stats);
            menu.enter();
            ASSERT_EQ(menu.target, unplayed);
            EXPECT_EQ(menu.jumping, unplayed == 13) << seed;
            EXPECT_FALSE(menu.climbing) << seed;  // started at the level itself
        }
    }
}

TEST(MenuMonkey, OnlyLevelsNoChipOffersAreJumpedTo) {
    kwMonkeyHand hand(11);
    kwSoakStats stats;
    kwMenuMonkey menu(hand, stats);
    std::set<int32_t> jumped;
    for (int i = 0; i < 400; ++i) {
        menu.enter();
        if (!menu.jumping) continue;
        jumped.insert(menu.target);
        EXPECT_NE(kwMenuMonkey::startFor(menu.target), menu.target) << menu.target;
        // A game begun at its target climbs nothing, so its player may stay.
        EXPECT_EQ(menu.climbing, menu.target >= kwMenuMonkey::kStartLevels.back());
    }
    EXPECT_EQ(jumped, (std::set<int32_t>{2, 3, 5, 6, 8, 9, 11, 13, 15, 16}));
}

namespace {

// A cell's centre on the screen.
int32_t cellX(int32_t column) {
    return 40 + 48 * column;
}
int32_t cellY(int32_t row) {
    return 564 - 48 * row;
}

kwPlayScene* currentPlay() {
    return sceneManager && sceneManager->current == scenes.play
               ? static_cast<kwPlayScene*>(scenes.play)
               : nullptr;
}

// One scripted visit through the hand: PLAY!, a pause and a resume at the
// alarm clock, the orange picked up and put on a free cell, the exit
// dialog opened and closed. Returns the next stage.
int scriptedStage(int stage, kwMonkeyHand& hand) {
    kwPlayScene* play = currentPlay();
    int32_t x = 0, y = 0;
    switch (stage) {
        case 0:
            hand.glide(686, 563);
            hand.click();
            hand.wait(500, 500);
            return 1;
        case 1:
            if (!play || !pieceList || !pieceList->countOfType(kwPieceType::Orange)) return 1;
            for (int i = 0; i < 2; ++i) {
                if (!hand.pointOn(play->alarmClock->hotSpot.get(), true, &x, &y)) return 99;
                hand.glide(x, y);
                hand.click();
                hand.wait(200, 200);
            }
            return 2;
        case 2: {
            // An idle piece far from the orange: it will still be there
            // when the click lands a frame later.
            const kwPiece* orange = pieceList->nearestOfType(0, 0, kwPieceType::Orange);
            const kwPiece* pick = nullptr;
            int32_t far = -1;
            for (const kwPiece* p : pieceList->slots) {
                if (!p || !p->canPickUp() || p->script->state != Idle) continue;
                const int32_t dc = p->column - orange->column, dr = p->row - orange->row;
                if (dc * dc + dr * dr > far) {
                    far = dc * dc + dr * dr;
                    pick = p;
                }
            }
            if (!pick) return 2;
            hand.glideFor(cellX(pick->column), cellY(pick->row), 1);
            hand.click();
            hand.wait(200, 200);
            return 3;
        }
        case 3:
            for (int32_t c = 0; c < kBoardColumns; ++c)
                if (!boardGrid->isOccupied(c, 5)) {
                    hand.glide(cellX(c) - cursor->grabOffsetX, cellY(5) + cursor->grabOffsetY);
                    hand.click();
                    hand.wait(200, 200);
                    return 4;
                }
            return 99;
        case 4:
            if (!hand.pointOn(play->exitButton.get(), true, &x, &y)) return 99;
            hand.glide(x, y);
            hand.click();
            hand.wait(300, 300);
            return 5;
        case 5:
            if (!hand.pointOn(play->exitDialog->continueButton.get(), false, &x, &y)) return 99;
            hand.glide(x, y);
            hand.click();
            hand.wait(300, 300);
            return 6;
        default:
            return stage;
    }
}

}  // namespace

// The report counts what happened in the game, not what was meant: a known
// sequence of moves must come out as exactly those counts.
TEST_F(Soak, TheObserverCountsWhatHappened) {
    fs::create_directories(dir);
    kwMonkeyHand hand(1);
    kwSoakObserver observer;
    kwRunnerOptions run;
    run.app.dataDir = opts.dataDir;
    run.app.settingsDir = (dir / "state").string();
    run.app.logPath = (dir / "gobble.log").string();
    run.app.haveSeed = true;
    run.frames = 500;
    int stage = 0;
    run.afterFrame = [&](uint32_t) {
        observer.observe();
        hand.run(headlessTime());
        if (hand.idle()) stage = scriptedStage(stage, hand);
    };
    ASSERT_EQ(runHeadless(run), 0);
    ASSERT_EQ(stage, 6);
    const kwSoakStats& s = observer.stats();
    EXPECT_EQ(s.frames, 500u);
    EXPECT_EQ(s.games, 1u);
    EXPECT_EQ(s.gamesByPlayers[1], 1u);
    EXPECT_EQ(s.turns, 1u);
    EXPECT_EQ(s.turnsAtLevel[1], 1u);
    EXPECT_EQ(s.pickUps, 1u);
    EXPECT_EQ(s.putDowns, 1u);
    EXPECT_EQ(s.pauses, 1u);  // the dialog's own pause is not one
    EXPECT_EQ(s.dialogs, 1u);
    EXPECT_EQ(s.gamesEnded, 0u);
    EXPECT_EQ(hand.surpriseCount, 0u);
}

// A glide crosses the screen over several frames at about 1.5 ms a pixel,
// never in one jump, and a click waits for it to arrive.
TEST_F(Soak, TheHandMovesAtAPersonsPace) {
    fs::create_directories(dir);
    kwMonkeyHand hand(1);
    kwRunnerOptions run;
    run.app.dataDir = opts.dataDir;
    run.app.settingsDir = (dir / "state").string();
    run.app.logPath = (dir / "gobble.log").string();
    run.frames = 80;
    std::vector<std::pair<uint32_t, int>> path;  // time, mouse x
    uint32_t clickedAt = 0;
    run.afterFrame = [&](uint32_t frame) {
        if (frame == 5) {
            headlessMoveMouse(100, 300);
            hand.glide(300, 300);  // 200 px: 300 ms
            hand.rightClick();     // harmless anywhere
        }
        const uint64_t clicks = hand.clicks;
        hand.run(headlessTime());
        int x = 0, y = 0;
        platform().getMousePos(&x, &y);
        if (frame >= 5) path.emplace_back(headlessTime(), x);
        if (hand.clicks != clicks) clickedAt = headlessTime();
    };
    ASSERT_EQ(runHeadless(run), 0);
    ASSERT_FALSE(path.empty());
    const uint32_t start = path.front().first;
    int moves = 0;
    for (size_t i = 1; i < path.size(); ++i) {
        EXPECT_GE(path[i].second, path[i - 1].second);  // never backwards
        EXPECT_LE(path[i].second - path[i - 1].second, 60) << "a jump at " << path[i].first;
        if (path[i].second != path[i - 1].second) ++moves;
    }
    EXPECT_GE(moves, 10);
    EXPECT_EQ(path.back().second, 300);
    EXPECT_GE(clickedAt - start, 290u);
    EXPECT_LE(clickedAt - start, 340u);
}
