// The settings record damaged: every wrong size, the wrong kind of file,
// and each field alone at just-out-of-range and extreme values. The game
// starts and walks every screen, repairs what the rules repair (player
// count and skills to 1, volumes to 10, names cut at 10 characters), keeps
// what they take as read, logs the refusal, and its next save is a valid
// record.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <climits>
#include <functional>
#include <regex>
#include <string>
#include <vector>

#include "fault_run.h"

namespace fault {
namespace {

constexpr int32_t kAsRead = INT32_MIN + 1;  // a marker: the field keeps what was stored
constexpr const char* kReferenceNames = "\"playerName\":[\"Ann\",\"Bob\",\"Cy\"]";
constexpr const char* kDefaultNames = "\"playerName\":[\"player 1\",\"player 2\",\"player 3\"]";

bool has(const std::string& text, const std::string& what) {
    return text.find(what) != std::string::npos;
}

// Item i of the dump's array "key":[...].
int64_t item(const std::string& dump, const std::string& key, int i) {
    std::smatch m;
    if (!std::regex_search(dump, m, std::regex("\"" + key + "\":\\[([^\\]]*)\\]"))) return -99999;
    std::vector<int64_t> values;
    std::istringstream in(m[1].str());
    for (std::string v; std::getline(in, v, ',');) values.push_back(std::stoll(v));
    return i < int(values.size()) ? values[size_t(i)] : -99999;
}

// Row `row` of the dump's high-score table, as its JSON object.
std::string scoreRow(const std::string& dump, int row) {
    size_t at = dump.find("\"highScores\":[");
    for (int i = 0; at != std::string::npos && i <= row; ++i) at = dump.find('{', at + 1);
    if (at == std::string::npos) return {};
    return dump.substr(at, dump.find('}', at) - at + 1);
}

using Reader = std::function<int64_t(const std::string& dump)>;

struct FieldCase {
    std::string label;  // as the log names it
    size_t offset;
    std::vector<int32_t> values;
    int32_t repairedTo;  // kAsRead: kept
    Reader read;
};

Reader scalar(const std::string& key) {
    return [key](const std::string& d) { return number(d, key); };
}
Reader perPlayer(const std::string& key, int p) {
    return [key, p](const std::string& d) { return item(d, key, p); };
}
Reader inScoreRow(int row, const std::string& key) {
    return [row, key](const std::string& d) { return number(scoreRow(d, row), key); };
}

std::vector<FieldCase> fieldCases() {
    const std::vector<int32_t> unchecked = {0, -1, 17, INT32_MIN, INT32_MAX};
    const std::vector<int32_t> oneToThree = {0, 4, -1, INT32_MIN, INT32_MAX};
    const std::vector<int32_t> volume = {-1, 11, INT32_MIN, INT32_MAX};
    std::vector<FieldCase> c = {
        {"highestLevel", rec::kHighestLevel, unchecked, kAsRead, scalar("highestLevel")},
        {"speedFactor",
         rec::kSpeedFactor,
         {0, 7, INT32_MIN, INT32_MAX},
         kAsRead,
         scalar("speedFactor")},
        {"playerCount", rec::kPlayerCount, oneToThree, 1, scalar("playerCount")},
        {"musicVolume", rec::kMusicVolume, volume, 10, scalar("musicVolume")},
        {"soundVolume", rec::kSoundVolume, volume, 10, scalar("soundVolume")},
    };
    for (int p = 0; p < 3; ++p)
        c.push_back({"playerSkill" + std::to_string(p), rec::skill(p), oneToThree, 1,
                     perPlayer("playerSkill", p)});
    for (int row = 0; row < 5; ++row) {
        const size_t at = rec::scoreRow(row);
        const std::string r = "highScore" + std::to_string(row);
        c.push_back(
            {r + "Skill", at + rec::kScoreSkill, unchecked, kAsRead, inScoreRow(row, "skill")});
        c.push_back(
            {r + "Level", at + rec::kScoreLevel, unchecked, kAsRead, inScoreRow(row, "level")});
        c.push_back(
            {r + "Score", at + rec::kScoreScore, unchecked, kAsRead, inScoreRow(row, "score")});
    }
    return c;
}

void PrintTo(const FieldCase& f, std::ostream* os) {
    *os << f.label;
}

class SettingsRecordFaults : public FaultRun {};

class FieldFaults : public FaultRun, public ::testing::WithParamInterface<FieldCase> {};

TEST_P(FieldFaults, EachBadValueIsRepairedOrKeptAloneAndSavedValid) {
    const FieldCase& f = GetParam();
    for (int32_t value : f.values) {
        SCOPED_TRACE(f.label + " = " + std::to_string(value));
        std::vector<uint8_t> bytes = rec::reference();
        rec::putI32(bytes, f.offset, value);
        writeRecord(bytes);
        const Walk w = walk();
        expectOrderly(w);
        const int64_t expected = f.repairedTo == kAsRead ? value : f.repairedTo;
        EXPECT_EQ(f.read(w.menu), expected) << w.menu;
        EXPECT_TRUE(has(w.menu, kReferenceNames)) << "the rest of the record was lost\n" << w.menu;
        if (f.repairedTo != kAsRead) {
            EXPECT_TRUE(
                has(w.log, "kwGameState::loadSettingsRecord - " + f.label + " out of range"))
                << w.log;
        }
        expectValidSave(w);
    }
}

INSTANTIATE_TEST_SUITE_P(EveryField, FieldFaults, ::testing::ValuesIn(fieldCases()),
                         [](const auto& info) { return info.param.label; });

// Names filled to the brim with no NUL are cut at 10 characters; odd bytes
// (controls, Latin-1) are names like any other.
TEST_F(SettingsRecordFaults, UnterminatedAndOddNamesStartAndSaveValid) {
    for (int p = 0; p < 3; ++p) {
        SCOPED_TRACE("player " + std::to_string(p));
        std::vector<uint8_t> bytes = rec::reference();
        rec::putText(bytes, rec::name(p), rec::kNameField, "ABCDEFGHIJK");
        writeRecord(bytes);
        const Walk w = walk();
        expectOrderly(w);
        EXPECT_TRUE(has(w.menu, "\"ABCDEFGHIJ\"")) << w.menu;
        EXPECT_FALSE(has(w.menu, "ABCDEFGHIJK"));
        expectValidSave(w);
    }
    for (int row = 0; row < 5; ++row) {
        SCOPED_TRACE("high score " + std::to_string(row));
        std::vector<uint8_t> bytes = rec::reference();
        rec::putText(bytes, rec::scoreRow(row), rec::kScoreNameField, "abcdefghijkl");
        writeRecord(bytes);
        const Walk w = walk();
        expectOrderly(w);
        EXPECT_TRUE(has(scoreRow(w.menu, row), "\"name\":\"abcdefghij\"")) << w.menu;
        expectValidSave(w);
    }
    std::vector<uint8_t> bytes = rec::reference();
    rec::putText(bytes, rec::name(0), rec::kNameField, "\x01\x7f\xff\xe9\t\n\"\\");
    rec::putText(bytes, rec::scoreRow(0), rec::kScoreNameField, "\x1b[2J\xa0\xff");
    writeRecord(bytes);
    const Walk w = walk();
    expectOrderly(w);
    expectValidSave(w);
}

// Too short, too long, empty, huge: refused whole (logged), every default
// in place, and the next save puts a good record in its place.
TEST_F(SettingsRecordFaults, EveryWrongSizeKeepsTheDefaultsAndIsReplaced) {
    constexpr uintmax_t kHuge = uintmax_t{1} << 32;  // sparse: costs no disk
    const std::vector<uint8_t> good = rec::reference();
    for (uintmax_t size :
         {uintmax_t{0}, uintmax_t{1}, uintmax_t{184}, uintmax_t{186}, uintmax_t{370}, kHuge}) {
        SCOPED_TRACE(std::to_string(size) + " bytes");
        std::vector<uint8_t> bytes;
        for (uintmax_t i = 0; i < size && i < 2 * rec::kSize; ++i)
            bytes.push_back(good[i % rec::kSize]);
        writeRecord(bytes);
        if (size > bytes.size()) fs::resize_file(recordPath(), size);
        const Walk w = walk();
        expectOrderly(w);
        EXPECT_TRUE(has(w.menu, kDefaultNames)) << w.menu;
        EXPECT_EQ(number(w.menu, "musicVolume"), 10);
        EXPECT_EQ(number(w.menu, "soundVolume"), 8);
        EXPECT_TRUE(has(scoreRow(w.menu, 0), "\"name\":\"Sparkly\""));
        EXPECT_TRUE(has(w.log, "kwGameState::loadSettingsRecord - ")) << w.log;
        expectValidSave(w);
    }
}

// Not a file at all: a FIFO (must not hang the start) is replaced by the
// save; a folder of that name is the user's and stays, the save is refused
// and logged, and no temporary file is left beside it.
TEST_F(SettingsRecordFaults, TheWrongKindOfFileNeitherHangsNorIsDestroyed) {
    fs::create_directories(stateDir);
    ASSERT_EQ(mkfifo(recordPath().c_str(), 0600), 0);
    Walk w = walk();
    expectOrderly(w);
    EXPECT_TRUE(has(w.menu, kDefaultNames));
    expectValidSave(w);

    fs::remove(recordPath());
    fs::create_directories(recordPath() / "keep");
    w = walk();
    expectOrderly(w);
    EXPECT_TRUE(fs::is_directory(recordPath() / "keep"));
    EXPECT_TRUE(has(w.log, "kwGameState::saveSettingsRecord - could not write")) << w.log;
    int entries = 0;
    for (const auto& e : fs::directory_iterator(stateDir)) entries += e.path() != recordPath();
    EXPECT_EQ(entries, 0) << "a temporary file was left behind";
}

}  // namespace
}  // namespace fault
