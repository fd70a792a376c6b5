// .noi payloads: the header read at its fixed offsets, the check against
// the payload's length, and the writer the tools use. Derived fields are
// repaired rather than refused because the sound can still be played
// correctly from channels, bits and rate; anything that would make the
// samples unreadable or the buffer arithmetic overflow is refused.
#include "assets/noi_format.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "shell/log.h"

namespace {

constexpr uint32_t kOffCoding = 0, kOffChannels = 4, kOffRate = 6, kOffByteRate = 10;
constexpr uint32_t kOffFrameBytes = 14, kOffBits = 16, kOffDataBytes = 50;
constexpr uint32_t kDecodedPerCodeByte = 4;  // 16-bit PCM bytes per ADPCM byte
constexpr uint32_t kMaxAdpcmBytes = UINT32_MAX / kDecodedPerCodeByte;

uint16_t getU16(const uint8_t* p) {
    return uint16_t(p[0] | p[1] << 8);
}
uint32_t getU32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
void putU16(uint8_t* p, uint16_t v) {
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
}
void putU32(uint8_t* p, uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = uint8_t(v >> (8 * i));
}

const char* formatProblem(const kwNoiHeader& h, bool adpcm) {
    if (h.channels != 1 && h.channels != 2) return "channels not 1 or 2";
    if (adpcm && h.bitsPerSample != 16) return "ADPCM must decode to 16 bits";
    if (h.bitsPerSample != 8 && h.bitsPerSample != 16) return "bits per sample not 8 or 16";
    if (h.framesPerSecond < kNoiMinRate || h.framesPerSecond > kNoiMaxRate)
        return "frames per second out of range";
    return nullptr;
}

// Brings bytes per frame and per second in line with channels, bits, rate.
void repairDerived(kwNoiLayout* out) {
    kwNoiHeader& h = out->header;
    const uint16_t frameBytes = uint16_t(h.channels * h.bitsPerSample / 8);
    const uint32_t byteRate = h.framesPerSecond * frameBytes;
    out->repaired = h.bytesPerFrame != frameBytes || h.bytesPerSecond != byteRate;
    h.bytesPerFrame = frameBytes;
    h.bytesPerSecond = byteRate;
}

}  // namespace

bool readNoiHeader(const uint8_t* data, uint32_t length, kwNoiHeader* out) {
    if (!data || length < kNoiHeaderBytes) return false;
    out->coding = getU32(data + kOffCoding);
    out->channels = getU16(data + kOffChannels);
    out->framesPerSecond = getU32(data + kOffRate);
    out->bytesPerSecond = getU32(data + kOffByteRate);
    out->bytesPerFrame = getU16(data + kOffFrameBytes);
    out->bitsPerSample = getU16(data + kOffBits);
    out->dataBytes = getU32(data + kOffDataBytes);
    return true;
}

const char* noiProblem(const uint8_t* data, uint32_t length, kwNoiLayout* out) {
    kwNoiLayout l;
    if (!readNoiHeader(data, length, &l.header)) return "header past the end of the payload";
    kwNoiHeader& h = l.header;
    if (h.dataBytes > length - kNoiHeaderBytes) return "sample data past the end of the payload";
    if (h.dataBytes == 0) return "no sample data";
    l.adpcm = h.coding != kNoiCodingPcm;
    if (const char* why = formatProblem(h, l.adpcm)) return why;
    repairDerived(&l);
    l.samples = data + kNoiHeaderBytes;
    if (l.adpcm) {
        if (h.dataBytes > kMaxAdpcmBytes) return "ADPCM data too long";
        l.decodedBytes = h.dataBytes * kDecodedPerCodeByte;
    } else {
        // A partial frame at the end cannot be played; it is left out.
        l.decodedBytes = h.dataBytes - h.dataBytes % h.bytesPerFrame;
        if (l.decodedBytes == 0) return "sample data shorter than one frame";
        l.repaired |= l.decodedBytes != h.dataBytes;
    }
    l.frames = l.decodedBytes / h.bytesPerFrame;
    *out = l;
    return nullptr;
}

bool checkNoi(const kwLinkedFile* file, const char* label, kwNoiLayout* out) {
    // A missing record was reported by the lookup that failed to find it.
    if (!file) return false;
    const char* why = noiProblem(file->data, file->payloadSize(), out);
    if (!why) return true;
    char message[96], detail[160];
    std::snprintf(message, sizeof message, "%s - malformed payload", label);
    std::snprintf(detail, sizeof detail, "%.31s (%s)", file->name, why);
    debugFail(message, detail);
    return false;
}

std::vector<uint8_t> writeNoi(const kwNoiHeader& header, std::span<const uint8_t> samples) {
    std::vector<uint8_t> out(kNoiHeaderBytes + samples.size(), 0);
    const uint16_t frameBytes = uint16_t(header.channels * header.bitsPerSample / 8);
    putU32(&out[kOffCoding], header.coding);
    putU16(&out[kOffChannels], header.channels);
    putU32(&out[kOffRate], header.framesPerSecond);
    putU32(&out[kOffByteRate], header.framesPerSecond * frameBytes);
    putU16(&out[kOffFrameBytes], frameBytes);
    putU16(&out[kOffBits], header.bitsPerSample);
    putU32(&out[kOffDataBytes], uint32_t(samples.size()));
    std::copy(samples.begin(), samples.end(), out.begin() + kNoiHeaderBytes);
    return out;
}
