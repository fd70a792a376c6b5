// The glyph texts the play screen shows over the board: a turn's intro
// (level title, the level's rule lines, whose turn it is) and the time-out
// message.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

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

    // The lines as text, in order (for the state dump and tests).
    const std::vector<std::string>& texts() const { return lineTexts; }

private:
    void record(const char* text);
    std::vector<std::string> lineTexts;
};
