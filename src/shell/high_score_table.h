// The five best results: one 24-byte record per row, best first. Games
// offer their players' scores at the end; the menu lists and clears it;
// the settings record file keeps it between runs.
#pragma once

#include <array>
#include <cstdint>

// One row, laid out in the settings record file as name[12], skill, level,
// score (little-endian i32 each).
struct kwHighScoreRecord {
    static constexpr int kNameSize = 12;
    static constexpr int kMaxNameLength = 10;
    static constexpr int kFileSize = 24;

    // Stores the name cut to its first 10 characters (the rest of the
    // field zeroed) and the three numbers.
    void setRecord(const char* newName, int32_t newSkill, int32_t newLevel, int32_t newScore);

    char name[kNameSize] = "Sparkly";
    int32_t skill = 1;  // the player's menu skill: 1 easy, 2 medium, 3 hard
    int32_t level = 4;
    int32_t score = 10000;
};
static_assert(sizeof(kwHighScoreRecord) == kwHighScoreRecord::kFileSize);

class kwHighScoreTable {
public:
    static constexpr int kRows = 5;
    static constexpr const char* kDefaultName = "Sparkly";
    static constexpr int32_t kDefaultSkill = 1;
    static constexpr int32_t kDefaultLevel = 4;
    static constexpr int32_t kDefaultScore = 10000;

    // The largest score in the table, never below 0.
    int32_t bestScore() const;
    // Five default rows, without touching anything else.
    void setDefaults();
    // Clears the table to its defaults and locks the start levels again
    // (gameState.highestLevel = 1).
    void reset();
    // Enters the players of the game in progress, player 0 first; a player
    // displaces the first row scoring strictly less, the last row drops out.
    void offerScores();

    std::array<kwHighScoreRecord, kRows> records{};
};
