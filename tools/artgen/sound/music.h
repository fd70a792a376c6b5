// The game's music: the menu tune and the eight play loops, each a song
// for the step sequencer in its own key, tempo and band, so the four loops
// a level picks never sound alike.
#pragma once

#include <vector>

#include "sound/sequencer.h"

namespace artgen::sound {

Song menuSong();
// loop_01 .. loop_08, in that order.
std::vector<Song> playSongs();

// A song rendered, mastered and made click-free at its ends (a loop is
// either repeated or followed by another loop, or by silence).
std::vector<float> renderLoop(const Song& song);

}  // namespace artgen::sound
