// A sound effect or piece of music made from a ".noi" payload, with a mixer
// buffer of its own so sounds mix freely while each plays one instance at a
// time. Plain PCM and short ADPCM sounds sit in their buffer whole; ADPCM
// sounds of a second or more stream through a one-second ring that update()
// refills half by half, once per frame. Without a sound device, without a
// buffer, or from a missing or refused payload, a sound is silent and every
// operation does nothing.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "assets/linked_file.h"
#include "audio/adpcm.h"
#include "audio/sound_buffer.h"

// False until initSound finds a device; every sound is then silent.
extern bool soundAvailable;

// Start-up: creates the global sound list and opens the mixer (44.1 kHz
// 16-bit stereo, else 22.05 kHz 8-bit mono, else the device's own format).
// False without a device or when neither preferred format opens; start-up
// carries on either way.
bool initSound();
// Shutdown, after the sound list is gone: closes the mixer.
void shutdownSound();

class kwSound {
public:
    // The record may be null (a missing blob) and may be destroyed as soon
    // as the sound exists: everything needed is copied.
    explicit kwSound(const kwLinkedFile* file);
    virtual ~kwSound();
    kwSound(const kwSound&) = delete;
    kwSound& operator=(const kwSound&) = delete;

    // Starts from the beginning (a playing sound restarts).
    virtual void play(bool loop);
    virtual bool isPlaying();
    virtual void stop();  // the position stays; play rewinds
    // Streaming refill; true when a non-looping stream has run out of data.
    virtual bool update();

    void setVolume(float v);  // 0..1, logarithmic in the mixer
    uint32_t position();      // play cursor, in frames

    bool streamed() const { return streaming; }
    uint32_t ringFrames() const { return ringHalfFrames * 2; }
    uint32_t halfFrames() const { return ringHalfFrames; }

    float volume = 0.0f;
    kwLockRegions lockRegions;
    uint32_t compressed = 0;  // the payload's coding word
    kwWaveFormat format;
    uint32_t dataBytes = 0;     // D
    uint32_t decodedBytes = 0;  // PCM bytes of the whole sound
    uint32_t frames = 0;
    uint32_t bufferBytes = 0;
    std::unique_ptr<kwSoundBuffer> buffer;
    std::array<kwAdpcmChannel, 2> decoder{};
    std::unique_ptr<uint8_t[]> codes;  // ADPCM data (null for PCM)
    bool nextHalf = false;             // false: the first half refills next
    float duration = 0.0f;             // seconds
    uint32_t startTime = 0;            // gameTime() of the last play
    bool looping = false;

private:
    bool setUp(const kwLinkedFile* file);
    bool fillWhole(const uint8_t* samples);
    void resetChannels();
    void resetDecoder();
    void decodeFrames(uint8_t* out, uint32_t n);
    void refill(uint8_t* out, bool* ended);
    uint8_t* lockSpan(uint32_t offset, uint32_t bytes);
    void unlockSpan();

    bool streaming = false;
    uint32_t ringHalfFrames = 0;
};
