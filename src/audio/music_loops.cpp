// Music loops: loading them from their archive, picking four per level and
// keeping one playing.
#include "audio/music_loops.h"

#include <algorithm>
#include <cstdio>

#include "assets/linked_file.h"
#include "audio/sound_list.h"
#include "audio/sound_volume.h"
#include "shell/clock.h"
#include "shell/random.h"

namespace {

constexpr const char* kLoopArchive = "loops.lfl";
constexpr const char* kLoopNameFormat = "loop_%2.2d.noi";
constexpr float kMusicScale = 1.0f;

}  // namespace

void kwMusicLoops::load() {
    if (loaded) return;
    // The sounds copy what they need, so the archive goes when they exist.
    kwLinkedFileList list;
    list.add_lfl(kLoopArchive);
    for (uint32_t i = 0; i < kMusicLoopCount; ++i) {
        char name[kwLinkedFile::kNameSize];
        std::snprintf(name, sizeof name, kLoopNameFormat, int(i + 1));
        loops[i] = std::make_unique<kwSound>(list.find(name));
        if (soundList) soundList->add(loops[i].get());
    }
    loaded = true;
}

void kwMusicLoops::unload() {
    if (!loaded) return;
    for (auto& loop : loops) {
        if (soundList) soundList->remove(loop.get());
        loop.reset();
    }
    loaded = false;
}

void kwMusicLoops::shuffle() {
    order.fill(kNoLoop);
    uint32_t filled = 0;
    while (filled < kMusicLoopsPerLevel) {
        const uint32_t pick = random(kMusicLoopCount);
        if (std::find(order.begin(), order.begin() + filled, pick) == order.begin() + filled)
            order[filled++] = pick;
    }
}

kwSound* kwMusicLoops::currentLoop() const {
    if (!loaded || current >= kMusicLoopsPerLevel) return nullptr;
    const uint32_t loop = order[current];
    return loop < kMusicLoopCount ? loops[loop].get() : nullptr;
}

void kwMusicLoops::stopCurrent() {
    if (kwSound* s = currentLoop()) s->stop();
}

void kwMusicLoops::playNext() {
    stopCurrent();
    shuffle();
    current = random(kMusicLoopsPerLevel);
    playMusic(currentLoop(), kMusicScale, false);
}

void kwMusicLoops::keepAlive() {
    if (clockState.paused) {
        stopCurrent();
        return;
    }
    kwSound* s = currentLoop();
    if (!s || s->isPlaying()) return;
    current = random(kMusicLoopsPerLevel);
    playMusic(currentLoop(), kMusicScale, false);
}
