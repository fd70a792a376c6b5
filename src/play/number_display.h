// The status bar's numbers: score, level, minutes and seconds left, drawn
// in glyph digits with leading zeros. Each display refreshes its value from
// the game state every time it is drawn.
#pragma once

#include <cstdint>

#include "render/drawable.h"

class kwNumberDisplay : public kwDrawable {
public:
    static constexpr float kDefaultDepth = 100.0f;
    static constexpr float kSpacing = 23.0f;
    static constexpr int32_t kMaxText = 16;  // an i32 with its sign, and the NUL

    kwNumberDisplay(float x, float y, int32_t digits);
    void draw() override;
    // The field as drawn: `digits` characters with leading zeros; a value
    // wider than the field is written whole. Returns the text's length.
    int32_t format(char (&text)[kMaxText]) const;

    int32_t value = 0;
    int32_t digits = 1;
    float spacing = kSpacing;

protected:
    // Where the value comes from.
    virtual void refresh() {}
    // One glyph at a scene position; nothing for a character without one.
    static void drawGlyph(uint8_t c, float gx, float gy);
};

// The current player's score, 7 digits.
class kwScoreDisplay : public kwNumberDisplay {
public:
    kwScoreDisplay();

protected:
    void refresh() override;
};

// The current player's level, 2 digits.
class kwLevelDisplay : public kwNumberDisplay {
public:
    kwLevelDisplay();

protected:
    void refresh() override;
};

// Whole minutes left in the turn, 1 digit.
class kwMinutesDisplay : public kwNumberDisplay {
public:
    kwMinutesDisplay();

protected:
    void refresh() override;
};

// Seconds past the whole minutes, 2 digits after a ':'.
class kwSecondsDisplay : public kwNumberDisplay {
public:
    static constexpr float kColonOffset = 15.0f;
    kwSecondsDisplay();
    void draw() override;

protected:
    void refresh() override;
};
