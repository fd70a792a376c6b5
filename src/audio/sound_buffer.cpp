// The sound-buffer front of the mixer: the main thread's view of one voice.
// Every change to what the audio thread reads happens under the audio lock;
// the size and format never change after create, so they are read freely.
#include "audio/sound_buffer.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "audio/mixer.h"
#include "shell/log.h"

namespace {

constexpr uint8_t kSilence8 = 0x80;
constexpr uint32_t kMinFramesPerSecond = kAudioMinRate;
constexpr uint32_t kMaxFramesPerSecond = kAudioMaxRate;

bool formatUsable(const kwWaveFormat& f) {
    if (f.channels != 1 && f.channels != 2) return false;
    if (f.bitsPerSample != 8 && f.bitsPerSample != 16) return false;
    if (f.framesPerSecond < kMinFramesPerSecond || f.framesPerSecond > kMaxFramesPerSecond)
        return false;
    return f.bytesPerFrame == f.channels * f.bitsPerSample / 8 &&
           f.bytesPerSecond == f.framesPerSecond * f.bytesPerFrame;
}

}  // namespace

std::unique_ptr<kwSoundBuffer> kwSoundBuffer::create(const kwWaveFormat& format, uint32_t bytes) {
    if (!mixerIsOpen()) return nullptr;  // no device: the game is silent
    if (!formatUsable(format)) {
        debugFail("kwSoundBuffer::create - unsupported format");
        return nullptr;
    }
    if (bytes == 0 || bytes > kMaxBufferBytes || bytes % format.bytesPerFrame) {
        debugFail("kwSoundBuffer::create - bad buffer size");
        return nullptr;
    }
    std::unique_ptr<uint8_t[]> data(new (std::nothrow) uint8_t[bytes]);
    if (!data) {
        debugFail("kwSoundBuffer::create - out of memory");
        return nullptr;
    }
    std::memset(data.get(), format.bitsPerSample == 8 ? kSilence8 : 0, bytes);

    std::unique_ptr<kwSoundBuffer> buffer(new kwSoundBuffer());
    {
        kwAudioLock lock;
        buffer->voice = mixerTakeVoice();
        if (buffer->voice) {
            buffer->voice->data = std::move(data);
            buffer->voice->format = format;
            buffer->voice->bytes = bytes;
            buffer->voice->frames = bytes / format.bytesPerFrame;
        }
    }
    if (!buffer->voice) {
        debugFail("kwSoundBuffer::create - too many sound buffers!");
        return nullptr;
    }
    return buffer;
}

kwSoundBuffer::~kwSoundBuffer() {
    if (!voice) return;
    if (voice->locked) unlock(kwLockRegions{});
    std::unique_ptr<uint8_t[]> data;  // freed after the lock is let go
    kwAudioLock lock;
    data = std::move(voice->data);
    mixerFreeVoice(voice);
}

bool kwSoundBuffer::lock(uint32_t offset, uint32_t bytes, kwLockRegions* out) {
    if (out) *out = kwLockRegions{};
    const uint32_t size = voice->bytes;
    if (!out || bytes == 0 || offset >= size || bytes > size) {
        debugFail("kwSoundBuffer::lock - span outside the buffer");
        return false;
    }
    if (voice->locked) {
        debugFail("kwSoundBuffer::lock - already locked");
        return false;
    }
    if (platform().lockAudio) platform().lockAudio();  // held until unlock
    voice->locked = true;
    out->first = voice->data.get() + offset;
    out->firstBytes = std::min(bytes, size - offset);
    out->secondBytes = bytes - out->firstBytes;
    out->second = out->secondBytes ? voice->data.get() : nullptr;
    return true;
}

void kwSoundBuffer::unlock(const kwLockRegions&) {
    if (!voice->locked) return;
    voice->locked = false;
    if (platform().unlockAudio) platform().unlockAudio();
}

bool kwSoundBuffer::play(bool looping) {
    if (!mixerIsOpen()) return false;
    kwAudioLock lock;
    voice->looping = looping;
    voice->playing = true;
    return true;
}

void kwSoundBuffer::stop() {
    kwAudioLock lock;
    voice->playing = false;
}

bool kwSoundBuffer::setCurrentPosition(uint32_t byteOffset) {
    if (byteOffset >= voice->bytes) return false;
    const uint32_t frame = byteOffset / voice->format.bytesPerFrame;
    kwAudioLock lock;
    voice->frame = frame;
    voice->remainder = 0;
    return true;
}

uint32_t kwSoundBuffer::currentPosition() const {
    kwAudioLock lock;
    return voice->frame * voice->format.bytesPerFrame;
}

bool kwSoundBuffer::isPlaying() const {
    kwAudioLock lock;
    return voice->playing;
}

void kwSoundBuffer::setVolume(int32_t hundredthsOfDecibel) {
    const int32_t volume = std::clamp(hundredthsOfDecibel, kVolumeSilent, kVolumeFull);
    const int32_t gain = mixerGainFor(volume);
    kwAudioLock lock;
    voice->volume = volume;
    voice->gain = gain;
}

int32_t kwSoundBuffer::volume() const {
    return voice->volume;  // written only by this thread
}

uint32_t kwSoundBuffer::size() const {
    return voice->bytes;
}

const kwWaveFormat& kwSoundBuffer::format() const {
    return voice->format;
}
