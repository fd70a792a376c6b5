// Byte layouts of the .eye/.msk encoders: header words, pixel formats, the
// run grammar with its 255 splits, row tables, and mask/image alignment.
#include "assets/eye_writer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

uint32_t u32(const Bytes& b, size_t at) {
    return b.at(at) | b.at(at + 1) << 8 | b.at(at + 2) << 16 | uint32_t(b.at(at + 3)) << 24;
}

// Walks a run-length image (and, if given, its mask in step), checking the
// row tables, that every row covers exactly the width, and that the mask has
// a 0 per skip/count byte and the alpha per pixel. Returns the image's
// pixels as ARGB (0 for transparent; 24/32-bit only).
std::vector<uint32_t> walk(const Bytes& img, int bpp, const std::vector<uint32_t>* src = nullptr,
                           const Bytes* msk = nullptr) {
    const int w = int(u32(img, 12)), h = int(u32(img, 16)), bytes = bpp / 8;
    const size_t first = u32(img, 80) + 4, mfirst = msk ? u32(*msk, 52) + 4 : 0;
    EXPECT_EQ(first + u32(img, first - 4), img.size());
    std::vector<uint32_t> out;
    size_t at = first, ma = mfirst;
    auto structure = [&] {
        if (msk) {
            EXPECT_EQ(msk->at(ma++), 0);
        }
        return img.at(at++);
    };
    for (int r = 0; r < h; ++r) {
        EXPECT_EQ(u32(img, u32(img, 76) + 4 + 4 * r), at - first) << r;
        if (msk) {
            EXPECT_EQ(u32(*msk, u32(*msk, 48) + 4 + 4 * r), ma - mfirst) << r;
        }
        int x = 0;
        while (true) {
            const int s = structure();
            out.insert(out.end(), s, 0u);
            if ((x += s) >= w) break;
            const int c = structure();
            for (int i = 0; i < c; ++i, at += bytes) {
                if (msk) {
                    EXPECT_EQ(msk->at(ma++), (*src)[out.size()] >> 24);
                }
                out.push_back(0xFF000000u | img.at(at + 2) << 16 | img.at(at + 1) << 8 |
                              img.at(at));
            }
            if ((x += c) >= w) break;
        }
        EXPECT_EQ(x, w) << "row " << r;
    }
    EXPECT_EQ(at, img.size());
    if (msk) {
        EXPECT_EQ(ma, msk->size());
    }
    return out;
}

}  // namespace

TEST(EyeWriter, RawHeaderAndPixelFormats) {
    const uint32_t px[2] = {0xFF563412, 0xFFFFFFFF};
    kwEyeOptions o{.x = 1.5f, .y = -2.0f, .depth = 7.0f, .bpp = 16, .extra = 0xABCD};
    Bytes b = encodeEyeRaw(px, 2, 1, o);
    ASSERT_EQ(b.size(), 84u + 4 + 4);
    float f[3];
    std::memcpy(f, b.data(), sizeof f);
    EXPECT_EQ(f[0], 1.5f);
    EXPECT_EQ(f[1], -2.0f);
    EXPECT_EQ(f[2], 7.0f);
    EXPECT_EQ(u32(b, 12), 2u);
    EXPECT_EQ(u32(b, 16), 1u);
    EXPECT_EQ(u32(b, 20), 0xABCDu);
    EXPECT_EQ(u32(b, 28), 16u);
    EXPECT_EQ(u32(b, 32), 0xF8FCF8u);
    for (size_t i = 36; i < 80; ++i) EXPECT_EQ(b[i], 0) << i;  // unread bytes stay zero
    EXPECT_EQ(u32(b, 80), 84u);
    EXPECT_EQ(u32(b, 84), 4u);           // pixel-block length
    EXPECT_EQ(u32(b, 88), 0xFFFF51A2u);  // 5-6-5 of (r 56, g 34, b 12), then white
    o.bpp = 24;
    b = encodeEyeRaw(px, 2, 1, o);
    EXPECT_EQ(u32(b, 32), 0xFFFFFFu);
    EXPECT_EQ(Bytes(b.begin() + 84, b.end()), (Bytes{6, 0, 0, 0, 0x12, 0x34, 0x56, 255, 255, 255}));
    o.bpp = 32;
    b = encodeEyeRaw(px, 2, 1, o);
    EXPECT_EQ(u32(b, 32), 0xFFFFFFFFu);
    EXPECT_EQ(u32(b, 88), 0xFF563412u);
    EXPECT_TRUE(encodeEyeRaw(px, 1, 1, {.bpp = 8}).empty());
    EXPECT_TRUE(encodeEyeRle(px, -1, 1).empty());
}

TEST(EyeWriter, RunsLongerThan255AreSplit) {
    std::vector<uint32_t> clear(300, 0);
    Bytes b = encodeEyeRle(clear.data(), 300, 1);
    EXPECT_EQ(u32(b, 76), 80u);
    EXPECT_EQ(u32(b, 80), 88u);
    EXPECT_EQ(Bytes(b.begin() + 88, b.end()), (Bytes{3, 0, 0, 0, 255, 0, 45}));

    std::vector<uint32_t> solid(300, 0xFF000000);
    b = encodeEyeRle(solid.data(), 300, 1, {.bpp = 24});
    EXPECT_EQ(b[92], 0);
    EXPECT_EQ(b[93], 255);
    EXPECT_EQ(b[94 + 255 * 3], 0);
    EXPECT_EQ(b[95 + 255 * 3], 45);
    EXPECT_EQ(walk(b, 24), solid);
}

TEST(EyeWriter, MixedRowsRoundTripWithMatchingMask) {
    const int w = 520, h = 4;
    std::vector<uint32_t> px(w * h, 0);
    for (int x = 0; x < w; ++x) {
        px[0 * w + x] = (x % 7 < 3) ? 0 : 0x40102030u + x;  // short alternating runs
        px[1 * w + x] = x >= 10 ? 0x80FF00FFu : 0;          // trailing opaque run > 255
        px[2 * w + x] = x == w - 1 ? 0xFFF80000u : 0;       // one pixel after a long gap
        px[3 * w + x] = x < 256 ? 0x010000F8u : 0;          // opaque, then a gap to the end
    }
    const Bytes img = encodeEyeRle(px.data(), w, h, {.bpp = 32});
    const Bytes msk = encodeMask(px.data(), w, h);
    EXPECT_EQ(u32(msk, 28), 8u);
    std::vector<uint32_t> expect = px;
    for (auto& p : expect) p = p ? (0xFF000000u | (p & 0xFFFFFF)) : 0;
    EXPECT_EQ(walk(img, 32, &px, &msk), expect);
}
