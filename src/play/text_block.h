// The glyph texts the play screen shows over the board: a turn's intro
// (level title, the level's rule lines, whose turn it is) and the time-out
// message.
#pragma once

#include <cstdint>

#include "render/glyph_text.h"

class kwTextBlock : public kwGlyphText {
public:
    // "Level %d".
    void addLevelLine(int32_t level);
    // Each of `lines` in order.
    void addLines(const char* const* lines, int32_t count);
    // An empty line, then "%s's turn!" (for games of two or three players).
    void addTurnLine(const char* playerName);
    // "Out", "", "of", "", "Time!": three words with empty lines between.
    void addTimeOutLines();
};
