// The synthesiser behind the game's sounds: loops that are whole bars and
// pack into whole ADPCM bytes, notes let go before the bar line and tails
// wrapped to the head, the pattern language (note names, chord tones,
// holds, octave marks, refused typos), the mastering stage (shared peak and
// loudness, ends at zero, 16-bit clamping), envelopes without steps, and
// plucked strings that stay in tune.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <vector>

#include "sound/dsp.h"
#include "sound/effects.h"
#include "sound/instruments.h"
#include "sound/mix.h"
#include "sound/music.h"
#include "sound/sequencer.h"

namespace {

using namespace artgen::sound;

constexpr float kMinMusicSeconds = 8.0f, kMaxMusicSeconds = 16.5f;
constexpr float kMinEffectSeconds = 0.1f, kMaxEffectSeconds = 1.5f;
constexpr float kDbSlack = 0.05f;

float db(float v) {
    return 20.0f * std::log10(v);
}

std::vector<Song> allSongs() {
    std::vector<Song> songs = playSongs();
    songs.insert(songs.begin(), menuSong());
    return songs;
}

Song oneTrackSong(const Instrument& inst, const char* pattern, int steps,
                  const char* chords = "C") {
    Song s;
    s.bpm = 120;
    s.bars = 1;
    s.chords = chords;
    Track t;
    t.instrument = inst;
    t.pattern = pattern;
    t.stepsPerBar = steps;
    t.octave = 3;
    t.gate = 1.0f;
    s.tracks.push_back(t);
    return s;
}

double energy(const std::vector<float>& s) {
    double e = 0;
    for (float v : s) e += double(v) * v;
    return e;
}

// ---- loops: length, seams, release ------------------------------------------------

TEST(ArtgenSoundLoops, EveryTuneIsWholeEvenBarsOfItsTempoAndLongEnough) {
    for (const Song& song : allSongs()) {
        SCOPED_TRACE(song.name);
        const long bar = barSamples(song);
        EXPECT_EQ(bar % 2, 0) << "odd bars leave half an ADPCM byte at the seam";
        EXPECT_NEAR(double(bar), kRate * 60.0 * song.beatsPerBar / song.bpm, 1.0);
        const std::vector<float> s = renderLoop(song);
        EXPECT_EQ(long(s.size()), bar * song.bars);
        const float seconds = float(s.size()) / kRate;
        EXPECT_GE(seconds, kMinMusicSeconds);
        EXPECT_LE(seconds, kMaxMusicSeconds);
        // Both ends meet at zero: the decoder restarts from silence, and the
        // next loop may be a different one.
        EXPECT_EQ(s.front(), 0.0f);
        EXPECT_EQ(s.back(), 0.0f);
        EXPECT_LE(db(peakOf(s)), kPeakDb + kDbSlack);
        EXPECT_NEAR(loudnessDb(s, long(s.size())), -14.0f, 0.5f) << "tunes differ in loudness";
    }
}

TEST(ArtgenSoundLoops, HeldNotesAreLetGoInTimeForTheBarLine) {
    for (const Song& song : allSongs())
        for (const Track& t : song.tracks) {
            const Kind k = t.instrument.kind;
            if (k != Kind::Synth && k != Kind::Fm && k != Kind::Pluck) continue;
            const long end = songSamples(song);
            const long release = samplesOf(t.instrument.amp.release);
            for (const Note& n : trackNotes(song, t)) {
                ASSERT_GE(n.start, 0);
                ASSERT_LT(n.start, end) << song.name;
                EXPECT_GT(n.gate, 0) << song.name;
                if (n.start + release < end) {
                    EXPECT_LE(n.start + n.gate + release, end) << song.name << " " << t.pattern;
                }
            }
        }
}

TEST(ArtgenSoundLoops, ADrumOnTheLastStepRingsOnAtTheHeadWithNothingLost) {
    const Song song = oneTrackSong(band::kick(), ". . . . . . . . . . . . . . . X", 16);
    const std::vector<float> loop = renderSong(song);
    const long lastStep = std::lround(15.0 * barSamples(song) / 16);
    // The same hit rendered where nothing wraps.
    std::vector<float> open(size_t(songSamples(song)) * 2, 0.0f);
    Sink sink(open, false);
    Noise noise(song.seed);
    renderNote(band::kick(), Note{lastStep, 1, 60, 1.0f}, sink, noise);
    EXPECT_NEAR(energy(loop), energy(open), energy(open) * 1e-4);
    for (long i = 0; i < samplesOf(0.1f); ++i)
        ASSERT_FLOAT_EQ(loop[size_t(i)], open[size_t(songSamples(song) + i)]) << i;
}

TEST(ArtgenSoundLoops, SinkWrapsLoopsAndDropsWhatFallsOffAnEffect) {
    std::vector<float> a(10, 0.0f), b(10, 0.0f);
    Sink loop(a, true), effect(b, false);
    for (long at : {-1L, 3L, 12L, 25L}) {
        loop.add(at, 1.0f);
        effect.add(at, 1.0f);
    }
    EXPECT_EQ(a, (std::vector<float>{0, 0, 1, 1, 0, 1, 0, 0, 0, 1}));
    EXPECT_EQ(b, (std::vector<float>{0, 0, 0, 1, 0, 0, 0, 0, 0, 0}));
}

TEST(ArtgenSoundLoops, SwingDelaysOnlyTheOffBeatEighths) {
    Song song = oneTrackSong(band::hat(), "x x x x", 8);
    song.swing = 0.5f;
    const std::vector<Note> notes = trackNotes(song, song.tracks[0]);
    const double beat = barSamples(song) / 4.0;
    ASSERT_EQ(notes.size(), 8u);
    EXPECT_EQ(notes[0].start, 0);
    EXPECT_EQ(notes[1].start, std::lround(0.75 * beat));  // half an eighth late
    EXPECT_EQ(notes[2].start, std::lround(beat));
    EXPECT_EQ(notes[3].start, std::lround(1.75 * beat));
}

TEST(ArtgenSoundLoops, RenderingTwiceGivesTheSameSamples) {
    const Song song = playSongs()[1];
    EXPECT_EQ(renderLoop(song), renderLoop(song));
    EXPECT_EQ(cheerSound(), cheerSound());
}

// ---- the pattern language -------------------------------------------------------------

TEST(ArtgenSoundPatterns, NoteNamesIncludingAccidentalsOverTheOctaveLine) {
    EXPECT_EQ(parseNoteName("C4"), 60);
    EXPECT_EQ(parseNoteName("A4"), 69);
    EXPECT_EQ(parseNoteName("F#5"), 78);
    EXPECT_EQ(parseNoteName("Bb3"), 58);
    EXPECT_EQ(parseNoteName("B#3"), 60);
    EXPECT_EQ(parseNoteName("Cb4"), 59);
    for (const char* bad : {"C", "H4", "C4x", "c4", "", "#4"})
        EXPECT_EQ(parseNoteName(bad), -1) << bad;
    EXPECT_FLOAT_EQ(midiToHz(69), 440.0f);
    EXPECT_NEAR(midiToHz(60), 261.626f, 0.01f);
}

std::vector<std::vector<int>> notesByStep(const Song& song) {
    std::vector<std::vector<int>> out;
    long last = -1;
    for (const Note& n : trackNotes(song, song.tracks[0])) {
        if (n.start != last) out.emplace_back();
        out.back().push_back(int(n.midi));
        last = n.start;
    }
    return out;
}

TEST(ArtgenSoundPatterns, ChordTonesOctaveMarksAndChordsFollowTheBar) {
    Song song = oneTrackSong(band::triangleBass(), "1 3 5 8 <5 >1 7 c", 8, "Am");
    EXPECT_EQ(notesByStep(song), (std::vector<std::vector<int>>{
                                     {57}, {60}, {64}, {69}, {52}, {69}, {69}, {57, 48, 52}}));
    song.bars = 2;
    song.chords = "C G7";
    song.tracks[0].pattern = "1 7";
    const auto steps = notesByStep(song);
    ASSERT_EQ(steps.size(), 16u);
    EXPECT_EQ(steps[1], std::vector<int>{60});  // no seventh in C: the octave
    EXPECT_EQ(steps[8], std::vector<int>{55});
    EXPECT_EQ(steps[9], std::vector<int>{65});  // G7's seventh, F
}

TEST(ArtgenSoundPatterns, HoldsLengthenRestsEndAndThePatternRepeats) {
    const Song song = oneTrackSong(band::triangleBass(), "C4 - - . E4", 8);
    const std::vector<Note> notes = trackNotes(song, song.tracks[0]);
    auto step = [&](int k) { return std::lround(k * double(barSamples(song)) / 8); };
    ASSERT_EQ(notes.size(), 3u);  // C4, E4, then C4 again on step 5
    EXPECT_EQ(notes[0].start, 0);
    EXPECT_EQ(notes[0].gate, step(3));
    EXPECT_EQ(notes[1].start, step(4));
    EXPECT_EQ(notes[1].gate, step(5) - step(4));
    EXPECT_EQ(notes[2].start, step(5));
    EXPECT_EQ(notes[2].midi, 60.0f);
}

TEST(ArtgenSoundPatterns, TyposAreRefusedNotPlayedAsSilence) {
    for (const char* pattern : {"C4 X4", "c3", "1 0", "C#"}) {
        const Song s = oneTrackSong(band::pad(), pattern, 8);
        EXPECT_THROW(trackNotes(s, s.tracks[0]), std::invalid_argument) << pattern;
    }
    const Song badChord = oneTrackSong(band::pad(), "1", 8, "Cmaj9");
    EXPECT_THROW(trackNotes(badChord, badChord.tracks[0]), std::invalid_argument);
}

// ---- mastering and effects --------------------------------------------------------------

TEST(ArtgenSoundMix, MasterSetsThePeakAndLimitLoudnessOnlyTurnsDown) {
    std::vector<float> s = {0.0f, 0.1f, -0.4f, 0.2f, 0.05f};
    master(s, 2.0f);
    EXPECT_NEAR(db(peakOf(s)), kPeakDb, 0.01f);
    EXPECT_EQ(s[0], 0.0f);
    EXPECT_LT(s[2], 0.0f) << "the limiter keeps the sign";
    // Driven, the quieter samples come up relative to the peak.
    EXPECT_GT(s[1] / -s[2], 0.25f);

    std::vector<float> quiet(1000, 0.01f), loud(1000, 0.5f);
    limitLoudness(quiet, 100, -12.0f);
    limitLoudness(loud, 100, -12.0f);
    EXPECT_EQ(quiet[0], 0.01f);
    EXPECT_NEAR(loudnessDb(loud, 100), -12.0f, 0.01f);
}

TEST(ArtgenSoundMix, PcmRoundsAndClampsAndTapersEndAtZero) {
    EXPECT_EQ(toPcm({1.5f, -1.5f, 0.5f, -0.25f, 0.0f}),
              (std::vector<int16_t>{32767, -32768, 16384, -8192, 0}));
    std::vector<float> s(100, 1.0f);
    taper(s, 10, 20);
    EXPECT_EQ(s.front(), 0.0f);
    EXPECT_EQ(s.back(), 0.0f);
    EXPECT_EQ(s[50], 1.0f);
    for (size_t i = 1; i < 10; ++i) EXPECT_GT(s[i], s[i - 1]);
    std::vector<float> tiny(3, 1.0f);
    taper(tiny, 10, 10);  // ramps longer than the sound stay inside it
    EXPECT_EQ(tiny.front(), 0.0f);
}

TEST(ArtgenSoundMix, EffectsAreShortPeakAtTheSharedLevelAndEndInSilence) {
    using Make = std::vector<float> (*)();
    for (Make make : {clickSound, bellSound, harpSound, hornSound, cheerSound, goodBiteSound,
                      badBiteSound, popSound, highScoreSound}) {
        const std::vector<float> s = make();
        const float seconds = float(s.size()) / kRate;
        EXPECT_GE(seconds, kMinEffectSeconds);
        EXPECT_LE(seconds, kMaxEffectSeconds);
        EXPECT_LE(db(peakOf(s)), kPeakDb + kDbSlack);
        EXPECT_GT(db(peakOf(s)), kPeakDb - 6.0f) << "an effect lost in the music";
        EXPECT_LE(loudnessDb(s, samplesOf(0.4f)), -12.0f + kDbSlack);
        EXPECT_EQ(s.back(), 0.0f);
    }
}

// ---- building blocks --------------------------------------------------------------------

TEST(ArtgenSoundVoices, EnvelopeHasNoStepAtReleaseEvenMidAttackAndEndsAtZero) {
    const Adsr env{0.1f, 0.2f, 0.5f, 0.1f};
    for (float gate : {0.05f, 0.1f, 0.4f}) {
        EXPECT_NEAR(env.level(gate - 1e-5f, gate), env.level(gate, gate), 1e-3f) << gate;
        EXPECT_NEAR(env.level(gate + env.release, gate), 0.0f, 1e-6f);
        EXPECT_GT(env.level(gate + env.release * 0.5f, gate), 0.0f);
    }
    EXPECT_NEAR(env.level(5.0f, 10.0f), env.sustain, 1e-4f);
    EXPECT_EQ(env.level(-0.01f, 1.0f), 0.0f);
}

// The pitch of a plucked string: the first autocorrelation peak nearly as
// high as the highest, refined between lags by a parabola.
float measuredHz(const std::vector<float>& s) {
    constexpr size_t kMaxLag = 400;
    const size_t from = size_t(samplesOf(0.02f)), len = size_t(samplesOf(0.1f));
    std::vector<double> c(kMaxLag + 1, 0.0);
    for (size_t lag = 0; lag <= kMaxLag; ++lag)
        for (size_t i = from; i < from + len; ++i) c[lag] += double(s[i]) * s[i + lag];
    size_t dip = 1;
    while (dip < kMaxLag && c[dip] > 0) ++dip;
    const double top = *std::max_element(c.begin() + long(dip), c.end());
    size_t best = dip;
    while (best + 1 < kMaxLag && !(c[best] >= 0.85 * top && c[best] >= c[best + 1])) ++best;
    const double a = c[best - 1], b = c[best], d = c[best + 1];
    const double shift = 0.5 * (a - d) / (a - 2 * b + d);
    return float(kRate / (double(best) + shift));
}

TEST(ArtgenSoundVoices, PluckedStringsStayInTuneUpHigh) {
    for (int midi : {57, 69, 81, 84}) {  // A3 .. C6: a whole-sample delay is ~40 cents out at C6
        std::vector<float> s(size_t(samplesOf(0.5f)), 0.0f);
        Sink sink(s, false);
        Noise noise(7);
        renderNote(band::pluck(0.5f), Note{0, samplesOf(0.4f), float(midi), 1.0f}, sink, noise);
        const float want = midiToHz(float(midi));
        EXPECT_NEAR(1200.0f * std::log2(measuredHz(s) / want), 0.0f, 8.0f) << midi;
    }
}

}  // namespace
