// A 3 x 5 pixel font for the contact sheets' labels (record names, frame
// counts, sizes), drawn straight into a 16-bit picture. The sheets must not
// depend on the game's own glyphs: those are part of what they review.
#pragma once

#include <cstdint>
#include <string>

inline constexpr int kTinyGlyphW = 3;
inline constexpr int kTinyGlyphH = 5;
inline constexpr int kTinyAdvance = 4;  // glyph and one column of space

// Draws `text` (letters of either case, digits, and _ . - x ( ) : / , +;
// anything else as a blank) with its top-left at (x, y), each font pixel a
// scale x scale block. Clipped to the picture.
void drawTinyText(uint16_t* pixels, int width, int height, int pitchPixels, int x, int y,
                  const std::string& text, uint16_t colour, int scale);

// Width in pixels of `text` at `scale`.
int tinyTextWidth(const std::string& text, int scale);
