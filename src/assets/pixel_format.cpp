// The display's 16-bit channel layout, with every shift and mask that image
// conversion and blending need worked out once, when the screen is made.
#include "assets/pixel_format.h"

#include "shell/log.h"

namespace {

constexpr uint32_t kRed565 = 0xF800, kGreen565 = 0x07E0, kBlue565 = 0x001F;

// Highest and lowest set bit of a 16-bit mask; the lowest is searched from
// bit 0 upward, the highest from bit 15 downward.
constexpr kwChannel makeChannel(uint32_t mask) {
    kwChannel c;
    c.mask = mask & 0xFFFF;
    c.doubled = c.mask | (c.mask << 16);
    for (c.low = 0; c.low < 16 && !(c.mask & (1u << c.low)); ++c.low) {
    }
    for (c.high = 15; c.high >= 0 && !(c.mask & (1u << c.high)); --c.high) {
    }
    c.width = c.high - c.low + 1;
    c.mask8 = (255u >> (8 - c.width)) << (8 - c.width);
    return c;
}

// A usable channel is one contiguous run of 1 to 8 bits.
bool usableMask(uint32_t mask) {
    if (mask == 0 || mask > 0xFFFF) return false;
    const uint32_t shifted = mask >> __builtin_ctz(mask);
    return (shifted & (shifted + 1)) == 0 && shifted <= 0xFF;
}

bool usableLayout(uint32_t r, uint32_t g, uint32_t b) {
    return usableMask(r) && usableMask(g) && usableMask(b) && !(r & g) && !(r & b) && !(g & b);
}

constexpr kwPixelFormat buildFormat(uint32_t redMask, uint32_t greenMask, uint32_t blueMask,
                                    int bpp) {
    kwPixelFormat f;
    f.bpp = bpp;
    f.red = makeChannel(redMask);
    f.green = makeChannel(greenMask);
    f.blue = makeChannel(blueMask);
    f.sR = f.red.high - 7;
    f.sG = f.green.high - 7;
    f.sB = 7 - f.blue.high;
    f.redBack = 15 - f.red.high;
    f.greenBack = 23 - f.green.high;
    f.blueBack = 31 - f.blue.high;
    f.redTop = f.red.mask << f.redBack;
    f.greenTop = f.green.mask << f.greenBack;
    f.blueTop = f.blue.mask << f.blueBack;
    return f;
}

}  // namespace

kwPixelFormat makePixelFormat(uint32_t redMask, uint32_t greenMask, uint32_t blueMask, int bpp) {
    if (bpp != 16) return buildFormat(kRed565, kGreen565, kBlue565, bpp);
    if (!usableLayout(redMask, greenMask, blueMask)) {
        debugFail("kwPixelFormat::makePixelFormat - unusable channel masks, using 5-6-5");
        return buildFormat(kRed565, kGreen565, kBlue565, bpp);
    }
    return buildFormat(redMask, greenMask, blueMask, bpp);
}

// Constant-initialised so that code running before main already sees 5-6-5.
constinit kwPixelFormat pixelFormat = buildFormat(kRed565, kGreen565, kBlue565, 16);
