// The vector kernels of the blends, written once with GCC vector extensions
// for N 16-bit lanes and built twice through blit_rows.h: with 16-byte
// vectors at the base instruction set and with 32-byte vectors for AVX2.
// Each kernel blends one run of n pixels and gives exactly the per-pixel
// formula's result.
//
// Internal to the blitters: the templates sit in an anonymous namespace so
// each translation unit keeps its own instruction-set build of them.
#pragma once

#include <cstdint>
#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

// A 16-bit layout as the kernels use it: each channel's lowest bit and its
// value mask ((1 << width) - 1), red, green, blue.
struct kwChannels16 {
    int low[3] = {11, 5, 0};
    uint16_t mask[3] = {0x1F, 0x3F, 0x1F};
};

namespace {

template <int N>
struct kwVec {
    typedef uint16_t u16 __attribute__((vector_size(N * 2)));
    typedef uint8_t u8 __attribute__((vector_size(N)));
    typedef int16_t s16 __attribute__((vector_size(N * 2)));
};

// ---- one pixel at a time (the tails) -------------------------------------

inline uint32_t blendLanes16(uint32_t s, uint32_t d, uint32_t a, uint32_t i,
                             const kwChannels16& ch) {
    uint32_t r = 0;
    for (int c = 0; c < 3; ++c) {
        const int l = ch.low[c];
        const uint32_t m = ch.mask[c];
        r |= ((((s >> l) & m) * a + ((d >> l) & m) * i) >> 8) << l;
    }
    return r;
}

template <bool kFixed565 = false>
inline void blendPixel16(uint8_t* d, const uint8_t* s, uint32_t a, uint32_t i,
                         const kwChannels16& ch) {
    if constexpr (kFixed565) {
        uint16_t sv, dv;
        std::memcpy(&sv, s, 2);
        std::memcpy(&dv, d, 2);
        const uint32_t r = ((((sv >> 11) * a + (dv >> 11) * i) >> 8) << 11) |
                           (((((sv >> 5) & 63) * a + ((dv >> 5) & 63) * i) >> 8) << 5) |
                           (((sv & 31) * a + (dv & 31) * i) >> 8);
        const uint16_t out = uint16_t(r);
        std::memcpy(d, &out, 2);
        return;
    }
    uint16_t sv, dv;
    std::memcpy(&sv, s, 2);
    std::memcpy(&dv, d, 2);
    const uint16_t r = uint16_t(blendLanes16(sv, dv, a, i, ch));
    std::memcpy(d, &r, 2);
}

// 24- and 32-bit pixels: blue, green, red bytes; a 32-bit result's fourth
// byte is 0.
template <int B>
inline void blendPixelBytes(uint8_t* d, const uint8_t* s, uint32_t a, uint32_t i) {
    for (int c = 0; c < 3; ++c) d[c] = uint8_t((s[c] * a + d[c] * i) >> 8);
    if constexpr (B == 4) d[3] = 0;
}

// ---- vectors -------------------------------------------------------------
//
// A run of n pixels is blended in blocks of N lanes. The last, partial
// block is done as a whole block ending at the run's end: it is computed
// from the untouched target before the loop and stored after it, so the
// pixels it shares with the last full block get the same values. Runs
// shorter than a block go to the next narrower vector, the last few pixels
// to the scalar code.

template <int N>
using kwU16 = typename kwVec<N>::u16;

template <int N>
inline kwU16<N> channel16(kwU16<N> s, kwU16<N> d, kwU16<N> a, kwU16<N> i, int low, uint16_t mask) {
    // Both products fit a 16-bit lane: mask * 256 < 65536 for masks up to 8 bits.
    return ((((s >> low) & mask) * a + ((d >> low) & mask) * i) >> 8) << low;
}

// kFixed565: the layout is 5-6-5, so the shifts and masks are constants
// and the top and bottom fields need no masking.
template <int N, bool kFixed565>
inline kwU16<N> blend16(kwU16<N> s, kwU16<N> d, kwU16<N> a, kwU16<N> i, const kwChannels16& ch) {
    if constexpr (kFixed565) {
        const kwU16<N> r = ((((s >> 11) * a + (d >> 11) * i) >> 8) << 11);
        const kwU16<N> g = (((((s >> 5) & 63) * a + ((d >> 5) & 63) * i) >> 8) << 5);
        const kwU16<N> b = (((s & 31) * a + (d & 31) * i) >> 8);
        return r | g | b;
    } else {
        return channel16<N>(s, d, a, i, ch.low[0], ch.mask[0]) |
               channel16<N>(s, d, a, i, ch.low[1], ch.mask[1]) |
               channel16<N>(s, d, a, i, ch.low[2], ch.mask[2]);
    }
}

// The high half of the signed 16 x 16-bit products, lane by lane.
template <int N>
inline typename kwVec<N>::s16 mulHigh(typename kwVec<N>::s16 x, typename kwVec<N>::s16 y) {
    using S = typename kwVec<N>::s16;
#if defined(__x86_64__) || defined(__i386__)
    if constexpr (N == 16) {
        return (S)_mm256_mulhi_epi16((__m256i)x, (__m256i)y);
    } else if constexpr (N == 8) {
        return (S)_mm_mulhi_epi16((__m128i)x, (__m128i)y);
    } else if constexpr (N == 4) {
        __m128i wx = _mm_setzero_si128(), wy = _mm_setzero_si128();
        std::memcpy(&wx, &x, sizeof x);
        std::memcpy(&wy, &y, sizeof y);
        const __m128i h = _mm_mulhi_epi16(wx, wy);
        S out;
        std::memcpy(&out, &h, sizeof out);
        return out;
    }
#endif
    S out;
    for (int k = 0; k < N; ++k) out[k] = int16_t((int32_t(x[k]) * int32_t(y[k])) >> 16);
    return out;
}

// The masked blend on 5-6-5 with weights a and 256 - a, rewritten per
// channel as d + floor((s - d) * a / 256): one multiply instead of two, the
// difference scaled by 256 so that the high half of the product is the
// floor. Fields stay in place where that saves shifts.
template <int N>
inline kwU16<N> blendMasked565(kwU16<N> s, kwU16<N> d, kwU16<N> a) {
    using U = kwU16<N>;
    using S = typename kwVec<N>::s16;
    const S w = (S)a;
    const U dR = d >> 11;
    const U tR = (U)mulHigh<N>((S)(((s >> 11) - dR) << 8), w);
    const U dG = d & 0x07E0;
    const U tG = (U)mulHigh<N>((S)(((s & 0x07E0) - dG) << 3), w);
    const U dB = d & 0x001F;
    const U tB = (U)mulHigh<N>((S)(((s & 0x001F) - dB) << 8), w);
    return ((dR + tR) << 11) | (dG + (tG << 5)) | (dB + tB);
}

// The same blend where every mask byte is 255: (s * 255 + d) >> 8 per
// channel is the source's value, less one where it exceeds the target's.
template <int N>
inline kwU16<N> blendOpaque565(kwU16<N> s, kwU16<N> d) {
    using U = kwU16<N>;
    using S = typename kwVec<N>::s16;  // the fields are small: a signed compare serves
    const U r = (U)((S)(s >> 11) > (S)(d >> 11)) & 0x0800;
    const U g = (U)((S)(s & 0x07E0) > (S)(d & 0x07E0)) & 0x0020;
    const U b = (U)((S)(s & 0x001F) > (S)(d & 0x001F)) & 0x0001;
    return s - (r | g | b);
}

template <int N>
inline kwU16<N> load16(const uint8_t* p) {
    kwU16<N> v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

template <int N>
inline kwU16<N> loadMask(const uint8_t* m) {
#if defined(__x86_64__) || defined(__i386__)
    // Only the AVX2 build has 16 lanes: one widening load there rather than
    // two halves and an insert.
    if constexpr (N == 16) {
        __m128i v;
        std::memcpy(&v, m, sizeof v);
        return (kwU16<N>)_mm256_cvtepu8_epi16(v);
    }
#endif
    typename kwVec<N>::u8 v;
    std::memcpy(&v, m, sizeof v);
    return __builtin_convertvector(v, kwU16<N>);
}

constexpr int kNarrowest16 = 4;  // below this many pixels the scalar code is quicker

template <int N, bool kFixed565>
[[gnu::always_inline]] inline void constantRun16(uint8_t* d, const uint8_t* s, int n, uint32_t a,
                                                 const kwChannels16& ch) {
    if (n < N) {
        if constexpr (N > kNarrowest16) return constantRun16<N / 2, kFixed565>(d, s, n, a, ch);
        for (int k = 0; k < n; ++k) blendPixel16<kFixed565>(d + 2 * k, s + 2 * k, a, 255 - a, ch);
        return;
    }
    using U = kwU16<N>;
    const U av = U{} + uint16_t(a), iv = U{} + uint16_t(255 - a);
    const int last = n - N;
    const U tail =
        blend16<N, kFixed565>(load16<N>(s + 2 * last), load16<N>(d + 2 * last), av, iv, ch);
    for (int k = 0; k + N <= n; k += N) {
        const U r = blend16<N, kFixed565>(load16<N>(s + 2 * k), load16<N>(d + 2 * k), av, iv, ch);
        std::memcpy(d + 2 * k, &r, sizeof r);
    }
    std::memcpy(d + 2 * last, &tail, sizeof tail);
}

// One block of N pixels blended through N mask bytes.
template <int N, bool kFixed565>
inline kwU16<N> maskedBlock16(const uint8_t* d, const uint8_t* s, const uint8_t* m,
                              const kwChannels16& ch) {
    const kwU16<N> sv = load16<N>(s), dv = load16<N>(d), av = loadMask<N>(m);
    if constexpr (kFixed565)
        return blendMasked565<N>(sv, dv, av);
    else
        return blend16<N, kFixed565>(sv, dv, av, 256 - av, ch);
}

template <int N, bool kFixed565>
[[gnu::always_inline]] inline void maskedRun16(uint8_t* d, const uint8_t* s, const uint8_t* m,
                                               int n, const kwChannels16& ch) {
    if (n < N) {
        if constexpr (N > kNarrowest16) return maskedRun16<N / 2, kFixed565>(d, s, m, n, ch);
        for (int k = 0; k < n; ++k)
            blendPixel16<kFixed565>(d + 2 * k, s + 2 * k, m[k], 256 - m[k], ch);
        return;
    }
    using U = kwU16<N>;
    const int last = n - N;
    if (n <= 2 * N) {
        // One block from each end, both computed before either is stored so
        // their overlap gets the same values: no loop whose count the branch
        // predictor has to guess on every row.
        const U a = maskedBlock16<N, kFixed565>(d, s, m, ch);
        const U b = maskedBlock16<N, kFixed565>(d + 2 * last, s + 2 * last, m + last, ch);
        std::memcpy(d, &a, sizeof a);
        std::memcpy(d + 2 * last, &b, sizeof b);
        return;
    }
    const U tail = maskedBlock16<N, kFixed565>(d + 2 * last, s + 2 * last, m + last, ch);
    for (int k = 0; k + N <= n; k += N) {
        const U r = maskedBlock16<N, kFixed565>(d + 2 * k, s + 2 * k, m + k, ch);
        std::memcpy(d + 2 * k, &r, sizeof r);
    }
    std::memcpy(d + 2 * last, &tail, sizeof tail);
}

// 32-bit pixels as bytes widened to 16-bit lanes: N lanes hold N / 4 pixels.
template <int N>
inline typename kwVec<N>::u8 blendBytes(const uint8_t* s, const uint8_t* d, kwU16<N> a,
                                        kwU16<N> i) {
    using M = typename kwVec<N>::u8;
    M sv, dv;
    std::memcpy(&sv, s, sizeof sv);
    std::memcpy(&dv, d, sizeof dv);
    const kwU16<N> x =
        (__builtin_convertvector(sv, kwU16<N>) * a + __builtin_convertvector(dv, kwU16<N>) * i) >>
        8;
    M keep;  // blue, green, red kept; the fourth byte cleared
    for (int k = 0; k < N; ++k) keep[k] = (k % 4 == 3) ? 0 : 0xFF;
    return __builtin_convertvector(x, M) & keep;
}

// Each of the N / 4 mask bytes repeated over its pixel's four lanes.
template <int N>
inline kwU16<N> spreadMask(const uint8_t* m) {
    kwU16<N> a;
    for (int k = 0; k < N; ++k) a[k] = m[k / 4];
    return a;
}

constexpr int kNarrowest32 = 8;  // two pixels

template <int N>
[[gnu::always_inline]] inline void constantRun32(uint8_t* d, const uint8_t* s, int n, uint32_t a) {
    constexpr int kPixels = N / 4;
    if (n < kPixels) {
        if constexpr (N > kNarrowest32) return constantRun32<N / 2>(d, s, n, a);
        for (int k = 0; k < n; ++k) blendPixelBytes<4>(d + 4 * k, s + 4 * k, a, 255 - a);
        return;
    }
    using U = kwU16<N>;
    const U av = U{} + uint16_t(a), iv = U{} + uint16_t(255 - a);
    const int last = n - kPixels;
    const auto tail = blendBytes<N>(s + 4 * last, d + 4 * last, av, iv);
    for (int k = 0; k + kPixels <= n; k += kPixels) {
        const auto r = blendBytes<N>(s + 4 * k, d + 4 * k, av, iv);
        std::memcpy(d + 4 * k, &r, sizeof r);
    }
    std::memcpy(d + 4 * last, &tail, sizeof tail);
}

template <int N>
[[gnu::always_inline]] inline void maskedRun32(uint8_t* d, const uint8_t* s, const uint8_t* m,
                                               int n) {
    constexpr int kPixels = N / 4;
    if (n < kPixels) {
        if constexpr (N > kNarrowest32) return maskedRun32<N / 2>(d, s, m, n);
        for (int k = 0; k < n; ++k) blendPixelBytes<4>(d + 4 * k, s + 4 * k, m[k], 256 - m[k]);
        return;
    }
    const int last = n - kPixels;
    const kwU16<N> at = spreadMask<N>(m + last);
    const auto tail = blendBytes<N>(s + 4 * last, d + 4 * last, at, 256 - at);
    for (int k = 0; k + kPixels <= n; k += kPixels) {
        const kwU16<N> av = spreadMask<N>(m + k);
        const auto r = blendBytes<N>(s + 4 * k, d + 4 * k, av, 256 - av);
        std::memcpy(d + 4 * k, &r, sizeof r);
    }
    std::memcpy(d + 4 * last, &tail, sizeof tail);
}

}  // namespace
