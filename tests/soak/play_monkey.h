// The soak monkey at play: it looks at the live board the way a player
// looks at the screen and picks a plausible move: carry prey next to a
// fruit (or the chomp) that eats it, carry fruit away from a sweet about to
// eat it, pick up the brush and scrub sweets, lock a sweet in a corner,
// shift a piece anywhere, pause at the alarm clock for a while, open the
// exit dialog and carry on, or just watch. A game has a target
// level (the menu's choice): a while after some player has reached it, or
// when the game's patience runs out, the monkey leaves by the dialog's menu
// button or by Escape; a patient player stays until the game is over.
#pragma once

#include <cstdint>

#include "monkey_hand.h"

class kwPiece;
class kwPlayScene;

struct kwPlayCounts {
    uint32_t feeds = 0;       // prey carried next to a piece that eats it
    uint32_t rescues = 0;     // fruit carried away from a sweet that eats it
    uint32_t spreads = 0;     // watermelons parted from each other
    uint32_t jails = 0;       // sweets carried to a corner
    uint32_t moves = 0;       // pieces carried anywhere
    uint32_t brushGrabs = 0;  // reaches for the brush
    uint32_t scrubs = 0;      // sweets the bristles were held over
    uint32_t clockClicks = 0, pausedClicks = 0;
    uint32_t dialogs = 0, continues = 0, menus = 0, escapes = 0;
    uint32_t boardClicks = 0, bursts = 0, watches = 0;
};

class kwPlayMonkey {
public:
    explicit kwPlayMonkey(kwMonkeyHand& hand) : hand(hand) {}

    // A new game at platform time `now`, played for `targetLevel`; a
    // patient player stays until the game is over, a keen one plays
    // faster and mostly to win.
    void enter(uint32_t now, int32_t targetLevel, bool patient, bool keen);
    void plan(kwPlayScene& play, uint32_t now);

    kwPlayCounts counts;

private:
    void holding(const kwPiece& held);
    void choose(kwPlayScene& play);
    bool grab(bool (kwPlayMonkey::*want)(const kwPiece&) const, bool weakest = false);
    bool isPrey(const kwPiece& p) const;
    bool isSweetPrey(const kwPiece& p) const;
    bool isCrowdedMelon(const kwPiece& p) const;
    bool isInDanger(const kwPiece& p) const;
    bool isJailable(const kwPiece& p) const;
    bool isAny(const kwPiece& p) const;
    bool grabBrush();
    void pickUp(const kwPiece& p);
    void dropOn(int32_t column, int32_t row);
    void dropFeeding(const kwPiece& held);
    void dropSafely(const kwPiece& held);
    void scrub();
    void pauseAWhile(kwPlayScene& play);
    enum class Choice : uint8_t { Continue, Menu, Escape };
    void dialog(kwPlayScene& play, Choice choice);
    void leave(kwPlayScene& play);
    void watch();
    void boardClick();
    void burst();

    kwMonkeyHand& hand;
    void watchTarget(uint32_t now);

    uint32_t leaveAt = 0;
    int32_t target = 0;
    bool reached = false;
    bool patient = false;
    bool keen = false;
};
