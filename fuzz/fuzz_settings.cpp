// The settings record file as a user could leave it: any bytes at all. The
// game loads it over its defaults; what it made of the file must keep the
// record's rules (player count and skills 1..3, volumes 0..10, names of at
// most 10 characters), hold every field as stored or repaired on its own,
// leave every default alone for a file of the wrong size, and save and
// reload to the same state and the same 185 bytes.
#include <cstring>
#include <string>
#include <vector>

#include "fuzz_entry.h"
#include "fuzz_support.h"
#include "shell/game_state.h"

namespace {

constexpr size_t kOffHighest = 0, kOffSpeed = 4, kOffCount = 8, kOffPlayers = 12;
constexpr size_t kPlayerBytes = 15;  // skill, then the 11-byte name
constexpr size_t kOffMusic = 57, kOffSound = 61, kOffScores = 65;
constexpr size_t kScoreSkill = 12, kScoreLevel = 16, kScoreScore = 20;

int32_t i32At(const uint8_t* p) {
    return int32_t(uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 |
                   uint32_t(p[3]) << 24);
}

bool between(int32_t v, int32_t lo, int32_t hi) {
    return v >= lo && v <= hi;
}

void checkRules(const kwGameState& s) {
    fuzzCheck(between(s.playerCount, 1, kMaxPlayers), "player count out of range");
    for (int p = 0; p < kMaxPlayers; ++p) {
        fuzzCheck(between(s.playerSkill[size_t(p)], 1, 3), "a skill out of range");
        fuzzCheck(strnlen(s.playerName[p], kPlayerNameSize) <= size_t(kMaxPlayerNameLength),
                  "a player name too long or without its NUL");
    }
    fuzzCheck(between(s.musicVolume, 0, kMaxVolume) && between(s.soundVolume, 0, kMaxVolume),
              "a volume out of range");
    for (const kwHighScoreRecord& r : s.highScores.records)
        fuzzCheck(strnlen(r.name, sizeof r.name) <= size_t(kwHighScoreRecord::kMaxNameLength),
                  "a high-score name too long or without its NUL");
    fuzzCheck(s.startLevel == 1, "the start level was loaded");
}

// A stored value in range, else the fallback.
int32_t repaired(const uint8_t* p, int32_t lo, int32_t hi, int32_t fallback) {
    const int32_t v = i32At(p);
    return between(v, lo, hi) ? v : fallback;
}

// A name field: its characters up to the NUL, at most `longest` of them.
bool nameAsStored(const char* name, const uint8_t* field, size_t longest) {
    const size_t n = strnlen(reinterpret_cast<const char*>(field), longest);
    return std::strlen(name) == n && std::memcmp(name, field, n) == 0;
}

// Every field as stored, or repaired on its own when out of range.
void checkAsStored(const kwGameState& s, const uint8_t* file) {
    fuzzCheck(s.highestLevel == i32At(file + kOffHighest), "highest level not as stored");
    fuzzCheck(s.speedFactor == i32At(file + kOffSpeed), "speed factor not as stored");
    fuzzCheck(s.playerCount == repaired(file + kOffCount, 1, kMaxPlayers, 1),
              "player count not as stored or repaired");
    for (size_t p = 0; p < size_t(kMaxPlayers); ++p) {
        const uint8_t* player = file + kOffPlayers + p * kPlayerBytes;
        fuzzCheck(s.playerSkill[p] == repaired(player, 1, 3, 1),
                  "a skill not as stored or repaired");
        fuzzCheck(nameAsStored(s.playerName[p], player + 4, kMaxPlayerNameLength),
                  "a player name not as stored");
    }
    fuzzCheck(s.musicVolume == repaired(file + kOffMusic, 0, kMaxVolume, kMaxVolume) &&
                  s.soundVolume == repaired(file + kOffSound, 0, kMaxVolume, kMaxVolume),
              "a volume not as stored or repaired");
    for (size_t i = 0; i < s.highScores.records.size(); ++i) {
        const kwHighScoreRecord& r = s.highScores.records[i];
        const uint8_t* row = file + kOffScores + i * kwHighScoreRecord::kFileSize;
        fuzzCheck(r.skill == i32At(row + kScoreSkill) && r.level == i32At(row + kScoreLevel) &&
                      r.score == i32At(row + kScoreScore),
                  "a high-score row not as stored");
        fuzzCheck(nameAsStored(r.name, row, kwHighScoreRecord::kMaxNameLength),
                  "a high-score name not as stored");
    }
}

bool sameSaved(const kwGameState& a, const kwGameState& b) {
    bool same = a.highestLevel == b.highestLevel && a.speedFactor == b.speedFactor &&
                a.playerCount == b.playerCount && a.playerSkill == b.playerSkill &&
                a.musicVolume == b.musicVolume && a.soundVolume == b.soundVolume &&
                std::memcmp(a.playerName, b.playerName, sizeof a.playerName) == 0;
    for (size_t i = 0; same && i < a.highScores.records.size(); ++i) {
        const kwHighScoreRecord &x = a.highScores.records[i], &y = b.highScores.records[i];
        same = std::memcmp(x.name, y.name, sizeof x.name) == 0 && x.skill == y.skill &&
               x.level == y.level && x.score == y.score;
    }
    return same;
}

void loadFresh() {
    gameState = kwGameState{};
    loadSettingsRecord();
}

}  // namespace

GG_FUZZ_TARGET(fuzzSettings) {
    const std::string path = fuzzScratchPath("settings", kSettingsFileName);
    setSettingsFolder(fuzzScratchFolder() + "/settings");
    if (!fuzzWriteFile(path, data, size)) return 0;

    loadFresh();
    checkRules(gameState);
    if (size == size_t(kSettingsFileSize))
        checkAsStored(gameState, data);
    else
        fuzzCheck(sameSaved(gameState, kwGameState{}), "a wrongly sized file changed a setting");

    const kwGameState loaded = gameState;
    saveSettingsRecord();
    const std::vector<uint8_t> saved = fuzzReadFile(path);
    fuzzCheck(saved.size() == size_t(kSettingsFileSize), "the saved record is not 185 bytes");
    loadFresh();
    fuzzCheck(sameSaved(gameState, loaded), "a saved record reloads differently");
    saveSettingsRecord();
    fuzzCheck(fuzzReadFile(path) == saved, "saving the reloaded record changed its bytes");
    gameState = kwGameState{};
    return 0;
}
