// High-score rules: who enters, where, what drops out, ties, names, reset.
#include "shell/high_score_table.h"

#include <gtest/gtest.h>

#include <string>

#include "shell/game_state.h"

namespace {

class HighScoreTableTest : public testing::Test {
protected:
    void SetUp() override { gameState = kwGameState{}; }
    void TearDown() override { gameState = kwGameState{}; }
    static kwHighScoreTable& table() { return gameState.highScores; }
    static void player(int p, const char* name, int32_t score) {
        std::snprintf(gameState.playerName[p], kPlayerNameSize, "%s", name);
        gameState.score[p] = score;
        gameState.playerSkill[p] = 2;
        gameState.activeSkill[p] = 5;  // the menu skill is what is recorded
        gameState.level[p] = 9 + p;
    }
    // Offers the given scores as one game of that many players.
    static std::string offer(std::initializer_list<std::pair<const char*, int32_t>> players) {
        gameState.playerCount = int32_t(players.size());
        int p = 0;
        for (auto [name, score] : players) player(p++, name, score);
        table().offerScores();
        std::string s;
        for (const auto& r : table().records) s += std::string(r.name) + ",";
        return s;
    }
};

}  // namespace

TEST_F(HighScoreTableTest, FreshTableAndOneMoreThanTheBest) {
    for (const kwHighScoreRecord& r : table().records) {
        EXPECT_STREQ(r.name, "Sparkly");
        EXPECT_EQ(r.skill, 1);
        EXPECT_EQ(r.level, 4);
        EXPECT_EQ(r.score, 10000);
    }
    EXPECT_EQ(offer({{"ann", 10000}}), "Sparkly,Sparkly,Sparkly,Sparkly,Sparkly,");
    EXPECT_EQ(offer({{"ann", 10001}}), "ann,Sparkly,Sparkly,Sparkly,Sparkly,");
    EXPECT_EQ(table().records[0].skill, 2);
    EXPECT_EQ(table().records[0].level, 9);
    EXPECT_EQ(table().bestScore(), 10001);
}

TEST_F(HighScoreTableTest, PlayersEnterInOrderAgainstTheUpdatedTable) {
    EXPECT_EQ(offer({{"ann", 20000}, {"bob", 15000}}), "ann,bob,Sparkly,Sparkly,Sparkly,");
    EXPECT_EQ(table().records[1].level, 10);
    // A tie lands below the existing entry; the last row drops out.
    EXPECT_EQ(offer({{"cy", 15000}, {"dee", 30000}}), "dee,ann,bob,cy,Sparkly,");
    EXPECT_EQ(offer({{"low", 5}, {"f", 16000}, {"g", 10001}}), "dee,ann,f,bob,cy,");
    // Players beyond the count are not offered.
    gameState.playerCount = 1;
    player(0, "h", 1);
    player(1, "i", 99999);
    table().offerScores();
    EXPECT_STREQ(table().records[0].name, "dee");
}

TEST_F(HighScoreTableTest, NamesAreCutAtTenCharacters) {
    kwHighScoreRecord r;
    r.setRecord("abcdefghijkl", 1, 2, 3);
    EXPECT_STREQ(r.name, "abcdefghij");
    EXPECT_EQ(r.name[11], 0);
    r.setRecord("ab", 1, 2, 3);
    for (int i = 2; i < kwHighScoreRecord::kNameSize; ++i) EXPECT_EQ(r.name[i], 0) << i;
}

TEST_F(HighScoreTableTest, BestScoreIgnoresNegativesAndResetRelocks) {
    for (auto& r : table().records) r.score = -5;
    EXPECT_EQ(table().bestScore(), 0);
    gameState.highestLevel = 14;
    table().reset();
    EXPECT_EQ(gameState.highestLevel, 1);
    EXPECT_EQ(table().bestScore(), 10000);
    EXPECT_STREQ(table().records[4].name, "Sparkly");
}
