// WAV reading and writing. The reader walks the RIFF chunks inside the
// smaller of the file and the RIFF size, takes the first "fmt " and "data"
// chunks and steps over everything else (LIST, fact, cue, ...).
#include "wav_file.h"

#include <cstdint>
#include <cstring>
#include <utility>

#include "platform/platform.h"

namespace {

constexpr uint32_t kRiffHeader = 12;
constexpr uint32_t kChunkHeader = 8;
constexpr uint32_t kFmtMinBytes = 16;
constexpr uint32_t kExtensibleBytes = 40;  // fmt with cbSize 22 and the sub-format GUID
constexpr uint16_t kTagPcm = 1;
constexpr uint16_t kTagExtensible = 0xFFFE;
constexpr uint32_t kSubFormatAt = 24;  // first two bytes of the GUID: the real tag
constexpr uint32_t kCanonicalHeader = 44;

uint16_t u16(const uint8_t* p) {
    return uint16_t(p[0] | p[1] << 8);
}
uint32_t u32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
void put16(std::vector<uint8_t>& v, uint16_t x) {
    v.push_back(uint8_t(x));
    v.push_back(uint8_t(x >> 8));
}
void put32(std::vector<uint8_t>& v, uint32_t x) {
    for (int i = 0; i < 4; ++i) v.push_back(uint8_t(x >> (8 * i)));
}
void putId(std::vector<uint8_t>& v, const char* id) {
    for (int i = 0; i < 4; ++i) v.push_back(uint8_t(id[i]));
}

const char* parseFmt(const uint8_t* p, uint32_t size, kwWavPcm* out) {
    if (size < kFmtMinBytes) return "fmt chunk too short";
    uint16_t tag = u16(p);
    if (tag == kTagExtensible) {
        if (size < kExtensibleBytes) return "fmt chunk too short for its extension";
        tag = u16(p + kSubFormatAt);
    }
    if (tag != kTagPcm) return "not PCM (compressed or floating-point WAV)";
    const uint16_t channels = u16(p + 2), blockAlign = u16(p + 12), bits = u16(p + 14);
    const uint32_t rate = u32(p + 4);
    if (channels != 1 && channels != 2) return "only 1 or 2 channels";
    if (bits != 8 && bits != 16) return "only 8- or 16-bit samples";
    if (rate < uint32_t(kAudioMinRate) || rate > uint32_t(kAudioMaxRate))
        return "sample rate out of range";
    if (blockAlign != channels * bits / 8) return "block size does not match the format";
    out->channels = channels;
    out->framesPerSecond = rate;
    out->bitsPerSample = bits;
    return nullptr;
}

}  // namespace

const char* parseWav(std::span<const uint8_t> file, kwWavPcm* out) {
    if (file.size() < kRiffHeader) return "too short for a WAV file";
    const uint8_t* base = file.data();
    if (std::memcmp(base, "RIFF", 4) || std::memcmp(base + 8, "WAVE", 4))
        return "not a RIFF/WAVE file";
    const uint64_t riffEnd = uint64_t(u32(base + 4)) + kChunkHeader;
    const uint64_t end = riffEnd < file.size() ? riffEnd : file.size();
    kwWavPcm wav;
    const uint8_t* data = nullptr;
    uint32_t dataBytes = 0;
    bool haveFmt = false;
    for (uint64_t at = kRiffHeader; at + kChunkHeader <= end;) {
        const uint8_t* chunk = base + at;
        const uint32_t size = u32(chunk + 4);
        const uint64_t body = at + kChunkHeader;
        if (size > end - body) return "a chunk runs past the end of the file";
        if (!haveFmt && !std::memcmp(chunk, "fmt ", 4)) {
            if (const char* why = parseFmt(base + body, size, &wav)) return why;
            haveFmt = true;
        } else if (!data && !std::memcmp(chunk, "data", 4)) {
            data = base + body;
            dataBytes = size;
        }
        at = body + size + (size & 1);  // chunks are padded to even sizes
    }
    if (!haveFmt) return "no fmt chunk";
    if (!data) return "no data chunk";
    const uint32_t frameBytes = wav.channels * wav.bitsPerSample / 8;
    dataBytes -= dataBytes % frameBytes;
    if (dataBytes == 0) return "no sample data";
    wav.data.assign(data, data + dataBytes);
    *out = std::move(wav);
    return nullptr;
}

std::vector<uint8_t> makeWav(uint16_t channels, uint32_t framesPerSecond, uint16_t bitsPerSample,
                             std::span<const uint8_t> data) {
    const uint64_t pad = data.size() & 1;
    if (data.size() + pad + kCanonicalHeader - kChunkHeader > UINT32_MAX) return {};
    const uint16_t frameBytes = uint16_t(channels * bitsPerSample / 8);
    std::vector<uint8_t> v;
    v.reserve(kCanonicalHeader + data.size() + pad);
    putId(v, "RIFF");
    put32(v, uint32_t(kCanonicalHeader - kChunkHeader + data.size() + pad));
    putId(v, "WAVE");
    putId(v, "fmt ");
    put32(v, kFmtMinBytes);
    put16(v, kTagPcm);
    put16(v, channels);
    put32(v, framesPerSecond);
    put32(v, framesPerSecond * frameBytes);
    put16(v, frameBytes);
    put16(v, bitsPerSample);
    putId(v, "data");
    put32(v, uint32_t(data.size()));
    v.insert(v.end(), data.begin(), data.end());
    if (pad) v.push_back(0);
    return v;
}
