// Image payloads for the image-format, blitter and lfl show tests: pictures
// made by code (a soft-edged fruit, random run patterns), records holding a
// payload, and little-endian field access for tampering with headers.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <random>
#include <vector>

#include "assets/eye_writer.h"
#include "assets/linked_file.h"

namespace eyetest {

inline uint32_t u32At(const std::vector<uint8_t>& b, size_t at) {
    return uint32_t(b.at(at)) | uint32_t(b.at(at + 1)) << 8 | uint32_t(b.at(at + 2)) << 16 |
           uint32_t(b.at(at + 3)) << 24;
}

inline void putU32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    for (int k = 0; k < 4; ++k) b.at(at + k) = uint8_t(v >> (8 * k));
}

inline uint32_t u32At(const kwLinkedFile& f, size_t at) {
    return uint32_t(f.data[at]) | uint32_t(f.data[at + 1]) << 8 | uint32_t(f.data[at + 2]) << 16 |
           uint32_t(f.data[at + 3]) << 24;
}

inline uint16_t u16At(const kwLinkedFile& f, size_t at) {
    return uint16_t(f.data[at] | f.data[at + 1] << 8);
}

// A record holding a copy of the payload, as an archive would.
inline std::unique_ptr<kwLinkedFile> record(const std::vector<uint8_t>& payload,
                                            const char* name = "test.eye") {
    return makeLinkedFile(name, payload);
}

// A round fruit with an anti-aliased rim: opaque inside, alpha falling off
// over the last two pixels of the radius, transparent in the corners.
inline std::vector<uint32_t> fruit(int w, int h, uint32_t seed = 1) {
    std::vector<uint32_t> out(size_t(w) * size_t(h));
    std::mt19937 rng(seed);
    const float cx = (w - 1) / 2.0f, cy = (h - 1) / 2.0f;
    const float radius = 0.5f * float(w < h ? w : h) - 0.5f;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const float d = std::hypot(float(x) - cx, float(y) - cy);
            const float edge = radius - d;  // > 2: inside, < 0: outside
            const int a = edge >= 2.0f ? 255 : edge <= 0.0f ? 0 : int(edge * 127.5f);
            const uint32_t rgb =
                (0xC0u + (rng() & 0x3F)) << 16 | (0x30u + (rng() & 0x7F)) << 8 | (rng() & 0xFF);
            out[size_t(y) * size_t(w) + size_t(x)] = uint32_t(a) << 24 | rgb;
        }
    return out;
}

// Random colours with transparent stretches of random length (some past
// 255 on wide pictures), and random alpha on the opaque ones.
inline std::vector<uint32_t> patchwork(int w, int h, uint32_t seed) {
    std::vector<uint32_t> out(size_t(w) * size_t(h));
    std::mt19937 rng(seed);
    bool clear = (rng() & 1) != 0;
    int left = 0;
    for (auto& p : out) {
        if (left-- <= 0) {
            clear = !clear;
            left = int(rng() % ((rng() & 7) == 0 ? 300 : 9));
        }
        const uint32_t alpha = clear ? 0 : 1 + rng() % 255;
        p = alpha << 24 | (rng() & 0xFFFFFF);
    }
    return out;
}

}  // namespace eyetest
