// The software mixer's internals: a fixed table of voices and the routine
// that mixes every playing voice into one block of device output. The
// sound-buffer front (sound_buffer.cpp) takes and frees voices under the
// audio lock; the device pulls mixerFill on its own thread.
#pragma once

#include <cstdint>
#include <memory>

#include "audio/sound_buffer.h"
#include "platform/platform.h"

inline constexpr int kMixerVoices = 128;
inline constexpr int kGainOne = 1 << 16;  // Q16 unity gain

// One slot of the voice table. The cursor is a whole frame plus a fraction
// counted in 1/outputRate steps, so it advances by exactly frames-per-second
// / output-rate per output frame with no rounding drift: after n output
// frames a voice has moved floor(n * rate / outputRate) frames.
struct kwMixerVoice {
    std::unique_ptr<uint8_t[]> data;
    kwWaveFormat format;
    uint32_t bytes = 0;
    uint32_t frames = 0;
    uint32_t frame = 0;            // the play cursor, always < frames
    uint32_t remainder = 0;        // fraction of a frame, over the output rate
    int32_t volume = kVolumeFull;  // hundredths of a decibel
    int32_t gain = kGainOne;       // the same as a Q16 factor
    bool inUse = false;
    bool playing = false;
    bool looping = false;
    bool locked = false;  // a lock() is outstanding
};

// Caller holds the audio lock. Null when every slot is taken.
kwMixerVoice* mixerTakeVoice();
void mixerFreeVoice(kwMixerVoice* voice);
int mixerVoicesInUse();

// Q16 gain for a volume in hundredths of a decibel (already clamped).
int32_t mixerGainFor(int32_t hundredthsOfDecibel);

// Holds the audio device's callback off for a scope (nests).
class kwAudioLock {
public:
    kwAudioLock();
    ~kwAudioLock();
    kwAudioLock(const kwAudioLock&) = delete;
    kwAudioLock& operator=(const kwAudioLock&) = delete;
};

// The device callback: mixes `bytes` bytes of output in the output format.
// Allocates nothing and takes no lock.
void mixerFill(void* user, uint8_t* out, int bytes);
