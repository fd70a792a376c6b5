// The software mixer's cost: one second of 44100 Hz 16-bit stereo output
// mixed from N looping voices, timed as the audio callback runs it. The
// counter "per_voice_s" is the time it takes to mix one voice for one
// second of sound (lower is better); 1 s divided by it is how many such
// voices one core could keep up with.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "audio/mixer.h"
#include "audio/sound_buffer.h"
#include "platform/headless/headless.h"

namespace {

constexpr int kOutRate = 44100;
constexpr int kOutFrameBytes = 4;  // 16-bit stereo
constexpr int kSoundSeconds = 1;

// Noise-like content so nothing about the samples is special.
std::unique_ptr<kwSoundBuffer> loopingVoice(const kwWaveFormat& f, uint32_t seed) {
    auto b = kwSoundBuffer::create(f, f.bytesPerSecond * kSoundSeconds);
    if (!b) return nullptr;
    kwLockRegions r;
    if (!b->lock(0, b->size(), &r)) return nullptr;
    for (uint32_t i = 0; i < r.firstBytes; ++i)
        r.first[i] = uint8_t((seed = seed * 1664525u + 1013904223u) >> 24);
    b->unlock(r);
    b->setVolume(-600);  // the gain multiply is part of the cost
    b->play(true);
    return b;
}

void mixVoices(benchmark::State& state, const kwWaveFormat& voiceFormat) {
    const int voices = int(state.range(0));
    setPlatform(&headlessPlatform());
    if (!mixerOpen({kOutRate, 16, 2})) {
        state.SkipWithError("no mixer");
        return;
    }
    std::vector<std::unique_ptr<kwSoundBuffer>> playing;
    for (int i = 0; i < voices; ++i) playing.push_back(loopingVoice(voiceFormat, uint32_t(i + 1)));
    std::vector<uint8_t> out(size_t(kOutRate) * kOutFrameBytes);  // one second
    for (auto _ : state) {
        mixerFill(nullptr, out.data(), int(out.size()));
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    state.counters["per_voice_s"] =
        benchmark::Counter(double(state.iterations()) * voices,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    playing.clear();
    mixerClose();
}

// The game's usual case: 22050 Hz mono effects and music up-sampled.
void BM_MixMono22k(benchmark::State& state) {
    mixVoices(state, pcmFormat(22050, 16, 1));
}
BENCHMARK(BM_MixMono22k)->Arg(1)->Arg(8)->Arg(32)->Unit(benchmark::kMicrosecond);

// Same rate and layout as the output: no interpolation weight ever used.
void BM_MixStereo44k(benchmark::State& state) {
    mixVoices(state, pcmFormat(44100, 16, 2));
}
BENCHMARK(BM_MixStereo44k)->Arg(8)->Unit(benchmark::kMicrosecond);

// 8-bit mono at 11025 Hz: the cheapest sounds a data file can hold.
void BM_MixMono11k8(benchmark::State& state) {
    mixVoices(state, pcmFormat(11025, 8, 1));
}
BENCHMARK(BM_MixMono11k8)->Arg(8)->Unit(benchmark::kMicrosecond);

}  // namespace
