#include "render/run_tables.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <iterator>

#include "assets/eye_format.h"

namespace {

constexpr int kBlockPixelBytes = 2;  // mask blocks are built for 16-bit pictures only
constexpr uint8_t kFullMask = 255;

// Walks one row's runs as the blitters do, handing each to
// `visit(column, count, pixels, mask)` (mask null without one).
template <class Visit>
void eachRun(const kwRunLengthSource& src, int32_t width, int32_t bytesPerPixel, int32_t row,
             Visit&& visit) {
    const uint8_t* p = src.stream + readU32(src.rowTable + 4 * size_t(row));
    const uint8_t* m =
        src.maskStream ? src.maskStream + readU32(src.maskTable + 4 * size_t(row)) : nullptr;
    int32_t x = 0;
    for (;;) {
        x += *p++;
        if (x >= width) return;
        const int32_t count = *p++;
        if (m) m += 2;  // the mask mirrors the two run bytes
        visit(x, count, p, m);
        p += count * bytesPerPixel;
        if (m) m += count;
        x += count;
        if (x >= width) return;
    }
}

// A soft pixel of a masked picture: one with a mask byte above 0 (mask 0
// leaves the target as it is).
struct Soft {
    int32_t x;
    const uint8_t* pixel;
    uint8_t alpha;
};
using PairScratch = std::array<std::vector<Soft>, kwMaskBlock::kRows>;

// The soft pixels of rows 2j and 2j + 1, left to right, as
// `visit(column, row within the pair, pixel bytes, mask byte)`.
template <class Visit>
void eachPairPixel(const kwRunLengthSource& src, int32_t width, int32_t height, int32_t pair,
                   PairScratch& rows, Visit&& visit) {
    for (int32_t k = 0; k < kwMaskBlock::kRows; ++k) {
        rows[size_t(k)].clear();
        const int32_t row = kwMaskBlock::kRows * pair + k;
        if (row >= height) continue;
        eachRun(
            src, width, kBlockPixelBytes, row,
            [&](int32_t x, int32_t count, const uint8_t* pixels, const uint8_t* mask) {
                for (int32_t i = 0; i < count; ++i)
                    if (mask[i] != 0)
                        rows[size_t(k)].push_back({x + i, pixels + kBlockPixelBytes * i, mask[i]});
            });
    }
    size_t a = 0, b = 0;
    while (a < rows[0].size() || b < rows[1].size()) {
        const bool upper =
            b >= rows[1].size() || (a < rows[0].size() && rows[0][a].x <= rows[1][b].x);
        const Soft& p = upper ? rows[0][a++] : rows[1][b++];
        visit(p.x, upper ? 0 : 1, p.pixel, p.alpha);
    }
}

// A row pair's blocks, left to right: a pixel not covered by the open block
// opens a new one at its column, moved left where it would cross the
// picture's right edge unless that would take it over the previous block.
// Blocks never share a pixel (a block loading pixels another has just
// stored waits for the store), so a last block may reach past the right
// edge instead, with mask 0 there.
template <class Open, class Fill>
void layPair(const kwRunLengthSource& src, int32_t width, int32_t height, int32_t pair,
             PairScratch& scratch, Open&& open, Fill&& fill) {
    constexpr int32_t kColumns = kwMaskBlock::kColumns;
    int32_t start = 0, end = 0;
    eachPairPixel(src, width, height, pair, scratch,
                  [&](int32_t x, int32_t row, const uint8_t* pixel, uint8_t alpha) {
                      if (x >= end) {
                          const int32_t flush = width - kColumns;
                          start = x > flush && flush >= end ? flush : x;
                          end = start + kColumns;
                          open(start);
                      }
                      fill(row * kColumns + x - start, pixel, alpha);
                  });
}

}  // namespace

// ---- spans ------------------------------------------------------------------------

void kwRunSpans::build(const kwRunLengthSource& src, int32_t width, int32_t height,
                       int32_t bytesPerPixel) {
    clear();
    if (width <= 0 || height <= 0 || !src.stream || !src.rowTable) return;
    kwRunLengthSource runs = src;
    runs.maskStream = nullptr;
    size_t count = 0;  // counted first, so the table is one allocation
    for (int32_t r = 0; r < height; ++r)
        eachRun(runs, width, bytesPerPixel, r,
                [&](int32_t, int32_t, const uint8_t*, const uint8_t*) { ++count; });
    spans.reserve(count);
    rows.reserve(size_t(height) + 1);
    for (int32_t r = 0; r < height; ++r) {
        rows.push_back(uint32_t(spans.size()));
        eachRun(runs, width, bytesPerPixel, r,
                [&](int32_t x, int32_t n, const uint8_t* pixels, const uint8_t*) {
                    spans.push_back(
                        kwRunSpan{uint16_t(x), uint16_t(n), uint32_t(pixels - src.stream), r});
                });
    }
    rows.push_back(uint32_t(spans.size()));
}

void kwRunSpans::clear() {
    spans = {};
    rows = {};
}

void kwRunSpans::attach(kwRunLengthSource* source) const {
    if (rows.empty()) return;
    source->spans = spans.data();
    source->spanRows = rows.data();
}

// ---- mask blocks --------------------------------------------------------------------

void kwMaskBlocks::build(const kwRunLengthSource& src, int32_t width, int32_t height) {
    clear();
    if (width <= 0 || height <= 0 || !src.stream || !src.rowTable || !src.maskStream ||
        !src.maskTable)
        return;
    const int32_t pairs = (height + kwMaskBlock::kRows - 1) / kwMaskBlock::kRows;
    PairScratch scratch;
    size_t count = 0;  // counted first, so the blocks are one allocation
    for (int32_t j = 0; j < pairs; ++j)
        layPair(
            src, width, height, j, scratch, [&](int32_t) { ++count; },
            [](int32_t, const uint8_t*, uint8_t) {});
    blocks.reserve(count);
    for (int32_t j = 0; j < pairs; ++j) {
        const int32_t upper = kwMaskBlock::kRows * j;
        layPair(
            src, width, height, j, scratch,
            [&](int32_t column) {
                kwMaskBlock& b = blocks.emplace_back();
                b.column = int16_t(column);
                b.row = int16_t(upper);
            },
            [&](int32_t lane, const uint8_t* pixel, uint8_t alpha) {
                std::memcpy(&blocks.back().pixels[lane], pixel, kBlockPixelBytes);
                blocks.back().mask[lane] = alpha;
            });
    }
    reach = 0;
    for (const kwMaskBlock& b : blocks) reach = std::max(reach, b.column + kwMaskBlock::kColumns);
    group(height);
}

// Orders the blocks into the drawing groups, each keeping its rows top to
// bottom. A block of one row has mask 0 in its lower lanes, so it is never
// opaque. Grouping spares the blend loop a branch per block that the rims'
// mix of kinds would often mispredict.
void kwMaskBlocks::group(int32_t height) {
    const auto isOpaque = [](const kwMaskBlock& b) {
        return std::all_of(std::begin(b.mask), std::end(b.mask),
                           [](uint8_t m) { return m == kFullMask; });
    };
    const auto twoRows = [height](const kwMaskBlock& b) { return b.row + 1 < height; };
    const auto rest = std::stable_partition(blocks.begin(), blocks.end(), isOpaque);
    const auto single = std::stable_partition(rest, blocks.end(), twoRows);
    opaque = uint32_t(rest - blocks.begin());
    pairs = uint32_t(single - blocks.begin());
}

void kwMaskBlocks::clear() {
    blocks = {};
    opaque = pairs = 0;
    reach = 0;
}

void kwMaskBlocks::attach(kwRunLengthSource* source) const {
    if (blocks.empty()) return;  // not built, or no soft pixel at all: the runs are as quick
    source->blocks = blocks.data();
    source->opaqueBlocks = opaque;
    source->pairBlocks = pairs;
    source->blockCount = uint32_t(blocks.size());
    source->blockReach = reach;
}

// ---- layer overlap --------------------------------------------------------------------

bool softMeetsSolid(const kwRunPicture& soft, const kwRunPicture& solid, int32_t dx, int32_t dy) {
    if (!soft.source.maskStream || solid.width <= 0) return false;
    kwRunLengthSource runs = solid.source;
    runs.maskStream = nullptr;
    std::vector<uint8_t> covered(size_t(solid.width));  // the solid row under the soft one
    for (int32_t r = 0; r < soft.height; ++r) {
        const int32_t under = r + dy;
        if (under < 0 || under >= solid.height) continue;
        std::fill(covered.begin(), covered.end(), uint8_t{0});
        eachRun(runs, solid.width, solid.bytesPerPixel, under,
                [&](int32_t x, int32_t count, const uint8_t*, const uint8_t*) {
                    std::fill(covered.begin() + x,
                              covered.begin() + std::min(x + count, solid.width), uint8_t{1});
                });
        bool meets = false;
        eachRun(soft.source, soft.width, soft.bytesPerPixel, r,
                [&](int32_t x, int32_t count, const uint8_t*, const uint8_t* mask) {
                    for (int32_t i = 0; i < count && !meets; ++i) {
                        const int64_t c = int64_t{x} + i + dx;
                        meets = mask[i] != 0 && c >= 0 && c < solid.width && covered[size_t(c)];
                    }
                });
        if (meets) return true;
    }
    return false;
}
