// The sixteen levels: what a turn on each shows first, how many points it
// asks for in how long, which pieces stand on the board when it starts and
// which mix keeps dropping in. The mix and a few goals follow the player's
// active skill, so later passes through the levels bring more obstacles.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "board/piece_type.h"

inline constexpr int32_t kLevelTableSize = 16;
// The title line every intro starts with, except level 2's.
inline constexpr const char* kLevelLineFormat = "Level %d";

// One group of seeds: `rounds` times the listed types in order.
struct kwSeedGroup {
    std::span<const kwPieceType> types;
    int32_t rounds = 1;
    bool animate = false;
};

struct kwLevelRow {
    int32_t level = 1;
    bool levelLine = true;  // whether "Level %d" comes before the lines
    std::span<const char* const> introLines;
    int32_t goal = 0;  // the base goal; level 8's depends on the skill, see baseGoal()
    int32_t time = 0;  // the base time in seconds
    std::span<const kwSeedGroup> turnSeeds;   // placed by the turn's start
    std::span<const kwSeedGroup> setUpSeeds;  // placed by the spawner's first run
    // The level that forces one bag slot (the 21st drop) to a kind.
    int32_t fixedSlot = -1;  // bag position, -1 for none
    kwPieceType fixedSlotType = kwPieceType::NoPiece;
};

struct kwSpawnWeight {
    kwPieceType type = kwPieceType::NoPiece;
    float weight = 0.0f;
};

// A level's drop mix at one skill, in the order the entries are added.
struct kwLevelWeights {
    static constexpr int32_t kMaxEntries = 16;
    std::array<kwSpawnWeight, kMaxEntries> entries{};
    int32_t count = 0;
};

// The row of a level; levels outside 1..16 get the nearest real one.
const kwLevelRow& levelRow(int32_t level);
// The goal before the skill multiplies it.
int32_t baseGoal(int32_t level, int32_t skill);
// What the turn actually asks: the base goal times the skill, and the
// base time plus the extra seconds easier skills get.
int32_t turnGoal(int32_t level, int32_t skill);
int32_t turnTime(int32_t level, int32_t skill);
kwLevelWeights levelWeights(int32_t level, int32_t skill);

// Drops every seed of the groups on random free cells through the board's
// host; a full board swallows the rest silently.
void placeSeeds(std::span<const kwSeedGroup> groups);
