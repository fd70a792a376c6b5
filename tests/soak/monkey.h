// The soak monkey: a seeded, random but plausible player that the headless
// runner calls after every frame. It watches the live game (the observer
// counts what happened), lets its hand carry out what it planned, and when
// the hand is free plans the next thing to do in whichever screen shows.
#pragma once

#include <cstdint>

#include "menu_monkey.h"
#include "monkey_hand.h"
#include "play_monkey.h"
#include "soak_observer.h"

class kwScene;

class kwMonkey {
public:
    explicit kwMonkey(uint32_t seed) : hand(seed), menu(hand, observer.stats()), play(hand) {}

    // The runner's per-frame hook.
    void afterFrame(uint32_t frame);

    const kwSoakStats& stats() const { return observer.stats(); }

    kwMonkeyHand hand;
    kwSoakObserver observer;
    kwMenuMonkey menu;
    kwPlayMonkey play;

private:
    kwScene* lastScene = nullptr;
};
