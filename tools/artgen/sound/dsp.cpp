#include "sound/dsp.h"

#include <algorithm>
#include <cmath>

namespace artgen::sound {

namespace {

constexpr float kA4 = 440.0f;
constexpr float kA4Midi = 69.0f;
// The decay phase is exponential; after `decay` seconds it is this many
// time constants in (about 95 % of the way to the sustain level).
constexpr float kDecayConstants = 3.0f;
// Filters stay below Nyquist with some room to spare.
constexpr float kMaxCutoff = 0.45f * kRate;
constexpr float kMinCutoff = 10.0f;

// The polyBLEP residual for an edge at phase 0 with phase step dt.
float blep(float t, float dt) {
    if (t < dt) {
        t /= dt;
        return t + t - t * t - 1.0f;
    }
    if (t > 1.0f - dt) {
        t = (t - 1.0f) / dt;
        return t * t + t + t + 1.0f;
    }
    return 0.0f;
}

float wrap01(float x) {
    return x - std::floor(x);
}

}  // namespace

float midiToHz(float midi) {
    return kA4 * std::exp2((midi - kA4Midi) / 12.0f);
}

long samplesOf(float seconds) {
    return std::lround(seconds * kRate);
}

uint32_t Noise::bits() {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state;
}

float Noise::next() {
    return float(bits() >> 8) * (2.0f / 16777216.0f) - 1.0f;
}

float Oscillator::next(Wave wave, float hz, float pulseWidth) {
    const float dt = std::clamp(hz / kRate, 0.0f, 0.5f);
    const float p = at;
    at = wrap01(at + dt);
    switch (wave) {
        case Wave::Sine:
            return std::sin(kTwoPi * p);
        case Wave::Triangle:
            return 1.0f - 4.0f * std::fabs(wrap01(p + 0.25f) - 0.5f);
        case Wave::Saw: {
            const float q = wrap01(p + 0.5f);  // starts at zero
            return 2.0f * q - 1.0f - blep(q, dt);
        }
        case Wave::Square: {
            float v = p < pulseWidth ? 1.0f : -1.0f;
            v += blep(p, dt);
            v -= blep(wrap01(p + 1.0f - pulseWidth), dt);
            return v;
        }
    }
    return 0.0f;
}

float Adsr::held(float t) const {
    if (t < attack) return t / attack;
    const float k = decay > 0 ? std::exp(-kDecayConstants * (t - attack) / decay) : 0.0f;
    return sustain + (1.0f - sustain) * k;
}

float Adsr::level(float t, float gate) const {
    if (t < 0) return 0.0f;
    if (t < gate) return held(t);
    if (release <= 0) return 0.0f;
    const float u = (t - gate) / release;
    if (u >= 1.0f) return 0.0f;
    const float fall = 1.0f - u;
    return held(gate) * fall * fall * fall;
}

Svf::Out Svf::process(float x, float hz, float q) {
    if (hz != lastHz || q != lastQ) {
        lastHz = hz;
        lastQ = q;
        const float g = std::tan(kPi * std::clamp(hz, kMinCutoff, kMaxCutoff) / kRate);
        k = 1.0f / std::max(q, 0.05f);
        a1 = 1.0f / (1.0f + g * (g + k));
        a2 = g * a1;
        a3 = g * a2;
    }
    const float v3 = x - ic2;
    const float v1 = a1 * ic1 + a2 * v3;
    const float v2 = ic2 + a2 * ic1 + a3 * v3;
    ic1 = 2.0f * v1 - ic1;
    ic2 = 2.0f * v2 - ic2;
    return {v2, v1, x - k * v1 - v2};
}

float OnePole::lowpass(float x, float hz) {
    const float a = 1.0f - std::exp(-kTwoPi * std::min(hz, kMaxCutoff) / kRate);
    z += a * (x - z);
    return z;
}

}  // namespace artgen::sound
