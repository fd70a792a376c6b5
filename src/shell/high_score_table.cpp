// High-score rows and the table's rules: defaults, best score, clearing and
// entering finished games.
#include "shell/high_score_table.h"

#include <cstring>

#include "shell/game_state.h"

void kwHighScoreRecord::setRecord(const char* newName, int32_t newSkill, int32_t newLevel,
                                  int32_t newScore) {
    std::memset(name, 0, sizeof name);
    if (newName) std::memcpy(name, newName, strnlen(newName, kMaxNameLength));
    skill = newSkill;
    level = newLevel;
    score = newScore;
}

int32_t kwHighScoreTable::bestScore() const {
    int32_t best = 0;
    for (const kwHighScoreRecord& r : records)
        if (r.score > best) best = r.score;
    return best;
}

void kwHighScoreTable::setDefaults() {
    for (kwHighScoreRecord& r : records)
        r.setRecord(kDefaultName, kDefaultSkill, kDefaultLevel, kDefaultScore);
}

void kwHighScoreTable::reset() {
    setDefaults();
    gameState.highestLevel = 1;
}

void kwHighScoreTable::offerScores() {
    const int players = gameState.playerCount < 1             ? 0
                        : gameState.playerCount > kMaxPlayers ? kMaxPlayers
                                                              : gameState.playerCount;
    for (int p = 0; p < players; ++p) {
        const int32_t score = gameState.score[p];
        int i = 0;
        while (i < kRows && records[i].score >= score) ++i;
        if (i == kRows) continue;
        for (int j = kRows - 1; j > i; --j) records[j] = records[j - 1];
        records[i].setRecord(gameState.playerName[p], gameState.playerSkill[p], gameState.level[p],
                             score);
    }
}
