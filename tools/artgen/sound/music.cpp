#include "sound/music.h"

#include "sound/instruments.h"
#include "sound/mix.h"

namespace artgen::sound {

namespace {

using namespace band;

// Every tune is brought to one loudness: the limiter is driven harder for
// a sparse, peaky mix, and a dense one is turned down.
constexpr float kMusicLoudnessDb = -14.0f;
constexpr float kMinDrive = 1.4f, kMaxDrive = 3.0f, kDriveStep = 0.2f;
// The ramps at a loop's ends: the ADPCM decoder restarts from silence at
// every loop, and a loop may be followed by another, so both ends meet at
// zero.
constexpr float kLoopEdgeSeconds = 0.004f;

Track track(const Instrument& inst, const char* pattern, int steps, int octave = 4,
            float level = 1.0f, float gate = 0.85f) {
    return Track{.instrument = inst,
                 .pattern = pattern,
                 .stepsPerBar = steps,
                 .octave = octave,
                 .gate = gate,
                 .level = level};
}

Song song(const char* name, float bpm, int bars, const char* chords, uint32_t seed) {
    return Song{
        .name = name, .bpm = bpm, .bars = bars, .chords = chords, .seed = seed, .tracks = {}};
}

// A straight pop beat: kick on one and three, snare on two and four.
void backbeat(Song& s, float level) {
    s.tracks.push_back(track(kick(), "X . . . . . . . X . . x . . . .", 16, 4, level));
    s.tracks.push_back(track(snare(), ". . . . X . . . . . . . X . . g", 16, 4, level));
    s.tracks.push_back(track(hat(), "x . g . x . g . x . g . x . g g", 16, 4, level));
}

Song loop1() {  // G major, a bouncy marimba tune over four on the floor
    Song s = song("loop_01", 128, 8, "G Em C D G Em Am7 D", 101);
    s.tracks.push_back(track(marimba(),
                             "D5 G5 B5 G5 D5 G5 B5 D6 | E6 - D6 B5 G5 - E5 - | "
                             "C6 - E6 - D6 C6 B5 A5 | A5 - - F#5 D5 - . . | "
                             "B5 - G5 B5 D6 - B5 G5 | G5 - E5 G5 B5 - A5 G5 | "
                             "A5 - C6 - E6 - D6 C6 | B5 A5 F#5 A5 D5 - . .",
                             8));
    s.tracks.push_back(track(squareBass(), "1 1 . 5 8 . 5 .", 8, 2));
    s.tracks.push_back(track(clav(), ". c . c . c . c", 8, 4));
    s.tracks.push_back(track(kick(), "X . . . X . . . X . . . X . . .", 16));
    s.tracks.push_back(track(snare(), ". . . . X . . . . . . . X . . g", 16));
    s.tracks.push_back(track(hat(), "x g x g x g x g x g x g x g x g", 16));
    return s;
}

Song loop2() {  // F major, swung: electric piano, walking bass, brushes
    Song s = song("loop_02", 100, 4, "Fmaj7 Dm7 Gm7 C7", 202);
    s.swing = 0.33f;
    s.tracks.push_back(track(glockenspiel(),
                             "A5 - C6 A5 E6 - C6 . | D6 - C6 A5 F5 - . . | "
                             "Bb5 - D6 Bb5 G5 - F5 G5 | E5 - G5 - Bb5 - . .",
                             8, 4, 1.5f));
    s.tracks.push_back(track(electricPiano(), "c - . c . . c -", 8, 4));
    s.tracks.push_back(track(pluck(0.35f),
                             "F2 . A2 . C3 . D3 . | D2 . F2 . A2 . C3 . | "
                             "G2 . Bb2 . D3 . F3 . | C3 . Bb2 . G2 . E2 .",
                             8, 2));
    s.tracks.push_back(track(kick(), "x . . . x . . .", 8, 4, 0.7f));
    s.tracks.push_back(track(snare(0.12f), ". . x . . . x g", 8, 4, 0.6f));
    s.tracks.push_back(track(hat(0.12f), "x . x g x . x g", 8, 4, 0.8f));
    return s;
}

Song loop3() {  // D major polka: tuba oom-pah, accordion, a whistled tune
    Song s = song("loop_03", 140, 8, "D G A D D G A7 D", 303);
    s.tracks.push_back(track(whistle(),
                             "F#5 A5 D6 A5 F#5 A5 D6 - | B5 - G5 B5 D6 - B5 - | "
                             "C#6 - A5 C#6 E6 - C#6 A5 | D6 - A5 - F#5 - . . | "
                             "A5 F#5 A5 D6 F#6 - D6 - | G6 - E6 - D6 B5 G5 - | "
                             "E6 - C#6 - A5 G5 E5 C#5 | D5 - F#5 - D5 - . .",
                             8));
    s.tracks.push_back(track(tuba(), "1 . <5 . 1 . <5 .", 8, 2));
    s.tracks.push_back(track(accordion(), ". c . c . c . c", 8, 4, 1.0f, 0.6f));
    s.tracks.push_back(track(kick(), "X . . . x . . . X . . . x . . .", 16));
    s.tracks.push_back(track(shaker(), ". . x . . . x . . . x . . . X .", 16, 4, 1.4f));
    return s;
}

Song loop4() {  // A minor, moonlit: pizzicato arpeggios, bells, a soft pad
    Song s = song("loop_04", 96, 4, "Am F C G", 404);
    s.tracks.push_back(track(bell(),
                             "E5 - A5 - C6 - B5 A5 | C6 - A5 - F5 - A5 C6 | "
                             "E6 - D6 C6 G5 - C6 - | B5 - D6 - G5 - . .",
                             8));
    s.tracks.push_back(track(pluck(0.8f), "1 5 8 9 3 5 8 5 1 5 8 9 3 5 8 5", 16, 4, 0.55f));
    s.tracks.push_back(track(pad(), "c - - - - - - -", 8, 3));
    s.tracks.push_back(track(triangleBass(), "1 - - . 1 - 5 -", 8, 2, 0.8f));
    s.tracks.push_back(track(kick(), "X . . . . . . . . . X . . . . .", 16));
    s.tracks.push_back(track(snare(0.07f), ". . . . x . . . . . . . x . . .", 16, 4, 0.7f));
    s.tracks.push_back(track(shaker(), "x g x g", 8));
    return s;
}

Song loop5() {  // B flat major chiptune: pulse lead, fast arpeggios
    Song s = song("loop_05", 132, 8, "Bb Gm Eb F Bb Gm Cm F", 505);
    s.tracks.push_back(track(pulseLead(0.25f),
                             "F5 - Bb5 - D6 - C6 Bb5 | D6 - - Bb5 G5 - Bb5 - | "
                             "G5 - Bb5 - Eb6 - D6 C6 | C6 - - - A5 - F5 - | "
                             "Bb5 C6 D6 - F6 - D6 - | Eb6 D6 Bb5 - G5 - Bb5 - | "
                             "C6 - Eb6 - G6 - F6 Eb6 | D6 - C6 - A5 - . .",
                             8));
    s.tracks.push_back(track(pulseLead(0.125f), "1 3 5 8", 16, 4, 0.45f, 0.6f));
    s.tracks.push_back(track(triangleBass(), "1 8 1 8 1 8 1 5", 8, 2, 0.75f));
    s.tracks.push_back(track(kick(), "X . . . . . x . X . . . . . . .", 16));
    s.tracks.push_back(track(snare(0.1f), ". . . . X . . . . . . . X . . .", 16));
    s.tracks.push_back(track(hat(0.03f), "x . x . x . x . x . x . x . x x", 16));
    return s;
}

Song loop6() {  // E flat major funk: slap bass, clav, brass riffs
    Song s = song("loop_06", 122, 8, "Eb Cm7 Ab Bb Eb Cm7 Ab Bb", 606);
    s.tracks.push_back(track(brass(),
                             "G5 - Bb5 - . G5 Bb5 C6 | Eb6 - C6 - Bb5 - G5 - | "
                             "Ab5 - C6 - Eb6 - C6 Ab5 | Bb5 - - - F5 - . . | "
                             "G5 Bb5 Eb6 - D6 Eb6 F6 - | G6 - Eb6 C6 Bb5 - G5 - | "
                             "Ab5 C6 Eb6 C6 F6 - Eb6 C6 | D6 - Bb5 - F5 - . .",
                             8, 4, 1.4f, 0.8f));
    s.tracks.push_back(track(slapBass(), "1 . . 1 . . 8 . 5 . . 1 . 8 . .", 16, 2));
    s.tracks.push_back(track(clav(), ". . c . . c . . . . c . . c . c", 16, 4));
    s.tracks.push_back(track(kick(), "X . . x . . X . . . X . . . . .", 16));
    s.tracks.push_back(track(snare(), ". . . . X . . g . . . . X . . g", 16));
    s.tracks.push_back(track(hat(), "x g x g x g x g x g x g x g . g", 16));
    s.tracks.push_back(track(hat(0.2f), ". . . . . . . . . . . . . . x .", 16));
    return s;
}

Song loop7() {  // E major waltz: a music box over harp and epiano
    Song s = song("loop_07", 144, 8, "E C#m A B7 E C#m F#m7 B7", 707);
    s.beatsPerBar = 3;
    s.chordBeats = 3;
    s.tracks.push_back(track(glockenspiel(),
                             "G#5 - B5 - E6 - | E6 - D#6 C#6 B5 - | C#6 - A5 - E5 - | "
                             "F#5 - A5 - D#6 - | E6 - G#6 - F#6 E6 | C#6 - E6 - G#5 - | "
                             "A5 - F#5 - A5 C#6 | B5 - A5 F#5 D#5 -",
                             6, 4, 1.3f));
    s.tracks.push_back(track(pluck(0.45f), "1 . . . . .", 6, 2));
    s.tracks.push_back(track(electricPiano(), ". . c . c .", 6, 4, 0.9f));
    s.tracks.push_back(track(kick(), "x . . . . .", 6, 4, 0.6f));
    s.tracks.push_back(track(shaker(), ". . x . x g", 6));
    return s;
}

Song loop8() {  // A major skank: offbeat organ, guitar-like plucks, glock
    Song s = song("loop_08", 126, 8, "A F#m D E A F#m D E", 808);
    const char* tune =
        "C#6 - - A5 E5 - A5 - | C#6 - B5 A5 F#5 - . . | D6 - F#6 - E6 D6 A5 - | "
        "B5 - - - G#5 - E5 - | A5 C#6 E6 - C#6 - A5 - | F#5 A5 C#6 - B5 A5 F#5 - | "
        "F#5 - A5 - D6 - C#6 B5 | B5 - G#5 - E5 - . .";
    s.tracks.push_back(track(pluck(0.8f), tune, 8, 4, 1.8f));
    s.tracks.push_back(track(glockenspiel(), tune, 8, 4, 0.7f));
    s.tracks.push_back(track(organ(), ". c . c . c . c", 8, 4, 1.0f, 0.5f));
    s.tracks.push_back(track(triangleBass(), "1 . . 1 5 . 8 .", 8, 2));
    backbeat(s, 1.0f);
    s.tracks.push_back(track(hat(0.2f), ". . . . . . . . . . . . . . x .", 16, 4, 0.8f));
    return s;
}

}  // namespace

Song menuSong() {  // C major: a friendly tune to choose the players by
    Song s = song("menu_music_01", 120, 8, "C Am F G C Am Dm7 G7", 99);
    const char* tune =
        "E5 - G5 - C6 - G5 E5 | A5 - - G5 E5 - C5 - | F5 - A5 - C6 - A5 F5 | "
        "G5 - - - D5 - . . | E5 G5 C6 G5 E5 G5 C6 D6 | E6 - C6 - A5 - C6 - | "
        "D6 - C6 A5 F5 - A5 - | G5 - F5 - D5 - B4 .";
    s.tracks.push_back(track(pulseLead(0.3f), tune, 8, 4, 0.9f));
    s.tracks.push_back(track(glockenspiel(), tune, 8, 4, 0.4f));
    s.tracks.push_back(track(triangleBass(), "1 . 5 . 8 . 5 .", 8, 2));
    s.tracks.push_back(track(electricPiano(), ". . c . . . c .", 8, 4));
    s.tracks.push_back(track(pluck(0.5f), "1 5 8 5 3 5 8 5", 8, 4, 0.5f));
    s.tracks.push_back(track(kick(), "X . . . . . . . X . . . . . . .", 16, 4, 0.8f));
    s.tracks.push_back(track(snare(0.1f), ". . . . x . . . . . . . x . . .", 16, 4, 0.7f));
    s.tracks.push_back(track(shaker(), "x g", 8));
    return s;
}

std::vector<Song> playSongs() {
    return {loop1(), loop2(), loop3(), loop4(), loop5(), loop6(), loop7(), loop8()};
}

std::vector<float> renderLoop(const Song& song) {
    const std::vector<float> raw = renderSong(song);
    const long whole = long(raw.size());
    std::vector<float> s;
    for (float drive = kMinDrive; drive <= kMaxDrive + 0.01f; drive += kDriveStep) {
        s = raw;
        master(s, drive);
        if (loudnessDb(s, whole) >= kMusicLoudnessDb) break;
    }
    limitLoudness(s, whole, kMusicLoudnessDb);
    const long edge = samplesOf(kLoopEdgeSeconds);
    taper(s, edge, edge);
    return s;
}

}  // namespace artgen::sound
