// RIFF/WAVE files of plain PCM for the lfl tool's encode and decode. A WAV
// handed to `lfl encode` is untrusted input: every chunk is checked against
// the file, unknown chunks are skipped, and anything but 8- or 16-bit PCM
// in one or two channels is refused with a reason.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

struct kwWavPcm {
    uint16_t channels = 0;
    uint32_t framesPerSecond = 0;
    uint16_t bitsPerSample = 0;  // 8 (unsigned) or 16 (signed)
    std::vector<uint8_t> data;   // whole frames only
};

// Null on success, else why the file was refused.
const char* parseWav(std::span<const uint8_t> file, kwWavPcm* out);
// A canonical 44-byte-header WAV of the PCM; empty if it cannot be held in
// a RIFF file (over 4 GiB).
std::vector<uint8_t> makeWav(uint16_t channels, uint32_t framesPerSecond, uint16_t bitsPerSample,
                             std::span<const uint8_t> data);
