// The soak monkey in the main menu: on each visit it decides the next game
// (players, skill, speed, start level, volumes), walks through the panels
// that need changing, sometimes looks at the how-to, credits and scores,
// types a name now and then, and presses PLAY!. Start levels are chosen so
// that over a run every level gets its turns: it aims at the level played
// least (counting its own earlier aims at it, so a level that is hard to
// reach does not swallow the run) and starts from the nearest start level
// below it, or, in some games, at the target itself, set past the chips.
#pragma once

#include <array>
#include <cstdint>

#include "monkey_hand.h"
#include "soak_observer.h"

class kwMenuScene;

struct kwMenuCounts {
    uint32_t visits = 0;
    uint32_t panelsOpened = 0;
    uint32_t settingsClicks = 0;  // player count, skill, speed, start level, volumes
    uint32_t namesTyped = 0;
    uint32_t looks = 0;  // how-to, credits and scores visited without a change
    uint32_t jumps = 0;  // games begun at a level no start chip offers
};

class kwMenuMonkey {
public:
    static constexpr int kStartChips = 6;
    static constexpr std::array<int32_t, kStartChips> kStartLevels{1, 4, 7, 10, 12, 14};

    kwMenuMonkey(kwMonkeyHand& hand, const kwSoakStats& stats) : hand(hand), stats(stats) {}

    // A new visit: choose the next game and the errands that lead to it.
    void enter();
    // Queues the next errand's steps; the panels' pictures are looked up
    // live, after the panel has opened and loaded them.
    void plan(kwMenuScene& menu);

    // The start level that reaches `level` soonest: the highest start not
    // above it.
    static int32_t startFor(int32_t level);
    // A level with the fewest turns and aims so far, ties drawn at random.
    int32_t leastPlayed();

    kwMenuCounts counts;
    // The game chosen last: the level it aims at, whether its player stays
    // until the game is over, and whether the target needs levels won.
    int32_t target = 1;
    bool patient = false;
    bool climbing = false;
    bool jumping = false;  // the game begins at `target`, which no chip offers

private:
    enum class Errand : uint8_t {
        OpenPanel,
        PlayerCount,
        Name,
        Skill,
        Speed,
        StartLevel,
        MusicVolume,
        SoundVolume,
        Look,
        Play
    };
    struct Item {
        Errand errand;
        int32_t value;
    };
    static constexpr size_t kMaxItems = 32;

    void add(Errand e, int32_t value = 0);
    void addPlayersVisit(int32_t players);
    void addSkillVisit(int32_t skill, int32_t speed, int32_t start);
    void addVolumeVisit();
    void addLookVisit(int32_t panel);
    void perform(kwMenuScene& menu, const Item& item);
    // Glides to a picture and clicks it; false when it is not there.
    bool clickOn(kwDrawable* image, bool exact);
    void openPanel(int32_t panel);
    void typeName(kwMenuScene& menu, int32_t slot);
    void setValue(kwDrawable* image, bool exact, kwExpectKind what, int32_t value);
    void pressPlay(kwMenuScene& menu);

    kwMonkeyHand& hand;
    const kwSoakStats& stats;
    std::array<Item, kMaxItems> items{};
    std::array<uint32_t, kLevelCount + 1> aims{};  // games aimed at each level
    size_t next = 0, count = 0;
};
