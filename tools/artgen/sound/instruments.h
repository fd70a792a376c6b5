// The band: the instrument settings the songs and effects share, named
// for what they sound like.
#pragma once

#include "sound/voices.h"

namespace artgen::sound::band {

Instrument kick();
Instrument snare(float decay = 0.2f);  // shorter decay: a brush or rim
Instrument hat(float decay = 0.05f);   // longer decay: an open hat
Instrument shaker();

Instrument triangleBass();
Instrument squareBass();  // plucky, filter-enveloped
Instrument tuba();        // oom-pah
Instrument slapBass();

Instrument pulseLead(float width = 0.25f);
Instrument whistle();
Instrument brass();
Instrument clav();
Instrument accordion();
Instrument organ();
Instrument pad();

Instrument pluck(float brightness = 0.6f);
Instrument marimba();
Instrument glockenspiel();
Instrument bell();
Instrument electricPiano();

}  // namespace artgen::sound::band
