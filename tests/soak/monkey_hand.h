// The soak monkey's hand: a short queue of steps (glide the mouse, click,
// press a key, type, wait, check what a step should have done), carried out
// through the headless backend's input at a person's pace, one frame at a
// time. The planners fill the queue; the hand never decides anything.
#pragma once

#include <array>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "platform/platform.h"

class kwScene;
class kwDrawable;

// What a step should have done, checked once its wait is over. Checks that
// the game could legitimately skip (the scene changed, the turn ended) are
// skipped in those cases, so a failed check is a real surprise.
enum class kwExpectKind : uint8_t {
    OpenPanel,     // the menu shows panel `value`
    PlayerCount,   // playerCount == value
    Skill,         // every player's menu skill == value
    Speed,         // speedFactor == value
    StartLevel,    // startLevel == value
    MusicVolume,   // musicVolume == value
    SoundVolume,   // soundVolume == value
    SceneMenu,     // the menu scene is current
    ScenePlay,     // the play scene is current
    DialogOpen,    // the exit dialog shows and the clock stands
    DialogClosed,  // the dialog is gone and the clock runs
    Paused,        // value 1: the clock stands, 0: it runs
    HandEmpty,     // nothing was picked up
    NamesValid,    // every player name is printable and ends within its 11 bytes
};

struct kwMonkeyStep {
    enum class Kind : uint8_t { Glide, Click, RightClick, Key, Chars, Wait, Expect };
    Kind kind = Kind::Wait;
    int32_t x = 0, y = 0;  // glide target, screen pixels
    uint32_t ms = 0;       // glide or wait length
    kwKey key = kwKey::Other;
    std::array<char, 16> text{};  // NUL-terminated; '\b' is Backspace
    kwExpectKind expect = kwExpectKind::HandEmpty;
    int32_t value = 0;
};

class kwMonkeyHand {
public:
    static constexpr size_t kQueueSize = 64;
    static constexpr size_t kSurprisesKept = 20;

    explicit kwMonkeyHand(uint32_t seed) : rng(seed) {}

    // Random helpers: an integer in [lo, hi], and true one time in n.
    int32_t between(int32_t lo, int32_t hi);
    bool oneIn(int32_t n);

    // Queueing; every step belongs to the scene current when it was queued,
    // and a queue whose scene has gone is dropped unexecuted.
    void glide(int32_t sx, int32_t sy);
    void glideFor(int32_t sx, int32_t sy, uint32_t ms);  // ms 0: at a hand's pace
    void click();
    void rightClick();
    void key(kwKey k);
    void chars(const char* text);
    void wait(uint32_t lo, uint32_t hi);
    void expect(kwExpectKind kind, int32_t value = 0);
    void clear();
    bool idle() const { return head == tail; }

    // Runs the due steps at platform time `now`.
    void run(uint32_t now);

    // Scene-to-screen conversion.
    static int32_t screenX(float sceneX) { return int32_t(sceneX) + 400; }
    static int32_t screenY(float sceneY) { return 300 - int32_t(sceneY); }
    // A point (screen pixels) where `image` answers its hit test, chosen at
    // random over the picture; false when none is found.
    bool pointOn(kwDrawable* image, bool exact, int32_t* sx, int32_t* sy);

    std::mt19937 rng;
    uint64_t clicks = 0, keys = 0, glides = 0, checks = 0;
    uint64_t surpriseCount = 0;
    std::vector<std::string> surprises;  // the first kSurprisesKept

private:
    bool push(const kwMonkeyStep& s);
    // Carries out the front step; false while it still takes time.
    bool perform(kwMonkeyStep& s, uint32_t now);
    bool glideStep(const kwMonkeyStep& s, uint32_t now);
    void check(const kwMonkeyStep& s, uint32_t now);
    void surprise(uint32_t now, const char* what, int32_t wanted, int32_t found);

    std::array<kwMonkeyStep, kQueueSize> queue{};
    size_t head = 0, tail = 0;
    kwScene* queuedFor = nullptr;
    bool started = false;  // the front step has begun
    uint32_t stepStart = 0;
    uint32_t stepFrames = 0;  // run() calls since the front step began
    int32_t fromX = 0, fromY = 0;
};
