// A tiny step sequencer. A song is a tempo, a metre, a number of bars, a
// chord progression and tracks; a track is an instrument playing a pattern
// of steps written as text:
//   C5 F#4 Bb3   a note (name, accidental, octave)
//   1 3 5 7 8    a tone of the bar's chord (8 = root an octave up,
//   2 4 6 9      2/4/6/9 the scale steps above the root), "<" before it
//                puts it an octave lower
//   c            the whole chord, folded into the track's octave
//   x X g        a drum hit: normal, accent, ghost
//   -            hold the previous note one more step
//   .            rest;  |  is only for the eye
// A pattern shorter than the song repeats. The song renders to exactly
// bars x bar-length samples, with notes that ring past the end wrapped to
// the start, so it repeats seamlessly.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "sound/voices.h"

namespace artgen::sound {

struct Track {
    Instrument instrument;
    std::string pattern;
    int stepsPerBar = 16;
    int octave = 4;      // of chord tones and chords
    float gate = 0.85f;  // part of its steps a note holds the key
    float level = 1.0f;
};

struct Song {
    const char* name = "";
    float bpm = 120;
    int beatsPerBar = 4;
    int bars = 4;
    // Chord symbols (C, Am, G7, Dm7, Fmaj7, Bb6, Esus4), one per chordBeats.
    std::string chords;
    int chordBeats = 4;
    // Off-beat eighths come this part of an eighth late (0 = straight).
    float swing = 0;
    uint32_t seed = 1;
    std::vector<Track> tracks;
};

// One bar in samples, rounded to an even count so a loop of whole bars
// packs into whole ADPCM bytes.
long barSamples(const Song& song);
long songSamples(const Song& song);

// The notes of one track, in order, with times in samples. Notes whose
// release would run past the loop end are let go in time for the bar line.
std::vector<Note> trackNotes(const Song& song, const Track& track);

// The whole song, one loop long, unscaled.
std::vector<float> renderSong(const Song& song);

// A MIDI note number from "C4", "F#5", "Bb3"; -1 when it is not a note.
int parseNoteName(const std::string& text);

}  // namespace artgen::sound
