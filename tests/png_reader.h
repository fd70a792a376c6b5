// A minimal PNG reader for tests: reads back what our writer produces
// (stored deflate blocks, 8-bit RGB, no filters) and checks the container,
// the checksums and the layout with gtest expectations as it goes.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "render/png_writer.h"

namespace pngtest {

inline uint32_t be32(const std::string& s, size_t at) {
    auto b = [&](size_t i) { return uint32_t(uint8_t(s[at + i])); };
    return b(0) << 24 | b(1) << 16 | b(2) << 8 | b(3);
}

struct Chunk {
    std::string type, data;
};

// Splits the file into chunks, failing the test on a bad CRC or length.
inline std::vector<Chunk> readChunks(const std::string& png) {
    std::vector<Chunk> out;
    const std::string sig("\x89PNG\r\n\x1a\n", 8);
    EXPECT_EQ(png.substr(0, 8), sig);
    size_t pos = 8;
    while (pos + 12 <= png.size()) {
        uint32_t len = be32(png, pos);
        EXPECT_LE(pos + 12 + len, png.size());
        if (pos + 12 + len > png.size()) break;
        Chunk c{png.substr(pos + 4, 4), png.substr(pos + 8, len)};
        auto* typeAndData = reinterpret_cast<const uint8_t*>(png.data()) + pos + 4;
        EXPECT_EQ(be32(png, pos + 8 + len), pngCrc32(typeAndData, len + 4)) << c.type;
        out.push_back(c);
        pos += 12 + len;
    }
    EXPECT_EQ(pos, png.size());
    return out;
}

// Inflates a zlib stream of stored blocks and checks its header and Adler-32.
inline std::string inflateStored(const std::string& z) {
    EXPECT_GE(z.size(), 6u);
    EXPECT_EQ((uint8_t(z[0]) << 8 | uint8_t(z[1])) % 31, 0);
    EXPECT_EQ(uint8_t(z[0]) & 0x0F, 8);  // deflate
    std::string raw;
    size_t pos = 2;
    bool last = false;
    while (!last && pos + 5 <= z.size()) {
        uint8_t header = uint8_t(z[pos]);
        last = header & 1;
        EXPECT_EQ(header >> 1, 0) << "only stored blocks expected";
        uint32_t len = uint8_t(z[pos + 1]) | uint8_t(z[pos + 2]) << 8;
        uint32_t nlen = uint8_t(z[pos + 3]) | uint8_t(z[pos + 4]) << 8;
        EXPECT_EQ(len ^ 0xFFFF, nlen);
        EXPECT_LE(len, 65535u);
        raw.append(z, pos + 5, len);
        pos += 5 + len;
    }
    EXPECT_TRUE(last);
    EXPECT_EQ(pos + 4, z.size());
    EXPECT_EQ(be32(z, pos), adler32(reinterpret_cast<const uint8_t*>(raw.data()), raw.size()));
    return raw;
}

struct Decoded {
    uint32_t width = 0, height = 0;
    std::vector<uint8_t> rgb;  // unfiltered
};

inline Decoded decode(const std::string& png) {
    Decoded d;
    auto chunks = readChunks(png);
    EXPECT_GE(chunks.size(), 3u);
    if (chunks.size() < 3) return d;
    EXPECT_EQ(chunks.front().type, "IHDR");
    EXPECT_EQ(chunks.back().type, "IEND");
    EXPECT_TRUE(chunks.back().data.empty());
    const std::string& h = chunks.front().data;
    EXPECT_EQ(h.size(), 13u);
    d.width = be32(h, 0);
    d.height = be32(h, 4);
    EXPECT_EQ(h.substr(8), std::string("\x08\x02\x00\x00\x00", 5));
    std::string z;
    for (auto& c : chunks)
        if (c.type == "IDAT") z += c.data;
    std::string raw = inflateStored(z);
    size_t stride = 1 + size_t(d.width) * 3;
    EXPECT_EQ(raw.size(), stride * d.height);
    for (uint32_t y = 0; y < d.height && (y + 1) * stride <= raw.size(); ++y) {
        EXPECT_EQ(raw[y * stride], 0) << "filter type of row " << y;
        d.rgb.insert(d.rgb.end(), raw.begin() + y * stride + 1, raw.begin() + (y + 1) * stride);
    }
    return d;
}
}  // namespace pngtest
