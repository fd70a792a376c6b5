// The row routines of the blitters, built twice like the kernels they use
// (blit.cpp at the base instruction set, blit_avx2.cpp for AVX2), so that a
// whole draw runs in one build with its copies and blends inlined.
//
// Each picture is clipped once: the rows above and below the target are
// dropped, then one of four row routines is chosen (clipped on the left, on
// the right, on both sides, or not at all) so that the inner loops carry no
// edge tests. A "span" is what happens to one run of pixels (copy, constant
// blend, masked blend); the row routines only walk the runs.
//
// Internal to the blitters (anonymous namespace: one build per unit).
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <utility>

#include "render/blit.h"
#include "render/blit_kernels.h"

// One instruction-set build of the two entry points.
struct kwBlitRows {
    const char* name;
    void (*plain)(const kwRenderTarget& t, const kwPixelFormat& f, const kwPlacement& at,
                  const uint8_t* pixels, const kwBlend& blend);
    void (*runLength)(const kwRenderTarget& t, const kwPixelFormat& f, const kwPlacement& at,
                      const kwRunLengthSource& src, const kwBlend& blend);
};

// Defined in blit_avx2.cpp on x86 builds; used only when the processor has AVX2.
extern const kwBlitRows kAvx2Rows;

namespace {

constexpr uint32_t kFullOpacity = 255;

inline kwChannels16 channelsOf(const kwPixelFormat& f) {
    kwChannels16 ch;
    const kwChannel* c[3] = {&f.red, &f.green, &f.blue};
    for (int k = 0; k < 3; ++k) {
        ch.low[k] = c[k]->low;
        ch.mask[k] = uint16_t((1u << c[k]->width) - 1);
    }
    return ch;
}

// Read from the format itself where nothing else needs the channels: the
// channels built on the stack by halves and compared as words stall the
// compare until the stores reach the cache, on every masked draw.
inline bool is565(const kwPixelFormat& f) {
    return f.red.low == 11 && f.red.width == 5 && f.green.low == 5 && f.green.width == 6 &&
           f.blue.low == 0 && f.blue.width == 5;
}

inline bool is565(const kwChannels16& ch) {
    return ch.low[0] == 11 && ch.low[1] == 5 && ch.low[2] == 0 && ch.mask[0] == 0x1F &&
           ch.mask[1] == 0x3F && ch.mask[2] == 0x1F;
}

// ---- plain (non-vector) blends ---------------------------------------------

// Two 16-bit pixels as one 32-bit word: each field is shifted down to bit 0
// before multiplying, so both pixels' products stay inside their own half.
inline uint32_t blendPair16(uint32_t s, uint32_t d, uint32_t a, uint32_t i,
                            const kwChannels16& ch) {
    uint32_t r = 0;
    for (int c = 0; c < 3; ++c) {
        const int l = ch.low[c];
        const uint32_t m = ch.mask[c] | uint32_t(ch.mask[c]) << 16;
        r |= ((((s >> l) & m) * a + ((d >> l) & m) * i) >> 8 & m) << l;
    }
    return r;
}

inline void constantPairs16(uint8_t* d, const uint8_t* s, int n, uint32_t a,
                            const kwChannels16& ch) {
    const uint32_t i = kFullOpacity - a;
    int k = 0;
    for (; k + 2 <= n; k += 2) {
        uint32_t sw, dw;
        std::memcpy(&sw, s + 2 * k, 4);
        std::memcpy(&dw, d + 2 * k, 4);
        const uint32_t r = blendPair16(sw, dw, a, i, ch);
        std::memcpy(d + 2 * k, &r, 4);
    }
    if (k < n) blendPixel16(d + 2 * k, s + 2 * k, a, i, ch);  // the odd last pixel alone
}

template <int B>
void constantBytes(uint8_t* d, const uint8_t* s, int n, uint32_t a) {
    for (int k = 0; k < n; ++k) blendPixelBytes<B>(d + B * k, s + B * k, a, kFullOpacity - a);
}

template <int B>
void maskedPlain(uint8_t* d, const uint8_t* s, const uint8_t* m, int n, const kwChannels16& ch) {
    for (int k = 0; k < n; ++k) {
        if constexpr (B == 2)
            blendPixel16(d + 2 * k, s + 2 * k, m[k], 256 - m[k], ch);
        else
            blendPixelBytes<B>(d + B * k, s + B * k, m[k], 256 - m[k]);
    }
}

// ---- spans -------------------------------------------------------------------

// Long rows go to the library's memcpy (kept out of line so the compiler
// cannot swap it for a slow inline string move).
[[gnu::noinline]] inline void copyLong(uint8_t* d, const uint8_t* s, size_t n) {
    std::memcpy(d, s, n);
}

// One vector's worth of bytes. Spelled with intrinsics for AVX2, where a
// 32-byte memcpy is split into two 16-byte moves.
template <int N>
[[gnu::always_inline]] inline void moveBlock(uint8_t* d, const uint8_t* s) {
#if defined(__x86_64__) || defined(__i386__)
    if constexpr (N == 16) {  // only the AVX2 build has 16 lanes
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(d),
                            _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s)));
        return;
    }
#endif
    std::memcpy(d, s, 2 * N);
}

// Sprite runs are a few dozen pixels, where a call or a string move costs
// more than the copy: vector-sized moves, the last one overlapping. From one
// to four vectors it is as many moves as vectors: the copies wait on their
// stores, so a repeated move costs more than the branch that skips it.
template <int N>
[[gnu::always_inline]] inline void copyRun(uint8_t* d, const uint8_t* s, size_t n) {
    constexpr size_t kLong = 512, kBlock = 2 * N, kHalf = N;
    if (n >= kBlock) {
        if (n <= 4 * kBlock) {
            const size_t last = n - kBlock;
            moveBlock<N>(d, s);
            if (n > 2 * kBlock) moveBlock<N>(d + kBlock, s + kBlock);
            if (n > 3 * kBlock) moveBlock<N>(d + 2 * kBlock, s + 2 * kBlock);
            moveBlock<N>(d + last, s + last);
        } else if (n >= kLong) {
            copyLong(d, s, n);
        } else {
            for (size_t k = 0; k + kBlock <= n; k += kBlock) moveBlock<N>(d + k, s + k);
            moveBlock<N>(d + n - kBlock, s + n - kBlock);
        }
    } else if (n >= kHalf) {
        std::memcpy(d, s, kHalf);
        std::memcpy(d + n - kHalf, s + n - kHalf, kHalf);
    } else if (n >= 8 && kHalf > 8) {
        std::memcpy(d, s, 8);
        std::memcpy(d + n - 8, s + n - 8, 8);
    } else if (n >= 4) {
        std::memcpy(d, s, 4);
        std::memcpy(d + n - 4, s + n - 4, 4);
    } else if (n >= 2) {
        std::memcpy(d, s, 2);
        std::memcpy(d + n - 2, s + n - 2, 2);
    } else if (n == 1) {
        *d = *s;
    }
}

// The widest move: 32 bytes with AVX2.
inline constexpr uint32_t kWidestMove = 32;

// A fixed number of bytes, in vector moves where it is a whole number of them.
template <int N, uint32_t L>
[[gnu::always_inline]] inline void moveBytes(uint8_t* d, const uint8_t* s) {
    if constexpr (L % (2 * N) == 0) {
        for (uint32_t k = 0; k < L; k += 2 * N) moveBlock<N>(d + k, s + k);
    } else {
        std::memcpy(d, s, L);
    }
}

// A run of span group G: below the last group, its floor's worth of bytes
// from the start and one move ending at its end, as wide as the floor up to
// the widest, which reaches the next floor; the last group's by length.
template <int N, int G>
[[gnu::always_inline]] inline void copyGroupRun(uint8_t* d, const uint8_t* s, size_t n) {
    if constexpr (G + 1 < kSpanGroups) {
        constexpr uint32_t kFloor = kSpanGroupFloor[G];
        constexpr uint32_t kTail = std::min(kFloor, kWidestMove);
        static_assert(kFloor + kTail >= kSpanGroupFloor[G + 1]);
        moveBytes<N, kFloor>(d, s);
        moveBytes<N, kTail>(d + n - kTail, s + n - kTail);
    } else {
        copyRun<N>(d, s, n);
    }
}

template <int N, int B>
struct CopySpan {
    static constexpr bool kMasked = false;
    static constexpr bool kGrouped = true;  // has the moves for each group of spans
    [[gnu::always_inline]] void operator()(uint8_t* d, const uint8_t* s, const uint8_t*,
                                           int n) const {
        copyRun<N>(d, s, size_t(n) * B);
    }
    template <int G>
    [[gnu::always_inline]] void inGroup(uint8_t* d, const uint8_t* s, int n) const {
        copyGroupRun<N, G>(d, s, size_t(n) * B);
    }
};

// Constant opacity a: the vector kernels when `fast`, else the pair blends.
template <int N, int B>
struct ConstantSpan {
    static constexpr bool kMasked = false;
    static constexpr bool kGrouped = false;
    uint32_t a = 0;
    kwChannels16 ch;
    bool fast = false;
    bool fixed565 = false;

    ConstantSpan(uint32_t opacity, const kwChannels16& channels, bool vector)
        : a(opacity), ch(channels), fast(vector && B != 3), fixed565(is565(channels)) {}

    [[gnu::always_inline]] void operator()(uint8_t* d, const uint8_t* s, const uint8_t*,
                                           int n) const {
        if constexpr (B == 2) {
            if (!fast)
                constantPairs16(d, s, n, a, ch);
            else if (fixed565)
                constantRun16<N, true>(d, s, n, a, ch);
            else
                constantRun16<N, false>(d, s, n, a, ch);
        } else if constexpr (B == 4) {
            if (fast)
                constantRun32<N>(d, s, n, a);
            else
                constantBytes<4>(d, s, n, a);
        } else {
            constantBytes<B>(d, s, n, a);
        }
    }
};

template <int N, int B>
struct MaskedSpan {
    static constexpr bool kMasked = true;
    static constexpr bool kGrouped = false;
    kwChannels16 ch;
    bool fast = false;
    bool fixed565 = false;

    MaskedSpan(const kwChannels16& channels, bool vector)
        : ch(channels), fast(vector && B != 3), fixed565(is565(channels)) {}

    [[gnu::always_inline]] void operator()(uint8_t* d, const uint8_t* s, const uint8_t* m,
                                           int n) const {
        if constexpr (B == 2) {
            if (fast && fixed565) return maskedRun16<N, true>(d, s, m, n, ch);
            if (fast) return maskedRun16<N, false>(d, s, m, n, ch);
        } else if constexpr (B == 4) {
            if (fast) return maskedRun32<N>(d, s, m, n);
        }
        maskedPlain<B>(d, s, m, n, ch);
    }
};

// ---- clipping ----------------------------------------------------------------

struct RowRange {
    int32_t first = 0;  // first source row drawn
    int32_t top = 0;    // target row it lands on
    int32_t count = 0;  // rows drawn
};

// Rows above the target are skipped, rows from its bottom edge on dropped.
inline bool clipRows(const kwPlacement& at, int32_t targetHeight, RowRange* out) {
    int64_t top = at.top, rows = at.rows, first = 0;
    if (top < 0) {
        first = -top;
        rows += top;
        top = 0;
    }
    if (top + rows >= targetHeight) rows = targetHeight - top;
    if (rows <= 0 || first >= at.rows) return false;
    *out = RowRange{int32_t(first), int32_t(top), int32_t(rows)};
    return true;
}

// ---- plain rows ----------------------------------------------------------------

struct Columns {
    int64_t source = 0;  // first source column
    int64_t target = 0;  // target column it lands on
    int64_t count = 0;
};

// Plain rows: clipped left when left < 0 and the right edge is inside,
// clipped on both sides when it is not; clipped right when left >= 0 and
// left + width > W; otherwise whole rows.
inline Columns plainColumns(int64_t left, int64_t width, int64_t W) {
    if (left < 0) {
        if (left + width < W) return {-left, 0, width + left};
        return {-left, 0, W};
    }
    if (left + width > W) return {0, left, W - left};
    return {0, left, width};
}

template <int B, class Span>
void plainRows(const kwRenderTarget& t, const kwPlacement& at, const uint8_t* pixels,
               const Span& span) {
    RowRange rows;
    if (at.width <= 0 || !clipRows(at, t.height, &rows)) return;
    const Columns cols = plainColumns(at.left, at.width, t.width);
    if (cols.count <= 0) return;
    const size_t sourcePitch = size_t(at.width) * B;
    const uint8_t* src = pixels + size_t(rows.first) * sourcePitch + size_t(cols.source) * B;
    uint8_t* dst = t.pixels + std::ptrdiff_t(rows.top) * t.pitch + std::ptrdiff_t(cols.target) * B;
    for (int32_t r = 0; r < rows.count; ++r, src += sourcePitch, dst += t.pitch)
        span(dst, src, nullptr, int(cols.count));
}

// ---- run-length rows -------------------------------------------------------------

inline uint32_t rowOffset(const uint8_t* table, int32_t row) {
    const uint8_t* p = table + 4 * size_t(row);
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

// Whole rows. Every row starts from its row-table entry rather than where
// the previous row ended: the pixels are the same, but the rows no longer
// wait for each other, so the processor can work on several at once.
template <int B, class Span>
void runsUnclipped(uint8_t* dstRow, int pitch, int32_t width, const kwRunLengthSource& src,
                   const RowRange& rows, const Span& span) {
    for (int32_t r = 0; r < rows.count; ++r, dstRow += pitch) {
        const uint8_t* p = src.stream + rowOffset(src.rowTable, rows.first + r);
        const uint8_t* m = nullptr;
        if constexpr (Span::kMasked) m = src.maskStream + rowOffset(src.maskTable, rows.first + r);
        int32_t x = 0;
        for (;;) {
            x += *p++;
            if constexpr (Span::kMasked) ++m;
            if (x >= width) break;
            const int count = *p++;
            if constexpr (Span::kMasked) ++m;
            span(dstRow + std::ptrdiff_t(x) * B, p, m, count);
            p += count * B;
            if constexpr (Span::kMasked) m += count;
            x += count;
            if (x >= width) break;
        }
    }
}

// A whole picture from its decoded runs: no run byte to parse. A copy
// takes a loop over each group of spans, the group's runs all copied by the
// same moves (a loop per row, mostly one run long, missed a branch at many
// of its ends, and so did choosing the moves by each run's length); a blend
// takes one loop over them all, stepping over the groups' ends.
template <int B, class Span>
void spansWhole(uint8_t* origin, int pitch, const kwRunLengthSource& src, const Span& span) {
    // Locals, not the source's fields: the pixel stores could alias those
    // as far as the compiler knows, and it would load them again each run.
    const uint8_t* const stream = src.stream;
    const Span each = span;
    const kwRunSpan* s = src.spans;
    const auto target = [origin, pitch](const kwRunSpan& r) {
        return origin + std::ptrdiff_t(r.row) * pitch + std::ptrdiff_t(r.column) * B;
    };
    if constexpr (Span::kGrouped) {
        const auto group = [&]<int G>() {
            for (; s->count != 0; ++s)
                each.template inGroup<G>(target(*s), stream + s->offset, s->count);
            ++s;  // past the group's end
        };
        const auto inOrder = [&]<int... G>(std::integer_sequence<int, G...>) {
            (group.template operator()<G>(), ...);
        };
        inOrder(std::make_integer_sequence<int, kSpanGroups>{});
    } else {
        for (const kwRunSpan* const end = s + src.spanCount; s != end; ++s)
            if (s->count != 0) each(target(*s), stream + s->offset, nullptr, s->count);
    }
}

// Rows clipped to image columns [xs, xe): every row starts at its row-table
// entry, runs crossing an edge are cut, and a row stops at the right edge.
template <int B, bool kLeft, bool kRight, class Span>
void runsClipped(uint8_t* dstRow, int pitch, int32_t left, int32_t xs, int32_t xe,
                 const kwRunLengthSource& src, const RowRange& rows, const Span& span) {
    for (int32_t r = 0; r < rows.count; ++r, dstRow += pitch) {
        const uint8_t* p = src.stream + rowOffset(src.rowTable, rows.first + r);
        const uint8_t* m = nullptr;
        if constexpr (Span::kMasked) m = src.maskStream + rowOffset(src.maskTable, rows.first + r);
        int32_t x = 0;
        for (;;) {
            x += *p++;
            if constexpr (Span::kMasked) ++m;
            if (x >= xe) break;
            const int32_t count = *p++;
            if constexpr (Span::kMasked) ++m;
            int32_t from = x, to = x + count;
            if constexpr (kLeft) from = std::max(from, xs);
            if constexpr (kRight) to = std::min(to, xe);
            if (from < to) {
                const uint8_t* mask = nullptr;
                if constexpr (Span::kMasked) mask = m + (from - x);
                span(dstRow + std::ptrdiff_t(from + left) * B, p + std::ptrdiff_t(from - x) * B,
                     mask, to - from);
            }
            p += count * B;
            if constexpr (Span::kMasked) m += count;
            x += count;
            if (x >= xe) break;
        }
    }
}

// Run-length rows: clipped left when left < 0 and left + width < W, both
// sides when left < 0 otherwise; clipped right when left >= 0 and
// left + width >= W; otherwise unclipped.
template <int B, class Span>
void runLengthRows(const kwRenderTarget& t, const kwPlacement& at, const kwRunLengthSource& src,
                   const Span& span) {
    RowRange rows;
    if (at.width <= 0 || !clipRows(at, t.height, &rows)) return;
    const int64_t left = at.left, width = at.width, W = t.width;
    uint8_t* dstRow = t.pixels + std::ptrdiff_t(rows.top) * t.pitch;
    if (left >= 0 && left + width < W) {
        if constexpr (!Span::kMasked) {
            if (src.spans && rows.first == 0 && rows.count == at.rows)
                return spansWhole<B>(dstRow + std::ptrdiff_t(left) * B, t.pitch, src, span);
        }
        runsUnclipped<B>(dstRow + std::ptrdiff_t(left) * B, t.pitch, at.width, src, rows, span);
        return;
    }
    const int64_t xs = std::max<int64_t>(0, -left);
    const int64_t xe = std::min<int64_t>(width, W - left);
    if (xs >= xe) return;  // entirely beside the target
    const int32_t l = int32_t(left), s = int32_t(xs), e = int32_t(xe);
    if (left < 0 && left + width < W)
        runsClipped<B, true, false>(dstRow, t.pitch, l, s, e, src, rows, span);
    else if (left < 0)
        runsClipped<B, true, true>(dstRow, t.pitch, l, s, e, src, rows, span);
    else
        runsClipped<B, false, true>(dstRow, t.pitch, l, s, e, src, rows, span);
}

// ---- mask blocks -------------------------------------------------------------------

// One block's rows of eight pixels, blended through its mask: both rows, or
// the upper alone where the picture ends on it. kOpaque: every mask byte is
// 255, so the short form of the formula serves. With 16-lane vectors both
// rows go through one blend.
template <int N, bool kOpaque, bool kLower>
[[gnu::always_inline]] inline void blendBlock(uint8_t* upper, int pitch, const kwMaskBlock& b) {
    constexpr int C = kwMaskBlock::kColumns;
    const auto* s = reinterpret_cast<const uint8_t*>(b.pixels);
#if defined(__x86_64__) || defined(__i386__)
    if constexpr (N == 16) {  // only the AVX2 build has 16 lanes
        __m128i up, down = _mm_setzero_si128();
        std::memcpy(&up, upper, sizeof up);
        if constexpr (kLower) std::memcpy(&down, upper + pitch, sizeof down);
        const kwU16<16> d = (kwU16<16>)_mm256_inserti128_si256(_mm256_castsi128_si256(up), down, 1);
        kwU16<16> blended;
        if constexpr (kOpaque)
            blended = blendOpaque565<16>(load16<16>(s), d);
        else
            blended = blendMasked565<16>(load16<16>(s), d, loadMask<16>(b.mask));
        const __m256i r = (__m256i)blended;
        const __m128i first = _mm256_castsi256_si128(r);
        std::memcpy(upper, &first, sizeof first);
        if constexpr (kLower) {
            const __m128i second = _mm256_extracti128_si256(r, 1);
            std::memcpy(upper + pitch, &second, sizeof second);
        }
        return;
    }
#endif
    for (int k = 0; k < (kLower ? 2 : 1); ++k) {
        uint8_t* d = upper + k * pitch;
        kwU16<C> out;
        if constexpr (kOpaque)
            out = blendOpaque565<C>(load16<C>(s + 2 * C * k), load16<C>(d));
        else
            out = blendMasked565<C>(load16<C>(s + 2 * C * k), load16<C>(d),
                                    loadMask<C>(b.mask + C * k));
        std::memcpy(d, &out, sizeof out);
    }
}

// A block of another shape: sixteen pixels on one row, or four on each of
// four rows.
template <int N, int C, int R>
[[gnu::always_inline]] inline void blendShaped(uint8_t* top, int pitch, const kwMaskBlock& b) {
    static_assert(C * R == kwMaskBlock::kLanes);
    const auto* s = reinterpret_cast<const uint8_t*>(b.pixels);
#if defined(__SSE2__)
    // Four pixels on each of two rows as one 128-bit vector, and back.
    // (movhps through the builtins: the double-typed forms store through a
    // double pointer, which a row at an odd pixel does not align.)
    const auto twoRows = [pitch](const uint8_t* p) {
        const __m128i upper = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(p));
        return _mm_castps_si128(
            _mm_loadh_pi(_mm_castsi128_ps(upper), reinterpret_cast<const __m64*>(p + pitch)));
    };
    const auto putTwoRows = [pitch](uint8_t* p, __m128i v) {
        _mm_storel_epi64(reinterpret_cast<__m128i*>(p), v);
        _mm_storeh_pi(reinterpret_cast<__m64*>(p + pitch), _mm_castsi128_ps(v));
    };
    if constexpr (N == 16) {  // only the AVX2 build has 16 lanes
        kwU16<16> d;
        if constexpr (R == 1)
            d = load16<16>(top);
        else
            d = (kwU16<16>)_mm256_inserti128_si256(_mm256_castsi128_si256(twoRows(top)),
                                                   twoRows(top + 2 * pitch), 1);
        const kwU16<16> blended = blendMasked565<16>(load16<16>(s), d, loadMask<16>(b.mask));
        if constexpr (R == 1) {
            std::memcpy(top, &blended, sizeof blended);
        } else {
            const __m256i r = (__m256i)blended;
            putTwoRows(top, _mm256_castsi256_si128(r));
            putTwoRows(top + 2 * pitch, _mm256_extracti128_si256(r, 1));
        }
        return;
    } else if constexpr (N == 8) {  // the base build: each half of the block alone
        for (int half = 0; half < 2; ++half) {
            const int lane = half * N;
            uint8_t* const at = R == 1 ? top + 2 * lane : top + 2 * half * pitch;
            const kwU16<8> d = R == 1 ? load16<8>(at) : (kwU16<8>)twoRows(at);
            const kwU16<8> out =
                blendMasked565<8>(load16<8>(s + 2 * lane), d, loadMask<8>(b.mask + lane));
            if constexpr (R == 1)
                std::memcpy(at, &out, sizeof out);
            else
                putTwoRows(at, (__m128i)out);
        }
        return;
    }
#endif
    // Elsewhere through a copy of the block's target pixels.
    constexpr int L = kwMaskBlock::kColumns;
    uint16_t d[kwMaskBlock::kLanes];
    for (int r = 0; r < R; ++r) std::memcpy(d + r * C, top + r * pitch, 2 * C);
    const auto* dBytes = reinterpret_cast<const uint8_t*>(d);
    for (int k = 0; k < kwMaskBlock::kLanes; k += L) {
        const kwU16<L> out = blendMasked565<L>(load16<L>(s + 2 * k), load16<L>(dBytes + 2 * k),
                                               loadMask<L>(b.mask + k));
        std::memcpy(d + k, &out, sizeof out);
    }
    for (int r = 0; r < R; ++r) std::memcpy(top + r * pitch, d + r * C, 2 * C);
}

// The blocks of one group, each shape with its own blend.
template <int N, bool kOpaque, int C, int R>
[[gnu::always_inline]] inline void blendAny(uint8_t* top, int pitch, const kwMaskBlock& b) {
    if constexpr (C == kwMaskBlock::kColumns)
        blendBlock<N, kOpaque, R == 2>(top, pitch, b);
    else
        blendShaped<N, C, R>(top, pitch, b);
}

template <int N, bool kOpaque, int C, int R>
void blendBlocks(uint8_t* origin, int pitch, const kwMaskBlock* b, const kwMaskBlock* end) {
    for (; b != end; ++b)
        blendAny<N, kOpaque, C, R>(
            origin + std::ptrdiff_t(b->row) * pitch + std::ptrdiff_t(b->column) * 2, pitch, *b);
}

// One block's pixels one at a time, those inside the target: for a block
// crossing its edges. The formula at mask 255 is the short form's result.
template <int C, int R>
void blendBlockLanes(const kwRenderTarget& t, int64_t x, int64_t y, const kwMaskBlock& b) {
    for (int r = 0; r < R; ++r) {
        if (y + r < 0 || y + r >= t.height) continue;
        uint8_t* row = t.pixels + std::ptrdiff_t(y + r) * t.pitch;
        for (int c = 0; c < C; ++c) {
            const int lane = r * C + c;
            const uint32_t a = b.mask[lane];
            if (a == 0 || x + c < 0 || x + c >= t.width) continue;
            blendPixel16<true>(row + std::ptrdiff_t(x + c) * 2,
                               reinterpret_cast<const uint8_t*>(&b.pixels[lane]), a, 256 - a,
                               kwChannels16{});
        }
    }
}

// The blocks of a picture crossing the target's edges: a block wholly
// inside is one vector blend as usual, the others go pixel by pixel.
template <int N, bool kOpaque, int C, int R>
void blendBlocksClipped(const kwRenderTarget& t, int64_t left, int64_t top, const kwMaskBlock* b,
                        const kwMaskBlock* end) {
    for (; b != end; ++b) {
        const int64_t x = left + b->column, y = top + b->row;
        if (x >= 0 && x + C <= t.width && y >= 0 && y + R <= t.height)
            blendAny<N, kOpaque, C, R>(
                t.pixels + std::ptrdiff_t(y) * t.pitch + std::ptrdiff_t(x) * 2, t.pitch, *b);
        else
            blendBlockLanes<C, R>(t, x, y, *b);
    }
}

// A masked 5-6-5 picture drawn from its blocks: one vector blend for
// sixteen pixels, however short the runs. Blocks share no pixel, and a
// block's lanes outside the picture have mask 0, leaving the target as it
// was, so the groups may go in any order.
template <int N>
void maskBlockRows(const kwRenderTarget& t, const kwPlacement& at, const kwRunLengthSource& src) {
    constexpr int C = kwMaskBlock::kColumns;
    constexpr int L = kLineShape.columns, LR = kLineShape.rows;
    constexpr int Q = kSquareShape.columns, QR = kSquareShape.rows;
    const kwMaskBlock* const b = src.blocks;
    const kwMaskBlock* const opaqueEnd = b + src.opaqueBlocks;
    const kwMaskBlock* const pairEnd = b + src.pairBlocks;
    const kwMaskBlock* const singleEnd = b + src.singleBlocks;
    const kwMaskBlock* const lineEnd = b + src.lineBlocks;
    const kwMaskBlock* const end = b + src.blockCount;
    if (at.left < 0 || at.top < 0 || int64_t{at.left} + src.blockReach > t.width ||
        int64_t{at.top} + at.rows > t.height) {
        blendBlocksClipped<N, true, C, 2>(t, at.left, at.top, b, opaqueEnd);
        blendBlocksClipped<N, false, C, 2>(t, at.left, at.top, opaqueEnd, pairEnd);
        blendBlocksClipped<N, false, C, 1>(t, at.left, at.top, pairEnd, singleEnd);
        blendBlocksClipped<N, false, L, LR>(t, at.left, at.top, singleEnd, lineEnd);
        blendBlocksClipped<N, false, Q, QR>(t, at.left, at.top, lineEnd, end);
        return;
    }
    const int pitch = t.pitch;  // a local, for the reason spansUnclipped gives
    uint8_t* const origin = t.pixels + std::ptrdiff_t(at.top) * pitch + std::ptrdiff_t(at.left) * 2;
    // A loop per group over the whole picture: a loop per row pair, mostly
    // one to three blocks long, would cost a missed branch at nearly every end.
    blendBlocks<N, true, C, 2>(origin, pitch, b, opaqueEnd);
    blendBlocks<N, false, C, 2>(origin, pitch, opaqueEnd, pairEnd);
    blendBlocks<N, false, C, 1>(origin, pitch, pairEnd, singleEnd);
    blendBlocks<N, false, L, LR>(origin, pitch, singleEnd, lineEnd);
    blendBlocks<N, false, Q, QR>(origin, pitch, lineEnd, end);
}

// ---- entry points ------------------------------------------------------------------

template <int N, int B>
void plainFor(const kwRenderTarget& t, const kwPixelFormat& f, const kwPlacement& at,
              const uint8_t* pixels, const kwBlend& blend) {
    if (blend.mode == kwBlendMode::Constant && blend.opacity == 0) return;
    if (blend.mode != kwBlendMode::Constant || blend.opacity >= kFullOpacity)
        return plainRows<B>(t, at, pixels, CopySpan<N, B>{});
    plainRows<B>(t, at, pixels, ConstantSpan<N, B>(blend.opacity, channelsOf(f), blend.fast));
}

template <int N, int B>
void runLengthFor(const kwRenderTarget& t, const kwPixelFormat& f, const kwPlacement& at,
                  const kwRunLengthSource& src, const kwBlend& blend) {
    switch (blend.mode) {
        case kwBlendMode::Copy:
            return runLengthRows<B>(t, at, src, CopySpan<N, B>{});
        case kwBlendMode::Constant:
            if (blend.opacity == 0) return;
            if (blend.opacity >= kFullOpacity)
                return runLengthRows<B>(t, at, src, CopySpan<N, B>{});
            return runLengthRows<B>(t, at, src,
                                    ConstantSpan<N, B>(blend.opacity, channelsOf(f), blend.fast));
        case kwBlendMode::Masked:
            if (!src.maskStream || !src.maskTable) return;
            if constexpr (B == 2) {
                if (blend.fast && src.blocks && is565(f)) return maskBlockRows<N>(t, at, src);
            }
            return runLengthRows<B>(t, at, src, MaskedSpan<N, B>(channelsOf(f), blend.fast));
    }
}

// The caller has checked the target and that the depth is 16, 24 or 32.
template <int N>
void plainEntry(const kwRenderTarget& t, const kwPixelFormat& f, const kwPlacement& at,
                const uint8_t* pixels, const kwBlend& blend) {
    switch (f.bpp) {
        case 16:
            return plainFor<N, 2>(t, f, at, pixels, blend);
        case 24:
            return plainFor<N, 3>(t, f, at, pixels, blend);
        default:
            return plainFor<N, 4>(t, f, at, pixels, blend);
    }
}

template <int N>
void runLengthEntry(const kwRenderTarget& t, const kwPixelFormat& f, const kwPlacement& at,
                    const kwRunLengthSource& src, const kwBlend& blend) {
    switch (f.bpp) {
        case 16:
            return runLengthFor<N, 2>(t, f, at, src, blend);
        case 24:
            return runLengthFor<N, 3>(t, f, at, src, blend);
        default:
            return runLengthFor<N, 4>(t, f, at, src, blend);
    }
}

}  // namespace
