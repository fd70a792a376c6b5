// A whole game started on a damaged machine: its own folder (tests run in
// parallel processes), optionally its own copy of the data to break, and one
// walk through the menu, every panel and a turn of play. The checks common
// to every fault: the run ends normally, the dumps are whole, and every
// refusal in the log has the "class::operation - text" form.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "app/runner.h"

namespace fault {

namespace fs = std::filesystem;

// The archives the game loads, each of them during the walk.
inline const std::vector<std::string>& gameArchives() {
    static const std::vector<std::string> names = {
        "menu.lfl",      "sub_players.lfl", "sub_skill.lfl", "sub_volume.lfl", "sub_credits.lfl",
        "sub_howto.lfl", "sub_hs.lfl",      "sfx.lfl",       "play.lfl",       "frozen.lfl",
        "play_noi.lfl",  "clock.lfl",       "st_cursor.lfl", "font.lfl",       "loops.lfl",
        "apple.lfl",     "banana.lfl",      "brush.lfl",     "choco.lfl",      "chomp.lfl",
        "cone.lfl",      "donut.lfl",       "lemon.lfl",     "ohc.lfl",        "orange.lfl",
        "pear.lfl",      "rhc.lfl",         "wamelon.lfl",   "yhc.lfl"};
    return names;
}

// What one walk left behind.
struct Walk {
    int exitCode = -1;
    std::string menu;  // dump while the menu is up, every panel visited
    std::string play;  // dump in the middle of a turn
    std::string end;   // dump after the walk, before shutdown
    std::string log;
};

std::string readFile(const fs::path& path);
void writeFile(const fs::path& path, const std::vector<uint8_t>& bytes);
std::vector<uint8_t> readBytes(const fs::path& path);

// The records of an archive image: where each header starts, its name.
struct ArchiveRecord {
    size_t offset = 0;
    uint32_t size = 0;
    std::string name;
};
std::vector<ArchiveRecord> archiveRecords(const std::vector<uint8_t>& bytes);

// The settings record's layout, written here by hand so a mistake in the
// game's own writer cannot hide in the tests.
namespace rec {
constexpr size_t kSize = 185;
constexpr size_t kHighestLevel = 0, kSpeedFactor = 4, kPlayerCount = 8;
constexpr size_t kPlayer = 12, kPlayerStride = 15;  // skill, then the 11-byte name
constexpr size_t kNameField = 11;
constexpr size_t kMusicVolume = 57, kSoundVolume = 61;
constexpr size_t kScores = 65, kScoreStride = 24, kScoreNameField = 12;
constexpr size_t kScoreSkill = 12, kScoreLevel = 16, kScoreScore = 20;
constexpr size_t skill(int player) {
    return kPlayer + size_t(player) * kPlayerStride;
}
constexpr size_t name(int player) {
    return skill(player) + 4;
}
constexpr size_t scoreRow(int row) {
    return kScores + size_t(row) * kScoreStride;
}

void putI32(std::vector<uint8_t>& r, size_t at, int32_t v);
int32_t getI32(const std::vector<uint8_t>& r, size_t at);
void putText(std::vector<uint8_t>& r, size_t at, size_t field, const std::string& text);
// A record unlike the defaults in every field: 2 players "Ann", "Bob", "Cy"
// with skills 2, 3, 1, speed 5, highest level 7, volumes 4 and 6, and
// high scores "Zed0".."Zed4" of 90000 down to 50000.
std::vector<uint8_t> reference();
}  // namespace rec

// The number after "key": in a dump, or `fallback` when there is none.
int64_t number(const std::string& dump, const std::string& key, int64_t fallback = -99999);
// The settings part of a dump's state (what the record keeps).
std::string savedPart(const std::string& dump);
// The log's lines of the "class::operation - text" kind.
std::vector<std::string> refusals(const std::string& log);

class FaultRun : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A private copy of the generated data that the test may break.
    fs::path copyData();
    // Starts the game and walks it; the script's last action quits.
    Walk walk();
    // The log, dumps and exit code of a walk that must have run to its end:
    // exit code 0, the dumps whole, every refusal well formed.
    void expectOrderly(const Walk& w) const;

    fs::path recordPath() const { return stateDir / "ggdt_rec.tmp"; }
    // Puts a record (any bytes) in the state folder, as a private file.
    void writeRecord(const std::vector<uint8_t>& bytes);
    // The record the run left is whole, private, in range, and loads back to
    // exactly the settings the run ended with.
    void expectValidSave(const Walk& w) const;

    fs::path dir;       // this test's own folder
    fs::path stateDir;  // where the settings record lives
    kwRunnerOptions opts;
};

}  // namespace fault
