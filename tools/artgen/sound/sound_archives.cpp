// Registers the sound archives: the menu's click and music, the play
// scene's eight effects, and the eight play loops. Short effects are plain
// PCM; anything a second or longer is ADPCM so the game streams it.
#include <cstdio>

#include "artgen.h"
#include "sound/dsp.h"
#include "sound/effects.h"
#include "sound/mix.h"
#include "sound/music.h"

namespace artgen::sound {

namespace {

constexpr int kMono = 1;

void addEffect(ArchiveOut& out, const char* name, const std::vector<float>& s) {
    const bool stream = long(s.size()) >= kRate;  // the game streams a second or more
    out.addSound(name, toPcm(s), kRate, kMono, stream);
}

void addMusic(ArchiveOut& out, const std::string& name, const Song& song) {
    out.addSound(name, toPcm(renderLoop(song)), kRate, kMono, true);
}

void generate(std::vector<ArchiveOut>& out) {
    ArchiveOut& sfx = out.emplace_back("sfx.lfl");
    addEffect(sfx, "click_01.noi", clickSound());
    addMusic(sfx, "menu_music_01.noi", menuSong());

    ArchiveOut& play = out.emplace_back("play_noi.lfl");
    addEffect(play, "bell_01.noi", bellSound());
    addEffect(play, "cross.noi", highScoreSound());
    addEffect(play, "eat_bad.noi", badBiteSound());
    addEffect(play, "eat_good.noi", goodBiteSound());
    addEffect(play, "harp_01.noi", harpSound());
    addEffect(play, "horn_01.noi", hornSound());
    addEffect(play, "ohyeah.noi", cheerSound());
    addEffect(play, "reproduce_01.noi", popSound());

    ArchiveOut& loops = out.emplace_back("loops.lfl");
    const std::vector<Song> songs = playSongs();
    for (size_t i = 0; i < songs.size(); ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "loop_%2.2d.noi", int(i) + 1);
        addMusic(loops, name, songs[i]);
    }
}

const Registration kReg("sound", generate);

}  // namespace

}  // namespace artgen::sound
