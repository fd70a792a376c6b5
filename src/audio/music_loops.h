// The music of play: eight loops from "loops.lfl", of which each level
// uses a random four, one after another in random order. keepAlive, called
// every frame of play, starts another of the four when one ends and keeps
// the music quiet while the game clock is paused.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "audio/sound.h"

inline constexpr uint32_t kMusicLoopCount = 8;
inline constexpr uint32_t kMusicLoopsPerLevel = 4;
inline constexpr uint32_t kNoLoop = UINT32_MAX;

class kwMusicLoops {
public:
    kwMusicLoops() { order.fill(kNoLoop); }
    ~kwMusicLoops() { unload(); }
    kwMusicLoops(const kwMusicLoops&) = delete;
    kwMusicLoops& operator=(const kwMusicLoops&) = delete;

    void load();     // "loop_01.noi".."loop_08.noi", added to the sound list
    void unload();   // removed from the sound list and deleted
    void shuffle();  // four different loops into order
    void playNext();
    void stopCurrent();
    void keepAlive();

    // The loop order[current], or null before a shuffle or when not loaded.
    kwSound* currentLoop() const;

    std::array<std::unique_ptr<kwSound>, kMusicLoopCount> loops;
    bool loaded = false;
    uint32_t current = 0;  // index into order
    std::array<uint32_t, kMusicLoopsPerLevel> order{};
};
