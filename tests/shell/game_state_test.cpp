// The game state's defaults and its settings record file: the exact
// 185-byte layout, field-by-field repair, size checks, the folder rules,
// atomic replacement, and refusal of links and other non-files.
#include "shell/game_state.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "shell/log.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

void put32(Bytes& b, size_t at, int32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = uint8_t(uint32_t(v) >> (8 * i));
}
int32_t get32(const Bytes& b, size_t at) {
    uint32_t u = 0;
    for (int i = 0; i < 4; ++i) u |= uint32_t(b[at + i]) << (8 * i);
    return int32_t(u);
}

int entriesIn(const std::string& folder) {
    return int(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

class GameStateTest : public testing::Test {
protected:
    void SetUp() override {
        dir = testing::TempDir() + "/gg_game_state_" + std::to_string(getpid());
        fs::remove_all(dir);
        fs::create_directories(dir);
        setSettingsFolder(dir + "/state");
        gameState = kwGameState{};
        logCaptureBegin();
    }
    void TearDown() override {
        logCaptureEnd();
        setSettingsFolder("");
        gameState = kwGameState{};
        fs::remove_all(dir);
    }
    std::string recordPath() const { return dir + "/state/ggdt_rec.tmp"; }
    void writeRecord(const Bytes& b) {
        fs::create_directories(dir + "/state");
        std::ofstream(recordPath(), std::ios::binary)
            .write(reinterpret_cast<const char*>(b.data()), std::streamsize(b.size()));
    }
    Bytes readRecord() const {
        std::ifstream in(recordPath(), std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    // A valid record as the game would save it from a fresh state.
    Bytes freshRecord() {
        gameState = kwGameState{};
        saveSettingsRecord();
        Bytes b = readRecord();
        gameState = kwGameState{};
        return b;
    }
    static void expectDefaults() {
        EXPECT_STREQ(gameState.playerName[0], "player 1");
        EXPECT_STREQ(gameState.playerName[2], "player 3");
        EXPECT_EQ(gameState.musicVolume, 10);
        EXPECT_EQ(gameState.soundVolume, 8);
        EXPECT_EQ(gameState.playerCount, 1);
        for (const auto& r : gameState.highScores.records) {
            EXPECT_STREQ(r.name, "Sparkly");
            EXPECT_EQ(r.score, 10000);
        }
    }
    std::string dir;
};

}  // namespace

TEST_F(GameStateTest, InitSetsDefaultsWithoutAFile) {
    gameState.playerCount = 3;
    gameState.score = {5, 6, 7};
    gameState.highScores.records[0].setRecord("zz", 3, 3, 3);
    initGameState();
    expectDefaults();
    EXPECT_EQ(gameState.levelCount, 16);
    EXPECT_EQ(gameState.speedFactor, 3);
    EXPECT_EQ(gameState.lives, (kwGameState::PerPlayer{3, 3, 3}));
    EXPECT_EQ(gameState.score, (kwGameState::PerPlayer{0, 0, 0}));
    shutdownGameState();
}

TEST_F(GameStateTest, SavedBytesFollowTheFixedLayout) {
    gameState.highestLevel = 12;
    gameState.speedFactor = 5;
    gameState.playerCount = 3;
    gameState.playerSkill = {2, 3, 1};
    std::strcpy(gameState.playerName[1], "ab");
    gameState.playerName[1][5] = 'x';  // junk behind the NUL is not written
    gameState.musicVolume = 4;
    gameState.soundVolume = 0;
    gameState.highScores.records[4].setRecord("last", 3, 16, -2);
    saveSettingsRecord();
    const Bytes b = readRecord();
    ASSERT_EQ(b.size(), 185u);
    const std::pair<size_t, int32_t> ints[] = {{0, 12},     {4, 5},   {8, 3},    {12, 2},  {27, 3},
                                               {42, 1},     {57, 4},  {61, 0},   {77, 1},  {81, 4},
                                               {85, 10000}, {173, 3}, {177, 16}, {181, -2}};
    for (auto [at, v] : ints) EXPECT_EQ(get32(b, at), v) << "offset " << at;
    EXPECT_EQ(Bytes(b.begin() + 16, b.begin() + 27),
              Bytes({'p', 'l', 'a', 'y', 'e', 'r', ' ', '1', 0, 0, 0}));
    EXPECT_EQ(Bytes(b.begin() + 31, b.begin() + 42), (Bytes{'a', 'b', 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&b[46])), "player 3");
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&b[65])), "Sparkly");
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&b[161])), "last");
}

TEST_F(GameStateTest, SaveAndLoadRoundTrip) {
    gameState.highestLevel = 9;
    gameState.speedFactor = 6;
    gameState.playerCount = 2;
    gameState.playerSkill = {3, 2, 3};
    std::strcpy(gameState.playerName[0], "0123456789");
    gameState.musicVolume = 0;
    gameState.soundVolume = 10;
    gameState.highScores.records[2].setRecord("mid", 2, 7, 12345);
    gameState.startLevel = 10;
    saveSettingsRecord();
    const Bytes first = readRecord();
    gameState = kwGameState{};
    initGameState();
    EXPECT_EQ(gameState.startLevel, 1);  // never saved
    EXPECT_EQ(gameState.playerSkill, (kwGameState::PerPlayer{3, 2, 3}));
    EXPECT_STREQ(gameState.playerName[0], "0123456789");
    EXPECT_STREQ(gameState.highScores.records[2].name, "mid");
    saveSettingsRecord();  // every saved field came back: the bytes are the same
    EXPECT_EQ(readRecord(), first);
    shutdownGameState();
}

TEST_F(GameStateTest, WrongSizedFilesAreIgnoredEntirely) {
    Bytes good = freshRecord();
    put32(good, 57, 3);  // would change the music volume if read
    for (size_t size : {size_t{0}, size_t{184}, size_t{186}}) {
        SCOPED_TRACE(size);
        Bytes b = good;
        b.resize(size, 0);
        writeRecord(b);
        gameState = kwGameState{};
        loadSettingsRecord();
        expectDefaults();
    }
}

TEST_F(GameStateTest, OutOfRangeFieldsAreRepairedOneByOne) {
    Bytes b = freshRecord();
    put32(b, 0, -40);  // highestLevel and speedFactor are taken as read
    put32(b, 4, 99);
    put32(b, 8, 0);   // playerCount
    put32(b, 12, 7);  // playerSkill[0]
    put32(b, 27, 0);  // playerSkill[1]
    put32(b, 42, 2);  // playerSkill[2], valid
    put32(b, 57, -1);
    put32(b, 61, 11);
    std::memcpy(&b[31], "bob", 4);
    writeRecord(b);
    loadSettingsRecord();
    EXPECT_EQ(gameState.highestLevel, -40);
    EXPECT_EQ(gameState.speedFactor, 99);
    EXPECT_EQ(gameState.playerCount, 1);
    EXPECT_EQ(gameState.playerSkill[0], 1);
    EXPECT_EQ(gameState.playerSkill[1], 1);
    EXPECT_EQ(gameState.playerSkill[2], 2);
    EXPECT_STREQ(gameState.playerName[1], "bob");
    EXPECT_EQ(gameState.musicVolume, 10);
    EXPECT_EQ(gameState.soundVolume, 10);
}

TEST_F(GameStateTest, UnterminatedNamesAreCutAtTenCharacters) {
    Bytes b = freshRecord();
    std::memset(&b[16], 'A', 11);       // player name with no NUL
    std::memset(&b[65 + 24], 'B', 12);  // high-score name with no NUL
    std::memcpy(&b[46], "cd\0zzzzzzz", 10);
    writeRecord(b);
    loadSettingsRecord();
    EXPECT_EQ(std::string(gameState.playerName[0]), std::string(10, 'A'));
    EXPECT_EQ(std::string(gameState.highScores.records[1].name), std::string(10, 'B'));
    EXPECT_STREQ(gameState.playerName[2], "cd");
    EXPECT_EQ(gameState.playerName[2][3], 0);  // nothing kept behind the NUL
}

TEST_F(GameStateTest, SaveCreatesPrivateFolderAndLeavesNoTemporaryFiles) {
    setSettingsFolder(dir + "/a/b/c");
    saveSettingsRecord();
    struct stat st {};
    ASSERT_EQ(stat((dir + "/a/b/c").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    ASSERT_EQ(stat((dir + "/a/b/c/ggdt_rec.tmp").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    EXPECT_EQ(st.st_size, 185);
    saveSettingsRecord();  // replacing an existing record works too
    EXPECT_EQ(entriesIn(dir + "/a/b/c"), 1);
}

TEST_F(GameStateTest, SymbolicLinksAreNeverFollowed) {
    // Load: a link to a valid record is refused.
    Bytes b = freshRecord();
    put32(b, 57, 2);
    const std::string target = dir + "/elsewhere";
    std::ofstream(target, std::ios::binary)
        .write(reinterpret_cast<const char*>(b.data()), std::streamsize(b.size()));
    fs::remove(recordPath());
    fs::create_symlink(target, recordPath());
    loadSettingsRecord();
    EXPECT_EQ(gameState.musicVolume, 10);
    EXPECT_NE(std::string(logCaptured()).find("kwGameState::loadSettingsRecord - "),
              std::string::npos);

    // Save: the link itself is replaced; its target is untouched.
    gameState.musicVolume = 7;
    saveSettingsRecord();
    EXPECT_FALSE(fs::is_symlink(recordPath()));
    EXPECT_EQ(get32(readRecord(), 57), 7);
    std::ifstream in(target, std::ios::binary);
    EXPECT_EQ(get32(Bytes(std::istreambuf_iterator<char>(in), {}), 57), 2);
}

TEST_F(GameStateTest, NonFilesAndFailedSaves) {
    // A FIFO of the right name must not hang the load.
    fs::create_directories(dir + "/state");
    ASSERT_EQ(mkfifo(recordPath().c_str(), 0600), 0);
    loadSettingsRecord();
    expectDefaults();
    fs::remove(recordPath());

    // A folder in the record's place: the save fails, is logged, and no temp file is left.
    fs::create_directories(recordPath());
    logCaptureBegin();
    saveSettingsRecord();
    EXPECT_NE(std::string(logCaptured()).find("kwGameState::saveSettingsRecord - could not write"),
              std::string::npos);
    EXPECT_EQ(entriesIn(dir + "/state"), 1);

    // A file where the folder should be.
    std::ofstream(dir + "/plain") << "x";
    setSettingsFolder(dir + "/plain");
    logCaptureBegin();
    saveSettingsRecord();
    EXPECT_NE(std::string(logCaptured()).find("kwGameState::saveSettingsRecord - "),
              std::string::npos);
}

TEST_F(GameStateTest, OverLongFolderDisablesLoadAndSave) {
    setSettingsFolder(dir + "/" + std::string(5000, 'x'));
    EXPECT_EQ(settingsFilePath(), "");
    saveSettingsRecord();
    loadSettingsRecord();
    expectDefaults();
    EXPECT_FALSE(std::string(logCaptured()).empty());
}

TEST_F(GameStateTest, FolderFollowsTheXdgStateRules) {
    setSettingsFolder("");
    auto keep = [](const char* var) {
        const char* v = std::getenv(var);
        return std::make_pair(v != nullptr, std::string(v ? v : ""));
    };
    const auto home = keep("HOME"), xdg = keep("XDG_STATE_HOME");
    setenv("HOME", "/home/t", 1);
    setenv("XDG_STATE_HOME", "/xdg/state", 1);
    EXPECT_EQ(settingsFilePath(), "/xdg/state/gobble-garden/ggdt_rec.tmp");
    setenv("XDG_STATE_HOME", "relative/state", 1);  // relative paths are ignored
    EXPECT_EQ(settingsFolder(), "/home/t/.local/state/gobble-garden");
    setSettingsFolder("/custom");
    EXPECT_EQ(settingsFolder(), "/custom");
    for (auto [var, old] : {std::pair{"HOME", home}, std::pair{"XDG_STATE_HOME", xdg}})
        old.first ? (void)setenv(var, old.second.c_str(), 1) : (void)unsetenv(var);
}
