// The ADPCM codec. Decoding folds the step table, the code magnitude and
// the sign into one signed difference per (index, code) pair, built once
// with the shift rule, so a sample costs two table look-ups, an add and a
// clamp: the music streams decode half a second at a time inside a frame.
#include "audio/adpcm.h"

#include <algorithm>
#include <cstdlib>

const std::array<int32_t, kAdpcmSteps> kAdpcmStepTable = {
    7,     8,     9,     10,    11,    12,    13,    14,    16,    17,    19,   21,    23,
    25,    28,    31,    34,    37,    41,    45,    50,    55,    60,    66,   73,    80,
    88,    97,    107,   118,   130,   143,   157,   173,   190,   209,   230,  253,   279,
    307,   337,   371,   408,   449,   494,   544,   598,   658,   724,   796,  876,   963,
    1060,  1166,  1282,  1411,  1552,  1707,  1878,  2066,  2272,  2499,  2749, 3024,  3327,
    3660,  4026,  4428,  4871,  5358,  5894,  6484,  7132,  7845,  8630,  9493, 10442, 11487,
    12635, 13899, 15289, 16818, 18500, 20350, 22385, 24623, 27086, 29794, 32767};

const std::array<int32_t, 8> kAdpcmIndexAdjust = {-1, -1, -1, -1, 2, 4, 6, 8};

namespace {

constexpr int kCodes = 16;
constexpr uint8_t kSignBit = 8;
constexpr uint8_t kMagnitude = 7;
constexpr int32_t kSampleMin = -32768, kSampleMax = 32767;

// The signed difference and the next index for every (index, code) pair.
struct DecodeTables {
    std::array<int32_t, kAdpcmSteps * kCodes> diff{};
    std::array<uint8_t, kAdpcmSteps * kCodes> next{};
};

DecodeTables buildTables() {
    DecodeTables t;
    for (int index = 0; index < kAdpcmSteps; ++index)
        for (int code = 0; code < kCodes; ++code) {
            const int32_t m = code & kMagnitude;
            const int32_t d = kAdpcmStepTable[index] * m;
            const int32_t diff = (d >> 3) + (d >> 2);
            t.diff[index * kCodes + code] = (code & kSignBit) ? -diff : diff;
            t.next[index * kCodes + code] =
                uint8_t(std::clamp(index + kAdpcmIndexAdjust[m], 0, kAdpcmMaxIndex));
        }
    return t;
}

const DecodeTables kTables = buildTables();

// The state lives in locals while a run decodes (the compiler keeps them in
// registers); `slot` is index * 16.
struct Cursor {
    int32_t predictor;
    int32_t slot;

    explicit Cursor(const kwAdpcmChannel& ch)
        : predictor(ch.predictor), slot(std::clamp(ch.index, 0, kAdpcmMaxIndex) * kCodes) {}

    inline int16_t step(uint32_t code) {
        const int32_t at = slot + int32_t(code);
        predictor = std::clamp(predictor + kTables.diff[at], kSampleMin, kSampleMax);
        slot = int32_t(kTables.next[at]) * kCodes;
        return int16_t(predictor);
    }
    void store(kwAdpcmChannel& ch) const {
        ch.predictor = predictor;
        ch.index = slot / kCodes;
    }
};

// Decodes whole bytes, two samples each.
inline int16_t* decodePairs(Cursor& c, const uint8_t* codes, uint32_t bytes, int16_t* out) {
    for (uint32_t i = 0; i < bytes; ++i) {
        const uint32_t b = codes[i];
        out[0] = c.step(b >> 4);
        out[1] = c.step(b & 0x0F);
        out += 2;
    }
    return out;
}

}  // namespace

int16_t adpcmDecodeCode(kwAdpcmChannel& ch, uint8_t code) {
    Cursor c(ch);
    const int16_t s = c.step(code & 0x0F);
    c.store(ch);
    return s;
}

void adpcmDecodeMono(kwAdpcmChannel& ch, const uint8_t* codes, uint32_t n, int16_t* out) {
    Cursor c(ch);
    out = decodePairs(c, codes, n >> 1, out);
    // An odd count ends on half a byte: no code is read for the last sample.
    if (n & 1) *out = int16_t(c.predictor >> 1);
    c.store(ch);
    ch.framesDone += n;
}

void adpcmDecodeMonoAt(kwAdpcmChannel& ch, const uint8_t* codes, uint32_t first, uint32_t n,
                       int16_t* out) {
    if (n == 0) return;
    Cursor c(ch);
    const uint8_t* p = codes + (first >> 1);
    uint32_t left = n;
    if (first & 1) {
        *out++ = c.step(*p++ & 0x0F);
        --left;
    }
    out = decodePairs(c, p, left >> 1, out);
    if (left & 1) *out = c.step(p[left >> 1] >> 4);
    c.store(ch);
    ch.framesDone += n;
}

void adpcmDecodeStereo(kwAdpcmChannel& left, kwAdpcmChannel& right, const uint8_t* codes,
                       uint32_t n, int16_t* out) {
    Cursor l(left), r(right);
    for (uint32_t i = 0; i < n; ++i) {
        const uint32_t b = codes[i];
        out[0] = l.step(b >> 4);
        out[1] = r.step(b & 0x0F);
        out += 2;
    }
    l.store(left);
    r.store(right);
    left.framesDone += n;
    right.framesDone += n;
}

uint8_t adpcmEncodeSample(kwAdpcmChannel& ch, int16_t sample) {
    const int32_t index = std::clamp(ch.index, 0, kAdpcmMaxIndex);
    uint8_t best = 0;
    int32_t bestError = INT32_MAX;
    for (int code = 0; code < kCodes; ++code) {
        const int32_t value =
            std::clamp(ch.predictor + kTables.diff[index * kCodes + code], kSampleMin, kSampleMax);
        const int32_t error = std::abs(value - int32_t(sample));
        if (error < bestError) {
            bestError = error;
            best = uint8_t(code);
        }
    }
    adpcmDecodeCode(ch, best);
    return best;
}

std::vector<uint8_t> adpcmEncode(std::span<const int16_t> samples, int channels) {
    std::vector<uint8_t> out;
    kwAdpcmChannel a, b;
    if (channels == 2) {
        out.reserve(samples.size() / 2);
        for (size_t i = 0; i + 1 < samples.size(); i += 2)
            out.push_back(uint8_t(adpcmEncodeSample(a, samples[i]) << 4 |
                                  adpcmEncodeSample(b, samples[i + 1])));
        return out;
    }
    out.reserve((samples.size() + 1) / 2);
    for (size_t i = 0; i < samples.size(); i += 2) {
        const int16_t second = i + 1 < samples.size() ? samples[i + 1] : samples[i];
        const uint8_t hi = adpcmEncodeSample(a, samples[i]);
        out.push_back(uint8_t(hi << 4 | adpcmEncodeSample(a, second)));
    }
    return out;
}

std::vector<int16_t> adpcmDecode(std::span<const uint8_t> codes, int channels) {
    kwAdpcmChannel a, b;
    const uint32_t bytes = uint32_t(codes.size());
    std::vector<int16_t> out(size_t(bytes) * 2);
    if (channels == 2)
        adpcmDecodeStereo(a, b, codes.data(), bytes, out.data());
    else
        adpcmDecodeMono(a, codes.data(), bytes * 2, out.data());
    return out;
}
