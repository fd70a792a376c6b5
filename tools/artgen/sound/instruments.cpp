#include "sound/instruments.h"

namespace artgen::sound::band {

namespace {

Instrument make(Kind kind, float gain) {
    Instrument i;
    i.kind = kind;
    i.gain = gain;
    return i;
}

Adsr env(float a, float d, float s, float r) {
    return Adsr{a, d, s, r};
}

}  // namespace

Instrument kick() {
    return make(Kind::Kick, 0.32f);
}

Instrument snare(float decay) {
    Instrument i = make(Kind::Snare, 0.32f);
    i.amp.decay = decay;
    return i;
}

Instrument hat(float decay) {
    Instrument i = make(Kind::Hat, 0.2f);
    i.amp.decay = decay;
    return i;
}

Instrument shaker() {
    Instrument i = make(Kind::Shaker, 0.16f);
    i.amp.decay = 0.06f;
    return i;
}

Instrument triangleBass() {
    Instrument i = make(Kind::Synth, 0.38f);
    i.wave = Wave::Triangle;
    i.amp = env(0.004f, 0.3f, 0.75f, 0.06f);
    i.cutoff = 1500;
    return i;
}

Instrument squareBass() {
    Instrument i = make(Kind::Synth, 0.26f);
    i.wave = Wave::Square;
    i.amp = env(0.003f, 0.25f, 0.55f, 0.05f);
    i.cutoff = 420;
    i.cutoffEnv = 3.5f;
    i.filterDecay = 0.07f;
    i.resonance = 1.1f;
    i.subLevel = 0.4f;
    return i;
}

Instrument tuba() {
    Instrument i = make(Kind::Synth, 0.40f);
    i.wave = Wave::Saw;
    i.amp = env(0.02f, 0.15f, 0.7f, 0.07f);
    i.cutoff = 380;
    i.cutoffEnv = 1.8f;
    i.filterDecay = 0.08f;
    i.subLevel = 0.3f;
    return i;
}

Instrument slapBass() {
    Instrument i = make(Kind::Synth, 0.36f);
    i.wave = Wave::Saw;
    i.amp = env(0.002f, 0.22f, 0.45f, 0.05f);
    i.cutoff = 300;
    i.cutoffEnv = 6.0f;
    i.filterDecay = 0.05f;
    i.resonance = 1.6f;
    i.subLevel = 0.5f;
    return i;
}

Instrument pulseLead(float width) {
    Instrument i = make(Kind::Synth, 0.2f);
    i.wave = Wave::Square;
    i.pulseWidth = width;
    i.amp = env(0.008f, 0.2f, 0.7f, 0.07f);
    i.cutoff = 3200;
    i.cutoffEnv = 0.6f;
    i.vibratoHz = 5.5f;
    i.vibratoSemis = 0.12f;
    i.vibratoDelay = 0.18f;
    return i;
}

Instrument whistle() {
    Instrument i = make(Kind::Synth, 0.30f);
    i.wave = Wave::Sine;
    i.amp = env(0.03f, 0.2f, 0.85f, 0.07f);
    i.cutoff = 6000;
    i.vibratoHz = 6.0f;
    i.vibratoSemis = 0.22f;
    i.vibratoDelay = 0.12f;
    i.slideSemis = -1.0f;
    i.slideTime = 0.05f;
    return i;
}

Instrument brass() {
    Instrument i = make(Kind::Synth, 0.4f);
    i.wave = Wave::Saw;
    i.detuneCents = 7;
    i.amp = env(0.025f, 0.2f, 0.75f, 0.09f);
    i.cutoff = 900;
    i.cutoffEnv = 2.2f;
    i.filterDecay = 0.12f;
    i.vibratoHz = 5.0f;
    i.vibratoSemis = 0.1f;
    i.vibratoDelay = 0.25f;
    return i;
}

Instrument clav() {
    Instrument i = make(Kind::Synth, 0.09f);
    i.wave = Wave::Square;
    i.pulseWidth = 0.3f;
    i.amp = env(0.001f, 0.16f, 0.0f, 0.04f);
    i.cutoff = 1800;
    i.cutoffEnv = 2.0f;
    i.filterDecay = 0.05f;
    i.resonance = 1.2f;
    return i;
}

Instrument accordion() {
    Instrument i = make(Kind::Synth, 0.07f);
    i.wave = Wave::Square;
    i.pulseWidth = 0.4f;
    i.detuneCents = 9;
    i.amp = env(0.015f, 0.1f, 0.8f, 0.05f);
    i.cutoff = 2200;
    return i;
}

Instrument organ() {
    Instrument i = make(Kind::Synth, 0.09f);
    i.wave = Wave::Triangle;
    i.detuneCents = 4;
    i.subLevel = 0.5f;
    i.amp = env(0.004f, 0.1f, 0.8f, 0.04f);
    i.cutoff = 3000;
    return i;
}

Instrument pad() {
    Instrument i = make(Kind::Synth, 0.1f);
    i.wave = Wave::Saw;
    i.detuneCents = 10;
    i.amp = env(0.25f, 0.8f, 0.7f, 0.35f);
    i.cutoff = 1300;
    return i;
}

Instrument pluck(float brightness) {
    Instrument i = make(Kind::Pluck, 0.75f);
    i.brightness = brightness;
    i.damping = 0.4f;
    i.amp = env(0.001f, 1.5f, 0.0f, 0.08f);
    return i;
}

Instrument marimba() {
    Instrument i = make(Kind::Fm, 0.35f);
    i.fmRatio = 4.0f;
    i.fmIndex = 1.6f;
    i.fmDecay = 0.025f;
    i.amp = env(0.002f, 0.45f, 0.0f, 0.06f);
    return i;
}

Instrument glockenspiel() {
    Instrument i = make(Kind::Fm, 0.16f);
    i.fmRatio = 3.5f;
    i.fmIndex = 1.1f;
    i.fmDecay = 0.05f;
    i.amp = env(0.001f, 1.2f, 0.0f, 0.25f);
    return i;
}

Instrument bell() {
    Instrument i = make(Kind::Fm, 0.22f);
    i.fmRatio = 1.4f;
    i.fmIndex = 2.0f;
    i.fmDecay = 0.3f;
    i.amp = env(0.002f, 1.6f, 0.0f, 0.3f);
    return i;
}

Instrument electricPiano() {
    Instrument i = make(Kind::Fm, 0.10f);
    i.fmRatio = 1.0f;
    i.fmIndex = 1.6f;
    i.fmDecay = 0.15f;
    i.amp = env(0.003f, 1.4f, 0.25f, 0.2f);
    return i;
}

}  // namespace artgen::sound::band
