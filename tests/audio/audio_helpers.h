// Shared by the audio tests: .noi records made in memory, a fixture that
// brings the sound system up on the headless backend (whose device pulls
// audio as the test advances the clock), and a look into a sound's buffer.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "assets/linked_file.h"
#include "assets/noi_format.h"
#include "audio/adpcm.h"
#include "audio/sound.h"
#include "audio/sound_list.h"
#include "audio/sound_volume.h"
#include "platform/headless/headless.h"
#include "platform/headless/headless_audio.h"
#include "shell/clock.h"
#include "shell/log.h"

namespace audiotest {

inline kwNoiHeader header(uint32_t coding, uint16_t channels, uint32_t rate, uint16_t bits) {
    kwNoiHeader h;
    h.coding = coding;
    h.channels = channels;
    h.framesPerSecond = rate;
    h.bitsPerSample = bits;
    return h;
}

inline std::unique_ptr<kwLinkedFile> record(const std::string& name,
                                            const std::vector<uint8_t>& payload) {
    return makeLinkedFile(name.c_str(), payload);
}

inline std::unique_ptr<kwLinkedFile> noiRecord(const std::string& name, const kwNoiHeader& h,
                                               const std::vector<uint8_t>& samples) {
    return record(name, writeNoi(h, samples));
}

// Code bytes with some movement in them, the same for a given seed.
inline std::vector<uint8_t> codeBytes(size_t count, uint32_t seed = 1) {
    std::vector<uint8_t> out(count);
    uint32_t x = seed;
    for (auto& b : out) {
        x = x * 1103515245u + 12345u;
        b = uint8_t(x >> 16);
    }
    return out;
}

// The whole buffer of a sound as 16-bit samples.
inline std::vector<int16_t> bufferSamples(kwSound& s) {
    kwLockRegions r;
    if (!s.buffer || !s.buffer->lock(0, s.buffer->size(), &r)) return {};
    std::vector<int16_t> out(r.firstBytes / 2);
    std::memcpy(out.data(), r.first, out.size() * 2);
    s.buffer->unlock(r);
    return out;
}

inline std::vector<int16_t> slice(const std::vector<int16_t>& v, size_t from, size_t count) {
    return std::vector<int16_t>(v.begin() + from, v.begin() + from + count);
}

class SoundSystem : public testing::Test {
protected:
    void SetUp() override {
        setPlatform(&headlessPlatform());
        headlessReset();
        setTickSource(headlessPlatform().ticks);
        resetClock();
        setVolumeSettings({});
        if (!deviceAbsent) {
            ASSERT_TRUE(initSound());
        } else {
            headlessAudioSetPresent(false);
        }
    }
    void TearDown() override {
        logCaptureEnd();
        deleteSoundList();
        shutdownSound();
        setVolumeSettings({});
        headlessReset();
    }
    // Advances the game clock (and the device) by ms, then runs the frame
    // loop's sound update.
    void frame(uint32_t ms) {
        headlessAdvance(ms);
        updateSounds();
    }
    bool deviceAbsent = false;
};

}  // namespace audiotest
