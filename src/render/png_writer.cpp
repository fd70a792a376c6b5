// PNG output without a library: signature, IHDR, one IDAT holding a zlib
// stream of "stored" (uncompressed) deflate blocks, IEND. Screenshots are
// rare, so size does not matter and the writer stays short and obviously
// correct.
#include "render/png_writer.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>

#include "shell/log.h"

namespace {

constexpr int kMaxSide = 1 << 15;          // far beyond any picture of ours
constexpr size_t kStoredBlockMax = 65535;  // deflate's stored-block limit
constexpr uint32_t kAdlerMod = 65521;
constexpr uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

std::array<uint32_t, 256> makeCrcTable() {
    std::array<uint32_t, 256> table{};
    for (uint32_t n = 0; n < 256; ++n) {
        uint32_t c = n;
        for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}

void putBE32(std::string& out, uint32_t v) {
    out.push_back(char(v >> 24));
    out.push_back(char(v >> 16));
    out.push_back(char(v >> 8));
    out.push_back(char(v));
}

void putChunk(std::string& out, const char type[4], const std::string& data) {
    putBE32(out, uint32_t(data.size()));
    size_t start = out.size();
    out.append(type, 4);
    out += data;
    auto* p = reinterpret_cast<const uint8_t*>(out.data()) + start;
    putBE32(out, pngCrc32(p, out.size() - start));
}

// One channel of the 16-bit layout: where it sits and how wide it is.
struct Channel {
    int low = 0;
    int width = 0;
    uint16_t mask = 0;
};

Channel channelOf(uint16_t mask) {
    Channel c;
    c.mask = mask;
    if (!mask) return c;
    int high = 15;
    while (!(mask & (1u << c.low))) ++c.low;
    while (!(mask & (1u << high))) --high;
    c.width = high - c.low + 1;
    return c;
}

// Widens a channel to 8 bits by repeating its bits: 5-bit 31 -> 255, 0 -> 0.
uint8_t expand(uint16_t pixel, const Channel& c) {
    if (!c.width) return 0;
    uint32_t v = (pixel & c.mask) >> c.low;
    if (c.width >= 8) return uint8_t(v >> (c.width - 8));
    uint32_t out = 0;
    for (int filled = 0; filled < 8; filled += c.width) out = (out << c.width) | v;
    int total = ((8 + c.width - 1) / c.width) * c.width;
    return uint8_t(out >> (total - 8));
}

// The filtered scanlines: a zero filter byte, then R, G, B per pixel.
std::string scanlines(const uint16_t* pixels, int width, int height, int pitchBytes,
                      kwPixelLayout layout) {
    Channel r = channelOf(layout.red), g = channelOf(layout.green), b = channelOf(layout.blue);
    std::string raw;
    raw.reserve(size_t(height) * (1 + size_t(width) * 3));
    auto* base = reinterpret_cast<const uint8_t*>(pixels);
    for (int y = 0; y < height; ++y) {
        const uint8_t* row = base + size_t(y) * size_t(pitchBytes);
        raw.push_back(0);
        for (int x = 0; x < width; ++x) {
            uint16_t p;
            std::memcpy(&p, row + size_t(x) * 2, 2);
            raw.push_back(char(expand(p, r)));
            raw.push_back(char(expand(p, g)));
            raw.push_back(char(expand(p, b)));
        }
    }
    return raw;
}

// A zlib stream made of stored deflate blocks.
std::string zlibStored(const std::string& raw) {
    std::string z;
    z.reserve(raw.size() + raw.size() / kStoredBlockMax * 5 + 16);
    z.push_back(char(0x78));  // deflate, 32K window
    z.push_back(char(0x01));  // no preset dictionary, check bits make 0x7801 % 31 == 0
    size_t pos = 0;
    do {
        size_t len = std::min(kStoredBlockMax, raw.size() - pos);
        bool last = pos + len == raw.size();
        z.push_back(char(last ? 1 : 0));
        z.push_back(char(len & 0xFF));
        z.push_back(char(len >> 8));
        z.push_back(char(~len & 0xFF));
        z.push_back(char((~len >> 8) & 0xFF));
        z.append(raw, pos, len);
        pos += len;
    } while (pos < raw.size());
    putBE32(z, adler32(reinterpret_cast<const uint8_t*>(raw.data()), raw.size()));
    return z;
}

bool argumentsValid(const uint16_t* pixels, int width, int height, int pitchBytes) {
    if (!pixels || width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) {
        debugFail("writePng - bad picture size");
        return false;
    }
    if (pitchBytes < width * 2) {
        debugFail("writePng - pitch shorter than a row");
        return false;
    }
    return true;
}

}  // namespace

uint32_t pngCrc32(const uint8_t* data, size_t length, uint32_t crc) {
    static const std::array<uint32_t, 256> table = makeCrcTable();
    crc = ~crc;
    for (size_t i = 0; i < length; ++i) crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

uint32_t adler32(const uint8_t* data, size_t length, uint32_t adler) {
    uint32_t a = adler & 0xFFFF, b = adler >> 16;
    for (size_t i = 0; i < length; ++i) {
        a = (a + data[i]) % kAdlerMod;
        b = (b + a) % kAdlerMod;
    }
    return (b << 16) | a;
}

std::string encodePng(const uint16_t* pixels, int width, int height, int pitchBytes,
                      kwPixelLayout layout) {
    if (!argumentsValid(pixels, width, height, pitchBytes)) return {};
    std::string ihdr;
    putBE32(ihdr, uint32_t(width));
    putBE32(ihdr, uint32_t(height));
    ihdr += char(8);  // bits per channel
    ihdr += char(2);  // colour type: RGB
    ihdr += char(0);  // compression: deflate
    ihdr += char(0);  // filter method 0
    ihdr += char(0);  // no interlace

    std::string png(reinterpret_cast<const char*>(kSignature), sizeof kSignature);
    putChunk(png, "IHDR", ihdr);
    putChunk(png, "IDAT", zlibStored(scanlines(pixels, width, height, pitchBytes, layout)));
    putChunk(png, "IEND", {});
    return png;
}

bool writePng(const std::string& path, const uint16_t* pixels, int width, int height,
              int pitchBytes, kwPixelLayout layout) {
    std::string png = encodePng(pixels, width, height, pitchBytes, layout);
    if (png.empty()) return false;
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) {
        debugFail("writePng - cannot open", path.c_str());
        return false;
    }
    bool ok = std::fwrite(png.data(), 1, png.size(), f) == png.size();
    ok = (std::fclose(f) == 0) && ok;
    if (!ok) {
        std::remove(path.c_str());
        debugFail("writePng - write failed", path.c_str());
    }
    return ok;
}
