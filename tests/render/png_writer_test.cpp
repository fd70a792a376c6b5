// Decodes the writer's own PNG with a minimal reader (stored deflate blocks
// only) and checks the container, the checksums and the pixels.
#include "render/png_writer.h"
#include "png_reader.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

using pngtest::decode;
using pngtest::Decoded;

TEST(PngWriter, KnownChecksums) {
    const std::string s = "123456789";
    auto* p = reinterpret_cast<const uint8_t*>(s.data());
    EXPECT_EQ(pngCrc32(p, s.size()), 0xCBF43926u);
    const std::string w = "Wikipedia";
    EXPECT_EQ(adler32(reinterpret_cast<const uint8_t*>(w.data()), w.size()), 0x11E60398u);
    // Continuing a checksum over two halves equals one pass.
    EXPECT_EQ(pngCrc32(p + 4, 5, pngCrc32(p, 4)), 0xCBF43926u);
}

TEST(PngWriter, Pixels565ExpandByBitReplication) {
    // Row pitch wider than the picture: the padding must not leak in.
    const int w = 3, h = 2, pitch = 8;
    std::vector<uint16_t> buf(pitch / 2 * h, 0xDEAD);
    uint16_t* row0 = buf.data();
    uint16_t* row1 = buf.data() + pitch / 2;
    row0[0] = 0xFFFF;  // white
    row0[1] = 0x0000;  // black
    row0[2] = 0xF800;  // pure red
    row1[0] = 0x07E0;  // pure green
    row1[1] = 0x001F;  // pure blue
    row1[2] = (0x10 << 11) | (0x21 << 5) | 0x01;
    Decoded d = decode(encodePng(buf.data(), w, h, pitch, kLayout565));
    ASSERT_EQ(d.width, 3u);
    ASSERT_EQ(d.height, 2u);
    const std::vector<uint8_t> want = {255, 255, 255, 0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0, 255,
                                       // 5-bit 16 -> 132, 6-bit 33 -> 134, 5-bit 1 -> 8
                                       132, 134, 8};
    EXPECT_EQ(d.rgb, want);
}

TEST(PngWriter, Pixels555) {
    const uint16_t px[2] = {0x7C00, uint16_t(0x03E0 | 0x8000)};  // top bit is not a channel
    Decoded d = decode(encodePng(px, 2, 1, 4, kLayout555));
    const std::vector<uint8_t> want = {255, 0, 0, 0, 255, 0};
    EXPECT_EQ(d.rgb, want);
}

TEST(PngWriter, LargePictureSpansSeveralStoredBlocks) {
    // 800x600 needs ~1.44 MB of scanlines: many 65535-byte blocks.
    const int w = 800, h = 600;
    std::vector<uint16_t> frame(size_t(w) * h);
    for (int i = 0; i < w * h; ++i) frame[i] = uint16_t(i * 2654435761u >> 16);
    Decoded d = decode(encodePng(frame.data(), w, h, w * 2, kLayout565));
    ASSERT_EQ(d.rgb.size(), size_t(w) * h * 3);
    for (int i : {0, 1, 65535 / 3, w * h / 2, w * h - 1}) {
        uint16_t p = frame[i];
        EXPECT_EQ(d.rgb[i * 3 + 0], uint8_t((p >> 11) << 3 | (p >> 11) >> 2)) << i;
        EXPECT_EQ(d.rgb[i * 3 + 1], uint8_t(((p >> 5) & 63) << 2 | ((p >> 5) & 63) >> 4)) << i;
        EXPECT_EQ(d.rgb[i * 3 + 2], uint8_t((p & 31) << 3 | (p & 31) >> 2)) << i;
    }
}

TEST(PngWriter, RefusesBadArguments) {
    const uint16_t px[4] = {};
    EXPECT_TRUE(encodePng(nullptr, 1, 1, 2, kLayout565).empty());
    EXPECT_TRUE(encodePng(px, 0, 1, 2, kLayout565).empty());
    EXPECT_TRUE(encodePng(px, 1, -1, 2, kLayout565).empty());
    EXPECT_TRUE(encodePng(px, 2, 1, 3, kLayout565).empty());  // pitch shorter than a row
    EXPECT_FALSE(writePng("/nonexistent-dir/x.png", px, 2, 2, 4, kLayout565));
}

TEST(PngWriter, WritesTheFile) {
    const uint16_t px[4] = {0xFFFF, 0, 0, 0xFFFF};
    std::string path =
        ::testing::TempDir() + "png_writer_test_" + std::to_string(getpid()) + ".png";
    ASSERT_TRUE(writePng(path, px, 2, 2, 4, kLayout565));
    std::ifstream in(path, std::ios::binary);
    std::string file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(file, encodePng(px, 2, 2, 4, kLayout565));
    std::remove(path.c_str());
}

