// Encoders for .eye images and .msk masks, from 32-bit ARGB pixels
// (0xAARRGGBB, row-major, top row first). The art generator, the lfl tool,
// the tests and the benchmarks all make their payloads here, so every
// payload the game reads was laid out by one piece of code.
#pragma once

#include <cstdint>
#include <vector>

struct kwEyeOptions {
    float x = 0, y = 0, depth = 0;  // initial centre and draw-order key
    int bpp = 16;                   // 16, 24 or 32
    uint32_t extra = 0;             // the word at offset 20, kept as given
};

// Layout constants of both payloads.
inline constexpr uint32_t kEyeHeaderSize = 84;
inline constexpr uint32_t kEyeFormat565 = 0xF8FCF8;
inline constexpr uint32_t kEyeFormat24 = 0xFFFFFF;
inline constexpr uint32_t kEyeFormat32 = 0xFFFFFFFF;

// Plain rows, every pixel opaque. 16 bpp stores 5-6-5 with format word
// 0xF8FCF8; 24 stores B,G,R; 32 stores B,G,R,255. Empty on bad arguments.
std::vector<uint8_t> encodeEyeRaw(const uint32_t* argb, int w, int h, const kwEyeOptions& o = {});

// Run-length rows: pixels with alpha 0 become skip runs, the rest opaque
// runs; runs longer than 255 are split with zero-length runs between. The
// row table follows the 84-byte header (T = 80), then P with the u32
// pixel-block length, then the pixels. Empty on bad arguments.
std::vector<uint8_t> encodeEyeRle(const uint32_t* argb, int w, int h, const kwEyeOptions& o = {});

// The 8-bit mask matching encodeEyeRle of the same pixels: a 0 for every
// skip and count byte, the alpha byte for every opaque pixel, with its own
// row table (position at 48) and stream (position at 52).
std::vector<uint8_t> encodeMask(const uint32_t* argb, int w, int h, const kwEyeOptions& o = {});
