// The blitters' public face: checks the target, picks the build of the row
// routines this processor runs best (AVX2 or the base instruction set; the
// pixels are the same), and the blends' formula one pixel at a time.
#include "render/blit.h"

#include <cstdlib>
#include <cstring>

#include "render/blit_rows.h"

namespace {

constinit const kwBlitRows kBaseRows = {
#if defined(__SSE2__)
    "sse2",
#else
    "generic",
#endif
    &plainEntry<8>, &runLengthEntry<8>};

// GG_BLIT_BASE=1 keeps the base rows on an AVX2 processor: the tests run
// them that way too, and it rules the AVX2 rows out when chasing a fault.
const kwBlitRows* pickRows() {
#if defined(__x86_64__) || defined(__i386__)
    const char* base = std::getenv("GG_BLIT_BASE");
    if (__builtin_cpu_supports("avx2") && !(base && std::strcmp(base, "1") == 0)) return &kAvx2Rows;
#endif
    return &kBaseRows;
}

const kwBlitRows& rows() {
    static const kwBlitRows* const chosen = pickRows();
    return *chosen;
}

bool usableTarget(const kwRenderTarget& t, const kwPixelFormat& f) {
    return t.pixels && t.width > 0 && t.height > 0 && (f.bpp == 16 || f.bpp == 24 || f.bpp == 32);
}

// The formula as written: for each channel mask M,
// result |= ((s & M) * a + (d & M) * i) >> 8 & M.
uint32_t blendFormula(uint32_t s, uint32_t d, uint32_t a, uint32_t i, int bytesPerPixel,
                      const kwPixelFormat& f) {
    const uint32_t masks16[3] = {f.red.mask, f.green.mask, f.blue.mask};
    const uint32_t masks24[3] = {0xFF0000, 0xFF00, 0xFF};
    const uint32_t* masks = bytesPerPixel == 2 ? masks16 : masks24;
    uint32_t r = 0;
    for (int c = 0; c < 3; ++c) {
        const uint64_t sum = uint64_t(s & masks[c]) * a + uint64_t(d & masks[c]) * i;
        r |= uint32_t(sum >> 8) & masks[c];
    }
    return r;
}

}  // namespace

void blitPlain(const kwRenderTarget& target, const kwPixelFormat& format, const kwPlacement& at,
               const uint8_t* pixels, const kwBlend& blend) {
    if (!pixels || !usableTarget(target, format) || blend.mode == kwBlendMode::Masked) return;
    rows().plain(target, format, at, pixels, blend);
}

void blitRunLength(const kwRenderTarget& target, const kwPixelFormat& format, const kwPlacement& at,
                   const kwRunLengthSource& source, const kwBlend& blend) {
    if (!source.stream || !source.rowTable || !usableTarget(target, format)) return;
    rows().runLength(target, format, at, source, blend);
}

uint32_t blendConstantPixel(uint32_t s, uint32_t d, uint32_t opacity, int bytesPerPixel,
                            const kwPixelFormat& format) {
    return blendFormula(s, d, opacity, kFullOpacity - opacity, bytesPerPixel, format);
}

uint32_t blendMaskedPixel(uint32_t s, uint32_t d, uint32_t alpha, int bytesPerPixel,
                          const kwPixelFormat& format) {
    return blendFormula(s, d, alpha, 256 - alpha, bytesPerPixel, format);
}

const char* blitVectorPath() {
    return rows().name;
}
