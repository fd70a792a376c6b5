// Our ADPCM decoder beside SDL2's own, in one process, on ten seconds of
// 44100 Hz stereo music-like signal. SDL decodes IMA-ADPCM only from a WAV
// file, so its side is SDL_LoadWAV_RW on an in-memory IMA-ADPCM WAV (format
// tag 0x11, blocks with their 4-byte per-channel headers) coding the same
// samples; ours decodes the game's own coding of them. Both produce the
// same number of 16-bit samples into freshly allocated memory each
// iteration (SDL cannot decode into a buffer it did not allocate). The
// counter "Msamples/s" is decoded samples per second.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <memory>
#include <numbers>
#include <vector>

#include "audio/adpcm.h"

namespace {

constexpr int kRate = 44100;
constexpr int kChannels = 2;
constexpr int kSeconds = 10;
constexpr uint16_t kTagImaAdpcm = 0x11;
constexpr uint16_t kBlockAlign = 2048;
constexpr int kHeaderBytes = 4;  // per channel: predictor, index, reserved
constexpr int kChunkBytes = 4;   // per channel per interleave step: 8 samples
// One sample in the headers, then two per byte of the rest of the block.
constexpr int kSamplesPerBlock = (kBlockAlign - kHeaderBytes * kChannels) * 2 / kChannels + 1;
constexpr int kBlocks = kRate * kSeconds / kSamplesPerBlock + 1;
constexpr int kFrames = kBlocks * kSamplesPerBlock;

// A few voices with a slow tremolo and some noise: it keeps the step index
// moving the way music does.
std::vector<int16_t> musicLike() {
    std::vector<int16_t> out(size_t(kFrames) * kChannels);
    uint32_t noise = 1;
    const double tau = 2 * std::numbers::pi;
    for (int i = 0; i < kFrames; ++i) {
        const double t = double(i) / kRate;
        const double envelope = 0.55 + 0.45 * std::sin(tau * 0.7 * t);
        for (int c = 0; c < kChannels; ++c) {
            noise = noise * 1664525u + 1013904223u;
            const double v = envelope * (0.35 * std::sin(tau * (220.0 + 110 * c) * t) +
                                         0.2 * std::sin(tau * 659.3 * t) +
                                         0.1 * std::sin(tau * 1318.5 * t + c)) +
                             0.03 * (double(noise >> 16) / 32768.0 - 1.0);
            out[size_t(i) * kChannels + c] = int16_t(std::clamp(v, -1.0, 1.0) * 32000);
        }
    }
    return out;
}

// ---- the standard IMA-ADPCM coding, for SDL's side -----------------------------

struct ImaState {
    int32_t predictor = 0;
    int32_t index = 0;
};

constexpr std::array<int32_t, 16> kImaIndexAdjust = {-1, -1, -1, -1, 2, 4, 6, 8,
                                                     -1, -1, -1, -1, 2, 4, 6, 8};

uint8_t imaEncode(ImaState& s, int16_t sample) {
    const int32_t step = kAdpcmStepTable[s.index];
    int32_t diff = sample - s.predictor;
    uint8_t code = 0;
    if (diff < 0) {
        code = 8;
        diff = -diff;
    }
    int32_t delta = step >> 3;
    if (diff >= step) code |= 4, diff -= step, delta += step;
    if (diff >= step >> 1) code |= 2, diff -= step >> 1, delta += step >> 1;
    if (diff >= step >> 2) code |= 1, delta += step >> 2;
    s.predictor = std::clamp(s.predictor + ((code & 8) ? -delta : delta), -32768, 32767);
    s.index = std::clamp(s.index + kImaIndexAdjust[code], 0, kAdpcmMaxIndex);
    return code;
}

void putU16(std::vector<uint8_t>& v, uint32_t x) {
    v.push_back(uint8_t(x));
    v.push_back(uint8_t(x >> 8));
}
void putU32(std::vector<uint8_t>& v, uint32_t x) {
    putU16(v, x & 0xFFFF);
    putU16(v, x >> 16);
}
void putId(std::vector<uint8_t>& v, const char* id) {
    for (int i = 0; i < 4; ++i) v.push_back(uint8_t(id[i]));
}

// One block: each channel's header (its first sample is the predictor),
// then 4-byte runs of 8 samples per channel in turn, low nibble first.
void imaBlock(const int16_t* frames, std::array<ImaState, kChannels>& st,
              std::vector<uint8_t>& out) {
    for (int c = 0; c < kChannels; ++c) {
        st[c].predictor = frames[c];
        putU16(out, uint16_t(int16_t(st[c].predictor)));
        out.push_back(uint8_t(st[c].index));
        out.push_back(0);
    }
    for (int f = 1; f < kSamplesPerBlock; f += 8)
        for (int c = 0; c < kChannels; ++c)
            for (int k = 0; k < 8; k += 2) {
                const uint8_t lo = imaEncode(st[c], frames[(f + k) * kChannels + c]);
                const uint8_t hi = imaEncode(st[c], frames[(f + k + 1) * kChannels + c]);
                out.push_back(uint8_t(hi << 4 | lo));
            }
}

std::vector<uint8_t> imaWav(const std::vector<int16_t>& pcm) {
    std::vector<uint8_t> data;
    std::array<ImaState, kChannels> st{};
    for (int b = 0; b < kBlocks; ++b)
        imaBlock(pcm.data() + size_t(b) * kSamplesPerBlock * kChannels, st, data);
    std::vector<uint8_t> w;
    putId(w, "RIFF");
    putU32(w, uint32_t(4 + 8 + 20 + 8 + 4 + 8 + data.size()));
    putId(w, "WAVE");
    putId(w, "fmt ");
    putU32(w, 20);
    putU16(w, kTagImaAdpcm);
    putU16(w, kChannels);
    putU32(w, kRate);
    putU32(w, uint32_t(uint64_t(kRate) * kBlockAlign / kSamplesPerBlock));
    putU16(w, kBlockAlign);
    putU16(w, 4);  // bits per sample
    putU16(w, 2);  // extra bytes
    putU16(w, kSamplesPerBlock);
    putId(w, "fact");
    putU32(w, 4);
    putU32(w, kFrames);
    putId(w, "data");
    putU32(w, uint32_t(data.size()));
    w.insert(w.end(), data.begin(), data.end());
    return w;
}

const std::vector<int16_t>& signal() {
    static const std::vector<int16_t> s = musicLike();
    return s;
}

// ---- the pair ----------------------------------------------------------------------

void adpcmOurs(benchmark::State& state) {
    const std::vector<uint8_t> codes = adpcmEncode(signal(), kChannels);
    for (auto _ : state) {
        std::unique_ptr<int16_t[]> out(new int16_t[size_t(kFrames) * kChannels]);
        kwAdpcmChannel left, right;
        adpcmDecodeStereo(left, right, codes.data(), kFrames, out.get());
        benchmark::DoNotOptimize(out.get());
        benchmark::ClobberMemory();
    }
    state.counters["Msamples/s"] = benchmark::Counter(
        double(state.iterations()) * kFrames * kChannels / 1e6, benchmark::Counter::kIsRate);
}

void adpcmSdl(benchmark::State& state) {
    const std::vector<uint8_t> wav = imaWav(signal());
    SDL_AudioSpec spec;
    Uint8* buf = nullptr;
    Uint32 len = 0;
    // Once outside the loop: it must load, and at the full length.
    if (!SDL_LoadWAV_RW(SDL_RWFromConstMem(wav.data(), int(wav.size())), 1, &spec, &buf, &len)) {
        state.SkipWithError(SDL_GetError());
        return;
    }
    SDL_FreeWAV(buf);
    if (len != uint32_t(kFrames) * kChannels * 2) {
        state.SkipWithError("SDL decoded a different number of samples");
        return;
    }
    for (auto _ : state) {
        SDL_LoadWAV_RW(SDL_RWFromConstMem(wav.data(), int(wav.size())), 1, &spec, &buf, &len);
        benchmark::DoNotOptimize(buf);
        SDL_FreeWAV(buf);
    }
    state.counters["Msamples/s"] = benchmark::Counter(
        double(state.iterations()) * kFrames * kChannels / 1e6, benchmark::Counter::kIsRate);
}

}  // namespace

BENCHMARK(adpcmOurs)->Name("BM_AdpcmDecode/ours")->Unit(benchmark::kMillisecond);
BENCHMARK(adpcmSdl)->Name("BM_AdpcmDecode/sdl")->Unit(benchmark::kMillisecond);
