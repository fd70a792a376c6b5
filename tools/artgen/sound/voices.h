// Instruments: a parameter record per sound colour (a subtractive synth, a
// two-operator FM voice, a plucked string, and the drum voices) and one
// routine that renders a note of it into a sample buffer. Songs and effects
// are built from these.
#pragma once

#include <vector>

#include "sound/dsp.h"

namespace artgen::sound {

enum class Kind { Synth, Fm, Pluck, Kick, Snare, Hat, Shaker };

struct Instrument {
    Kind kind = Kind::Synth;
    // Synth: one or two oscillators (the second detuned) and a sub octave.
    Wave wave = Wave::Square;
    float pulseWidth = 0.5f;
    float detuneCents = 0;  // 0: a single oscillator
    float subLevel = 0;     // a sine an octave down
    Adsr amp;
    // Low-pass: cutoff in Hz, plus cutoff * cutoffEnv at the note's start,
    // decaying with filterDecay seconds.
    float cutoff = 4000;
    float cutoffEnv = 0;
    float filterDecay = 0.2f;
    float resonance = 0.7f;
    // Vibrato fades in after vibratoDelay seconds.
    float vibratoHz = 0, vibratoSemis = 0, vibratoDelay = 0.15f;
    // The pitch starts slideSemis away and glides in over slideTime.
    float slideSemis = 0, slideTime = 0.03f;
    // Fm: modulator at fmRatio x the pitch; the index decays from fmIndex
    // to a fifth of it with fmDecay seconds.
    float fmRatio = 1, fmIndex = 0, fmDecay = 0.3f;
    // Pluck: brightness of the excitation (0..1) and string damping (0..1).
    float brightness = 0.6f, damping = 0.5f;
    float gain = 0.3f;
};

// Where notes land: a buffer, either fixed (an effect: samples past the
// end are dropped) or a loop (samples past the end wrap to the start, so
// ringing notes carry over the seam exactly as they would on a repeat).
class Sink {
public:
    Sink(std::vector<float>& buffer, bool wrapAround) : out(buffer), wrap(wrapAround) {}
    void add(long at, float v);
    long size() const { return long(out.size()); }

private:
    std::vector<float>& out;
    bool wrap;
};

struct Note {
    long start = 0;  // sample
    long gate = 0;   // samples the key is held
    float midi = 60;
    float velocity = 1;
};

// Samples the note sounds for, release or natural decay included.
long noteLength(const Instrument& inst, const Note& note);
// Renders one note; noise is the caller's seeded generator.
void renderNote(const Instrument& inst, const Note& note, Sink& sink, Noise& noise);

}  // namespace artgen::sound
