// The synthesiser's building blocks: seeded noise, band-limited
// oscillators, envelopes and filters. Everything is single-precision and
// sample-by-sample at one fixed rate, so a sound renders to the same bytes
// on every machine and every run.
#pragma once

#include <cstdint>

namespace artgen::sound {

// Effects and music share one rate: mono 22050 Hz keeps the archives small
// and the generation quick, and the mixer resamples to the device.
inline constexpr int kRate = 22050;
inline constexpr float kPi = 3.14159265358979f;
inline constexpr float kTwoPi = 2.0f * kPi;

// Equal temperament, A4 (MIDI 69) = 440 Hz.
float midiToHz(float midi);
// Seconds to a whole number of samples (rounded).
long samplesOf(float seconds);

// xorshift32: the only source of randomness, always from a fixed seed.
class Noise {
public:
    explicit Noise(uint32_t seed) : state(seed ? seed : 0x9E3779B9u) {}
    uint32_t bits();
    float next();  // uniform in [-1, 1)
private:
    uint32_t state;
};

enum class Wave { Sine, Triangle, Saw, Square };

// A phase accumulator. Saw and square edges are smoothed with polyBLEP so
// high notes do not alias into sour partials at this low rate. Every wave
// except the square starts at zero, so a note never starts with a step.
class Oscillator {
public:
    float next(Wave wave, float hz, float pulseWidth = 0.5f);
    float phase() const { return at; }

private:
    float at = 0;
};

// Attack, decay to sustain, release after the gate; times in seconds. The
// release ends at exactly zero, so a note's length is gate + release.
struct Adsr {
    float attack = 0.005f;
    float decay = 0.2f;
    float sustain = 0.6f;
    float release = 0.08f;

    float level(float t, float gate) const;
    float held(float t) const;  // the level while the gate is open
};

// A state-variable filter in trapezoidal form: stable at any cutoff, with
// low, band and high outputs from one step.
class Svf {
public:
    struct Out {
        float low, band, high;
    };
    Out process(float x, float hz, float q);

private:
    float ic1 = 0, ic2 = 0;
    // Coefficients of the last cutoff and q, kept while they do not change.
    float lastHz = -1, lastQ = -1, k = 0, a1 = 0, a2 = 0, a3 = 0;
};

// A one-pole smoother, for gentle tone shaping and DC-free high-passes.
class OnePole {
public:
    float lowpass(float x, float hz);
    float highpass(float x, float hz) { return x - lowpass(x, hz); }

private:
    float z = 0;
};

}  // namespace artgen::sound
