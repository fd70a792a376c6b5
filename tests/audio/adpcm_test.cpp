// ADPCM: worked decode vectors (the difference rule, nibble order, the odd
// mono frame, clamping of predictor and index), code-exact decoding in
// pieces, and the encoder's round trip.
#include "audio/adpcm.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <numbers>
#include <random>
#include <vector>

namespace {

std::vector<int16_t> sine(int frames, int rate, double hz, double amplitude, int channels = 1,
                          double rightHz = 0) {
    std::vector<int16_t> out;
    for (int i = 0; i < frames; ++i) {
        const double t = double(i) / rate;
        out.push_back(int16_t(amplitude * 32767 * std::sin(2 * std::numbers::pi * hz * t)));
        if (channels == 2)
            out.push_back(
                int16_t(amplitude * 32767 * std::sin(2 * std::numbers::pi * rightHz * t)));
    }
    return out;
}

// Signal-to-noise ratio in dB of one channel of `got` against `want`.
double snr(const std::vector<int16_t>& want, const std::vector<int16_t>& got, int channels,
           int channel) {
    double signal = 0, noise = 0;
    for (size_t i = channel; i < want.size(); i += channels) {
        signal += double(want[i]) * want[i];
        noise += (double(want[i]) - got[i]) * (double(want[i]) - got[i]);
    }
    return 10 * std::log10(signal / std::max(noise, 1.0));
}

}  // namespace

TEST(AdpcmDecode, WorkedVectors) {
    // 0x7F: high nibble 7 gives d = 49, diff 6 + 12 = 18, index 8; low
    // nibble 15 (sign, m 7) gives d = 16 * 7 = 112, diff 14 + 28 = 42.
    const uint8_t codes[] = {0x7F, 0x77};
    kwAdpcmChannel ch;
    int16_t out[4] = {1, 1, 1, 777};
    adpcmDecodeMono(ch, codes, 3, out);
    EXPECT_EQ(out[0], 18);
    EXPECT_EQ(out[1], -24);
    // An odd count: the third sample is -24 >> 1 and the second byte is not read.
    EXPECT_EQ(out[2], -12);
    EXPECT_EQ(out[3], 777);
    EXPECT_EQ(ch.predictor, -24);
    EXPECT_EQ(ch.index, 16);
    EXPECT_EQ(ch.framesDone, 3u);
    kwAdpcmChannel odd;
    odd.predictor = -7;
    adpcmDecodeMono(odd, codes, 1, out);
    EXPECT_EQ(out[0], -4);  // arithmetic shift: toward minus infinity

    // Stereo: the high nibble is channel 1; each channel keeps its own state.
    const uint8_t stereo[] = {0x70, 0x07};
    kwAdpcmChannel left, right;
    adpcmDecodeStereo(left, right, stereo, 2, out);
    EXPECT_EQ(std::vector<int16_t>(out, out + 4), (std::vector<int16_t>{18, 0, 18, 18}));
    EXPECT_EQ(left.index, 7);
    EXPECT_EQ(right.index, 8);
    EXPECT_EQ(right.framesDone, 2u);
}

TEST(AdpcmDecode, PredictorAndIndexClamp) {
    kwAdpcmChannel ch;
    int16_t s = 0;
    for (int i = 0; i < 40; ++i) s = adpcmDecodeCode(ch, 0x7);
    EXPECT_EQ(s, 32767);
    EXPECT_EQ(ch.index, 88);
    // From the top with the largest step: 32767 - 86013 clamps to -32768.
    EXPECT_EQ(adpcmDecodeCode(ch, 0xF), -32768);
    EXPECT_EQ(ch.index, 88);
    for (int i = 0; i < 100; ++i) adpcmDecodeCode(ch, 0x8);  // -0: index falls, value holds
    EXPECT_EQ(ch.index, 0);
    EXPECT_EQ(ch.predictor, -32768);
    EXPECT_EQ(adpcmDecodeCode(ch, 0x1), -32767);  // step 7, m 1: diff 0 + 1
}

TEST(AdpcmDecode, PiecesOfAnyLengthMatchOneRun) {
    std::mt19937 rng(7);
    std::vector<uint8_t> codes(600);
    for (auto& b : codes) b = uint8_t(rng());
    const uint32_t total = uint32_t(codes.size() * 2);
    std::vector<int16_t> whole(total), pieces(total, 12345);
    kwAdpcmChannel a;
    adpcmDecodeMono(a, codes.data(), total, whole.data());

    kwAdpcmChannel b;
    const uint32_t lengths[] = {3, 1, 1, 0, 2, 5, 11024, 4, 7};
    uint32_t at = 0;
    for (uint32_t len : lengths) {
        len = std::min(len, total - at);
        adpcmDecodeMonoAt(b, codes.data(), at, len, pieces.data() + at);
        at += len;
    }
    adpcmDecodeMonoAt(b, codes.data(), at, total - at, pieces.data() + at);
    EXPECT_EQ(pieces, whole);
    EXPECT_EQ(b.framesDone, total);
    EXPECT_EQ(b.predictor, a.predictor);
    EXPECT_EQ(b.index, a.index);
}

TEST(AdpcmEncode, SineRoundTripsAboveTwentyDecibels) {
    const int rate = 22050;
    const auto mono = sine(rate, rate, 440, 0.5);
    const auto codes = adpcmEncode(mono, 1);
    ASSERT_EQ(codes.size(), mono.size() / 2);
    const auto back = adpcmDecode(codes, 1);
    ASSERT_EQ(back.size(), mono.size());
    const double monoSnr = snr(mono, back, 1, 0);
    std::printf("ADPCM round trip, 440 Hz mono: SNR %.1f dB\n", monoSnr);
    EXPECT_GT(monoSnr, 20.0);

    // Different signals per channel: a swapped nibble order would fail.
    const auto stereo = sine(rate, rate, 330, 0.7, 2, 1250);
    const auto back2 = adpcmDecode(adpcmEncode(stereo, 2), 2);
    ASSERT_EQ(back2.size(), stereo.size());
    const double left = snr(stereo, back2, 2, 0), right = snr(stereo, back2, 2, 1);
    std::printf("ADPCM round trip, stereo 330/1250 Hz: SNR %.1f / %.1f dB\n", left, right);
    EXPECT_GT(left, 20.0);
    EXPECT_GT(right, 20.0);

    // An odd mono count pads the last byte; half a stereo frame is dropped.
    EXPECT_EQ(adpcmEncode(std::vector<int16_t>{1, 2, 3}, 1).size(), 2u);
    EXPECT_EQ(adpcmEncode(std::vector<int16_t>{1, 2, 3}, 2).size(), 1u);
}
