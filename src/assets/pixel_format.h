// The display's 16-bit channel layout and the shifts that image conversion
// and blending derive from it, computed once.
#pragma once

#include <cstdint>

struct kwChannel {
    uint32_t mask = 0;     // M_c in the 16-bit layout
    uint32_t doubled = 0;  // M_c | M_c << 16, for two pixels at once
    int low = 0, high = 0; // lowest and highest set bit
    int width = 0;         // n_c
    uint32_t mask8 = 0;    // m_c: the channel width as top bits of a byte
};

struct kwPixelFormat {
    kwChannel red, green, blue;
    int sR = 0, sG = 0, sB = 0;  // h_R - 7, h_G - 7, 7 - h_B
    // Channel masks moved to the top of 16-, 24- and 32-bit fields, and the
    // right shifts that bring such a field back to the display layout.
    uint32_t redTop = 0, greenTop = 0, blueTop = 0;
    int redBack = 0, greenBack = 0, blueBack = 0;
    int bpp = 16;  // display depth

    // The pixel-format word of a 16-bit payload in this layout:
    // (m_R << 16) | (m_G << 8) | m_B.
    uint32_t formatWord() const { return (red.mask8 << 16) | (green.mask8 << 8) | blue.mask8; }
};

// Builds the format from 16-bit channel masks; depths other than 16 use 5-6-5.
kwPixelFormat makePixelFormat(uint32_t redMask, uint32_t greenMask, uint32_t blueMask,
                              int bpp = 16);

// The display's format, set when the screen is created (5-6-5 until then).
extern kwPixelFormat pixelFormat;
