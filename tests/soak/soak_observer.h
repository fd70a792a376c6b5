// What a soak run did, counted from the live game after every frame rather
// than from what the monkey meant to do: games and their player counts,
// turns per level, level ends, pick-ups and put-downs, brush strokes, pauses
// and the exit dialog.
#pragma once

#include <array>
#include <cstdint>

#include "shell/game_state.h"

struct kwSoakStats {
    uint64_t frames = 0, playFrames = 0, menuFrames = 0;
    uint32_t games = 0, gamesEnded = 0;
    std::array<uint32_t, kMaxPlayers + 1> gamesByPlayers{};  // index: player count
    std::array<uint32_t, 4> gamesBySkill{};                  // player 1's skill 1..3
    std::array<uint32_t, 7> gamesBySpeed{};                  // speed 1..6
    std::array<uint32_t, kLevelCount + 1> turnsAtLevel{};    // index: level 1..16
    std::array<uint32_t, kLevelCount + 1> wonAtLevel{};      // completed turns
    uint32_t turns = 0, levelsCompleted = 0, timeOuts = 0;
    int32_t highestActiveSkill = 0;  // above 3 once a player has passed level 16
    uint32_t pickUps = 0, brushPickUps = 0, putDowns = 0;
    uint32_t brushStrokes = 0, strokesOnSweets = 0, sweetsBrushedOff = 0;
    uint32_t pauses = 0, dialogs = 0;
    int32_t mostPieces = 0;

    // Levels with at least one turn.
    int levelsPlayed() const;
};

class kwSoakObserver {
public:
    // Looks at the game as the last frame left it.
    void observe();
    const kwSoakStats& stats() const { return s; }

private:
    void sceneChanged(bool inPlay, bool inMenu);
    void watchTurn();
    void watchHand();
    void watchBrush();
    void watchClock();

    kwSoakStats s;
    bool wasPlay = false, wasMenu = false;
    int32_t lastPhase = -1;
    const void* lastHand = nullptr;  // compared, never followed: it may be gone
    uint32_t lastBrushTime = 0;
    const void* lastBrushedOff = nullptr;  // compared only; counted once
    bool wasPaused = false, wasDialog = false;
};
