// .eye and .msk payloads: header reading, the complete check of a payload
// (sizes, positions, every run of every row, the row tables), and the
// conversions to the display's depth and 16-bit layout. Everything read
// from the payload is checked here before it is used; the blitters rely on
// a payload that passed.
#include "assets/eye_format.h"

#include <cstdio>
#include <cstring>
#include <new>

#include "shell/log.h"

namespace {

// Header fields shared by both payloads.
constexpr uint32_t kOffX = 0, kOffY = 4, kOffDepth = 8, kOffWidth = 12, kOffHeight = 16;
constexpr uint32_t kOffExtra = 20, kOffBpp = 28, kOffFormat = 32;
constexpr uint32_t kOffEyeTable = 76, kOffEyePixels = 80;
constexpr uint32_t kOffMaskTable = 48, kOffMaskPixels = 52;

constexpr uint32_t kFormat24 = 0xFFFFFF, kFormat32 = 0xFFFFFFFF;
constexpr uint32_t kMaskBits = 0xFFFFFF;  // the three 8-bit channel masks of a format word

float readF32(const uint8_t* p) {
    const uint32_t v = readU32(p);
    float f;
    std::memcpy(&f, &v, sizeof f);
    return f;
}

const char* className(kwEyeKind kind) {
    return kind == kwEyeKind::Plain ? "kwEyeRaw" : "kwEyeTransparency";
}

// "<class>::<operation> - <text>" with the record name and a reason.
bool refuse(const char* cls, const char* operation, const kwLinkedFile& file, const char* why) {
    char message[96], detail[160];
    std::snprintf(message, sizeof message, "%s::%s - malformed payload", cls, operation);
    std::snprintf(detail, sizeof detail, "%.31s (%s)", file.name, why);
    debugFail(message, detail);
    return false;
}

bool sideOk(int32_t side) {
    return side > 0 && side <= kEyeMaxSide;
}

void readCommon(const uint8_t* d, kwEyeHeader* h) {
    h->x = readF32(d + kOffX);
    h->y = readF32(d + kOffY);
    h->depth = readF32(d + kOffDepth);
    h->width = int32_t(readU32(d + kOffWidth));
    h->height = int32_t(readU32(d + kOffHeight));
    h->extra = readU32(d + kOffExtra);
    h->bpp = int32_t(readU32(d + kOffBpp));
}

// ---- run-length rows -------------------------------------------------------

struct RowWalk {
    uint32_t pos = 0;  // byte offset in the pixel block
    uint32_t runBytes = 0;
    uint32_t pixels = 0;
};

// Walks one row of `width` pixels from w.pos; false if a run leaves the
// block or the row does not cover exactly `width` pixels.
bool walkRow(const uint8_t* block, uint32_t length, int32_t width, uint32_t bytesPerPixel,
             RowWalk& w) {
    int32_t x = 0;
    for (;;) {
        if (w.pos >= length) return false;
        x += block[w.pos++];
        ++w.runBytes;
        if (x >= width) return x == width;
        if (w.pos >= length) return false;
        const uint32_t count = block[w.pos++];
        ++w.runBytes;
        x += int32_t(count);
        if (x > width || uint64_t{count} * bytesPerPixel > length - w.pos) return false;
        w.pos += count * bytesPerPixel;
        w.pixels += count;
        if (x == width) return true;
    }
}

// The row table must sit after the fixed header and before the pixel-block
// word, so rebuilding it can never touch a field that is read.
bool tableFits(uint32_t tablePos, int32_t height, uint32_t headerBytes, uint32_t pixelPos) {
    const uint64_t start = uint64_t{tablePos} + 4;
    return start >= headerBytes && start + 4 * uint64_t(height) <= pixelPos;
}

const char* checkRunLength(kwLinkedFile& file, kwEyeLayout& L, bool* rebuilt) {
    const kwEyeHeader& h = L.header;
    if (!tableFits(h.rowTablePos, h.height, kEyeHeaderBytes, h.pixelPos))
        return "row table outside the header part";
    L.rowTable = h.rowTablePos + 4;
    const uint8_t* block = file.data + L.pixelStart;
    uint8_t* table = file.data + L.rowTable;
    const uint32_t bytesPerPixel = uint32_t(h.bpp / 8);
    RowWalk w;
    bool wrong = false;
    for (int32_t r = 0; r < h.height; ++r) {
        if (readU32(table + 4 * size_t(r)) != w.pos) wrong = true;
        if (!walkRow(block, L.blockLength, h.width, bytesPerPixel, w)) return "row overruns";
    }
    if (w.pos != L.blockLength) return "pixel block longer than its rows";
    L.runBytes = w.runBytes;
    L.opaquePixels = w.pixels;
    *rebuilt = wrong;
    if (wrong) {
        RowWalk again;
        for (int32_t r = 0; r < h.height; ++r) {
            writeU32(table + 4 * size_t(r), again.pos);
            walkRow(block, L.blockLength, h.width, bytesPerPixel, again);
        }
    }
    return nullptr;
}

const char* checkEyeLayout(kwLinkedFile& file, kwEyeKind kind, kwEyeLayout& L, bool* rebuilt) {
    const uint32_t length = file.payloadSize();
    if (!file.data) return "no payload";
    if (!readEyeHeader(file.data, length, &L.header)) return "shorter than the header";
    const kwEyeHeader& h = L.header;
    if (!sideOk(h.width) || !sideOk(h.height)) return "bad width or height";
    if (h.bpp != 16 && h.bpp != 24 && h.bpp != 32) return "bad bits per pixel";
    if (h.pixelPos < kEyeHeaderBytes || uint64_t{h.pixelPos} + 4 > length)
        return "pixel block outside the payload";
    L.pixelStart = h.pixelPos + 4;
    L.blockLength = length - L.pixelStart;
    if (readU32(file.data + h.pixelPos) != L.blockLength)
        return "pixel block length does not match the payload";
    if (kind == kwEyeKind::Plain) {
        const uint64_t expected = uint64_t(h.width) * uint64_t(h.height) * uint64_t(h.bpp / 8);
        return expected == L.blockLength ? nullptr : "pixel block length does not match the size";
    }
    return checkRunLength(file, L, rebuilt);
}

// ---- pixel conversion -----------------------------------------------------

uint32_t shiftLeft(uint32_t v, int s) {
    return s >= 0 ? v << s : v >> -s;
}

// The 16-bit layout a payload's format word describes: channels packed from
// bit 0 upward (blue, green, red), each as wide as its 8-bit mask. Anything
// that is not such a word is read as 5-6-5, the files' own layout.
int maskWidth(uint32_t mask8) {
    for (int n = 1; n <= 8; ++n)
        if (mask8 == ((255u >> (8 - n)) << (8 - n))) return n;
    return 0;
}

kwPixelFormat layoutOfWord(uint32_t word) {
    const int nR = maskWidth((word >> 16) & 0xFF), nG = maskWidth((word >> 8) & 0xFF),
              nB = maskWidth(word & 0xFF);
    if (nR == 0 || nG == 0 || nB == 0 || nR + nG + nB > 16)
        return makePixelFormat(0xF800, 0x07E0, 0x001F);
    const uint32_t blue = (1u << nB) - 1, green = ((1u << nG) - 1) << nB,
                   red = ((1u << nR) - 1) << (nB + nG);
    return makePixelFormat(red, green, blue);
}

struct Converter {
    int fromBytes = 2, toBytes = 2;
    kwPixelFormat from16, to16;

    void operator()(const uint8_t* s, uint8_t* d, uint32_t count) const {
        for (uint32_t i = 0; i < count; ++i, s += fromBytes, d += toBytes) pixel(s, d);
    }

    void pixel(const uint8_t* s, uint8_t* d) const {
        uint32_t r, g, b;
        if (fromBytes == 2) {
            const uint32_t p = uint32_t(s[0]) | uint32_t(s[1]) << 8;
            r = shiftLeft(p & from16.red.mask, -from16.sR) & 0xFF;
            g = shiftLeft(p & from16.green.mask, -from16.sG) & 0xFF;
            b = shiftLeft(p & from16.blue.mask, from16.sB) & 0xFF;
        } else {
            b = s[0];
            g = s[1];
            r = s[2];
        }
        if (toBytes == 2) {
            const uint32_t p = shiftLeft(r & to16.red.mask8, to16.sR) |
                               shiftLeft(g & to16.green.mask8, to16.sG) |
                               shiftLeft(b & to16.blue.mask8, -to16.sB);
            d[0] = uint8_t(p);
            d[1] = uint8_t(p >> 8);
            return;
        }
        d[0] = uint8_t(b);
        d[1] = uint8_t(g);
        d[2] = uint8_t(r);
        if (toBytes == 4) d[3] = 255;
    }
};

// Copies the run bytes, converts the pixels behind count bytes, and writes
// the new row table (offsets in the new stream).
void convertRows(const uint8_t* src, uint8_t* dst, uint8_t* table, const kwEyeHeader& h,
                 const Converter& conv) {
    uint32_t in = 0, out = 0;
    for (int32_t r = 0; r < h.height; ++r) {
        writeU32(table + 4 * size_t(r), out);
        int32_t x = 0;
        for (;;) {
            x += (dst[out++] = src[in++]);
            if (x >= h.width) break;
            const uint32_t count = (dst[out++] = src[in++]);
            conv(src + in, dst + out, count);
            in += count * uint32_t(conv.fromBytes);
            out += count * uint32_t(conv.toBytes);
            x += int32_t(count);
            if (x >= h.width) break;
        }
    }
}

void convertPixels(const uint8_t* src, uint8_t* dst, uint8_t* table, kwEyeKind kind,
                   const kwEyeHeader& h, const Converter& conv) {
    if (kind == kwEyeKind::Plain)
        conv(src, dst, uint32_t(h.width) * uint32_t(h.height));
    else
        convertRows(src, dst, table, h, conv);
}

Converter makeConverter(const kwEyeHeader& h, const kwPixelFormat& display, int toBpp) {
    Converter c;
    c.fromBytes = h.bpp / 8;
    c.toBytes = toBpp / 8;
    c.from16 = layoutOfWord(h.formatWord);
    c.to16 = display;
    return c;
}

uint32_t formatWordFor(int bpp, const kwPixelFormat& display) {
    if (bpp == 16) return display.formatWord();
    return bpp == 24 ? kFormat24 : kFormat32;
}

uint8_t* newBits(kwLinkedFile& file, kwEyeKind kind, const kwPixelFormat& display,
                 const kwEyeLayout& L, int newBpp, uint32_t* newLength) {
    const kwEyeHeader& h = L.header;
    const uint64_t newBytes = uint64_t(newBpp / 8);
    const uint64_t block = kind == kwEyeKind::Plain
                               ? uint64_t(h.width) * uint64_t(h.height) * newBytes
                               : uint64_t{L.runBytes} + uint64_t{L.opaquePixels} * newBytes;
    const uint64_t total = uint64_t{L.pixelStart} + block;
    uint8_t* bits = total + kwLinkedFile::kHeaderSize <= UINT32_MAX ? new (std::nothrow)
                                                                          uint8_t[size_t(total)]
                                                                    : nullptr;
    if (!bits) {
        char message[96];
        std::snprintf(message, sizeof message, "%s::newLinkedFileBits - unable to allocate memory",
                      className(kind));
        debugFail(message, file.name);
        return nullptr;
    }
    std::memcpy(bits, file.data, L.pixelStart);
    writeU32(bits + h.pixelPos, uint32_t(block));
    writeU32(bits + kOffBpp, uint32_t(newBpp));
    writeU32(bits + kOffFormat, formatWordFor(newBpp, display));
    *newLength = uint32_t(total);
    return bits;
}

bool convertDepth(kwLinkedFile& file, kwEyeKind kind, const kwPixelFormat& display, int bpp,
                  kwEyeLayout& L) {
    uint32_t length = 0;
    uint8_t* bits = newBits(file, kind, display, L, bpp, &length);
    if (!bits) return false;
    const Converter conv = makeConverter(L.header, display, bpp);
    convertPixels(file.data + L.pixelStart, bits + L.pixelStart, bits + L.rowTable, kind, L.header,
                  conv);
    file.replaceData(bits, length);
    L.header.bpp = bpp;
    L.header.formatWord = formatWordFor(bpp, display);
    L.blockLength = length - L.pixelStart;
    return true;
}

// 16-bit pixels of another layout, rewritten where they lie.
void convertLayout(kwLinkedFile& file, kwEyeKind kind, const kwPixelFormat& display,
                   kwEyeLayout& L) {
    const Converter conv = makeConverter(L.header, display, 16);
    uint8_t* pixels = file.data + L.pixelStart;
    // Same depth: the stream converts onto itself pixel by pixel, and the
    // row table stays where it is (convertRows rewrites the same values).
    convertPixels(pixels, pixels, file.data + L.rowTable, kind, L.header, conv);
    L.header.formatWord = display.formatWord();
    writeU32(file.data + kOffFormat, L.header.formatWord);
}

}  // namespace

void readEyeFormatWords(const uint8_t* data, uint32_t length, uint32_t* bpp, uint32_t* format) {
    const bool whole = data && length >= kEyeHeaderBytes;
    *bpp = whole ? readU32(data + kOffBpp) : 0;
    *format = whole ? readU32(data + kOffFormat) : 0;
}

bool readEyeHeader(const uint8_t* data, uint32_t length, kwEyeHeader* out) {
    if (!data || length < kEyeHeaderBytes) return false;
    readCommon(data, out);
    out->formatWord = readU32(data + kOffFormat);
    out->rowTablePos = readU32(data + kOffEyeTable);
    out->pixelPos = readU32(data + kOffEyePixels);
    return true;
}

bool readMaskHeader(const uint8_t* data, uint32_t length, kwEyeHeader* out) {
    if (!data || length < kMaskHeaderBytes) return false;
    readCommon(data, out);
    out->formatWord = 0;
    out->rowTablePos = readU32(data + kOffMaskTable);
    out->pixelPos = readU32(data + kOffMaskPixels);
    return true;
}

bool checkEye(kwLinkedFile& file, kwEyeKind kind, kwEyeLayout* out) {
    kwEyeLayout L;
    bool rebuilt = false;
    if (const char* why = checkEyeLayout(file, kind, L, &rebuilt))
        return refuse(className(kind), "changeBPP", file, why);
    if (rebuilt) {
        char message[96];
        std::snprintf(message, sizeof message, "%s::changeBPP - row table rebuilt",
                      className(kind));
        debugFail(message, file.name);
    }
    if (out) *out = L;
    return true;
}

kwMaskVerdict checkMask(kwLinkedFile& mask, const kwLinkedFile& image,
                        const kwEyeLayout& imageLayout, kwEyeLayout* out) {
    static const char* const kCls = "kwEyeTransparencyMaskedAlpha";
    kwEyeLayout M;
    const uint32_t length = mask.payloadSize();
    if (!mask.data || !readMaskHeader(mask.data, length, &M.header)) {
        refuse(kCls, "draw", mask, "mask shorter than its header");
        return kwMaskVerdict::Malformed;
    }
    const kwEyeHeader& h = M.header;
    if (h.bpp != 8) return kwMaskVerdict::NotEightBit;
    const char* why = nullptr;
    const uint64_t units = uint64_t{imageLayout.runBytes} + imageLayout.opaquePixels;
    if (h.width != imageLayout.header.width || h.height != imageLayout.header.height)
        why = "mask size differs from the image";
    else if (h.pixelPos < kMaskHeaderBytes || uint64_t{h.pixelPos} + 4 > length)
        why = "mask stream outside the payload";
    else if (readU32(mask.data + h.pixelPos) != length - h.pixelPos - 4 ||
             length - h.pixelPos - 4 != units)
        why = "mask stream does not follow the image's runs";
    else if (!tableFits(h.rowTablePos, h.height, kMaskHeaderBytes, h.pixelPos))
        why = "mask row table outside the header part";
    if (why) {
        refuse(kCls, "draw", mask, why);
        return kwMaskVerdict::Malformed;
    }
    M.pixelStart = h.pixelPos + 4;
    M.blockLength = uint32_t(units);
    M.rowTable = h.rowTablePos + 4;
    // Each mask row starts where the image row does, counted in one unit per
    // run byte and per opaque pixel.
    const uint8_t* block = image.data + imageLayout.pixelStart;
    const uint32_t bytesPerPixel = uint32_t(imageLayout.header.bpp / 8);
    uint8_t* table = mask.data + M.rowTable;
    bool wrong = false;
    RowWalk w;
    for (int32_t r = 0; r < h.height; ++r) {
        const uint32_t start = w.runBytes + w.pixels;
        if (readU32(table + 4 * size_t(r)) != start) {
            wrong = true;
            writeU32(table + 4 * size_t(r), start);
        }
        walkRow(block, imageLayout.blockLength, h.width, bytesPerPixel, w);
    }
    if (wrong) {
        debugFail("kwEyeTransparencyMaskedAlpha::draw - mask row table rebuilt", mask.name);
        payloadsChanged();
    }
    if (out) *out = M;
    return kwMaskVerdict::Ok;
}

bool changeBPP(kwLinkedFile& file, kwEyeKind kind, const kwPixelFormat& display, int bpp,
               kwEyeLayout* layout) {
    if (bpp != 16 && bpp != 24 && bpp != 32) {
        debugLogf("%s::changeBPP - argument must be 16, 24, 32 (not %d)\r\n", className(kind), bpp);
        return false;
    }
    kwEyeLayout L;
    if (!checkEye(file, kind, &L)) return false;
    payloadsChanged();  // the bytes may change below
    if (L.header.bpp != bpp) {
        if (!convertDepth(file, kind, display, bpp, L)) return false;
    } else if (bpp == 16 && (L.header.formatWord & kMaskBits) != display.formatWord()) {
        convertLayout(file, kind, display, L);
    }
    if (layout) *layout = L;
    return true;
}

uint8_t* newLinkedFileBits(kwLinkedFile& file, kwEyeKind kind, const kwPixelFormat& display,
                           int newBpp, uint32_t* newLength) {
    kwEyeLayout L;
    if (newBpp != 16 && newBpp != 24 && newBpp != 32) return nullptr;
    if (!newLength || !checkEye(file, kind, &L)) return nullptr;
    return newBits(file, kind, display, L, newBpp, newLength);
}
