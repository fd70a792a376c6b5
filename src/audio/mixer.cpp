// The software mixer that stands in for per-sound hardware buffers. Each
// playing voice is read in its own format, stepped to the output rate in
// exact rational steps with linear interpolation between neighbouring frames,
// scaled by its Q16 gain and summed in 32 bits; the sum is clamped to the
// output's range once per block. Integer arithmetic only, so a given set of
// voices always mixes to the same bytes.
#include "audio/mixer.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

#include "shell/log.h"

namespace {

constexpr int kChunkFrames = 512;  // mixed per pass of the accumulator
constexpr int kMaxOutChannels = 2;
constexpr int kWeightBits = 15;  // interpolation weight 0..32767 (products fit 32 bits)
constexpr int kGainBits = 16;    // Q16, as kGainOne
constexpr int32_t kSample16Min = -32768, kSample16Max = 32767;
constexpr int kU8Bias = 128;
constexpr double kMilliBelsPerDecade = 2000.0;  // hundredths of a dB over 20 dB

struct Mixer {
    std::array<kwMixerVoice, kMixerVoices> voices;
    std::array<int32_t, kChunkFrames * kMaxOutChannels> acc{};
    kwAudioSpec out;
    bool open = false;
};

Mixer g_mixer;

// One frame of a voice as signed 16-bit left/right (mono gives both alike).
template <int Bits, int Channels>
inline void readFrame(const uint8_t* data, uint32_t frame, int32_t* l, int32_t* r) {
    if constexpr (Bits == 8) {
        const uint8_t* p = data + size_t(frame) * Channels;
        *l = (int32_t(p[0]) - kU8Bias) * 256;
        *r = Channels == 2 ? (int32_t(p[1]) - kU8Bias) * 256 : *l;
    } else {
        const uint8_t* p = data + size_t(frame) * Channels * 2;
        *l = int16_t(uint16_t(p[0] | p[1] << 8));
        *r = Channels == 2 ? int16_t(uint16_t(p[2] | p[3] << 8)) : *l;
    }
}

inline int32_t lerp(int32_t a, int32_t b, int32_t weight) {
    return a + (((b - a) * weight) >> kWeightBits);
}

inline int32_t scale(int32_t sample, int64_t gain) {
    return int32_t((sample * gain) >> kGainBits);
}

// How far a voice moves per output frame: whole frames plus a remainder
// over the output rate, and the factor that turns that remainder into an
// interpolation weight with a multiply (rounded up so halves come out exact).
struct Step {
    uint32_t whole = 0, rem = 0, outRate = 1;
    uint64_t weightScale = 0;
};

Step stepFor(uint32_t rate, uint32_t outRate) {
    const uint64_t one = uint64_t(1) << (32 + kWeightBits);
    return {rate / outRate, rate % outRate, outRate, (one + outRate - 1) / outRate};
}

// Leaves a finished one-shot rewound and a ring's cursor inside the ring.
void settle(kwMixerVoice& v, uint32_t frame, uint32_t remainder) {
    if (frame >= v.frames && !v.looping) {
        v.frame = v.remainder = 0;
        v.playing = false;
        return;
    }
    v.frame = frame % v.frames;
    v.remainder = remainder;
}

template <int Bits, int SrcChannels, int OutChannels>
void mixVoice(kwMixerVoice& v, int32_t* acc, int frames, const Step& step) {
    const uint8_t* data = v.data.get();
    const int64_t gain = v.gain;
    uint32_t i = v.frame, rem = v.remainder;
    for (int k = 0; k < frames; ++k) {
        if (i >= v.frames) {
            if (!v.looping) break;
            i %= v.frames;  // a ring wraps without a gap
        }
        const uint32_t j = i + 1 < v.frames ? i + 1 : (v.looping ? 0 : i);
        const int32_t w = int32_t((uint64_t(rem) * step.weightScale) >> 32);
        int32_t al, ar, bl, br;
        readFrame<Bits, SrcChannels>(data, i, &al, &ar);
        readFrame<Bits, SrcChannels>(data, j, &bl, &br);
        const int32_t l = lerp(al, bl, w), r = lerp(ar, br, w);
        if constexpr (OutChannels == 1) {
            acc[k] += scale(SrcChannels == 2 ? (l + r) >> 1 : l, gain);
        } else {
            acc[2 * k] += scale(l, gain);
            acc[2 * k + 1] += scale(r, gain);
        }
        i += step.whole;
        rem += step.rem;
        if (rem >= step.outRate) {
            rem -= step.outRate;
            ++i;
        }
    }
    settle(v, i, rem);
}

using MixFn = void (*)(kwMixerVoice&, int32_t*, int, const Step&);

// [16-bit source][source channels - 1][output channels - 1]
constexpr MixFn kMixers[2][2][2] = {
    {{mixVoice<8, 1, 1>, mixVoice<8, 1, 2>}, {mixVoice<8, 2, 1>, mixVoice<8, 2, 2>}},
    {{mixVoice<16, 1, 1>, mixVoice<16, 1, 2>}, {mixVoice<16, 2, 1>, mixVoice<16, 2, 2>}},
};

void mixChunk(int frames) {
    const int outChannels = g_mixer.out.channels;
    const uint32_t outRate = uint32_t(g_mixer.out.rate);
    int32_t* acc = g_mixer.acc.data();
    std::fill_n(acc, frames * outChannels, 0);
    for (kwMixerVoice& v : g_mixer.voices) {
        if (!v.inUse || !v.playing || v.frames == 0) continue;
        const Step step = stepFor(v.format.framesPerSecond, outRate);
        kMixers[v.format.bitsPerSample == 16][v.format.channels - 1][outChannels - 1](v, acc,
                                                                                      frames, step);
    }
}

void writeChunk(uint8_t* out, int frames) {
    const int samples = frames * g_mixer.out.channels;
    const int32_t* acc = g_mixer.acc.data();
    if (g_mixer.out.bits == 16) {
        for (int s = 0; s < samples; ++s) {
            const uint16_t v = uint16_t(std::clamp(acc[s], kSample16Min, kSample16Max));
            out[2 * s] = uint8_t(v);
            out[2 * s + 1] = uint8_t(v >> 8);
        }
    } else {
        for (int s = 0; s < samples; ++s)
            out[s] = uint8_t((std::clamp(acc[s], kSample16Min, kSample16Max) >> 8) + kU8Bias);
    }
}

bool platformCanLock() {
    return platform().lockAudio && platform().unlockAudio;
}

}  // namespace

kwAudioLock::kwAudioLock() {
    if (platformCanLock()) platform().lockAudio();
}
kwAudioLock::~kwAudioLock() {
    if (platformCanLock()) platform().unlockAudio();
}

kwMixerVoice* mixerTakeVoice() {
    for (kwMixerVoice& v : g_mixer.voices)
        if (!v.inUse) {
            v = kwMixerVoice{};
            v.inUse = true;
            return &v;
        }
    return nullptr;
}

void mixerFreeVoice(kwMixerVoice* voice) {
    if (voice) *voice = kwMixerVoice{};
}

int mixerVoicesInUse() {
    return int(std::count_if(g_mixer.voices.begin(), g_mixer.voices.end(),
                             [](const kwMixerVoice& v) { return v.inUse; }));
}

int32_t mixerGainFor(int32_t hundredthsOfDecibel) {
    if (hundredthsOfDecibel <= kVolumeSilent) return 0;
    if (hundredthsOfDecibel >= kVolumeFull) return kGainOne;
    return int32_t(
        std::lround(std::pow(10.0, hundredthsOfDecibel / kMilliBelsPerDecade) * kGainOne));
}

void mixerFill(void*, uint8_t* out, int bytes) {
    if (!out || bytes <= 0) return;
    const kwAudioSpec& spec = g_mixer.out;
    const int frameBytes = spec.bits / 8 * spec.channels;
    int frames = bytes / frameBytes;
    while (frames > 0) {
        const int n = std::min(frames, kChunkFrames);
        mixChunk(n);
        writeChunk(out, n);
        out += n * frameBytes;
        frames -= n;
    }
    // A partial frame at the end (never asked for by our devices) is silence.
    std::memset(out, spec.bits == 8 ? kU8Bias : 0, size_t(bytes % frameBytes));
}

bool mixerDevicePresent() {
    return platform().audioPresent ? platform().audioPresent() : platform().openAudio != nullptr;
}

bool mixerOpen(const kwAudioSpec& spec) {
    if (!audioSpecValid(spec)) {
        debugFail("kwMixer::open - unsupported output format");
        return false;
    }
    mixerClose();
    if (!platform().openAudio) return false;
    g_mixer.out = spec;                                      // before the device can call back
    for (kwMixerVoice& v : g_mixer.voices) v.remainder = 0;  // it counted the old rate
    g_mixer.open = platform().openAudio(spec, mixerFill, nullptr);
    return g_mixer.open;
}

bool mixerOpenDefault() {
    kwAudioSpec spec;
    if (!platform().audioDefaultSpec || !platform().audioDefaultSpec(&spec)) return false;
    return mixerOpen(spec);
}

bool mixerIsOpen() {
    return g_mixer.open;
}

kwAudioSpec mixerOutputSpec() {
    return g_mixer.out;
}

void mixerClose() {
    if (!g_mixer.open) return;
    if (int alive = mixerVoicesInUse()) {
        debugLogf("kwMixer::close - %d sound buffers still alive\r\n", alive);
        kwAudioLock lock;
        for (kwMixerVoice& v : g_mixer.voices) v.playing = false;
    }
    if (platform().closeAudio) platform().closeAudio();
    g_mixer.open = false;
}
