// Reads the window dumps `xwd` takes of the real game, for the real-window
// test: a checksum of a rectangle (to tell what changed on screen) or the
// whole dump as a PNG (to look at after a failure).
//
//   xwd_probe hash FILE.xwd X Y W H
//   xwd_probe png FILE.xwd OUT.png
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "render/png_writer.h"

namespace {
constexpr size_t kHeaderWords = 25;
constexpr uint32_t kZPixmap = 2;
constexpr size_t kColorEntryBytes = 12;

// Only what the dumps of a 24-bit TrueColor window need; anything else is refused.
struct XwdImage {
    uint32_t width = 0, height = 0, bytesPerLine = 0;
    bool lsbFirst = true;
    const uint8_t* pixels = nullptr;
    std::vector<uint8_t> file;

    uint32_t rgb(uint32_t x, uint32_t y) const {
        const uint8_t* p = pixels + size_t(y) * bytesPerLine + size_t(x) * 4;
        uint32_t v = lsbFirst ? p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24
                              : uint32_t(p[0]) << 24 | p[1] << 16 | p[2] << 8 | p[3];
        return v & 0xffffffu;
    }
};

uint32_t word(const std::vector<uint8_t>& f, size_t i) {
    const uint8_t* p = f.data() + i * 4;  // the header is always big-endian
    return uint32_t(p[0]) << 24 | p[1] << 16 | p[2] << 8 | p[3];
}

bool load(const char* path, XwdImage* img) {
    std::ifstream in(path, std::ios::binary);
    img->file.assign(std::istreambuf_iterator<char>(in), {});
    const auto& f = img->file;
    if (f.size() < kHeaderWords * 4) return false;
    const uint32_t headerSize = word(f, 0), format = word(f, 2), bpp = word(f, 11);
    const uint32_t colors = word(f, 19);
    img->width = word(f, 4);
    img->height = word(f, 5);
    img->lsbFirst = word(f, 7) == 0;
    img->bytesPerLine = word(f, 12);
    if (format != kZPixmap || bpp != 32 || img->bytesPerLine < uint64_t(img->width) * 4)
        return false;
    const uint64_t start = uint64_t(headerSize) + uint64_t(colors) * kColorEntryBytes;
    if (start + uint64_t(img->bytesPerLine) * img->height > f.size()) return false;
    img->pixels = f.data() + start;
    return true;
}

int hashRegion(const XwdImage& img, char** argv) {
    const long x = std::atol(argv[0]), y = std::atol(argv[1]);
    const long w = std::atol(argv[2]), h = std::atol(argv[3]);
    if (x < 0 || y < 0 || w <= 0 || h <= 0 || x + w > long(img.width) || y + h > long(img.height)) {
        std::fprintf(stderr, "xwd_probe: region outside the %ux%u picture\n", img.width,
                     img.height);
        return 2;
    }
    uint64_t hash = 14695981039346656037ull;  // FNV-1a over the RGB values
    for (long row = y; row < y + h; ++row)
        for (long col = x; col < x + w; ++col) {
            hash ^= img.rgb(uint32_t(col), uint32_t(row));
            hash *= 1099511628211ull;
        }
    std::printf("%016llx\n", static_cast<unsigned long long>(hash));
    return 0;
}

int toPng(const XwdImage& img, const char* out) {
    std::vector<uint16_t> frame(size_t(img.width) * img.height);
    for (uint32_t y = 0; y < img.height; ++y)
        for (uint32_t x = 0; x < img.width; ++x) {
            const uint32_t c = img.rgb(x, y);
            frame[size_t(y) * img.width + x] =
                uint16_t((c >> 19 & 0x1f) << 11 | (c >> 10 & 0x3f) << 5 | (c >> 3 & 0x1f));
        }
    return writePng(out, frame.data(), int(img.width), int(img.height), int(img.width) * 2,
                    kLayout565)
               ? 0
               : 2;
}
}  // namespace

int main(int argc, char** argv) {
    const bool hash = argc == 7 && !std::strcmp(argv[1], "hash");
    const bool png = argc == 4 && !std::strcmp(argv[1], "png");
    if (!hash && !png) {
        std::fputs("usage: xwd_probe hash FILE.xwd X Y W H | png FILE.xwd OUT.png\n", stderr);
        return 2;
    }
    XwdImage img;
    if (!load(argv[2], &img)) {
        std::fprintf(stderr, "xwd_probe: %s is not a 32-bit ZPixmap dump\n", argv[2]);
        return 2;
    }
    return hash ? hashRegion(img, argv + 3) : toPng(img, argv[3]);
}
