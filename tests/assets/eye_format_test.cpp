// Image payloads: depth and layout conversions with their worked numbers,
// the rebuilt row table and the new sizes, and every kind of malformed
// payload refused (with the class::operation message) instead of read.
#include "assets/eye_format.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>

#include "eye_payloads.h"
#include "shell/log.h"

using namespace eyetest;

namespace {

const kwPixelFormat k565 = makePixelFormat(0xF800, 0x07E0, 0x001F);
const kwPixelFormat k555 = makePixelFormat(0x7C00, 0x03E0, 0x001F);

constexpr size_t kBpp = 28, kFormat = 32, kTable = 76, kPixels = 80;

std::vector<uint8_t> raw1(uint32_t argb, int bpp) {
    kwEyeOptions o;
    o.bpp = bpp;
    return encodeEyeRaw(&argb, 1, 1, o);
}

// A 565 payload holding exactly these 16-bit values (one row).
std::vector<uint8_t> raw16(const std::vector<uint16_t>& px, uint32_t word = 0xF8FCF8) {
    std::vector<uint32_t> argb(px.size(), 0xFF000000u);
    auto p = encodeEyeRaw(argb.data(), int(px.size()), 1);
    putU32(p, kFormat, word);
    for (size_t i = 0; i < px.size(); ++i) {
        p[88 + 2 * i] = uint8_t(px[i]);
        p[89 + 2 * i] = uint8_t(px[i] >> 8);
    }
    return p;
}

struct Captured {
    Captured() { logCaptureBegin(); }
    ~Captured() { logCaptureEnd(); }
    std::string text() const { return logCaptured(); }
};

// Reads a run-length image back to 0xRRGGBB per pixel (transparent = -1),
// through the row table, so a stale table shows up as wrong pixels.
std::vector<int64_t> decode(const kwLinkedFile& f) {
    const int w = int(u32At(f, 12)), h = int(u32At(f, 16)), bytes = int(u32At(f, kBpp)) / 8;
    const uint32_t first = u32At(f, kPixels) + 4, table = u32At(f, kTable) + 4;
    std::vector<int64_t> out;
    for (int r = 0; r < h; ++r) {
        const uint8_t* p = f.data + first + u32At(f, table + 4 * size_t(r));
        int x = 0;
        for (;;) {
            const int s = *p++;
            out.insert(out.end(), size_t(s), -1);
            if ((x += s) >= w) break;
            const int c = *p++;
            for (int i = 0; i < c; ++i, p += bytes)
                out.push_back(bytes == 2 ? int64_t(p[0] | p[1] << 8)
                                         : int64_t(p[2]) << 16 | p[1] << 8 | p[0]);
            if ((x += c) >= w) break;
        }
    }
    return out;
}

}  // namespace

TEST(PixelFormat, ShiftsAndMasksOfBothLayouts) {
    EXPECT_EQ(k555.sR, 7);
    EXPECT_EQ(k555.sG, 2);
    EXPECT_EQ(k555.sB, 3);
    EXPECT_EQ(k555.red.mask8, 248u);
    EXPECT_EQ(k555.green.mask8, 248u);
    EXPECT_EQ(k555.blue.mask8, 248u);
    EXPECT_EQ(k565.sR, 8);
    EXPECT_EQ(k565.sG, 3);
    EXPECT_EQ(k565.sB, 3);
    EXPECT_EQ(k565.green.mask8, 252u);
    EXPECT_EQ(k565.formatWord(), 0xF8FCF8u);
    EXPECT_EQ(k555.formatWord(), 0xF8F8F8u);
    EXPECT_EQ(k565.green.doubled, 0x07E007E0u);
    EXPECT_EQ(k565.green.low, 5);
    EXPECT_EQ(k565.green.width, 6);
    // Fields moved to the top of 16-, 24- and 32-bit words and back.
    EXPECT_EQ(k555.redTop, 0xF800u);
    EXPECT_EQ(k555.redBack, 1);
    EXPECT_EQ(k565.greenTop, 0xFC0000u);
    EXPECT_EQ(k565.blueTop, 0xF8000000u);
    EXPECT_EQ(k565.blueBack, 27);
    // Depths other than 16 describe 5-6-5; nonsense masks fall back to it.
    EXPECT_EQ(makePixelFormat(0x7C00, 0x03E0, 0x1F, 32).red.mask, 0xF800u);
    Captured log;
    EXPECT_EQ(makePixelFormat(0, 0xF0F0, 0x1F).red.mask, 0xF800u);
    EXPECT_NE(log.text().find("kwPixelFormat::makePixelFormat"), std::string::npos);
    EXPECT_EQ(pixelFormat.red.mask, 0xF800u);  // the display's format before any screen exists
}

TEST(EyeConvert, WorkedExamplesOfEachDepthPair) {
    // 24-bit (blue 0x12, green 0x34, red 0x56) on a 5-6-5 display.
    auto f = record(raw1(0xFF563412, 24));
    ASSERT_TRUE(changeBPP(*f, kwEyeKind::Plain, k565, 16));
    EXPECT_EQ(u16At(*f, 88), 0x51A2);
    EXPECT_EQ(u32At(*f, kBpp), 16u);
    EXPECT_EQ(u32At(*f, kFormat), 0xF8FCF8u);
    EXPECT_EQ(u32At(*f, 84), 2u);  // pixel-block length
    EXPECT_EQ(f->payloadSize(), 90u);
    // The same pixel on a 5-5-5 display.
    f = record(raw1(0xFF563412, 32));
    ASSERT_TRUE(changeBPP(*f, kwEyeKind::Plain, k555, 16));
    EXPECT_EQ(u16At(*f, 88), ((0x50 << 7) | (0x30 << 2) | (0x10 >> 3)));
    // 16 -> 32: 0xF800 becomes 00 00 F8 FF; 16 -> 24 the same without the 255.
    f = record(raw16({0xF800}));
    ASSERT_TRUE(changeBPP(*f, kwEyeKind::Plain, k565, 32));
    EXPECT_EQ(u32At(*f, 88), 0xFFF80000u);
    EXPECT_EQ(u32At(*f, kFormat), 0xFFFFFFFFu);
    f = record(raw16({0x07FF}));
    ASSERT_TRUE(changeBPP(*f, kwEyeKind::Plain, k565, 24));
    EXPECT_EQ(f->data[88], 0xF8);  // blue
    EXPECT_EQ(f->data[89], 0xFC);  // green
    EXPECT_EQ(f->data[90], 0x00);  // red
    EXPECT_EQ(u32At(*f, kFormat), 0xFFFFFFu);
    // 24 -> 32 adds 255; 32 -> 24 drops the fourth byte whatever it held.
    f = record(raw1(0xFF123456, 24));
    ASSERT_TRUE(changeBPP(*f, kwEyeKind::Plain, k565, 32));
    EXPECT_EQ(u32At(*f, 88), 0xFF123456u);
    f = record(raw1(0xFF123456, 32));
    f->data[91] = 7;
    ASSERT_TRUE(changeBPP(*f, kwEyeKind::Plain, k565, 24));
    EXPECT_EQ(f->payloadSize(), 88u + 3u);
    EXPECT_EQ(f->data[90], 0x12);
}

TEST(EyeConvert, SixteenBitLayoutsConvertInPlace) {
    auto f = record(raw16({0xFFFF, 0x07E0, 0xF81F}));
    const uint8_t* before = f->data;
    ASSERT_TRUE(changeBPP(*f, kwEyeKind::Plain, k555, 16));
    EXPECT_EQ(f->data, before);
    EXPECT_EQ(u16At(*f, 88), 0x7FFF);
    EXPECT_EQ(u16At(*f, 90), 0x03E0);
    EXPECT_EQ(u16At(*f, 92), 0x7C1F);
    EXPECT_EQ(u32At(*f, kFormat), 0xF8F8F8u);
    // Already in the display's layout: left exactly as it is.
    const std::vector<uint8_t> same = raw16({0x1234, 0xBEEF});
    f = record(same);
    ASSERT_TRUE(changeBPP(*f, kwEyeKind::Plain, k565, 16));
    EXPECT_EQ(std::vector<uint8_t>(f->data, f->data + f->payloadSize()), same);
    // A payload whose word says 5-5-5 is read as 5-5-5 on a 5-6-5 display.
    f = record(raw16({0x7FFF, 0x03E0}, 0xF8F8F8));
    ASSERT_TRUE(changeBPP(*f, kwEyeKind::Plain, k565, 16));
    EXPECT_EQ(u16At(*f, 88), 0xFFDF);
    EXPECT_EQ(u16At(*f, 90), 0x07C0);
}

TEST(EyeConvert, RunLengthKeepsRunsAndRebuildsTheTable) {
    const int w = 300, h = 7;
    auto pic = patchwork(w, h, 5);
    for (int x = 0; x < w; ++x) pic[size_t(x)] = 0;  // row 0: skip 255, count 0, skip 45
    kwEyeOptions o;
    o.bpp = 32;
    const auto payload = encodeEyeRle(pic.data(), w, h, o);
    auto f = record(payload);
    const uint32_t pixelsBefore = u32At(*f, 84 + 4 * h);
    kwEyeLayout layout;
    ASSERT_TRUE(checkEye(*f, kwEyeKind::RunLength, &layout));
    ASSERT_TRUE(changeBPP(*f, kwEyeKind::RunLength, k565, 16));
    // Two bytes fewer for every opaque pixel; size follows.
    EXPECT_EQ(f->payloadSize(), payload.size() - 2 * layout.opaquePixels);
    EXPECT_EQ(f->size, f->payloadSize() + 36);
    EXPECT_EQ(u32At(*f, 84 + 4 * h), pixelsBefore - 2 * layout.opaquePixels);
    const uint32_t first = 84 + 4 * h + 4;
    EXPECT_EQ(f->data[first], 255);
    EXPECT_EQ(f->data[first + 1], 0);
    EXPECT_EQ(f->data[first + 2], 45);
    // Every pixel, read through the new table, is the 5-6-5 of the original.
    const auto got = decode(*f);
    ASSERT_EQ(got.size(), pic.size());
    for (size_t i = 0; i < pic.size(); ++i) {
        const uint32_t p = pic[i];
        const int64_t want =
            (p >> 24) == 0 ? -1
                           : int64_t(((p >> 8) & 0xF800) | ((p >> 5) & 0x07E0) | ((p >> 3) & 0x1F));
        ASSERT_EQ(got[i], want) << "pixel " << i;
    }
    // And back up to 24 bits: the table moves again.
    ASSERT_TRUE(changeBPP(*f, kwEyeKind::RunLength, k565, 24));
    EXPECT_EQ(decode(*f).size(), pic.size());
    EXPECT_TRUE(checkEye(*f, kwEyeKind::RunLength, nullptr));
}

TEST(EyeConvert, NewLinkedFileBitsFillsTheHeaderPart) {
    auto pic = fruit(20, 10);
    const auto payload = encodeEyeRle(pic.data(), 20, 10);
    auto f = record(payload);
    kwEyeLayout layout;
    ASSERT_TRUE(checkEye(*f, kwEyeKind::RunLength, &layout));
    uint32_t length = 0;
    uint8_t* bits = newLinkedFileBits(*f, kwEyeKind::RunLength, k565, 32, &length);
    ASSERT_NE(bits, nullptr);
    EXPECT_EQ(length, layout.pixelStart + layout.runBytes + 4 * layout.opaquePixels);
    EXPECT_EQ(readU32(bits + layout.pixelStart - 4), length - layout.pixelStart);
    EXPECT_EQ(readU32(bits + kBpp), 32u);
    EXPECT_EQ(readU32(bits + kFormat), 0xFFFFFFFFu);
    EXPECT_EQ(std::memcmp(bits, payload.data(), 28), 0);  // the rest of the header as it was
    EXPECT_EQ(std::memcmp(bits + 84, payload.data() + 84, 40), 0);
    EXPECT_EQ(f->payloadSize(), payload.size());  // the record is untouched until swapped
    delete[] bits;
}

TEST(EyeConvert, ArgumentOtherThanDisplayDepthsIsRefused) {
    const auto payload = raw16({0xF800});
    auto f = record(payload);
    Captured log;
    EXPECT_FALSE(changeBPP(*f, kwEyeKind::Plain, k565, 8));
    EXPECT_NE(log.text().find("kwEyeRaw::changeBPP - argument must be 16, 24, 32 (not 8)"),
              std::string::npos);
    EXPECT_FALSE(changeBPP(*f, kwEyeKind::RunLength, k565, 8));
    EXPECT_NE(log.text().find("kwEyeTransparency::changeBPP - argument must be 16, 24, 32 (not 8)"),
              std::string::npos);
    EXPECT_EQ(std::vector<uint8_t>(f->data, f->data + f->payloadSize()), payload);
}

TEST(EyeCheck, WrongRowTableIsRebuilt) {
    auto pic = fruit(16, 16);
    auto payload = encodeEyeRle(pic.data(), 16, 16);
    const auto good = payload;
    for (int r = 0; r < 16; ++r) putU32(payload, 84 + 4 * size_t(r), 0xFFFFFF00u + uint32_t(r));
    auto f = record(payload, "table.eye");
    Captured log;
    ASSERT_TRUE(checkEye(*f, kwEyeKind::RunLength, nullptr));
    EXPECT_NE(log.text().find("kwEyeTransparency::changeBPP - row table rebuilt table.eye"),
              std::string::npos);
    EXPECT_EQ(std::vector<uint8_t>(f->data, f->data + f->payloadSize()), good);
}

// Each case damages a good payload in one way; all must be refused.
struct Damage {
    const char* what;
    kwEyeKind kind;
    std::function<void(std::vector<uint8_t>&)> apply;
};

TEST(EyeCheck, MalformedPayloadsAreRefused) {
    auto pic = fruit(24, 12);
    const auto rle = encodeEyeRle(pic.data(), 24, 12);
    const auto raw = encodeEyeRaw(pic.data(), 24, 12);
    const uint32_t P = 84 + 4 * 12;
    const std::vector<Damage> cases = {
        {"truncated by one byte", kwEyeKind::RunLength, [](auto& p) { p.pop_back(); }},
        {"shorter than the header", kwEyeKind::RunLength, [](auto& p) { p.resize(83); }},
        {"plain truncated", kwEyeKind::Plain, [](auto& p) { p.resize(p.size() - 2); }},
        {"lying block length", kwEyeKind::RunLength,
         [&](auto& p) { putU32(p, P, u32At(p, P) + 1); }},
        {"plain lying width", kwEyeKind::Plain, [](auto& p) { putU32(p, 12, 25); }},
        {"rle lying width", kwEyeKind::RunLength, [](auto& p) { putU32(p, 12, 23); }},
        {"rle lying height", kwEyeKind::RunLength, [](auto& p) { putU32(p, 16, 11); }},
        {"huge width", kwEyeKind::Plain, [](auto& p) { putU32(p, 12, 1u << 20); }},
        {"negative height", kwEyeKind::Plain, [](auto& p) { putU32(p, 16, uint32_t(-12)); }},
        {"zero width", kwEyeKind::RunLength, [](auto& p) { putU32(p, 12, 0); }},
        {"depth 8", kwEyeKind::Plain, [](auto& p) { putU32(p, kBpp, 8); }},
        {"depth 15", kwEyeKind::RunLength, [](auto& p) { putU32(p, kBpp, 15); }},
        {"pixel position past the end", kwEyeKind::Plain,
         [](auto& p) { putU32(p, kPixels, uint32_t(p.size()) - 3); }},
        {"pixel position inside the header", kwEyeKind::Plain,
         [](auto& p) { putU32(p, kPixels, 40); }},
        {"pixel position wraps", kwEyeKind::Plain, [](auto& p) { putU32(p, kPixels, 0xFFFFFFFE); }},
        {"row overruns the width", kwEyeKind::RunLength,
         [&](auto& p) { p[P + 4] = 200; }},  // first skip byte of row 0
        {"count runs past the width", kwEyeKind::RunLength,
         [](auto& p) {
             // A middle row's first count byte claims more than the width.
             const uint32_t first = 84 + 4 * 12 + 4, row = u32At(p, 84 + 4 * 5);
             p.at(first + row + 1) = 255;
         }},
        {"row table over the header fields", kwEyeKind::RunLength,
         [](auto& p) { putU32(p, kTable, 60); }},
        {"row table over the pixels", kwEyeKind::RunLength,
         [&](auto& p) { putU32(p, kTable, P - 8); }},
        {"row table wraps", kwEyeKind::RunLength, [](auto& p) { putU32(p, kTable, 0xFFFFFFFC); }},
        {"trailing bytes after the rows", kwEyeKind::RunLength,
         [&](auto& p) {
             p.push_back(0);
             putU32(p, P, u32At(p, P) + 1);
         }},
    };
    for (const Damage& d : cases) {
        auto payload = d.kind == kwEyeKind::Plain ? raw : rle;
        d.apply(payload);
        auto f = record(payload, "bad.eye");
        Captured log;
        EXPECT_FALSE(changeBPP(*f, d.kind, k565, 32)) << d.what;
        const char* cls = d.kind == kwEyeKind::Plain ? "kwEyeRaw" : "kwEyeTransparency";
        EXPECT_NE(log.text().find(std::string(cls) + "::changeBPP - malformed payload bad.eye"),
                  std::string::npos)
            << d.what << ": " << log.text();
        EXPECT_EQ(std::vector<uint8_t>(f->data, f->data + f->payloadSize()), payload) << d.what;
    }
}

TEST(EyeCheck, RandomDamageNeverReadsOutside) {
    // Flipped bytes anywhere in a valid payload: the check either refuses it
    // or the conversion walks it completely (AddressSanitizer watches).
    auto pic = patchwork(40, 9, 3);
    const auto good = encodeEyeRle(pic.data(), 40, 9);
    std::mt19937 rng(11);
    Captured log;
    int accepted = 0;
    for (int round = 0; round < 3000; ++round) {
        auto p = good;
        for (int k = 0; k < 1 + int(rng() % 3); ++k) p[rng() % p.size()] = uint8_t(rng());
        if (rng() % 8 == 0) p.resize(rng() % p.size());
        auto f = record(p);
        const bool plain = rng() % 4 == 0;
        if (changeBPP(*f, plain ? kwEyeKind::Plain : kwEyeKind::RunLength, k565, 24)) {
            ++accepted;
            EXPECT_TRUE(checkEye(*f, plain ? kwEyeKind::Plain : kwEyeKind::RunLength, nullptr));
        }
    }
    EXPECT_GT(accepted, 0);
}

TEST(MaskCheck, FollowsTheImageRuns) {
    auto pic = fruit(30, 20);
    auto image = record(encodeEyeRle(pic.data(), 30, 20));
    kwEyeLayout il, ml;
    ASSERT_TRUE(checkEye(*image, kwEyeKind::RunLength, &il));
    auto maskPayload = encodeMask(pic.data(), 30, 20);
    auto mask = record(maskPayload, "m.msk");
    ASSERT_EQ(checkMask(*mask, *image, il, &ml), kwMaskVerdict::Ok);
    EXPECT_EQ(ml.blockLength, il.runBytes + il.opaquePixels);
    // A wrong table entry is put right.
    auto bent = maskPayload;
    putU32(bent, 84 + 4 * 5, 3);
    mask = record(bent, "m.msk");
    Captured log;
    ASSERT_EQ(checkMask(*mask, *image, il, &ml), kwMaskVerdict::Ok);
    EXPECT_EQ(u32At(*mask, 84 + 4 * 5), u32At(maskPayload, 84 + 4 * 5));
    EXPECT_NE(log.text().find("mask row table rebuilt m.msk"), std::string::npos);
    // Not 8 bits: left to the caller's message.
    auto deep = maskPayload;
    putU32(deep, kBpp, 16);
    mask = record(deep);
    EXPECT_EQ(checkMask(*mask, *image, il, &ml), kwMaskVerdict::NotEightBit);
    // Other structures are refused.
    auto other = fruit(30, 20, 9);
    other[45] = 0;  // one more skip run than the image has
    const std::vector<std::vector<uint8_t>> bad = {
        encodeMask(other.data(), 30, 20),
        encodeMask(pic.data(), 30, 19),
        std::vector<uint8_t>(maskPayload.begin(), maskPayload.end() - 1),
        std::vector<uint8_t>(maskPayload.begin(), maskPayload.begin() + 50),
    };
    for (size_t i = 0; i < bad.size(); ++i) {
        mask = record(bad[i], "bad.msk");
        EXPECT_EQ(checkMask(*mask, *image, il, &ml), kwMaskVerdict::Malformed) << i;
    }
    EXPECT_NE(log.text().find("kwEyeTransparencyMaskedAlpha::draw - malformed payload bad.msk"),
              std::string::npos);
}
