// Keeps pieces dropping onto the board during a turn: every 0.4 to 1.9 s
// the next code of a shuffled bag of 1000, filled in proportion to the
// level's weights, becomes a new piece on a random free cell.
#pragma once

#include <array>
#include <cstdint>

#include "play/level_table.h"
#include "render/drawable.h"

class kwLevelSpawner : public kwScript {
public:
    static constexpr uint32_t StateSetUp = 0;
    static constexpr uint32_t StateDropping = 1;
    static constexpr uint32_t kTickMs = 45;
    static constexpr uint32_t kMinDropMs = 400;
    static constexpr uint32_t kDropSpreadMs = 1500;  // drops come 400..1899 ms apart
    static constexpr int32_t kMaxWeights = 100;
    static constexpr int32_t kBagSize = 1000;

    kwLevelSpawner();
    void run() override;

    // False (and logged) when the list is full.
    bool addWeight(kwPieceType type, float weight);
    // The level's mix at the current player's skill, its set-up seeds, a
    // fresh bag and the level's fixed slot.
    void setUpLevel(int32_t level);
    void buildBag();

    int32_t weightCount() const { return weightTotal; }
    const kwSpawnWeight& weightAt(int32_t i) const { return weights[size_t(i)]; }
    kwPieceType bagAt(int32_t i) const { return kwPieceType(bag[size_t(i)]); }
    int32_t nextBagIndex() const { return bagIndex; }
    uint32_t lastDropTime() const { return lastDrop; }
    uint32_t dropInterval() const { return nextDropMs; }

private:
    void drawDropInterval();
    void drop();
    int32_t proportionalCounts(float total);

    std::array<kwSpawnWeight, kMaxWeights> weights{};
    int32_t weightTotal = 0;
    std::array<uint32_t, kBagSize> bag{};
    int32_t bagIndex = 0;
    uint32_t lastDrop = 0;
    uint32_t nextDropMs = 0;
};
