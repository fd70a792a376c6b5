// The .noi sound payload: a 54-byte header (coding word, the PCM format the
// sound plays in, 32 unread bytes, the sample-data length D) and D bytes of
// samples, plain PCM or 4-bit ADPCM of 16-bit PCM. Payloads come from files
// a user can edit, so the header is checked against the payload here, once,
// and what it implies (decoded bytes, frames) is computed from checked
// values only.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "assets/linked_file.h"
#include "platform/platform.h"

inline constexpr uint32_t kNoiHeaderBytes = 54;
inline constexpr uint32_t kNoiCodingPcm = 0;
inline constexpr uint32_t kNoiCodingAdpcm = 1;  // any non-zero word means ADPCM
// Frames per second accepted: what the mixer can play.
inline constexpr uint32_t kNoiMinRate = kAudioMinRate;
inline constexpr uint32_t kNoiMaxRate = kAudioMaxRate;

// Header fields, as stored (little-endian at the offsets of the layout).
struct kwNoiHeader {
    uint32_t coding = kNoiCodingPcm;
    uint16_t channels = 0;
    uint32_t framesPerSecond = 0;
    uint32_t bytesPerSecond = 0;
    uint16_t bytesPerFrame = 0;
    uint16_t bitsPerSample = 0;
    uint32_t dataBytes = 0;  // D
};

// A payload that passed the check: the header with its derived fields
// brought in line with channels, bits and rate, and what it decodes to.
struct kwNoiLayout {
    kwNoiHeader header;
    bool adpcm = false;
    const uint8_t* samples = nullptr;  // D bytes at offset 54
    uint32_t decodedBytes = 0;         // PCM bytes of the whole sound
    uint32_t frames = 0;
    bool repaired = false;  // bytes per frame or per second were rewritten
};

// Header words only; false when the payload is shorter than the header.
bool readNoiHeader(const uint8_t* data, uint32_t length, kwNoiHeader* out);

// The full check. Refused (returns the reason): header or D past the end of
// the payload, D of 0, channels other than 1 or 2, bits other than 8 or 16
// (16 only for ADPCM), a rate outside kNoiMinRate..kNoiMaxRate, PCM data
// shorter than one frame, ADPCM too long to count in 32 bits. Repaired:
// bytes per frame and per second that disagree with channels, bits and
// rate, and a trailing partial PCM frame (not played). Null when usable.
const char* noiProblem(const uint8_t* data, uint32_t length, kwNoiLayout* out);

// noiProblem on a record, logging a refusal as "<label> - malformed payload"
// with the record name and the reason.
bool checkNoi(const kwLinkedFile* file, const char* label, kwNoiLayout* out);

// A payload from a header and sample data: D and the derived fields are
// filled in from the data and the header's channels, bits and rate; the
// unread bytes are zero.
std::vector<uint8_t> writeNoi(const kwNoiHeader& header, std::span<const uint8_t> samples);
