#include "play/level_spawner.h"

#include <algorithm>
#include <utility>

#include "board/board_host.h"
#include "shell/clock.h"
#include "shell/game_state.h"
#include "shell/log.h"
#include "shell/random.h"

namespace {

constexpr double kBagScale = 1000.0;
constexpr uint32_t kShuffleSwaps = 1000;

// The active skill of the player whose turn it is (easy if none is).
int32_t currentSkill() {
    const int32_t p = gameState.currentPlayer;
    if (p < 0 || p >= kMaxPlayers) return 1;
    return gameState.activeSkill[size_t(p)];
}

bool dropsInPhase(int32_t phase) {
    return phase == PhaseIntro || phase == PhasePlaying;
}

}  // namespace

kwLevelSpawner::kwLevelSpawner() {
    interval = kTickMs;
    bag.fill(uint32_t(kwPieceType::NoPiece));
}

bool kwLevelSpawner::addWeight(kwPieceType type, float weight) {
    if (weightTotal >= kMaxWeights) {
        debugLog("kwLevelSpawner::addWeight - too many weights!\r\n");
        return false;
    }
    weights[size_t(weightTotal++)] = {type, weight};
    return true;
}

void kwLevelSpawner::setUpLevel(int32_t level) {
    weightTotal = 0;
    const kwLevelWeights mix = levelWeights(level, currentSkill());
    for (int32_t i = 0; i < mix.count; ++i)
        addWeight(mix.entries[size_t(i)].type, mix.entries[size_t(i)].weight);
    const kwLevelRow& row = levelRow(level);
    placeSeeds(row.setUpSeeds);
    buildBag();
    if (row.fixedSlot >= 0 && row.fixedSlot < kBagSize)
        bag[size_t(row.fixedSlot)] = uint32_t(row.fixedSlotType);
}

// Step one of the bag: each positive weight's share of 1000, in list
// order, cut off where the bag is full. Returns the codes placed.
int32_t kwLevelSpawner::proportionalCounts(float total) {
    int32_t filled = 0;
    // A total at or below zero gives no meaningful shares (and zero would
    // divide by zero): everything then comes from the uniform fill.
    if (!(total > 0.0f)) return 0;
    for (int32_t i = 0; i < weightTotal && filled < kBagSize; ++i) {
        const kwSpawnWeight& e = weights[size_t(i)];
        if (!(e.weight > 0.0f)) continue;
        const double share = double(e.weight) * kBagScale / double(total);
        const int32_t n = int32_t(std::min(share, double(kBagSize - filled)));
        for (int32_t k = 0; k < n; ++k) bag[size_t(filled++)] = uint32_t(e.type);
    }
    return filled;
}

void kwLevelSpawner::buildBag() {
    float total = 0.0f;
    for (int32_t i = 0; i < weightTotal; ++i) total += weights[size_t(i)].weight;
    int32_t filled = proportionalCounts(total);
    // The rest by entry, not by weight; an empty list drops nothing.
    while (filled < kBagSize) {
        const uint32_t code = weightTotal > 0
                                  ? uint32_t(weights[random(uint32_t(weightTotal))].type)
                                  : uint32_t(kwPieceType::NoPiece);
        bag[size_t(filled++)] = code;
    }
    for (uint32_t k = 0; k < kShuffleSwaps; ++k) {
        const uint32_t a = random(kBagSize);
        const uint32_t b = random(kBagSize);
        std::swap(bag[a], bag[b]);
    }
    bagIndex = 0;
}

void kwLevelSpawner::drawDropInterval() {
    nextDropMs = random(kDropSpreadMs) + kMinDropMs;
}

void kwLevelSpawner::drop() {
    if (bagIndex >= kBagSize) buildBag();
    const auto type = kwPieceType(bag[size_t(bagIndex++)]);
    if (boardHost) boardHost->spawnPiece(type, true);  // NoPiece places nothing
}

void kwLevelSpawner::run() {
    if (!dropsInPhase(gameState.playPhase)) return;
    const uint32_t now = gameTime();
    if (state == StateSetUp) {
        const int32_t p = gameState.currentPlayer;
        setUpLevel(p >= 0 && p < kMaxPlayers ? gameState.level[size_t(p)] : 1);
        state = StateDropping;
        interval = kTickMs;
        lastDrop = now;
        drawDropInterval();
        return;
    }
    if (now - lastDrop < nextDropMs) return;
    lastDrop = now;
    drawDropInterval();
    drop();
}
