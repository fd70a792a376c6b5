// The software blitters behind the image classes: plain rows and run-length
// rows, each copied, blended at one constant opacity, or blended through a
// per-pixel mask, at 16, 24 or 32 bits per pixel. The caller hands over a
// payload that passed its check; these routines clip everything to the
// target, so no position or size can make them write outside it.
#pragma once

#include <cstdint>
#include <iterator>

#include "assets/pixel_format.h"
#include "render/render_target.h"

// Where a picture lands: the target pixel of its top-left corner, its
// width in pixels, and the number of rows to draw.
struct kwPlacement {
    int32_t left = 0;
    int32_t top = 0;
    int32_t width = 0;
    int32_t rows = 0;
};

enum class kwBlendMode : uint8_t { Copy, Constant, Masked };

struct kwBlend {
    kwBlendMode mode = kwBlendMode::Copy;
    uint32_t opacity = 255;  // Constant: weights opacity and 255 - opacity
    bool fast = false;       // vector rows; the pixels are the same either way
};

// Plain rows: `rows` rows of `width` pixels, top row first. The target's
// depth is format.bpp; the pixels must already be at that depth.
void blitPlain(const kwRenderTarget& target, const kwPixelFormat& format, const kwPlacement& at,
               const uint8_t* pixels, const kwBlend& blend);

// Sixteen 16-bit pixels of a masked picture and their mask bytes, from
// image column `column` and row `row` on: eight columns on two neighbouring
// rows (lanes 0-7 the upper row, 8-15 the lower), or, by the group it is in,
// sixteen on one row or four on four rows (lanes row by row). Lanes the
// picture leaves see-through have mask 0, which leaves the target exactly
// as it was.
struct kwMaskBlock {
    static constexpr int kColumns = 8, kRows = 2, kLanes = kColumns * kRows;
    uint16_t pixels[kLanes] = {};
    uint8_t mask[kLanes] = {};
    int16_t column = 0;
    int16_t row = 0;  // the upper row
};

struct kwBlockShape {
    int32_t columns, rows;
};
inline constexpr kwBlockShape kLineShape{16, 1}, kSquareShape{4, 4};

// One run of a run-length picture: its first column, its length, where its
// pixels start in the stream, and its row.
struct kwRunSpan {
    uint16_t column = 0;
    uint16_t count = 0;
    uint32_t offset = 0;
    int32_t row = 0;
};

// Decoded runs are stored in groups by their length in bytes, top to bottom
// within a group, and each group ends with a span of length 0. Group g
// holds the lengths from kSpanGroupFloor[g] up to the next group's floor,
// the last group every longer run, so that all the runs of a group but the
// last are copied by the same moves, without a branch on their length.
inline constexpr uint32_t kSpanGroupFloor[] = {2, 4, 8, 16, 32, 64, 96, 128};
inline constexpr int kSpanGroups = int(std::size(kSpanGroupFloor));

inline constexpr int spanGroupOf(uint32_t bytes) {
    int g = 0;
    while (g + 1 < kSpanGroups && bytes >= kSpanGroupFloor[g + 1]) ++g;
    return g;
}

// A run-length picture and, for the masked blend, its mask. The row tables
// are arrays of little-endian u32 row offsets into their streams.
struct kwRunLengthSource {
    const uint8_t* stream = nullptr;
    const uint8_t* rowTable = nullptr;
    const uint8_t* maskStream = nullptr;
    const uint8_t* maskTable = nullptr;
    // Optional, for copies and constant blends: the runs decoded
    // (render/run_tables.h) in their groups by length, which pictures drawn
    // with every row whole use.
    const kwRunSpan* spans = nullptr;
    uint32_t spanCount = 0;  // the groups' ends included
    // Optional, for the masked blend on 5-6-5 with vector rows: the same
    // picture as blocks (render/run_tables.h); a block crossing the target's
    // edges is blended pixel by pixel. They come in five groups, each top
    // to bottom: eight-by-two blocks whose every mask byte is 255, then the
    // other blocks of two rows, then those of the picture's last row alone
    // (an odd height), then rows of sixteen, then squares of four by four.
    // Every block lies within the picture's rows.
    const kwMaskBlock* blocks = nullptr;
    uint32_t opaqueBlocks = 0;  // blocks[0, opaqueBlocks): opaque
    uint32_t pairBlocks = 0;    // blocks[opaqueBlocks, pairBlocks): two rows
    uint32_t singleBlocks = 0;  // blocks[pairBlocks, singleBlocks): the last row
    uint32_t lineBlocks = 0;    // blocks[singleBlocks, lineBlocks): sixteen on a row
    uint32_t blockCount = 0;    // blocks[lineBlocks, blockCount): four by four
    int32_t blockReach = 0;     // columns the blocks span: up to 15 past the picture
};

void blitRunLength(const kwRenderTarget& target, const kwPixelFormat& format, const kwPlacement& at,
                   const kwRunLengthSource& source, const kwBlend& blend);

// One pixel of each blend by the formula itself (low bytes of s and d hold
// the pixel; 24- and 32-bit pixels as 0xRRGGBB). Tests check every row
// routine against these.
uint32_t blendConstantPixel(uint32_t s, uint32_t d, uint32_t opacity, int bytesPerPixel,
                            const kwPixelFormat& format);
uint32_t blendMaskedPixel(uint32_t s, uint32_t d, uint32_t alpha, int bytesPerPixel,
                          const kwPixelFormat& format);

// Which vector width the fast rows use ("avx2", "sse2" or "generic").
const char* blitVectorPath();
