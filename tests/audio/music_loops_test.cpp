// Music loops: the eight names loaded from "loops.lfl" into their slots and
// the sound list, four distinct loops drawn in draw order, and keep-alive
// across a pause (silent while paused, a loop from its beginning after).
#include "audio/music_loops.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "assets/lfl_writer.h"
#include "audio_helpers.h"
#include "shell/random.h"

using namespace audiotest;

namespace {

namespace fs = std::filesystem;
constexpr uint32_t kLoopRate = 8000;

class MusicLoops : public SoundSystem {
protected:
    void SetUp() override {
        SoundSystem::SetUp();
        dir = testing::TempDir() + "/gg_music_loops_" + std::to_string(getpid());
        fs::remove_all(dir);
        fs::create_directories(dir);
        setDataFolder(dir);
    }
    void TearDown() override {
        music.unload();
        setDataFolder("");
        fs::remove_all(dir);
        SoundSystem::TearDown();
    }
    // Loop i (1..8) lasts 2 s plus i frames, so a slot shows which it holds.
    void writeLoops(int skip = 0) {
        std::vector<std::pair<std::string, std::vector<uint8_t>>> records;
        for (int i = 1; i <= 8; ++i) {
            if (i == skip) continue;
            char name[32];
            std::snprintf(name, sizeof name, "loop_%02d.noi", i);
            records.emplace_back(name, writeNoi(header(kNoiCodingPcm, 1, kLoopRate, 8),
                                                std::vector<uint8_t>(2 * kLoopRate + i, 0x90)));
        }
        ASSERT_TRUE(writeArchive(dir + "/loops.lfl", records));
    }
    std::vector<uint32_t> playing() {
        std::vector<uint32_t> out;
        for (uint32_t i = 0; i < kMusicLoopCount; ++i)
            if (music.loops[i] && music.loops[i]->isPlaying()) out.push_back(i);
        return out;
    }
    bool inOrder(uint32_t loop) {
        return std::find(music.order.begin(), music.order.end(), loop) != music.order.end();
    }
    std::string dir;
    kwMusicLoops music;
};

}  // namespace

TEST_F(MusicLoops, LoadFillsEightSlotsOnceAndUnloadEmptiesThem) {
    writeLoops(5);
    logCaptureBegin();
    music.load();
    EXPECT_NE(std::string(logCaptured()).find("loop_05.noi"), std::string::npos);
    logCaptureEnd();
    EXPECT_TRUE(music.loaded);
    EXPECT_EQ(soundList->count, 8u);
    for (uint32_t i = 0; i < kMusicLoopCount; ++i) {
        ASSERT_NE(music.loops[i], nullptr);
        EXPECT_TRUE(soundList->contains(music.loops[i].get()));
        if (i == 4) {
            EXPECT_EQ(music.loops[i]->buffer, nullptr);  // missing: silent
        } else {
            EXPECT_EQ(music.loops[i]->frames, 2 * kLoopRate + i + 1) << i;
        }
    }
    kwSound* first = music.loops[0].get();
    music.load();  // already loaded: nothing
    EXPECT_EQ(music.loops[0].get(), first);
    EXPECT_EQ(soundList->count, 8u);

    music.unload();
    EXPECT_FALSE(music.loaded);
    EXPECT_EQ(soundList->count, 0u);
    for (auto& loop : music.loops) EXPECT_EQ(loop, nullptr);
    music.unload();
    music.keepAlive();  // nothing loaded: nothing to keep alive
    music.playNext();
    EXPECT_EQ(soundList->count, 0u);
}

TEST_F(MusicLoops, ShuffleTakesTheFirstFourDistinctDraws) {
    for (uint32_t seed = 1; seed <= 300; ++seed) {
        seedRandomWith(seed);
        std::vector<uint32_t> expected;
        while (expected.size() < kMusicLoopsPerLevel) {
            const uint32_t r = random(kMusicLoopCount);
            if (std::find(expected.begin(), expected.end(), r) == expected.end())
                expected.push_back(r);
        }
        seedRandomWith(seed);
        music.shuffle();
        EXPECT_EQ(std::vector<uint32_t>(music.order.begin(), music.order.end()), expected);
    }
}

TEST_F(MusicLoops, KeepAliveStopsWhilePausedAndRestartsFromTheBeginning) {
    writeLoops();
    music.load();
    seedRandomWith(7);
    music.playNext();
    ASSERT_EQ(playing().size(), 1u);
    const uint32_t first = music.order[music.current];
    EXPECT_EQ(playing()[0], first);
    EXPECT_FALSE(music.loops[first]->looping);
    headlessAdvance(300);
    music.keepAlive();
    EXPECT_EQ(playing(), std::vector<uint32_t>{first});
    EXPECT_GT(music.loops[first]->position(), 0u);

    pauseClock();
    music.keepAlive();
    EXPECT_TRUE(playing().empty());
    headlessAdvance(1000);
    music.keepAlive();
    EXPECT_TRUE(playing().empty());  // nothing restarts while paused

    resumeClock();
    music.keepAlive();
    auto now = playing();
    ASSERT_EQ(now.size(), 1u);
    EXPECT_TRUE(inOrder(now[0]));
    EXPECT_EQ(now[0], music.order[music.current]);
    EXPECT_EQ(music.loops[now[0]]->position(), 0u);  // from its beginning
    EXPECT_EQ(music.loops[now[0]]->startTime, gameTime());

    // When a loop ends on its own, another of the four follows.
    headlessAdvance(2100);
    EXPECT_TRUE(playing().empty());
    music.keepAlive();
    now = playing();
    ASSERT_EQ(now.size(), 1u);
    EXPECT_TRUE(inOrder(now[0]));

    // The next level: the old loop stops; with music at 0 nothing starts.
    int32_t effects = 8, silent = 0;
    setVolumeSettings({&effects, &silent});
    music.playNext();
    EXPECT_TRUE(playing().empty());
}
