// A sound payload as a user could leave it, made into a sound on the
// headless device and played as the game plays it: the frame loop's update
// after every step of the clock, the mixer pulling the buffer (the ring of
// a streamed sound) as the device asks, restarts and stops on the way, at
// an output format the input picks. What lands in the buffer is compared
// with the payload: PCM as stored, ADPCM decoded whole from the codes, and
// every refill of a streamed ring with the matching part of that decode.
#include <cstring>
#include <memory>
#include <span>
#include <vector>

#include "assets/linked_file.h"
#include "assets/noi_format.h"
#include "audio/adpcm.h"
#include "audio/sound.h"
#include "audio/sound_buffer.h"
#include "audio/sound_list.h"
#include "fuzz_bytes.h"
#include "fuzz_entry.h"
#include "fuzz_support.h"
#include "platform/headless/headless.h"
#include "shell/clock.h"

namespace {

constexpr int kOutRates[] = {44100, 22050, 8000, 1000, 11025, 48000, 2000, 4000};
constexpr size_t kSteps = 10;
constexpr uint8_t kFirstReplay = 0xF0, kFirstStop = 0xF8;  // step bytes from here act
constexpr uint32_t kMsPerFrameUnit = 4;
// Device frames mixed per input at most: the clock stops there.
constexpr uint64_t kMaxDeviceFrames = 1 << 13;

constexpr uint8_t kFlagLoop = 1;

void setUpOnce() {
    static bool ready = false;
    if (ready) return;
    setPlatform(&headlessPlatform());
    headlessReset();
    setTickSource(headlessPlatform().ticks);
    fuzzCheck(initSound(), "the headless device did not open");
    ready = true;
}

kwAudioSpec specFrom(uint8_t choice) {
    return kwAudioSpec{kOutRates[choice & 7], choice & 8 ? 8 : 16, choice & 16 ? 1 : 2};
}

// The payload's samples as the buffer should hold them, whole.
struct Reference {
    kwNoiLayout layout;
    std::vector<uint8_t> pcm;  // decodedBytes bytes
    uint32_t frameBytes = 0;

    explicit Reference(std::span<const uint8_t> payload) {
        if (noiProblem(payload.data(), uint32_t(payload.size()), &layout)) return;
        frameBytes = layout.header.bytesPerFrame;
        if (!layout.adpcm) {
            pcm.assign(layout.samples, layout.samples + layout.decodedBytes);
            return;
        }
        const auto samples =
            adpcmDecode({layout.samples, layout.header.dataBytes}, layout.header.channels);
        pcm.resize(samples.size() * sizeof(int16_t));
        std::memcpy(pcm.data(), samples.data(), pcm.size());
    }
    const uint8_t* frame(uint32_t f) const { return pcm.data() + size_t(f) * frameBytes; }
};

// Compares `count` frames of the buffer from frame `at` with `expected`
// (null: silence).
void checkFrames(kwSound& s, uint32_t at, uint32_t count, const uint8_t* expected,
                 const char* what) {
    if (count == 0) return;
    const uint32_t frameBytes = s.format.bytesPerFrame;
    kwLockRegions r;
    fuzzCheck(s.buffer->lock(at * frameBytes, count * frameBytes, &r), "a buffer lock failed");
    const size_t bytes = size_t(count) * frameBytes;
    static const std::vector<uint8_t> silence(size_t(kNoiMaxRate / 2) * 4,
                                              0);  // half the largest ring
    const bool same = r.firstBytes == bytes && (expected || bytes <= silence.size()) &&
                      std::memcmp(r.first, expected ? expected : silence.data(), bytes) == 0;
    s.buffer->unlock(r);
    fuzzCheck(same, what);
}

void checkWhole(kwSound& s, const Reference& ref) {
    fuzzCheck(s.buffer->size() == ref.pcm.size() && s.frames * ref.frameBytes == ref.pcm.size(),
              "a whole sound's buffer has the wrong size");
    checkFrames(s, 0, s.frames, ref.pcm.data(), "a whole sound's buffer differs from its payload");
}

// After play(): the ring holds the sound's first second.
void checkRingStart(kwSound& s, const Reference& ref) {
    if (!s.streamed() || !s.isPlaying()) return;
    checkFrames(s, 0, s.ringFrames(), ref.frame(0), "the ring does not start with the sound");
}

// One refill of the half the cursor left: the next frames of the decode,
// then the start again (looping; an odd remainder repeats a frame) or silence.
void checkRefill(kwSound& s, const Reference& ref, bool half, uint32_t done) {
    const uint32_t at = half ? s.halfFrames() : 0;
    uint32_t n = s.halfFrames(), rest = 0;
    if (done + n >= s.frames) {
        n = s.frames - done;
        rest = s.halfFrames() - n;
    }
    checkFrames(s, at, n, ref.frame(done), "a refill does not continue the sound");
    if (!s.looping) {
        checkFrames(s, at + n, rest, nullptr, "a stream's end is not silent");
        return;
    }
    const uint32_t even = rest & ~1u;
    checkFrames(s, at + n, even, ref.frame(0), "a looping refill does not wrap to the start");
}

void play(kwSound& s, const Reference& ref, bool loop) {
    s.play(loop);
    checkRingStart(s, ref);
}

// One frame of the game loop: the clock moves (the device pulls the mix),
// then the sounds update; a refill shows as the half flag turning over.
void frame(kwSound& s, const Reference& ref, uint32_t ms) {
    headlessAdvance(ms);
    const bool half = s.nextHalf;
    const uint32_t done = s.decoder[0].framesDone;
    updateSounds();
    if (s.nextHalf != half) checkRefill(s, ref, half, done);
    if (s.buffer)
        fuzzCheck(s.position() < s.buffer->size() / s.format.bytesPerFrame,
                  "the play cursor left the buffer");
}

// Each step byte is a restart, a stop, or a run of frames: the low four
// bits count them, the high four set their length (frames stay shorter
// than half a ring, as in the game, so no half goes unrefilled).
void runSteps(kwSound& s, const Reference& ref, kwFuzzBytes& in, bool loop, int outRate) {
    uint64_t msLeft = kMaxDeviceFrames * 1000 / uint64_t(outRate);
    for (size_t i = 0; i < kSteps; ++i) {
        const uint8_t step = in.u8();
        if (step >= kFirstStop) {
            s.stop();
            continue;
        }
        if (step >= kFirstReplay) {
            play(s, ref, loop != bool(step & 1));
            continue;
        }
        const uint32_t frames = (step & 0x0F) + 1u, ms = ((step >> 4) + 1u) * kMsPerFrameUnit;
        for (uint32_t f = 0; f < frames && msLeft >= ms; ++f, msLeft -= ms) frame(s, ref, ms);
    }
}

}  // namespace

GG_FUZZ_TARGET(fuzzSound) {
    setUpOnce();
    kwFuzzBytes in(data, size);
    const kwAudioSpec spec = specFrom(in.u8());
    const uint8_t flags = in.u8();
    const float volume = in.f32();
    const auto steps = in.take(kSteps);
    const auto payload = in.rest();

    headlessSetTime(0);
    resetClock();
    fuzzCheck(mixerOpen(spec), "the headless device refused a valid format");
    const Reference ref(payload);
    auto record = makeLinkedFile("f.noi", payload);
    kwSound sound(record.get());
    record.reset();  // a sound keeps what it needs
    fuzzCheck(!sound.buffer || !ref.pcm.empty(), "a refused payload made a sound");
    if (sound.buffer && !sound.streamed()) checkWhole(sound, ref);
    soundList->add(&sound);
    sound.setVolume(volume);
    play(sound, ref, flags & kFlagLoop);
    kwFuzzBytes stepBytes(steps.data(), steps.size());
    runSteps(sound, ref, stepBytes, flags & kFlagLoop, spec.rate);
    return 0;
}
