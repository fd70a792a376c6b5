// The one global record of players, settings and the game in progress,
// and the 185-byte settings record file that keeps part of it between
// runs (players, names, skills, speed, volumes, highest level, high scores).
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "shell/high_score_table.h"

// Phases of a turn in the play scene.
inline constexpr int32_t PhaseIdle = 0;
inline constexpr int32_t PhaseIntro = 1;
inline constexpr int32_t PhasePlaying = 2;
inline constexpr int32_t PhaseLevelComplete = 3;
inline constexpr int32_t PhaseTimeOut = 4;

inline constexpr int kMaxPlayers = 3;
inline constexpr int kPlayerNameSize = 11;  // at most 10 characters and the NUL
inline constexpr int kMaxPlayerNameLength = kPlayerNameSize - 1;
inline constexpr int32_t kMaxVolume = 10;
inline constexpr int32_t kLevelCount = 16;
inline constexpr int32_t kStartLives = 3;

// The settings record file's name and size.
inline constexpr const char* kSettingsFileName = "ggdt_rec.tmp";
inline constexpr int kSettingsFileSize = 185;

struct kwGameState {
    using PerPlayer = std::array<int32_t, kMaxPlayers>;

    // Saved in the settings record file.
    int32_t highestLevel = 1;        // highest level completed; limits the start-level choice
    int32_t speedFactor = 3;         // piece speed 1..6
    int32_t playerCount = 1;         // 1..3
    PerPlayer playerSkill{1, 1, 1};  // menu skill: 1 easy, 2 medium, 3 hard
    char playerName[kMaxPlayers][kPlayerNameSize] = {"player 1", "player 2", "player 3"};
    int32_t musicVolume = 10;  // 0..10
    int32_t soundVolume = 8;   // 0..10
    kwHighScoreTable highScores;

    // The run and the game in progress; never saved.
    int32_t startLevel = 1;  // 1, 4, 7, 10, 12 or 14
    int32_t levelCount = kLevelCount;
    int32_t currentPlayer = 0;       // -1 between games
    PerPlayer activeSkill{1, 1, 1};  // grows past 3 after the last level
    PerPlayer score{0, 0, 0};
    PerPlayer level{1, 1, 1};
    PerPlayer lives{kStartLives, kStartLives, kStartLives};
    int32_t timeLeft = 0;  // seconds left in the turn
    int32_t playPhase = PhaseIdle;
    uint32_t levelCompleteTime = 0;  // gameTime() when the level was completed
};

extern kwGameState gameState;

// Start-up: every default in its fixed order, the high-score table, the
// glyph table, then the settings record file.
void initGameState();
// Shutdown: releases what initGameState made that is not the glyph table
// and returns every field to its built-in value for a later start.
void shutdownGameState();

// Reads the settings record file, repairing out-of-range fields one by one;
// a missing or wrongly sized file leaves every default.
void loadSettingsRecord();
// Writes the settings record file atomically (a sibling temporary file
// renamed over it), creating the folder if needed.
void saveSettingsRecord();

// The folder of the settings record (and the log): the override if set,
// else $XDG_STATE_HOME/gobble-garden, else ~/.local/state/gobble-garden.
// Empty when no folder can be determined.
std::string settingsFolder();
// Overrides the folder; an empty path returns to the per-user default.
void setSettingsFolder(const std::string& path);
// The record's full path, or empty when load and save are disabled (no
// folder, or a path too long to use).
std::string settingsFilePath();
// The settings folder opened for use with the *at() calls (the log lives in
// it too), made private if missing and `create` is set; -1 when it is
// missing, refused (a symbolic link, not a folder) or cannot be made, the
// refusal logged. The caller closes it.
int openSettingsFolder(bool create);
