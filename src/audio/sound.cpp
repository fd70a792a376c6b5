// kwSound and the sound system's start and end. The payload is checked once
// at construction (a refused payload leaves the sound silent); PCM is
// copied into the buffer, short ADPCM decoded into it, long ADPCM kept as
// codes and decoded half a second at a time into a looping ring buffer.
#include "audio/sound.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <new>

#include "assets/noi_format.h"
#include "audio/sound_list.h"
#include "shell/clock.h"
#include "shell/log.h"

bool soundAvailable = false;

namespace {

constexpr kwAudioSpec kPreferredSpec{44100, 16, 2};
constexpr kwAudioSpec kFallbackSpec{22050, 8, 1};
constexpr double kVolumeScale = 4000.0;  // hundredths of a dB per decade of volume
constexpr const char* kConstructLabel = "kwSound::kwSound";

}  // namespace

bool initSound() {
    if (!soundList) soundList = new kwSoundList();
    soundAvailable = mixerDevicePresent();
    if (!soundAvailable) {
        debuggerOutput("No Sound Available\r\n");
        return false;
    }
    if (mixerOpen(kPreferredSpec)) {
        debugLog("Direct Sound Init OK\r\n");
        return true;
    }
    if (mixerOpen(kFallbackSpec)) {
        debugLog("Direct Sound for Init 8 BIT OK\r\n");
        debugLog("Direct Sound Init OK\r\n");
        return true;
    }
    debugLog("Direct Sound Init FAILED\r\n");
    // Sounds still play in whatever format the device offers; only if even
    // that fails is there nothing to play them on.
    soundAvailable = mixerOpenDefault();
    return false;
}

void shutdownSound() {
    if (mixerIsOpen()) mixerClose();
    soundAvailable = false;
}

// ---- construction ------------------------------------------------------------

kwSound::kwSound(const kwLinkedFile* file) {
    resetDecoder();
    if (!soundAvailable) return;
    if (!setUp(file)) buffer.reset();
}

kwSound::~kwSound() {
    // A sound deleted while still listed would leave the frame loop a
    // dangling pointer.
    if (soundList) soundList->remove(this);
}

bool kwSound::setUp(const kwLinkedFile* file) {
    kwNoiLayout l;
    if (!checkNoi(file, kConstructLabel, &l)) return false;
    const kwNoiHeader& h = l.header;
    compressed = h.coding;
    format = kwWaveFormat{h.channels, h.framesPerSecond, h.bytesPerSecond, h.bytesPerFrame,
                          h.bitsPerSample};
    dataBytes = h.dataBytes;
    decodedBytes = l.decodedBytes;
    frames = l.frames;
    if (l.adpcm) {
        codes.reset(new (std::nothrow) uint8_t[dataBytes]);
        if (!codes) {
            debugFail("kwSound::kwSound - could not allocate the codes", file->name);
            return false;
        }
        std::memcpy(codes.get(), l.samples, dataBytes);
    }
    // Sounds under a second are held whole; longer ADPCM streams through a
    // one-second ring of two equal halves (an odd rate loses one frame).
    streaming = l.adpcm && frames >= format.framesPerSecond;
    ringHalfFrames = format.framesPerSecond >> 1;
    bufferBytes = streaming ? ringFrames() * format.bytesPerFrame : decodedBytes;
    duration = float(frames) / float(format.framesPerSecond);
    buffer = kwSoundBuffer::create(format, bufferBytes);
    if (!buffer) {
        debugFail("kwSound::kwSound - could not create a sound buffer", file->name);
        return false;
    }
    if (!streaming && !fillWhole(l.samples)) return false;
    setVolume(1.0f);
    return true;
}

bool kwSound::fillWhole(const uint8_t* samples) {
    uint8_t* out = lockSpan(0, bufferBytes);
    if (!out) return false;
    if (codes) {
        resetDecoder();
        decodeFrames(out, frames);
    } else {
        std::memcpy(out, samples, bufferBytes);
    }
    unlockSpan();
    return true;
}

// ---- the decoder -------------------------------------------------------------

void kwSound::resetChannels() {
    decoder = {};
}

void kwSound::resetDecoder() {
    resetChannels();
    nextHalf = false;
}

void kwSound::decodeFrames(uint8_t* out, uint32_t n) {
    int16_t* pcm = reinterpret_cast<int16_t*>(out);
    if (format.channels == 2) {
        adpcmDecodeStereo(decoder[0], decoder[1], codes.get() + decoder[0].framesDone, n, pcm);
    } else {
        // Code-exact, so a refill of an odd number of frames loses nothing.
        adpcmDecodeMonoAt(decoder[0], codes.get(), decoder[0].framesDone, n, pcm);
    }
}

// A single region of exactly `bytes`, aligned for 16-bit samples, or null
// (the lock failed and nothing is held).
uint8_t* kwSound::lockSpan(uint32_t offset, uint32_t bytes) {
    if (!buffer || !buffer->lock(offset, bytes, &lockRegions)) return nullptr;
    uint8_t* p = lockRegions.first;
    const bool usable = p && lockRegions.firstBytes == bytes && lockRegions.secondBytes == 0 &&
                        (reinterpret_cast<uintptr_t>(p) & 1) == 0;
    if (usable) return p;
    unlockSpan();
    return nullptr;
}

void kwSound::unlockSpan() {
    buffer->unlock(lockRegions);
    lockRegions = kwLockRegions{};
}

// ---- playing -----------------------------------------------------------------

void kwSound::setVolume(float v) {
    if (!soundAvailable) return;
    if (!(v > 0.0f)) v = 0.0f;  // NaN too
    if (v > 1.0f) v = 1.0f;
    volume = v;
    if (!buffer) return;
    if (v == 0.0f)
        buffer->setVolume(kVolumeSilent);
    else if (v == 1.0f)
        buffer->setVolume(kVolumeFull);
    else
        buffer->setVolume(int32_t(std::trunc(std::log10(double(v)) * kVolumeScale)));
}

void kwSound::play(bool loop) {
    if (!buffer) return;
    looping = loop;
    stop();
    buffer->setCurrentPosition(0);
    if (!streaming) {
        buffer->play(loop);
        startTime = gameTime();
        return;
    }
    uint8_t* out = lockSpan(0, bufferBytes);
    if (!out) return;
    resetDecoder();
    std::memset(out, 0, bufferBytes);
    decodeFrames(out, ringFrames() < frames ? ringFrames() : frames);
    unlockSpan();
    buffer->play(true);  // the ring loops whatever the sound does
    startTime = gameTime();
}

bool kwSound::isPlaying() {
    return buffer && buffer->isPlaying();
}

void kwSound::stop() {
    if (buffer) buffer->stop();
}

uint32_t kwSound::position() {
    if (!buffer || format.bytesPerFrame == 0) return 0;
    return buffer->currentPosition() / format.bytesPerFrame;
}

// ---- streaming ---------------------------------------------------------------

bool kwSound::update() {
    if (!buffer || !streaming) return false;
    const uint32_t pos = position();
    const uint32_t half = ringHalfFrames;
    // Refill the half the play cursor has just left, never the one it is in.
    if (!nextHalf && pos < half) return false;
    if (nextHalf && pos >= half) return false;
    const uint32_t halfBytes = half * format.bytesPerFrame;
    uint8_t* out = lockSpan(nextHalf ? halfBytes : 0, halfBytes);
    if (!out) return false;
    bool ended = false;
    refill(out, &ended);
    unlockSpan();
    nextHalf = !nextHalf;
    return ended;
}

// One half of the ring: the next half second of codes, then either the
// start of the sound again (looping) or silence.
void kwSound::refill(uint8_t* out, bool* ended) {
    const uint32_t half = ringHalfFrames;
    const uint32_t frameBytes = format.bytesPerFrame;
    uint32_t n = half, rest = 0;
    if (decoder[0].framesDone + half >= frames) {
        n = frames - decoder[0].framesDone;
        rest = half - n;
    }
    decodeFrames(out, n);
    if (rest == 0) return;
    uint8_t* tail = out + size_t(n) * frameBytes;
    if (!looping) {
        std::memset(tail, 0, size_t(rest) * frameBytes);
        *ended = true;
        return;
    }
    // Wrap to the start. An even count keeps mono on whole code bytes; an
    // odd rest repeats the frame before the last one.
    resetChannels();
    const uint32_t even = rest & ~1u;
    decodeFrames(tail, even);
    if ((rest & 1) && n + even > 0) {
        uint8_t* last = out + size_t(n + even) * frameBytes;
        std::memcpy(last, last - frameBytes, frameBytes);
    }
}
