// Writes .eye and .msk payloads. Both share an 84-byte header; run-length
// images and masks put their row table straight after it and the pixel
// block (a u32 byte count, then the bytes) last, as the readers expect.
#include "assets/eye_writer.h"

#include <cstring>

namespace {

constexpr uint32_t kRowTablePos = 80;  // table starts at T + 4 = 84
constexpr uint32_t kMaxRun = 255;
constexpr int64_t kMaxPixels = int64_t{1} << 26;  // far beyond any game picture

constexpr uint32_t kOffX = 0, kOffY = 4, kOffDepth = 8, kOffWidth = 12, kOffHeight = 16;
constexpr uint32_t kOffExtra = 20, kOffBpp = 28, kOffFormat = 32;
constexpr uint32_t kOffEyeTable = 76, kOffEyePixels = 80;
constexpr uint32_t kOffMaskTable = 48, kOffMaskPixels = 52;

void putU32(std::vector<uint8_t>& out, size_t at, uint32_t v) {
    out[at] = uint8_t(v);
    out[at + 1] = uint8_t(v >> 8);
    out[at + 2] = uint8_t(v >> 16);
    out[at + 3] = uint8_t(v >> 24);
}

void putF32(std::vector<uint8_t>& out, size_t at, float f) {
    uint32_t v;
    std::memcpy(&v, &f, sizeof v);
    putU32(out, at, v);
}

bool validArgs(const uint32_t* argb, int w, int h, int bpp) {
    if (w < 0 || h < 0 || int64_t{w} * h > kMaxPixels) return false;
    if (bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) return false;
    return argb != nullptr || int64_t{w} * h == 0;
}

uint32_t formatWord(int bpp) {
    if (bpp == 16) return kEyeFormat565;
    return bpp == 24 ? kEyeFormat24 : kEyeFormat32;
}

std::vector<uint8_t> header(int w, int h, int bpp, const kwEyeOptions& o) {
    std::vector<uint8_t> out(kEyeHeaderSize, 0);
    putF32(out, kOffX, o.x);
    putF32(out, kOffY, o.y);
    putF32(out, kOffDepth, o.depth);
    putU32(out, kOffWidth, uint32_t(w));
    putU32(out, kOffHeight, uint32_t(h));
    putU32(out, kOffExtra, o.extra);
    putU32(out, kOffBpp, uint32_t(bpp));
    if (bpp != 8) putU32(out, kOffFormat, formatWord(bpp));
    return out;
}

void appendPixel(std::vector<uint8_t>& out, uint32_t p, int bpp) {
    const uint8_t r = uint8_t(p >> 16), g = uint8_t(p >> 8), b = uint8_t(p);
    if (bpp == 8) {
        out.push_back(uint8_t(p >> 24));
    } else if (bpp == 16) {
        const uint16_t v = uint16_t(((r & 0xF8) << 8) | ((g & 0xFC) << 3) | (b >> 3));
        out.push_back(uint8_t(v));
        out.push_back(uint8_t(v >> 8));
    } else {
        out.push_back(b);
        out.push_back(g);
        out.push_back(r);
        if (bpp == 32) out.push_back(255);
    }
}

// Emits one row as skip and count runs. `run` gets each skip/count byte,
// `pixel` each opaque pixel, in stream order.
template <class Run, class Pixel>
void encodeRow(const uint32_t* row, int w, Run run, Pixel pixel) {
    int x = 0;
    do {
        int skip = 0;
        while (x + skip < w && (row[x + skip] >> 24) == 0) ++skip;
        x += skip;
        for (; skip > int(kMaxRun); skip -= kMaxRun) {
            run(kMaxRun);
            run(0);
        }
        run(uint8_t(skip));
        if (x >= w) return;
        int count = 0;
        while (x + count < w && (row[x + count] >> 24) != 0) ++count;
        while (count > 0) {
            const int c = count > int(kMaxRun) ? int(kMaxRun) : count;
            run(uint8_t(c));
            for (int i = 0; i < c; ++i) pixel(row[x + i]);
            x += c;
            count -= c;
            if (count > 0) run(0);  // zero skip between the pieces of a long run
        }
    } while (x < w);
}

// Shared by the run-length image and its mask: header, row table at 84,
// then the pixel block. `bpp` 8 writes the mask's alpha stream.
std::vector<uint8_t> encodeRunLength(const uint32_t* argb, int w, int h, int bpp,
                                     const kwEyeOptions& o, uint32_t tableField,
                                     uint32_t pixelField) {
    std::vector<uint8_t> out = header(w, h, bpp, o);
    const uint32_t tableBytes = uint32_t(h) * 4;
    const uint32_t pixelPos = kEyeHeaderSize + tableBytes;
    out.resize(pixelPos + 4, 0);
    putU32(out, tableField, kRowTablePos);
    putU32(out, pixelField, pixelPos);
    const size_t first = out.size();
    for (int r = 0; r < h; ++r) {
        putU32(out, kEyeHeaderSize + 4 * uint32_t(r), uint32_t(out.size() - first));
        encodeRow(
            argb + size_t(r) * size_t(w), w,
            [&](uint32_t b) { out.push_back(bpp == 8 ? 0 : uint8_t(b)); },
            [&](uint32_t p) { appendPixel(out, p, bpp); });
    }
    putU32(out, pixelPos, uint32_t(out.size() - first));
    return out;
}

}  // namespace

std::vector<uint8_t> encodeEyeRaw(const uint32_t* argb, int w, int h, const kwEyeOptions& o) {
    if (o.bpp == 8 || !validArgs(argb, w, h, o.bpp)) return {};
    std::vector<uint8_t> out = header(w, h, o.bpp, o);
    const uint32_t pixelPos = kEyeHeaderSize;
    putU32(out, kOffEyePixels, pixelPos);
    const size_t n = size_t(w) * size_t(h);
    out.resize(pixelPos + 4, 0);
    putU32(out, pixelPos, uint32_t(n * size_t(o.bpp / 8)));
    out.reserve(out.size() + n * size_t(o.bpp / 8));
    for (size_t i = 0; i < n; ++i) appendPixel(out, argb[i], o.bpp);
    return out;
}

std::vector<uint8_t> encodeEyeRle(const uint32_t* argb, int w, int h, const kwEyeOptions& o) {
    if (o.bpp == 8 || !validArgs(argb, w, h, o.bpp)) return {};
    return encodeRunLength(argb, w, h, o.bpp, o, kOffEyeTable, kOffEyePixels);
}

std::vector<uint8_t> encodeMask(const uint32_t* argb, int w, int h, const kwEyeOptions& o) {
    if (!validArgs(argb, w, h, 8)) return {};
    return encodeRunLength(argb, w, h, 8, o, kOffMaskTable, kOffMaskPixels);
}
