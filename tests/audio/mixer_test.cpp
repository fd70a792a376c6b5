// What the mixer makes of its voices, read back sample by sample from the
// headless device: rate conversion, sample formats and channel mapping,
// volume, clipping, looping and the end of a one-shot.
#include "audio/mixer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

#include "audio/sound_buffer.h"
#include "platform/headless/headless.h"
#include "platform/headless/headless_audio.h"
#include "shell/log.h"

namespace {

class Mixer : public ::testing::Test {
protected:
    void SetUp() override {
        setPlatform(&headlessPlatform());
        headlessReset();
        headlessAudioSetTap(collect, this);
    }
    void TearDown() override {
        buffers.clear();
        mixerClose();
        headlessReset();
    }
    static void collect(void* self, const uint8_t* data, int bytes) {
        auto& out = static_cast<Mixer*>(self)->pulled;
        out.insert(out.end(), data, data + bytes);
    }
    void open(int rate = 44100, int bits = 16, int channels = 2) {
        ASSERT_TRUE(mixerOpen({rate, bits, channels}));
    }

    kwSoundBuffer* add(const kwWaveFormat& f, const std::vector<uint8_t>& bytes) {
        auto b = kwSoundBuffer::create(f, uint32_t(bytes.size()));
        if (!b) return nullptr;
        kwLockRegions r;
        if (!b->lock(0, b->size(), &r)) return nullptr;
        std::memcpy(r.first, bytes.data(), bytes.size());
        b->unlock(r);
        buffers.push_back(std::move(b));
        return buffers.back().get();
    }
    kwSoundBuffer* add16(uint32_t rate, uint16_t channels, const std::vector<int16_t>& samples) {
        std::vector<uint8_t> bytes(samples.size() * 2);
        std::memcpy(bytes.data(), samples.data(), bytes.size());
        return add(pcmFormat(rate, 16, channels), bytes);
    }

    // The 16-bit samples the device pulls during the next `ms` milliseconds.
    std::vector<int16_t> run16(uint32_t ms) {
        pulled.clear();
        headlessAdvance(ms);
        std::vector<int16_t> s(pulled.size() / 2);
        std::memcpy(s.data(), pulled.data(), s.size() * 2);
        return s;
    }
    std::vector<uint8_t> run8(uint32_t ms) {
        pulled.clear();
        headlessAdvance(ms);
        return pulled;
    }

    std::vector<std::unique_ptr<kwSoundBuffer>> buffers;
    std::vector<uint8_t> pulled;
};

std::vector<int16_t> ramp(size_t n, int step, int from = 0) {
    std::vector<int16_t> v(n);
    for (size_t i = 0; i < n; ++i) v[i] = int16_t(from + int(i) * step);
    return v;
}

}  // namespace

// ---- rates ------------------------------------------------------------------

TEST_F(Mixer, SameRateSixteenBitStereoAtFullVolumeIsBitExact) {
    open();
    std::vector<int16_t> s(2 * 4410);
    uint32_t x = 7;
    for (auto& v : s) v = int16_t((x = x * 1103515245u + 12345u) >> 16);
    add16(44100, 2, s)->play(false);
    EXPECT_EQ(run16(100), s);
}

TEST_F(Mixer, HalfRateMonoIsInterpolatedBetweenNeighbours) {
    open();
    add16(22050, 1, ramp(1000, 10))->play(false);
    const std::vector<int16_t> out = run16(20);  // 882 output frames, 441 source frames
    ASSERT_EQ(out.size(), 882u * 2);
    for (size_t k = 0; k < 882; ++k) {
        ASSERT_EQ(out[2 * k], int16_t(5 * k)) << k;  // s[k/2], or halfway to s[k/2 + 1]
        ASSERT_EQ(out[2 * k + 1], out[2 * k]) << k;  // mono on both sides
    }
}

TEST_F(Mixer, FractionalAndDownwardRatesStepExactly) {
    open(44100, 16, 1);
    // 33075 / 44100 = 0.75 source frames per output frame.
    kwSoundBuffer* threeQuarters = add16(33075, 1, ramp(81, 400));
    threeQuarters->play(false);
    std::vector<int16_t> out = run16(20);
    ASSERT_EQ(out.size(), 882u);
    for (size_t k = 0; k < 80; ++k) ASSERT_EQ(out[k], int16_t(300 * k)) << k;
    threeQuarters->stop();

    // 88200 Hz: every other source frame, no blending between them.
    std::vector<int16_t> alternating(4000);
    for (size_t i = 0; i < alternating.size(); ++i) alternating[i] = int16_t(i % 2 ? -9000 : i);
    add16(88200, 1, alternating)->play(false);
    out = run16(10);
    for (size_t k = 0; k < 441; ++k) ASSERT_EQ(out[k], int16_t(2 * k)) << k;
}

TEST_F(Mixer, PlayCursorAdvancesWithTheClockWithoutRoundingDrift) {
    open(48000, 16, 2);  // 22050 / 48000 has no short binary fraction
    kwSoundBuffer* b = add16(22050, 1, std::vector<int16_t>(22050 * 2));
    b->play(true);
    headlessAdvance(500);
    EXPECT_EQ(b->currentPosition(), 11025u * 2);
    for (int i = 0; i < 300; ++i) headlessAdvance(5);  // 2 s in all: one full ring
    EXPECT_EQ(b->currentPosition(), 0u);
    headlessAdvance(1000);
    EXPECT_EQ(b->currentPosition(), 22050u * 2);
}

// ---- formats and channels --------------------------------------------------

TEST_F(Mixer, EightBitSourcesAreUnsignedAroundTheMiddle) {
    open(44100, 16, 1);
    add(pcmFormat(44100, 8, 1), {0x80, 0xFF, 0x00, 0x81, 0x7F})->play(false);
    const std::vector<int16_t> out = run16(1);
    ASSERT_GE(out.size(), 5u);
    EXPECT_EQ(out[0], 0);
    EXPECT_EQ(out[1], 127 * 256);
    EXPECT_EQ(out[2], -32768);
    EXPECT_EQ(out[3], 256);
    EXPECT_EQ(out[4], -256);
}

TEST_F(Mixer, EightBitOutputKeepsTheTopByteOffsetBy128) {
    open(22050, 8, 1);  // the fall-back device format
    add16(22050, 1, {0, 32767, -32768, 256, -256, 255, -1})->play(false);
    const std::vector<uint8_t> out = run8(1);  // 22 frames
    ASSERT_EQ(out.size(), 22u);
    const std::vector<uint8_t> head(out.begin(), out.begin() + 7);
    EXPECT_EQ(head, (std::vector<uint8_t>{0x80, 0xFF, 0x00, 0x81, 0x7F, 0x80, 0x7F}));
    for (size_t i = 7; i < out.size(); ++i) EXPECT_EQ(out[i], 0x80) << "silence after the end";
}

TEST_F(Mixer, ChannelsMapMonoToBothSidesAndStereoToTheirAverage) {
    open(44100, 16, 2);
    add16(44100, 2, {1000, -3000, 1000, -3000})->play(false);
    add16(44100, 1, {200, 200})->play(false);
    std::vector<int16_t> out = run16(1);
    EXPECT_EQ(out[0], 1200);
    EXPECT_EQ(out[1], -2800);
    TearDown();
    SetUp();

    open(44100, 16, 1);
    add16(44100, 2, {1000, 3000, -1001, -2000})->play(false);
    out = run16(1);
    EXPECT_EQ(out[0], 2000);
    EXPECT_EQ(out[1], -1501);  // the sum halved, rounding down
}

// ---- volume and clipping -----------------------------------------------------

TEST_F(Mixer, VolumeIsInHundredthsOfADecibel) {
    open(44100, 16, 1);
    kwSoundBuffer* b = add16(44100, 1, std::vector<int16_t>(44100, 20000));
    b->play(true);
    EXPECT_EQ(b->volume(), kVolumeFull);
    EXPECT_EQ(run16(1)[0], 20000);  // 0 mB leaves samples unchanged
    b->setVolume(-600);             // -6 dB: about half
    EXPECT_NEAR(run16(1)[0], 20000 * std::pow(10.0, -0.3), 1.0);
    b->setVolume(-2000);  // -20 dB: a tenth
    EXPECT_NEAR(run16(1)[0], 2000, 1.0);
    b->setVolume(kVolumeSilent);
    for (int16_t s : run16(10)) ASSERT_EQ(s, 0);

    b->setVolume(-20000);  // clamped into -10000..0
    EXPECT_EQ(b->volume(), kVolumeSilent);
    b->setVolume(300);
    EXPECT_EQ(b->volume(), kVolumeFull);
    EXPECT_EQ(run16(1)[0], 20000);
}

TEST_F(Mixer, LoudVoicesClipAtTheOutputsRangeInsteadOfWrapping) {
    open(44100, 16, 2);
    add16(44100, 1, std::vector<int16_t>(441, 30000))->play(false);
    add16(44100, 1, std::vector<int16_t>(441, 30000))->play(false);
    add16(44100, 1, std::vector<int16_t>(882, -30000))->play(false);
    add16(44100, 1, std::vector<int16_t>(882, -30000))->play(false);
    add16(44100, 1, std::vector<int16_t>(882, -30000))->play(false);
    const std::vector<int16_t> out = run16(20);
    EXPECT_EQ(out[0], -30000);        // 60000 - 90000, summed before the clamp
    EXPECT_EQ(out[2 * 441], -32768);  // only the negatives left
    TearDown();
    SetUp();

    open(44100, 8, 1);
    add16(44100, 1, std::vector<int16_t>(441, 30000))->play(false);
    add16(44100, 1, std::vector<int16_t>(441, 30000))->play(false);
    EXPECT_EQ(run8(1)[0], 0xFF);
}

// ---- looping and the end ----------------------------------------------------

TEST_F(Mixer, ALoopWrapsToItsStartWithoutAGap) {
    open(44100, 16, 1);
    const std::vector<int16_t> s = ramp(100, 100, -5000);
    kwSoundBuffer* b = add16(22050, 1, s);
    b->play(true);
    const std::vector<int16_t> out = run16(20);  // 882 frames: over four passes of the ring
    for (size_t k = 0; k < out.size(); ++k) {
        const size_t i = (k / 2) % s.size(), j = (i + 1) % s.size();
        const int expected = k % 2 ? s[i] + (s[j] - s[i]) / 2 : s[i];
        ASSERT_EQ(out[k], expected) << k;  // the last frame blends into the first
    }
    EXPECT_TRUE(b->isPlaying());
    EXPECT_LT(b->currentPosition(), b->size());

    // A ring shorter than a block, at a step longer than the ring.
    buffers.clear();
    add16(44100 * 4, 1, {1, 2, 3})->play(true);
    const std::vector<int16_t> fast = run16(1);
    for (size_t k = 0; k < 12; ++k) ASSERT_EQ(fast[k], int16_t(1 + (4 * k) % 3)) << k;
}

TEST_F(Mixer, AOneShotHoldsItsLastFrameThenStopsRewound) {
    open(44100, 16, 1);
    kwSoundBuffer* b = add16(22050, 1, ramp(100, 100, 100));
    ASSERT_TRUE(b->play(false));
    EXPECT_TRUE(b->isPlaying());
    std::vector<int16_t> out = run16(10);  // 441 frames; the sound lasts 200
    EXPECT_EQ(out[198], 10000);
    EXPECT_EQ(out[199], 10000);  // no fade towards silence past the end
    for (size_t k = 200; k < out.size(); ++k) ASSERT_EQ(out[k], 0) << k;
    EXPECT_FALSE(b->isPlaying());
    EXPECT_EQ(b->currentPosition(), 0u);

    // Played again without a rewind, it plays in full.
    ASSERT_TRUE(b->play(false));
    out = run16(10);
    EXPECT_EQ(out[0], 100);
    EXPECT_EQ(out[199], 10000);
    EXPECT_EQ(out[200], 0);
}

TEST_F(Mixer, StopKeepsThePositionAndPlayResumesFromIt) {
    open(44100, 16, 1);
    kwSoundBuffer* b = add16(44100, 1, ramp(4410, 1));
    b->play(false);
    run16(10);
    b->stop();
    EXPECT_EQ(b->currentPosition(), 441u * 2);
    for (int16_t s : run16(10)) ASSERT_EQ(s, 0);
    EXPECT_EQ(b->currentPosition(), 441u * 2);
    b->play(false);
    EXPECT_EQ(run16(10)[0], 441);

    ASSERT_TRUE(b->setCurrentPosition(1001));  // rounds down to a whole frame
    EXPECT_EQ(b->currentPosition(), 1000u);
    EXPECT_EQ(run16(10)[0], 500);
}

TEST_F(Mixer, ADestroyedBufferFallsSilentAtOnce) {
    open(44100, 16, 1);
    add16(44100, 1, std::vector<int16_t>(44100, 1234))->play(true);
    EXPECT_EQ(run16(1)[0], 1234);
    buffers.clear();
    EXPECT_EQ(mixerVoicesInUse(), 0);
    EXPECT_EQ(run16(10), std::vector<int16_t>(441, 0));
}
