#include "seeds.h"

#include "assets/eye_writer.h"
#include "assets/lfl_writer.h"

namespace {

std::vector<uint32_t> picture(int w, int h) {
    std::vector<uint32_t> px(size_t(w) * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const bool corner = (x < 2 || x >= w - 2) && (y < 2 || y >= h - 2);
            const uint32_t a = corner ? 0 : (x == 2 || y == 2) ? 0x80 : 0xFF;
            px[size_t(y) * w + x] = a << 24 | uint32_t(x * 9) << 16 | uint32_t(y * 7) << 8 | 0x33;
        }
    return px;
}

kwFuzzInput join(const std::vector<uint8_t>& control, const std::vector<uint8_t>& a,
                 const std::vector<uint8_t>& b = {}) {
    kwFuzzInput out(control);
    out.insert(out.end(), a.begin(), a.end());
    out.insert(out.end(), b.begin(), b.end());
    return out;
}

}  // namespace

std::vector<kwFuzzInput> archiveSeeds() {
    const std::vector<uint8_t> small = {1, 2, 3, 4, 5};
    const auto pic = picture(6, 5);
    kwFuzzInput two = lflRecord("a.eye", encodeEyeRle(pic.data(), 6, 5));
    const auto second = lflRecord("b.bin", small);
    two.insert(two.end(), second.begin(), second.end());
    return {two, lflRecord("only.bin", small), lflRecord("empty", {})};
}

std::vector<kwFuzzInput> imageSeeds() {
    const auto pic = picture(9, 7);
    const auto rle = encodeEyeRle(pic.data(), 9, 7);
    const auto mask = encodeMask(pic.data(), 9, 7);
    const uint8_t maskUnits = uint8_t((mask.size() + 15) / 16);
    std::vector<uint8_t> paddedMask(mask);
    paddedMask.resize(size_t(maskUnits) * 16, 0);
    kwEyeOptions deep;
    deep.bpp = 24;
    return {
        join({0x40, maskUnits, 10, 200}, rle, paddedMask),
        join({0x80, 0, 0x90, 0x70}, encodeEyeRaw(pic.data(), 9, 7)),
        join({0xC0, 0, 3, 128}, encodeEyeRle(pic.data(), 9, 7, deep)),
        join({0x00, 0, 0xFF, 0x01}, encodeEyeRaw(pic.data(), 9, 7, deep)),
    };
}
