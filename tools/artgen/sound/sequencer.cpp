#include "sound/sequencer.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <sstream>
#include <stdexcept>

namespace artgen::sound {

namespace {

constexpr float kAccent = 1.0f, kHit = 0.75f, kGhost = 0.4f;
constexpr float kNoteVelocity = 0.85f;
constexpr float kHumanize = 0.08f;  // velocity spread of pitched notes
constexpr int kOctave = 12;

struct Chord {
    int root = 0;  // pitch class
    std::vector<int> intervals{0, 4, 7};
};

// Pitch class of a letter and accidental at the start of text; the length
// read in *used. -1 when text does not start with a note letter.
int pitchClass(const std::string& text, size_t* used) {
    static const int kLetters[7] = {9, 11, 0, 2, 4, 5, 7};  // A..G
    if (text.empty() || text[0] < 'A' || text[0] > 'G') return -1;
    int pc = kLetters[text[0] - 'A'];
    size_t n = 1;
    if (n < text.size() && (text[n] == '#' || text[n] == 'b')) {
        pc += text[n] == '#' ? 1 : -1;
        ++n;
    }
    *used = n;
    return (pc + kOctave) % kOctave;
}

// Chord qualities by the text after the root.
struct Quality {
    const char* suffix;
    std::vector<int> intervals;
};
const Quality kQualities[] = {
    {"", {0, 4, 7}},         {"m", {0, 3, 7}},    {"7", {0, 4, 7, 10}}, {"m7", {0, 3, 7, 10}},
    {"maj7", {0, 4, 7, 11}}, {"6", {0, 4, 7, 9}}, {"sus4", {0, 5, 7}},  {"dim", {0, 3, 6}},
};

Chord parseChord(const std::string& symbol) {
    size_t used = 0;
    Chord c;
    c.root = pitchClass(symbol, &used);
    if (c.root >= 0)
        for (const Quality& q : kQualities)
            if (symbol.substr(used) == q.suffix) {
                c.intervals = q.intervals;
                return c;
            }
    throw std::invalid_argument("bad chord '" + symbol + "'");
}

std::vector<std::string> tokens(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> out;
    for (std::string t; in >> t;)
        if (t != "|") out.push_back(t);
    return out;
}

// A chord tone written as a digit: semitones above the chord's root; -1
// when it is not one. 3, 5 and 7 come from the chord (7 is the octave in a
// triad), the others are fixed steps of the major scale.
int chordTone(const Chord& c, char digit) {
    static const int kFixed[9] = {0, 2, -1, 5, -1, 9, -1, kOctave, kOctave + 2};
    if (digit < '1' || digit > '9') return -1;
    switch (digit) {
        case '3':
            return c.intervals[1];
        case '5':
            return c.intervals[2];
        case '7':
            return c.intervals.size() > 3 ? c.intervals[3] : kOctave;
        default:
            return kFixed[digit - '1'];
    }
}

// The MIDI notes of a note name, a chord tone or a chord; anything else
// is a typo in a song and stops the build.
std::vector<int> resolve(const std::string& token, const Chord& chord, int octave) {
    const int base = kOctave * (octave + 1);
    if (token == "c") {
        std::vector<int> notes;
        for (int i : chord.intervals) notes.push_back(base + (chord.root + i) % kOctave);
        return notes;
    }
    const int note = parseNoteName(token);
    if (note >= 0) return {note};
    size_t at = 0;
    int shift = 0;
    while (at < token.size() && (token[at] == '<' || token[at] == '>'))
        shift += token[at++] == '<' ? -kOctave : kOctave;
    if (at + 1 == token.size()) {
        const int tone = chordTone(chord, token[at]);
        if (tone >= 0) return {base + chord.root + tone + shift};
    }
    throw std::invalid_argument("bad step '" + token + "'");
}

float hitVelocity(const std::string& token) {
    if (token == "X") return kAccent;
    if (token == "x") return kHit;
    if (token == "g") return kGhost;
    return -1;
}

bool ringsOn(Kind k) {
    return k == Kind::Synth || k == Kind::Fm || k == Kind::Pluck;
}

// Start sample of a step, off-beat eighths swung.
long stepStart(const Song& song, const Track& track, long step) {
    double beat = double(step) * song.beatsPerBar / track.stepsPerBar;
    const double frac = beat - std::floor(beat);
    if (std::fabs(frac - 0.5) < 1e-6) beat += song.swing * 0.5;
    return std::lround(beat * double(barSamples(song)) / song.beatsPerBar);
}

struct Open {
    long step;
    long steps;
    int midi;
    float velocity;
};

}  // namespace

int parseNoteName(const std::string& text) {
    size_t used = 0;
    const int pc = pitchClass(text, &used);
    if (pc < 0 || used >= text.size()) return -1;
    int octave = 0;
    for (size_t i = used; i < text.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) return -1;
        octave = octave * 10 + (text[i] - '0');
    }
    // B#/Cb cross the octave line the way musicians write them.
    const int letterPc = pitchClass(text.substr(0, 1), &used);
    int midi = kOctave * (octave + 1) + pc;
    if (letterPc == 11 && pc == 0) midi += kOctave;
    if (letterPc == 0 && pc == 11) midi -= kOctave;
    return midi;
}

long barSamples(const Song& song) {
    // Rounded to the nearest even count, half a beat's worth of samples at a time.
    return 2 * std::lround(double(kRate) * 30.0 * song.beatsPerBar / song.bpm);
}

long songSamples(const Song& song) {
    return barSamples(song) * song.bars;
}

std::vector<Note> trackNotes(const Song& song, const Track& track) {
    const std::vector<std::string> steps = tokens(track.pattern);
    std::vector<Chord> chords;
    for (const std::string& s : tokens(song.chords)) chords.push_back(parseChord(s));
    if (chords.empty()) chords.push_back(Chord{});
    if (steps.empty()) return {};

    uint32_t h = song.seed;
    for (char ch : track.pattern) h = h * 31 + uint8_t(ch);
    Noise humanize(h);
    std::vector<Open> done, open;
    const long total = long(song.bars) * track.stepsPerBar;
    for (long s = 0; s < total; ++s) {
        const std::string& tok = steps[size_t(s) % steps.size()];
        if (tok == "-") {
            for (Open& o : open) ++o.steps;
            continue;
        }
        done.insert(done.end(), open.begin(), open.end());
        open.clear();
        if (tok == ".") continue;
        const float hit = hitVelocity(tok);
        if (hit > 0) {
            open.push_back({s, 1, 60, hit});
            continue;
        }
        const long beat = s * song.beatsPerBar / track.stepsPerBar;
        const Chord& chord = chords[size_t(beat / song.chordBeats) % chords.size()];
        for (int midi : resolve(tok, chord, track.octave))
            open.push_back({s, 1, midi, kNoteVelocity * (1.0f + kHumanize * humanize.next())});
    }
    done.insert(done.end(), open.begin(), open.end());

    const long end = songSamples(song);
    const long release = samplesOf(track.instrument.amp.release);
    std::vector<Note> notes;
    for (const Open& o : done) {
        Note n;
        n.start = stepStart(song, track, o.step);
        const long span = stepStart(song, track, o.step + o.steps) - n.start;
        n.gate = std::lround(span * track.gate);
        if (ringsOn(track.instrument.kind) && n.start + n.gate + release > end)
            n.gate = std::max(end - release - n.start, std::min(n.gate, span / 4));
        n.midi = float(o.midi);
        n.velocity = o.velocity * track.level;
        notes.push_back(n);
    }
    return notes;
}

std::vector<float> renderSong(const Song& song) {
    std::vector<float> out(size_t(songSamples(song)), 0.0f);
    Sink sink(out, true);
    Noise noise(song.seed);
    for (const Track& track : song.tracks)
        for (const Note& n : trackNotes(song, track)) renderNote(track.instrument, n, sink, noise);
    return out;
}

}  // namespace artgen::sound
