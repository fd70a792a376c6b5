// The game's 4-bit ADPCM: IMA's step and index tables, but its own
// difference rule (d = step * m, diff = d/8 + d/4, by shifts). A code byte
// holds two mono samples, high nibble first, or one stereo frame, high
// nibble for the first channel. The encoder is the exact inverse: it tracks
// the decoder's state and picks, sample by sample, the code whose decoded
// value lands nearest.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

inline constexpr int kAdpcmSteps = 89;
inline constexpr int kAdpcmMaxIndex = kAdpcmSteps - 1;
extern const std::array<int32_t, kAdpcmSteps> kAdpcmStepTable;
extern const std::array<int32_t, 8> kAdpcmIndexAdjust;

// One channel's decoder state. framesDone counts the frames decoded since
// the last reset (channel 1's is the stream position).
struct kwAdpcmChannel {
    int32_t index = 0;
    int32_t predictor = 0;
    uint32_t framesDone = 0;
};

// One code through one channel; returns the new predictor (the sample).
int16_t adpcmDecodeCode(kwAdpcmChannel& ch, uint8_t code);

// n mono frames from a byte boundary: n / 2 bytes, high nibble first. An
// odd n writes one more sample, the predictor shifted right by one, and
// reads no byte for it. framesDone += n.
void adpcmDecodeMono(kwAdpcmChannel& ch, const uint8_t* codes, uint32_t n, int16_t* out);
// n mono frames starting at code (nibble) number `first`: a run may start
// or end inside a byte, so a stream can be decoded in pieces of any length
// without losing a code. framesDone += n.
void adpcmDecodeMonoAt(kwAdpcmChannel& ch, const uint8_t* codes, uint32_t first, uint32_t n,
                       int16_t* out);
// n stereo frames, one byte each (channel 1 high nibble, channel 2 low),
// interleaved output. Both channels' framesDone += n.
void adpcmDecodeStereo(kwAdpcmChannel& left, kwAdpcmChannel& right, const uint8_t* codes,
                       uint32_t n, int16_t* out);

// The code whose decoding from the current state comes nearest to sample;
// advances the state as the decoder will.
uint8_t adpcmEncodeSample(kwAdpcmChannel& ch, int16_t sample);
// Interleaved 16-bit PCM (channels 1 or 2) to code bytes from a reset
// state. Mono packs two frames a byte; an odd frame count pads the last
// low nibble with a code that holds the last sample.
std::vector<uint8_t> adpcmEncode(std::span<const int16_t> samples, int channels);
// Code bytes back to interleaved 16-bit PCM from a reset state: 2 frames a
// byte in mono, 1 in stereo.
std::vector<int16_t> adpcmDecode(std::span<const uint8_t> codes, int channels);
