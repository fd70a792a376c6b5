#include "sound/effects.h"

#include <algorithm>
#include <cmath>

#include "sound/dsp.h"
#include "sound/instruments.h"
#include "sound/mix.h"
#include "sound/voices.h"

namespace artgen::sound {

namespace {

// Effects end on a short fade so a cut never clicks.
constexpr float kEndFade = 0.01f;
// No effect is louder than the music around it: measured over its loudest
// stretch, the way a listener hears a short sound.
constexpr float kEffectLoudnessDb = -12.0f;
constexpr float kLoudnessWindow = 0.4f;

std::vector<float> silence(float seconds) {
    return std::vector<float>(size_t(samplesOf(seconds)));
}

void note(std::vector<float>& out, const Instrument& inst, float at, float gate, float midi,
          float velocity, Noise& noise) {
    Sink sink(out, false);
    renderNote(inst, Note{samplesOf(at), samplesOf(gate), midi, velocity}, sink, noise);
}

std::vector<float> finish(std::vector<float> s, float drive) {
    master(s, drive);
    limitLoudness(s, samplesOf(kLoudnessWindow), kEffectLoudnessDb);
    taper(s, 0, samplesOf(kEndFade));
    return s;
}

// A decaying sine partial with its own start, pitch and time constant.
void partial(std::vector<float>& out, float at, float hz, float amp, float decay) {
    const long start = samplesOf(at);
    for (long i = 0; start + i < long(out.size()); ++i) {
        const float t = float(i) / kRate;
        const float rise = std::min(1.0f, t / 0.001f);
        out[size_t(start + i)] += amp * rise * std::exp(-t / decay) * std::sin(kTwoPi * hz * t);
    }
}

// A band of noise: centre, width (q), level and decay.
void noiseBurst(std::vector<float>& out, float at, float length, float hz, float q, float amp,
                float decay, Noise& noise) {
    Svf f;
    const long start = samplesOf(at);
    const long n = samplesOf(length);
    for (long i = 0; i < n && start + i < long(out.size()); ++i) {
        const float t = float(i) / kRate;
        const float rise = std::min(1.0f, t / 0.002f);
        const float v = f.process(noise.next(), hz, q).band;
        out[size_t(start + i)] += amp * rise * std::exp(-t / decay) * v;
    }
}

// One sung voice for the cheer: a sawtooth through three formant filters
// whose centres glide through the vowels of the words.
struct Vowel {
    float at, f1, f2, f3, loud;
};

void sing(std::vector<float>& out, const Vowel* path, int points, float pitchScale, float delay,
          Noise& noise) {
    Oscillator glottis;
    Svf a, b, c;
    const long start = samplesOf(delay);
    const float end = path[points - 1].at;
    int k = 0;
    for (long i = 0; start + i < long(out.size()); ++i) {
        const float t = float(i) / kRate;
        if (t >= end) break;
        while (k + 2 < points && t >= path[k + 1].at) ++k;
        const Vowel& p = path[k];
        const Vowel& q = path[k + 1];
        const float u = std::clamp((t - p.at) / (q.at - p.at), 0.0f, 1.0f);
        auto lerp = [u](float x, float y) { return x + (y - x) * u; };
        // "oh" rises, "yeah" leaps up and falls away, with a little wobble.
        const float contour = t < 0.42f ? 200.0f + 60.0f * t : 300.0f - 90.0f * (t - 0.42f);
        const float hz = pitchScale * contour * (1.0f + 0.012f * std::sin(kTwoPi * 5.5f * t));
        const float src = glottis.next(Wave::Saw, hz) + 0.15f * noise.next();
        const float v = 1.0f * a.process(src, lerp(p.f1, q.f1), 6.0f).band +
                        0.6f * b.process(src, lerp(p.f2, q.f2), 8.0f).band +
                        0.3f * c.process(src, lerp(p.f3, q.f3), 10.0f).band;
        out[size_t(start + i)] += v * lerp(p.loud, q.loud);
    }
}

}  // namespace

std::vector<float> clickSound() {  // a small wooden tock
    std::vector<float> s = silence(0.1f);
    Noise noise(11);
    partial(s, 0, 1850, 0.8f, 0.012f);
    partial(s, 0, 620, 0.6f, 0.02f);
    noiseBurst(s, 0, 0.02f, 4000, 0.8f, 0.6f, 0.003f, noise);
    return finish(s, 1.0f);
}

// The time bonus rings this every 100 ms, restarting it, so it is mostly
// spent by then: a counter's "ting" rather than a church bell.
std::vector<float> bellSound() {
    std::vector<float> s = silence(0.3f);
    Noise noise(12);
    const float f = midiToHz(88);  // E6
    const float ratios[] = {1.0f, 2.0f, 3.0f, 4.2f, 5.4f};
    const float amps[] = {1.0f, 0.5f, 0.32f, 0.2f, 0.12f};
    const float decays[] = {0.09f, 0.06f, 0.04f, 0.03f, 0.02f};
    for (int i = 0; i < 5; ++i) partial(s, 0, f * ratios[i], amps[i], decays[i]);
    noiseBurst(s, 0, 0.01f, 6000, 1.0f, 0.3f, 0.002f, noise);
    return finish(s, 1.0f);
}

std::vector<float> harpSound() {  // a rising flourish up two octaves and a bit
    std::vector<float> s = silence(1.4f);
    Noise noise(13);
    const int notes[] = {60, 64, 67, 72, 76, 79, 84};
    const float step = 0.055f;
    for (int i = 0; i < 7; ++i)
        note(s, band::pluck(0.7f), step * i, 1.3f - step * i, float(notes[i]), 0.8f, noise);
    for (int n : {72, 76, 79, 84})
        note(s, band::glockenspiel(), step * 6, 0.6f, float(n + 12), 0.35f, noise);
    return finish(s, 1.3f);
}

std::vector<float> hornSound() {  // wah, wah, wah, waaah: time is up
    std::vector<float> s = silence(1.5f);
    Noise noise(14);
    Instrument horn = band::brass();
    horn.cutoff = 650;
    horn.cutoffEnv = 2.5f;
    horn.filterDecay = 0.14f;
    horn.vibratoSemis = 0;
    const float notes[] = {55, 54, 53};
    for (int i = 0; i < 3; ++i) note(s, horn, 0.3f * i, 0.24f, notes[i], 1.0f, noise);
    horn.vibratoHz = 5.0f;
    horn.vibratoSemis = 0.35f;
    horn.vibratoDelay = 0.1f;
    horn.slideSemis = 0.6f;
    horn.slideTime = 0.08f;
    note(s, horn, 0.9f, 0.45f, 52, 1.0f, noise);
    return finish(s, 1.2f);
}

std::vector<float> cheerSound() {  // "oh yeah!" with a fanfare hit behind it
    std::vector<float> s = silence(1.45f);
    Noise noise(15);
    static const Vowel kWords[] = {
        {0.00f, 450, 800, 2600, 0.0f},   {0.06f, 480, 850, 2600, 0.9f},
        {0.30f, 380, 760, 2500, 0.8f},   {0.38f, 300, 1600, 2700, 0.3f},
        {0.44f, 280, 2200, 2900, 0.6f},  {0.56f, 550, 1850, 2600, 1.0f},
        {0.95f, 680, 1500, 2500, 0.85f}, {1.25f, 720, 1250, 2450, 0.0f},
    };
    const int points = int(sizeof kWords / sizeof kWords[0]);
    sing(s, kWords, points, 1.0f, 0.0f, noise);
    sing(s, kWords, points, 1.26f, 0.012f, noise);  // a second, higher voice
    sing(s, kWords, points, 0.99f, 0.02f, noise);
    for (int n : {72, 76, 79, 84}) note(s, band::brass(), 0.44f, 0.55f, float(n), 0.25f, noise);
    note(s, band::kick(), 0.44f, 0.1f, 36, 0.6f, noise);
    return finish(s, 1.6f);
}

std::vector<float> goodBiteSound() {  // crunch, crunch, and a happy rising blip
    std::vector<float> s = silence(0.45f);
    Noise noise(16);
    for (int i = 0; i < 2; ++i) {
        const float at = 0.11f * i;
        noiseBurst(s, at, 0.08f, 2600, 0.7f, 1.0f, 0.02f, noise);
        noiseBurst(s, at + 0.012f, 0.06f, 5200, 1.2f, 0.5f, 0.012f, noise);
        partial(s, at, 170, 0.5f, 0.025f);
    }
    Instrument blip = band::pulseLead(0.5f);
    blip.vibratoSemis = 0;
    blip.slideSemis = -7;
    blip.slideTime = 0.09f;
    blip.gain = 0.5f;
    note(s, blip, 0.25f, 0.1f, 84, 1.0f, noise);
    return finish(s, 1.2f);
}

std::vector<float> badBiteSound() {  // a squelch and a sour, sagging "bleh"
    std::vector<float> s = silence(0.55f);
    Noise noise(17);
    noiseBurst(s, 0, 0.1f, 700, 1.5f, 1.0f, 0.03f, noise);
    Instrument sour = band::brass();
    sour.wave = Wave::Square;
    sour.detuneCents = 100;  // a minor second against itself
    sour.cutoff = 1100;
    sour.cutoffEnv = 0;
    sour.vibratoHz = 9;
    sour.vibratoSemis = 0.5f;
    sour.vibratoDelay = 0;
    sour.slideSemis = 4;
    sour.slideTime = 0.35f;
    sour.gain = 0.4f;
    note(s, sour, 0.08f, 0.32f, 50, 1.0f, noise);
    return finish(s, 1.3f);
}

std::vector<float> popSound() {  // a bubbly pop and two sparkles: a new piece
    std::vector<float> s = silence(0.3f);
    Noise noise(18);
    float phase = 0;
    for (long i = 0; i < samplesOf(0.09f); ++i) {
        const float t = float(i) / kRate;
        const float hz = 320.0f + 1100.0f * (1.0f - std::exp(-t / 0.025f));
        const float rise = std::min(1.0f, t / 0.002f);
        s[size_t(i)] += rise * std::exp(-t / 0.03f) * std::sin(kTwoPi * phase);
        phase += hz / kRate;
    }
    note(s, band::glockenspiel(), 0.05f, 0.1f, 100, 0.9f, noise);
    note(s, band::glockenspiel(), 0.1f, 0.1f, 107, 0.7f, noise);
    return finish(s, 1.0f);
}

std::vector<float> highScoreSound() {  // a sparkling chime climbing to a chord
    std::vector<float> s = silence(1.1f);
    Noise noise(19);
    const int notes[] = {84, 88, 91, 96};
    for (int i = 0; i < 4; ++i)
        note(s, band::glockenspiel(), 0.07f * i, 0.3f, float(notes[i]), 0.9f, noise);
    for (int n : {91, 96, 100}) note(s, band::bell(), 0.3f, 0.5f, float(n), 0.6f, noise);
    return finish(s, 1.2f);
}

}  // namespace artgen::sound
