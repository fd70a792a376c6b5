#include "sound/voices.h"

#include <algorithm>
#include <cmath>

namespace artgen::sound {

namespace {

// Drum voices: fixed lengths and their shaping numbers.
constexpr float kKickSeconds = 0.40f;
constexpr float kKickLowHz = 48.0f, kKickSweepHz = 120.0f, kKickSweepTime = 0.035f;
constexpr float kKickBody = 0.16f, kKickClick = 0.004f;
constexpr float kSnareSeconds = 0.28f;
constexpr float kSnareToneHz = 190.0f, kSnareToneTime = 0.045f, kSnareNoiseTime = 0.085f;
constexpr float kSnareBandHz = 3200.0f;
constexpr float kHatHz = 7000.0f;
constexpr float kShakerHz = 5200.0f, kShakerAttack = 0.012f;
// Every voice ramps in over this long, so no note starts with a step.
constexpr float kDeclick = 0.0015f;
// Noise voices decay this many time constants over their decay time.
constexpr float kDecayConstants = 3.0f;
// A plucked string's delay line holds its longest period (30 Hz).
constexpr int kMaxPeriod = kRate / 30 + 2;

float declick(float t) {
    return t < kDeclick ? t / kDeclick : 1.0f;
}

bool bends(const Instrument& in) {
    return in.slideSemis != 0 || in.vibratoSemis > 0;
}

float pitchAt(const Instrument& in, const Note& n, float t) {
    float midi = n.midi;
    if (in.slideSemis != 0 && t < in.slideTime) midi += in.slideSemis * (1.0f - t / in.slideTime);
    if (in.vibratoSemis > 0 && t > in.vibratoDelay) {
        const float fade = std::min(1.0f, (t - in.vibratoDelay) / 0.2f);
        midi += fade * in.vibratoSemis * std::sin(kTwoPi * in.vibratoHz * t);
    }
    return midiToHz(midi);
}

void renderSynth(const Instrument& in, const Note& n, Sink& sink, long length) {
    Oscillator a, b, sub;
    Svf filter;
    const float gate = float(n.gate) / kRate;
    const float detune = std::exp2(in.detuneCents / 1200.0f);
    const float mix = in.detuneCents != 0 ? 0.5f : 1.0f;
    const bool bend = bends(in);
    const float steady = midiToHz(n.midi);
    for (long i = 0; i < length; ++i) {
        const float t = float(i) / kRate;
        const float hz = bend ? pitchAt(in, n, t) : steady;
        float v = a.next(in.wave, hz, in.pulseWidth);
        if (in.detuneCents != 0) v += b.next(in.wave, hz * detune, in.pulseWidth);
        v *= mix;
        if (in.subLevel > 0) v += in.subLevel * sub.next(Wave::Sine, hz * 0.5f);
        const float cut = in.cutoff * (1.0f + in.cutoffEnv * std::exp(-t / in.filterDecay));
        v = filter.process(v, cut, in.resonance).low;
        sink.add(n.start + i, v * in.amp.level(t, gate) * in.gain * n.velocity * declick(t));
    }
}

void renderFm(const Instrument& in, const Note& n, Sink& sink, long length) {
    Oscillator modulator;
    const float gate = float(n.gate) / kRate;
    float phase = 0;
    const bool bend = bends(in);
    const float steady = midiToHz(n.midi);
    for (long i = 0; i < length; ++i) {
        const float t = float(i) / kRate;
        const float hz = bend ? pitchAt(in, n, t) : steady;
        const float index = in.fmIndex * (0.2f + 0.8f * std::exp(-t / in.fmDecay));
        const float m = index * modulator.next(Wave::Sine, hz * in.fmRatio);
        const float v = std::sin(kTwoPi * phase + m);
        phase += hz / kRate;
        phase -= std::floor(phase);
        sink.add(n.start + i, v * in.amp.level(t, gate) * in.gain * n.velocity * declick(t));
    }
}

// Karplus-Strong with a fractional delay read, so high strings stay in tune.
void renderPluck(const Instrument& in, const Note& n, Sink& sink, long length, Noise& noise) {
    const float period = std::clamp(kRate / midiToHz(n.midi), 2.0f, float(kMaxPeriod - 2));
    float line[kMaxPeriod] = {};
    OnePole shape;
    const float exciteHz = 300.0f + in.brightness * 9000.0f;
    // One period of noise where the first reads will find it; the string
    // keeps whatever offset that has, so it is taken out.
    const int excited = std::min(int(period) + 2, kMaxPeriod);
    float mean = 0;
    for (int i = kMaxPeriod - excited; i < kMaxPeriod; ++i)
        mean += line[i] = shape.lowpass(noise.next(), exciteHz);
    mean /= float(excited);
    for (int i = kMaxPeriod - excited; i < kMaxPeriod; ++i) line[i] -= mean;
    const float loss = 1.0f - 0.02f * in.damping;
    const float delay = period - 0.5f;  // the averaging filter adds half a sample
    const float gate = float(n.gate) / kRate;
    float previous = 0;
    int write = 0;
    for (long i = 0; i < length; ++i) {
        const float readAt = float(write) - delay + kMaxPeriod;
        const int whole = int(readAt);
        const float frac = readAt - float(whole);
        const float x0 = line[whole % kMaxPeriod], x1 = line[(whole + 1) % kMaxPeriod];
        const float out = x0 + (x1 - x0) * frac;
        line[write] = loss * 0.5f * (out + previous);
        previous = out;
        write = (write + 1) % kMaxPeriod;
        const float t = float(i) / kRate;
        sink.add(n.start + i, out * in.amp.level(t, gate) * in.gain * n.velocity * declick(t));
    }
}

void renderKick(const Instrument& in, const Note& n, Sink& sink, long length, Noise& noise) {
    float phase = 0;
    for (long i = 0; i < length; ++i) {
        const float t = float(i) / kRate;
        const float hz = kKickLowHz + kKickSweepHz * std::exp(-t / kKickSweepTime);
        float v = std::sin(kTwoPi * phase) * std::exp(-t / kKickBody);
        v += 0.3f * noise.next() * std::exp(-t / kKickClick);
        phase += hz / kRate;
        phase -= std::floor(phase);
        sink.add(n.start + i, std::tanh(1.4f * v) * in.gain * n.velocity * declick(t));
    }
}

void renderSnare(const Instrument& in, const Note& n, Sink& sink, long length, Noise& noise) {
    Svf band;
    float phase = 0;
    const float noiseTime = kSnareNoiseTime * (in.amp.decay / 0.2f);
    for (long i = 0; i < length; ++i) {
        const float t = float(i) / kRate;
        const float tone = std::sin(kTwoPi * phase) * std::exp(-t / kSnareToneTime);
        phase += kSnareToneHz * (1.0f + 0.3f * std::exp(-t / 0.01f)) / kRate;
        phase -= std::floor(phase);
        const auto f = band.process(noise.next(), kSnareBandHz, 0.6f);
        const float rattle = (f.band + 0.5f * f.high) * std::exp(-t / noiseTime);
        const float v = 0.6f * tone + rattle;
        sink.add(n.start + i, v * in.gain * n.velocity * declick(t));
    }
}

// Hats and shakers: high-passed noise; the instrument's decay sets how open.
void renderNoise(const Instrument& in, const Note& n, Sink& sink, long length, Noise& noise,
                 float hz, float attack) {
    Svf filter;
    for (long i = 0; i < length; ++i) {
        const float t = float(i) / kRate;
        const float rise = t < attack ? t / attack : 1.0f;
        const float v = filter.process(noise.next(), hz, 0.8f).high;
        const float env = rise * std::exp(-kDecayConstants * t / in.amp.decay);
        sink.add(n.start + i, v * env * in.gain * n.velocity * declick(t));
    }
}

}  // namespace

void Sink::add(long at, float v) {
    const long n = long(out.size());
    if (n == 0) return;
    if (wrap) {
        at %= n;
        if (at < 0) at += n;
    } else if (at < 0 || at >= n) {
        return;
    }
    out[size_t(at)] += v;
}

long noteLength(const Instrument& inst, const Note& note) {
    switch (inst.kind) {
        case Kind::Kick:
            return samplesOf(kKickSeconds);
        case Kind::Snare:
            return samplesOf(kSnareSeconds * inst.amp.decay / 0.2f);
        case Kind::Hat:
        case Kind::Shaker:
            return samplesOf(inst.amp.decay * 1.6f);
        default:
            return note.gate + samplesOf(inst.amp.release);
    }
}

void renderNote(const Instrument& inst, const Note& note, Sink& sink, Noise& noise) {
    const long length = noteLength(inst, note);
    switch (inst.kind) {
        case Kind::Synth:
            return renderSynth(inst, note, sink, length);
        case Kind::Fm:
            return renderFm(inst, note, sink, length);
        case Kind::Pluck:
            return renderPluck(inst, note, sink, length, noise);
        case Kind::Kick:
            return renderKick(inst, note, sink, length, noise);
        case Kind::Snare:
            return renderSnare(inst, note, sink, length, noise);
        case Kind::Hat:
            return renderNoise(inst, note, sink, length, noise, kHatHz, 0.0f);
        case Kind::Shaker:
            return renderNoise(inst, note, sink, length, noise, kShakerHz, kShakerAttack);
    }
}

}  // namespace artgen::sound
