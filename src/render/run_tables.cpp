#include "render/run_tables.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <iterator>
#include <utility>

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

// Rows of a band, the unit whose blocks take one shape: eight across on two
// rows, sixteen on one, or four on four (so a square spans the band).
constexpr int32_t kBandRows = kSquareShape.rows;

// A soft pixel of a masked picture: one with a mask byte above 0 (mask 0
// leaves the target as it is).
struct Soft {
    int32_t x;
    int32_t row;  // within the band
    const uint8_t* pixel;
    uint8_t alpha;
};
using BandPixels = std::vector<Soft>;

// The soft pixels of the band from picture row `first`, as far as the
// picture goes, left to right (upper rows first where columns tie).
void gatherBand(const kwRunLengthSource& src, int32_t width, int32_t height, int32_t first,
                BandPixels& soft) {
    soft.clear();
    for (int32_t k = 0; k < kBandRows && first + k < height; ++k)
        eachRun(src, width, kBlockPixelBytes, first + k,
                [&](int32_t x, int32_t count, const uint8_t* pixels, const uint8_t* mask) {
                    for (int32_t i = 0; i < count; ++i)
                        if (mask[i] != 0)
                            soft.push_back({x + i, k, pixels + kBlockPixelBytes * i, mask[i]});
                });
    // A pixel's column and row are its own, so no two compare equal.
    std::sort(soft.begin(), soft.end(),
              [](const Soft& l, const Soft& r) { return l.x != r.x ? l.x < r.x : l.row < r.row; });
}

// The rows of a band one set of blocks covers.
struct Rows {
    int32_t from;
    int32_t count;
};

// Those rows' blocks of `columns` pixels across, left to right: a pixel not
// covered by the open block opens a new one at its column, moved left where
// it would cross the picture's right edge unless that would take it over
// the previous block. Blocks never share a pixel (a block loading pixels
// another has just stored waits for the store), so a last block may reach
// past the right edge instead, with mask 0 there.
template <class Open, class Fill>
void layBand(const BandPixels& soft, int32_t width, Rows rows, int32_t columns, Open&& open,
             Fill&& fill) {
    int32_t start = 0, end = 0;
    for (const Soft& p : soft) {
        if (p.row < rows.from || p.row >= rows.from + rows.count) continue;
        if (p.x >= end) {
            const int32_t flush = width - columns;
            start = p.x > flush && flush >= end ? flush : p.x;
            end = start + columns;
            open(start);
        }
        fill((p.row - rows.from) * columns + p.x - start, p.pixel, p.alpha);
    }
}

}  // namespace

// ---- spans ------------------------------------------------------------------------

void kwRunSpans::build(const kwRunLengthSource& src, int32_t width, int32_t height,
                       int32_t bytesPerPixel) {
    clear();
    // Two bytes a pixel at least: the shortest group's moves are two bytes.
    if (width <= 0 || height <= 0 || !src.stream || !src.rowTable || bytesPerPixel < 2) return;
    kwRunLengthSource runs = src;
    runs.maskStream = nullptr;
    const auto eachSpan = [&](auto&& take) {
        for (int32_t r = 0; r < height; ++r)
            eachRun(
                runs, width, bytesPerPixel, r,
                [&](int32_t x, int32_t n, const uint8_t* pixels, const uint8_t*) {
                    if (n > 0)  // a length of 0 ends a group
                        take(kwRunSpan{uint16_t(x), uint16_t(n), uint32_t(pixels - src.stream), r});
                });
    };
    const auto groupOf = [&](const kwRunSpan& s) {
        return size_t(spanGroupOf(uint32_t(s.count) * uint32_t(bytesPerPixel)));
    };
    // Counted first, so the table is one allocation; the slot after each
    // group stays a span of length 0.
    std::array<size_t, kSpanGroups> next{};
    eachSpan([&](const kwRunSpan& s) { ++next[groupOf(s)]; });
    size_t total = 0;
    for (size_t& at : next) total += std::exchange(at, total) + 1;
    spans.assign(total, kwRunSpan{});
    eachSpan([&](const kwRunSpan& s) { spans[next[groupOf(s)]++] = s; });
}

void kwRunSpans::clear() {
    spans = {};
}

void kwRunSpans::attach(kwRunLengthSource* source) const {
    if (spans.empty()) return;
    source->spans = spans.data();
    source->spanCount = uint32_t(spans.size());
}

// ---- mask blocks --------------------------------------------------------------------

namespace {

// What a block of each shape costs to blend, against eight-by-two at 4: a
// row of sixteen is one load and one store, a square four of each, and a
// pair whose every mask byte is 255 takes the formula's short form.
constexpr int32_t kPairWeight = 4, kOpaquePairWeight = 2, kLineWeight = 3, kSquareWeight = 5;

enum class Layout { Pairs, Lines, Squares };

// What blocks of one shape over some of a band's rows would cost.
int32_t bandCost(const BandPixels& soft, int32_t width, Rows rows, int32_t columns, int32_t weight,
                 int32_t opaqueWeight) {
    int32_t cost = 0, full = 0;  // full: lanes at 255 in the open block
    const auto close = [&] {
        if (full == kwMaskBlock::kLanes) cost += opaqueWeight - weight;
    };
    layBand(
        soft, width, rows, columns,
        [&](int32_t) {
            close();
            cost += weight;
            full = 0;
        },
        [&](int32_t, const uint8_t*, uint8_t alpha) { full += alpha == kFullMask; });
    close();
    return cost;
}

// The shape that blends a whole band most cheaply: rims running across
// suit long rows, rims running down suit squares, and insides masked whole
// suit opaque pairs.
Layout cheapestLayout(const BandPixels& soft, int32_t width) {
    int32_t pairs = 0, lines = 0;
    for (int32_t r = 0; r < kBandRows; r += kwMaskBlock::kRows)
        pairs += bandCost(soft, width, {r, kwMaskBlock::kRows}, kwMaskBlock::kColumns, kPairWeight,
                          kOpaquePairWeight);
    for (int32_t r = 0; r < kBandRows; r += kLineShape.rows)
        lines += bandCost(soft, width, {r, kLineShape.rows}, kLineShape.columns, kLineWeight,
                          kLineWeight);
    const int32_t squares =
        bandCost(soft, width, {0, kBandRows}, kSquareShape.columns, kSquareWeight, kSquareWeight);
    if (pairs <= lines && pairs <= squares) return Layout::Pairs;
    return lines <= squares ? Layout::Lines : Layout::Squares;
}

// The blocks of the band from picture row `first` over some of its rows.
void layBlocks(std::vector<kwMaskBlock>& out, const BandPixels& soft, int32_t width, int32_t first,
               Rows rows, int32_t columns) {
    layBand(
        soft, width, rows, columns,
        [&](int32_t column) {
            kwMaskBlock& b = out.emplace_back();
            b.column = int16_t(column);
            b.row = int16_t(first + rows.from);
        },
        [&](int32_t lane, const uint8_t* pixel, uint8_t alpha) {
            std::memcpy(&out.back().pixels[lane], pixel, kBlockPixelBytes);
            out.back().mask[lane] = alpha;
        });
}

}  // namespace

void kwMaskBlocks::build(const kwRunLengthSource& src, int32_t width, int32_t height) {
    clear();
    if (width <= 0 || height <= 0 || !src.stream || !src.rowTable || !src.maskStream ||
        !src.maskTable)
        return;
    BandPixels soft;
    std::vector<kwMaskBlock> eights, lines, squares;
    for (int32_t first = 0; first < height; first += kBandRows) {
        gatherBand(src, width, height, first, soft);
        const Layout how = first + kBandRows <= height ? cheapestLayout(soft, width)
                                                       : Layout::Pairs;  // the picture's last rows
        if (how == Layout::Lines) {
            for (int32_t r = 0; r < kBandRows; r += kLineShape.rows)
                layBlocks(lines, soft, width, first, {r, kLineShape.rows}, kLineShape.columns);
        } else if (how == Layout::Squares) {
            layBlocks(squares, soft, width, first, {0, kBandRows}, kSquareShape.columns);
        } else {
            for (int32_t r = 0; r < kBandRows && first + r < height; r += kwMaskBlock::kRows)
                layBlocks(eights, soft, width, first, {r, kwMaskBlock::kRows},
                          kwMaskBlock::kColumns);
        }
    }
    assemble(eights, lines, squares, height);
}

// Puts the blocks in their drawing groups, each keeping its rows top to
// bottom, in one allocation. An eight-wide block of one row has mask 0 in
// its lower lanes, so it is never opaque. Grouping spares the blend loop a
// branch per block that the rims' mix of kinds would often mispredict.
void kwMaskBlocks::assemble(std::vector<kwMaskBlock>& eights,
                            const std::vector<kwMaskBlock>& lineBlocks,
                            const std::vector<kwMaskBlock>& squares, int32_t height) {
    const auto isOpaque = [](const kwMaskBlock& b) {
        return std::all_of(std::begin(b.mask), std::end(b.mask),
                           [](uint8_t m) { return m == kFullMask; });
    };
    const auto twoRows = [height](const kwMaskBlock& b) { return b.row + 1 < height; };
    const auto rest = std::stable_partition(eights.begin(), eights.end(), isOpaque);
    const auto single = std::stable_partition(rest, eights.end(), twoRows);
    opaque = uint32_t(rest - eights.begin());
    pairs = uint32_t(single - eights.begin());
    singles = uint32_t(eights.size());
    lines = singles + uint32_t(lineBlocks.size());
    blocks.reserve(eights.size() + lineBlocks.size() + squares.size());
    blocks.insert(blocks.end(), eights.begin(), eights.end());
    blocks.insert(blocks.end(), lineBlocks.begin(), lineBlocks.end());
    blocks.insert(blocks.end(), squares.begin(), squares.end());
    reach = 0;
    for (size_t i = 0; i < blocks.size(); ++i) {
        const int32_t across = i < singles ? kwMaskBlock::kColumns
                               : i < lines ? kLineShape.columns
                                           : kSquareShape.columns;
        reach = std::max(reach, blocks[i].column + across);
    }
}

void kwMaskBlocks::clear() {
    blocks = {};
    opaque = pairs = singles = lines = 0;
    reach = 0;
}

void kwMaskBlocks::attach(kwRunLengthSource* source) const {
    if (blocks.empty()) return;  // not built, or no soft pixel at all: the runs are as quick
    source->blocks = blocks.data();
    source->opaqueBlocks = opaque;
    source->pairBlocks = pairs;
    source->singleBlocks = singles;
    source->lineBlocks = lines;
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
