// One voice of the software mixer: a PCM buffer in its own format (8 or 16
// bit, mono or stereo, any rate) that plays once or as a ring, with a volume
// in hundredths of a decibel, a readable play cursor and writable regions
// guarded against the audio thread. It stands where the game once had a
// hardware secondary sound buffer, and keeps that buffer's semantics.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/platform.h"

struct kwMixerVoice;

// The PCM layout of a buffer (tag PCM implied).
struct kwWaveFormat {
    uint16_t channels = 0;  // 1 or 2
    uint32_t framesPerSecond = 0;
    uint32_t bytesPerSecond = 0;
    uint16_t bytesPerFrame = 0;  // channels * bits / 8
    uint16_t bitsPerSample = 0;  // 8 (unsigned) or 16 (signed)
};

// The consistent layout for a rate, depth and channel count.
inline constexpr kwWaveFormat pcmFormat(uint32_t rate, uint16_t bits, uint16_t channels) {
    const uint16_t frameBytes = uint16_t(channels * bits / 8);
    return {channels, rate, rate * frameBytes, frameBytes, bits};
}

inline constexpr int32_t kVolumeSilent = -10000;  // hundredths of a decibel
inline constexpr int32_t kVolumeFull = 0;

// Two regions of a lock: the second is non-empty only when the locked span
// wraps past the end of the buffer.
struct kwLockRegions {
    uint8_t* first = nullptr;
    uint32_t firstBytes = 0;
    uint8_t* second = nullptr;
    uint32_t secondBytes = 0;
};

// The largest buffer create accepts (about 25 minutes of CD-quality sound):
// a damaged header cannot make the game try to allocate gigabytes.
inline constexpr uint32_t kMaxBufferBytes = 256u << 20;

class kwSoundBuffer {
public:
    // Null when the mixer is not open, every voice is taken, the format is
    // not one a buffer can hold (1 or 2 channels; 8 or 16 bits; 1000..192000
    // frames a second; bytesPerFrame and bytesPerSecond consistent with
    // those), or `bytes` is 0, over kMaxBufferBytes or not a whole number of
    // frames. A new buffer holds silence, stopped at position 0, at full volume.
    static std::unique_ptr<kwSoundBuffer> create(const kwWaveFormat& format, uint32_t bytes);
    ~kwSoundBuffer();  // leaves the mixer (under the audio lock)

    kwSoundBuffer(const kwSoundBuffer&) = delete;
    kwSoundBuffer& operator=(const kwSoundBuffer&) = delete;

    // Locks `bytes` bytes from `offset` for writing (wrapping at the end);
    // false for an empty span, `offset` at or past the end, `bytes` over the
    // size, or a buffer already locked. The audio thread is held off from
    // lock to unlock, so the caller writes the regions and unlocks at once.
    bool lock(uint32_t offset, uint32_t bytes, kwLockRegions* out);
    void unlock(const kwLockRegions& regions);

    // Plays from the current position; playing again only changes the loop
    // flag. False when the mixer has been closed.
    bool play(bool looping);
    void stop();  // the position stays
    // Rounds down to a whole frame; false (and no change) at or past the end.
    bool setCurrentPosition(uint32_t byteOffset);
    // The play cursor in bytes (whole frames): how far the mixer has read,
    // which runs ahead of what is heard by at most one device block (about
    // 23 ms). A non-looping buffer that ran out is rewound to 0, so play()
    // plays it again in full.
    uint32_t currentPosition() const;
    bool isPlaying() const;  // false once a non-looping buffer ran out

    // Clamped to -10000..0; gain 10^(mB/2000), and -10000 is silence.
    void setVolume(int32_t hundredthsOfDecibel);
    int32_t volume() const;

    uint32_t size() const;
    const kwWaveFormat& format() const;

private:
    kwSoundBuffer() = default;
    kwMixerVoice* voice = nullptr;  // a slot of the mixer's fixed table
};

// The mixer and its device. mixerOpen takes the device in exactly this output
// format; initSound tries the preferred format, then the fall-back, then
// mixerOpenDefault (whatever the device offers). All are false without a
// device; mixerDevicePresent tells that case apart. Opening while open
// reopens in the new format.
bool mixerDevicePresent();
bool mixerOpen(const kwAudioSpec& spec);
bool mixerOpenDefault();
bool mixerIsOpen();
kwAudioSpec mixerOutputSpec();  // the open device's format
// Every buffer should be gone first; one still alive is logged, stops
// sounding, and may still be destroyed later.
void mixerClose();
