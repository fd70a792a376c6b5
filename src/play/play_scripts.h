// The play scene's scripts besides the level spawner: the input script that
// runs every frame, and the turn's timed scripts (score ticker, level clock,
// intro text, level complete, time out), which start over at every turn,
// and the high-score flasher, which watches the whole game.
#pragma once

#include <cstdint>

#include "render/drawable.h"

class kwPlayScene;

// Every frame: ageing, music, Escape, the exit button and dialog, the alarm
// clock, starting play with a click, and the hand.
class kwPlayInputScript : public kwScript {
public:
    explicit kwPlayInputScript(kwPlayScene& scene);
    void run() override;

private:
    void hover();
    void click(int32_t x, int32_t y);
    kwPlayScene& scene;
};

// A timed script of the turn: restart() puts it back to its first state.
class kwTurnScript : public kwScript {
public:
    kwTurnScript(kwPlayScene& owner, uint32_t every);
    virtual void restart() { state = 0; }

protected:
    kwPlayScene& scene;
};

// Each tick, the scoring pieces on the board earn points; reaching the goal
// completes the level.
class kwScoreTicker : public kwTurnScript {
public:
    static constexpr uint32_t kEveryMs = 990;
    explicit kwScoreTicker(kwPlayScene& owner) : kwTurnScript(owner, kEveryMs) {}
    void run() override;
};

// Counts the turn's seconds down while playing; after a completed level,
// once the board is empty, turns the seconds left into bonus points.
class kwLevelClock : public kwTurnScript {
public:
    static constexpr uint32_t kPlayEveryMs = 10;
    static constexpr uint32_t kBonusEveryMs = 100;
    static constexpr int32_t kBonusStepSeconds = 3;
    static constexpr int32_t kBonusPerSecond = 100;
    explicit kwLevelClock(kwPlayScene& owner) : kwTurnScript(owner, kPlayEveryMs) {}
    void run() override;

private:
    void countDown();
    void payBonus();
    uint32_t startedAt = 0;
    int32_t total = 0;
};

// Starts play 5 s into the intro if no click did; then makes the intro's
// letters fly apart and removes them 7 s after the intro began.
class kwIntroTextScript : public kwTurnScript {
public:
    static constexpr uint32_t kEveryMs = 20;
    static constexpr uint32_t kPlayAfterMs = 5000;
    static constexpr uint32_t kGoneAfterMs = 7000;
    explicit kwIntroTextScript(kwPlayScene& owner) : kwTurnScript(owner, kEveryMs) {}
    void run() override;

private:
    uint32_t startedAt = 0;
};

// After the bonus: a second's pause, then the next level (past the last, the
// first again at a higher skill) and the next turn.
class kwLevelCompleteScript : public kwTurnScript {
public:
    static constexpr uint32_t kEveryMs = 100;
    static constexpr uint32_t kAfterBonusMs = 1000;
    explicit kwLevelCompleteScript(kwPlayScene& owner) : kwTurnScript(owner, kEveryMs) {}
    void run() override;

private:
    uint32_t bonusDoneAt = 0;
};

// Five seconds after time ran out: a life lost and the next turn.
class kwTimeOutScript : public kwTurnScript {
public:
    static constexpr uint32_t kEveryMs = 100;
    static constexpr uint32_t kWaitMs = 5000;
    explicit kwTimeOutScript(kwPlayScene& owner) : kwTurnScript(owner, kEveryMs) {}
    void run() override;

private:
    uint32_t timedOutAt = 0;
};

// Flashes "new high score" when the current player passes the best score
// (or the last score it flashed for), once per player in a row.
class kwHighScoreFlasher : public kwScript {
public:
    static constexpr uint32_t kEveryMs = 100;
    static constexpr int kFlashes = 6;
    static constexpr uint32_t kHalfFlashMs = 250;
    kwHighScoreFlasher(kwPlayScene& owner, int32_t best);
    void run() override;

private:
    kwPlayScene& scene;
    int32_t threshold = 0;
    int32_t flagged = -1;
    uint32_t flashStart = 0;
    bool flashing = false;
};
