// Reads a fuzz input front to back: the control bytes that steer a target
// (positions, layouts, order of operations) and then its payloads. Past the
// end every read gives zeros, so any input is a complete set of choices.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

class kwFuzzBytes {
public:
    kwFuzzBytes(const uint8_t* data, size_t size) : data(data), size(data ? size : 0) {}

    uint8_t u8() { return at < size ? data[at++] : 0; }
    // Little-endian; each byte read in its own statement, so in order.
    uint16_t u16() {
        const uint32_t low = u8();
        return uint16_t(low | uint32_t(u8()) << 8);
    }
    uint32_t u32() {
        const uint32_t low = u16();
        return low | uint32_t(u16()) << 16;
    }
    float f32() {
        const uint32_t bits = u32();
        float f;
        std::memcpy(&f, &bits, sizeof f);
        return f;
    }
    // Up to n bytes (fewer at the end).
    std::span<const uint8_t> take(size_t n) {
        const size_t k = n < size - at ? n : size - at;
        std::span<const uint8_t> out(data + at, k);
        at += k;
        return out;
    }
    std::span<const uint8_t> rest() { return take(size - at); }
    size_t left() const { return size - at; }

private:
    const uint8_t* data;
    size_t size;
    size_t at = 0;
};
