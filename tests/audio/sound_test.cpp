// kwSound on the headless device: payloads refused or repaired, the short /
// streamed threshold, the ring refilled half by half as the play cursor
// moves (what lands where, and when), the looping wrap and the non-looping
// run-out, volumes, and silence without a device.
#include "audio/sound.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "audio_helpers.h"

using namespace audiotest;

namespace {

constexpr uint32_t kRate = 22050;
constexpr uint32_t kHalf = kRate / 2;  // 11025 frames: odd, on purpose

class Sound : public SoundSystem {};

class SoundWithoutDevice : public SoundSystem {
protected:
    SoundWithoutDevice() { deviceAbsent = true; }
};

std::vector<int16_t> frames(const std::vector<int16_t>& v, int channels, size_t from,
                            size_t count) {
    return slice(v, from * channels, count * channels);
}

}  // namespace

// ---- payload checks ------------------------------------------------------------

TEST_F(Sound, MalformedPayloadsAreRefusedAndSilent) {
    const auto good = writeNoi(header(kNoiCodingPcm, 1, kRate, 16), std::vector<uint8_t>(400));
    struct Case {
        const char* why;
        std::vector<uint8_t> payload;
    };
    auto with = [&](size_t at, std::vector<uint8_t> bytes) {
        auto p = good;
        std::copy(bytes.begin(), bytes.end(), p.begin() + at);
        return p;
    };
    auto adpcm8 = with(0, {1, 0, 0, 0});
    adpcm8[16] = 8;  // 8-bit PCM is fine, 8-bit ADPCM is not
    const std::vector<Case> cases = {
        {"header past the end", std::vector<uint8_t>(good.begin(), good.begin() + 53)},
        {"sample data past the end", with(50, {0x91, 0x01, 0, 0})},  // D = 401
        {"no sample data", with(50, {0, 0, 0, 0})},
        {"channels not 1 or 2", with(4, {0, 0})},
        {"channels not 1 or 2", with(4, {3, 0})},
        {"bits per sample not 8 or 16", with(16, {12, 0})},
        {"ADPCM must decode to 16 bits", adpcm8},
        {"frames per second out of range", with(6, {0xE7, 0x03, 0, 0})},     // 999
        {"frames per second out of range", with(6, {0x01, 0xEE, 0x02, 0})},  // 192001
        {"shorter than one frame",
         writeNoi(header(kNoiCodingPcm, 2, kRate, 16), std::vector<uint8_t>(3))},
    };
    for (const Case& c : cases) {
        auto rec = record("bad.noi", c.payload);
        logCaptureBegin();
        kwSound s(rec.get());
        const std::string log = logCaptured();
        logCaptureEnd();
        EXPECT_EQ(s.buffer, nullptr) << c.why;
        EXPECT_NE(log.find("kwSound::kwSound - malformed payload bad.noi"), std::string::npos)
            << log;
        EXPECT_NE(log.find(c.why), std::string::npos) << log;
        s.play(true);
        EXPECT_FALSE(s.isPlaying());
        EXPECT_FALSE(s.update());
        EXPECT_EQ(s.position(), 0u);
    }
}

TEST_F(Sound, InconsistentDerivedFieldsAreRepaired) {
    // Bytes per frame and per second that disagree with channels, bits and
    // rate; a partial frame at the end of D; bytes after D.
    auto p = writeNoi(header(kNoiCodingPcm, 2, kRate, 16), std::vector<uint8_t>(4 * 100 + 3, 7));
    p[14] = 9;
    p[10] = 0x55;
    p.resize(p.size() + 5, 0xEE);
    auto rec = record("fix.noi", p);
    kwSound s(rec.get());
    ASSERT_NE(s.buffer, nullptr);
    EXPECT_EQ(s.format.bytesPerFrame, 4);
    EXPECT_EQ(s.format.bytesPerSecond, kRate * 4);
    EXPECT_EQ(s.frames, 100u);
    EXPECT_EQ(s.bufferBytes, 400u);
}

// ---- short and streamed ----------------------------------------------------------

TEST_F(Sound, ExactlyOneSecondStreamsOneFrameLessDecodesWhole) {
    // Stereo ADPCM: one frame per code byte.
    const auto codes = codeBytes(kRate);
    auto second = noiRecord("s.noi", header(kNoiCodingAdpcm, 2, kRate, 16), codes);
    kwSound streamed(second.get());
    EXPECT_TRUE(streamed.streamed());
    EXPECT_EQ(streamed.frames, kRate);
    EXPECT_EQ(streamed.bufferBytes, kRate * 4);  // one second of 16-bit stereo

    const std::vector<uint8_t> shorter(codes.begin(), codes.end() - 1);
    auto under = noiRecord("u.noi", header(kNoiCodingAdpcm, 2, kRate, 16), shorter);
    kwSound whole(under.get());
    EXPECT_FALSE(whole.streamed());
    EXPECT_EQ(whole.bufferBytes, 4 * (kRate - 1));
    EXPECT_EQ(bufferSamples(whole), adpcmDecode(shorter, 2));

    // Mono: two frames per byte, so 11025 bytes are exactly one second.
    auto monoRec = noiRecord("m.noi", header(kNoiCodingAdpcm, 1, kRate, 16), codeBytes(kHalf));
    EXPECT_TRUE(kwSound(monoRec.get()).streamed());

    // PCM is never streamed, however long; an odd rate streams through an
    // even ring.
    auto pcm = noiRecord("p.noi", header(kNoiCodingPcm, 1, 8000, 8), std::vector<uint8_t>(24000));
    kwSound longPcm(pcm.get());
    EXPECT_FALSE(longPcm.streamed());
    EXPECT_EQ(longPcm.bufferBytes, 24000u);
    auto odd = noiRecord("o.noi", header(kNoiCodingAdpcm, 1, kRate + 1, 16), codeBytes(kRate));
    kwSound oddRate(odd.get());
    EXPECT_TRUE(oddRate.streamed());
    EXPECT_EQ(oddRate.bufferBytes, 2 * kRate);
}

TEST_F(Sound, RingRefillsTheHalfTheCursorHasLeft) {
    // Two seconds of mono at 22050 Hz; the device runs at 44100 Hz, so the
    // cursor moves 22.05 frames per millisecond of game time.
    const auto codes = codeBytes(kRate, 3);
    const auto pcm = adpcmDecode(codes, 1);  // 44100 frames
    auto rec = noiRecord("m.noi", header(kNoiCodingAdpcm, 1, kRate, 16), codes);
    kwSound s(rec.get());
    ASSERT_TRUE(s.streamed());
    ASSERT_EQ(s.frames, 2 * kRate);
    s.play(true);
    EXPECT_EQ(bufferSamples(s), slice(pcm, 0, kRate));
    EXPECT_EQ(s.decoder[0].framesDone, kRate);

    headlessAdvance(499);
    EXPECT_EQ(s.position(), 11002u);
    EXPECT_FALSE(s.update());
    EXPECT_FALSE(s.nextHalf);
    EXPECT_EQ(bufferSamples(s), slice(pcm, 0, kRate));

    headlessAdvance(1);
    EXPECT_EQ(s.position(), kHalf);
    EXPECT_FALSE(s.update());
    EXPECT_TRUE(s.nextHalf);
    auto ring = bufferSamples(s);
    // An odd half ends inside a code byte; the next half starts there.
    EXPECT_EQ(slice(ring, 0, kHalf), slice(pcm, kRate, kHalf));
    EXPECT_EQ(slice(ring, kHalf, kHalf), slice(pcm, kHalf, kHalf));  // still playing
    EXPECT_FALSE(s.update());                                        // once per half
    EXPECT_EQ(bufferSamples(s), ring);

    headlessAdvance(499);
    EXPECT_FALSE(s.update());  // cursor still in the second half
    EXPECT_EQ(bufferSamples(s), ring);
    headlessAdvance(1);
    EXPECT_EQ(s.position(), 0u);
    EXPECT_FALSE(s.update());
    EXPECT_FALSE(s.nextHalf);
    ring = bufferSamples(s);
    EXPECT_EQ(slice(ring, kHalf, kHalf), slice(pcm, kRate + kHalf, kHalf));
    EXPECT_EQ(s.decoder[0].framesDone, 2 * kRate);

    // Playing again, mid-way, starts over: position, decoder, ring, halves.
    headlessAdvance(700);
    s.update();
    ASSERT_TRUE(s.nextHalf);
    s.play(false);
    EXPECT_EQ(s.position(), 0u);
    EXPECT_FALSE(s.nextHalf);
    EXPECT_EQ(s.startTime, 1700u);
    EXPECT_EQ(bufferSamples(s), slice(pcm, 0, kRate));
    EXPECT_TRUE(s.isPlaying());  // the ring loops whatever the sound does
}

TEST_F(Sound, LoopingStreamWrapsToTheStartWithoutAGap) {
    // 40001 stereo frames: the third refill holds the last 6926 frames and
    // then the first 4099 again (an odd rest: 4098 decoded, the last repeated).
    const auto codes = codeBytes(40001, 5);
    const auto pcm = adpcmDecode(codes, 2);
    auto rec = noiRecord("loop.noi", header(kNoiCodingAdpcm, 2, kRate, 16), codes);
    kwSound s(rec.get());
    ASSERT_TRUE(s.streamed());
    s.play(true);
    headlessAdvance(500);
    s.update();
    headlessAdvance(500);
    EXPECT_FALSE(s.update());
    auto ring = bufferSamples(s);
    const auto second = slice(ring, 2 * kHalf, 2 * kHalf);
    EXPECT_EQ(frames(second, 2, 0, 6926), frames(pcm, 2, 33075, 6926));
    EXPECT_EQ(frames(second, 2, 6926, 4098), frames(pcm, 2, 0, 4098));
    EXPECT_EQ(frames(second, 2, 6926 + 4098, 1), frames(pcm, 2, 4097, 1));
    EXPECT_EQ(s.decoder[0].framesDone, 4098u);

    // The decoder restarted from the reset state and carries on from there.
    headlessAdvance(500);
    EXPECT_FALSE(s.update());
    ring = bufferSamples(s);
    EXPECT_EQ(slice(ring, 0, 2 * kHalf), frames(pcm, 2, 4098, kHalf));
    EXPECT_TRUE(s.nextHalf);  // the wrap did not disturb the half order
    headlessAdvance(500);
    EXPECT_FALSE(s.update());
    EXPECT_EQ(slice(bufferSamples(s), 2 * kHalf, 2 * kHalf), frames(pcm, 2, 4098 + kHalf, kHalf));
    EXPECT_TRUE(s.isPlaying());
}

TEST_F(Sound, OneShotStreamFillsSilenceAndIsStoppedAfterItsLength) {
    const auto codes = codeBytes(40001, 9);
    const auto pcm = adpcmDecode(codes, 2);
    auto rec = noiRecord("once.noi", header(kNoiCodingAdpcm, 2, kRate, 16), codes);
    kwSound s(rec.get());
    soundList->add(&s);
    headlessAdvance(10000);  // start away from zero
    s.play(false);
    EXPECT_EQ(s.startTime, 10000u);
    headlessAdvance(500);
    EXPECT_FALSE(s.update());
    headlessAdvance(500);
    EXPECT_TRUE(s.update());  // ran out inside this half
    auto second = slice(bufferSamples(s), 2 * kHalf, 2 * kHalf);
    EXPECT_EQ(frames(second, 2, 0, 6926), frames(pcm, 2, 33075, 6926));
    EXPECT_EQ(frames(second, 2, 6926, 4099), std::vector<int16_t>(2 * 4099, 0));
    headlessAdvance(500);
    EXPECT_TRUE(s.update());
    EXPECT_EQ(slice(bufferSamples(s), 0, 2 * kHalf), std::vector<int16_t>(2 * kHalf, 0));

    // trunc(40001 / 22050 * 1000) = 1814 ms: stopped once more than that passed.
    headlessSetTime(10000 + 1814);
    updateSounds();
    EXPECT_TRUE(s.isPlaying());
    headlessAdvance(1);
    updateSounds();
    EXPECT_FALSE(s.isPlaying());
}

// ---- volume ----------------------------------------------------------------------

TEST_F(Sound, VolumeIsLogarithmicInHundredthsOfADecibel) {
    auto rec = noiRecord("v.noi", header(kNoiCodingPcm, 1, kRate, 8), std::vector<uint8_t>(100));
    kwSound s(rec.get());
    ASSERT_NE(s.buffer, nullptr);
    EXPECT_EQ(s.buffer->volume(), 0);  // set to 1.0 when built
    const int32_t expected[] = {-3999, -2795, -2091, -1591, -1204, -887, -619, -387, -183, 0};
    for (int setting = 1; setting <= 10; ++setting) {
        s.setVolume(float(setting) * 0.1f);
        EXPECT_EQ(s.buffer->volume(), expected[setting - 1]) << setting;
    }
    s.setVolume(0.0f);
    EXPECT_EQ(s.buffer->volume(), -10000);
    s.setVolume(-3.0f);
    EXPECT_EQ(s.buffer->volume(), -10000);
    EXPECT_EQ(s.volume, 0.0f);
    s.setVolume(std::nanf(""));
    EXPECT_EQ(s.buffer->volume(), -10000);
    s.setVolume(2.5f);
    EXPECT_EQ(s.buffer->volume(), 0);
    EXPECT_EQ(s.volume, 1.0f);
}

TEST_F(Sound, PlayCallsApplyTheSettingsAndZeroTouchesNothing) {
    int32_t effects = 3, music = 0;
    setVolumeSettings({&effects, &music});
    auto rec =
        noiRecord("v.noi", header(kNoiCodingPcm, 1, kRate, 16), std::vector<uint8_t>(4 * kRate, 1));
    kwSound s(rec.get());
    playSound(&s, 1.0f, true);
    EXPECT_TRUE(s.isPlaying());
    EXPECT_EQ(s.buffer->volume(), -2091);
    EXPECT_TRUE(s.looping);

    headlessAdvance(300);
    const uint32_t at = s.position();
    playMusic(&s, 1.0f, false);  // music setting 0: not played, not stopped, not changed
    EXPECT_TRUE(s.isPlaying());
    EXPECT_TRUE(s.looping);
    EXPECT_EQ(s.buffer->volume(), -2091);
    EXPECT_EQ(s.position(), at);

    music = 10;
    playMusic(&s, 0.5f, false);
    EXPECT_EQ(s.buffer->volume(), -1204);
    EXPECT_EQ(s.position(), 0u);
    effects = 0;
    s.stop();
    playSound(&s, 1.0f, false);
    EXPECT_FALSE(s.isPlaying());
    playSound(nullptr, 1.0f, false);  // a missing sound is fine

    setVolumeSettings({});  // built-in defaults: effects 8, music 10
    playSound(&s, 1.0f, false);
    EXPECT_EQ(s.buffer->volume(), -387);
}

// ---- without a device or a payload -------------------------------------------------

TEST_F(SoundWithoutDevice, EverythingIsSilent) {
    logCaptureBegin();
    EXPECT_FALSE(initSound());
    EXPECT_NE(std::string(logCaptured()).find("No Sound Available"), std::string::npos);
    EXPECT_FALSE(soundAvailable);
    ASSERT_NE(soundList, nullptr);  // the list exists all the same

    auto rec = noiRecord("m.noi", header(kNoiCodingAdpcm, 1, kRate, 16), codeBytes(kRate));
    kwSound s(rec.get());
    EXPECT_EQ(s.buffer, nullptr);
    EXPECT_EQ(s.frames, 0u);  // not even read
    s.setVolume(0.5f);
    EXPECT_EQ(s.volume, 0.0f);
    s.play(true);
    EXPECT_FALSE(s.isPlaying());
    EXPECT_FALSE(s.update());
    EXPECT_EQ(s.position(), 0u);
    s.stop();
    playSound(&s, 1.0f, true);
    EXPECT_FALSE(s.isPlaying());
}

TEST_F(Sound, InitLogsTheFormatAndMissingOrDeletedSoundsAreSafe) {
    logCaptureBegin();
    ASSERT_TRUE(initSound());
    EXPECT_STREQ(logCaptured(), "Direct Sound Init OK\r\n");
    EXPECT_EQ(headlessAudioSpec().rate, 44100);
    EXPECT_EQ(headlessAudioSpec().bits, 16);
    EXPECT_EQ(headlessAudioSpec().channels, 2);

    kwSound none(nullptr);
    none.play(false);
    EXPECT_FALSE(none.isPlaying());
    EXPECT_FALSE(none.update());

    // A sound deleted while still listed takes itself out of the list.
    auto rec = noiRecord("v.noi", header(kNoiCodingPcm, 1, kRate, 8), std::vector<uint8_t>(100));
    auto s = std::make_unique<kwSound>(rec.get());
    rec.reset();  // the record may go as soon as the sound exists
    soundList->add(s.get());
    s->play(true);
    s.reset();
    EXPECT_EQ(soundList->count, 0u);
}

TEST_F(Sound, InitFallsBackToEightBitMonoThenToTheDeviceFormat) {
    shutdownSound();
    headlessAudioRefuseOpens(1);
    logCaptureBegin();
    EXPECT_TRUE(initSound());
    EXPECT_STREQ(logCaptured(), "Direct Sound for Init 8 BIT OK\r\nDirect Sound Init OK\r\n");
    EXPECT_EQ(headlessAudioSpec().rate, 22050);
    EXPECT_EQ(headlessAudioSpec().bits, 8);
    EXPECT_EQ(headlessAudioSpec().channels, 1);
    logCaptureEnd();

    // Neither format: the start-up result is false, yet sounds still play
    // in the device's own format.
    shutdownSound();
    headlessAudioSetDefaultSpec(kwAudioSpec{48000, 16, 1});
    headlessAudioRefuseOpens(2);
    logCaptureBegin();
    EXPECT_FALSE(initSound());
    EXPECT_STREQ(logCaptured(), "Direct Sound Init FAILED\r\n");
    EXPECT_TRUE(soundAvailable);
    EXPECT_EQ(headlessAudioSpec().rate, 48000);
    logCaptureEnd();
}

TEST_F(Sound, DamagedHeadersNeverReachPastThePayload) {
    // Random header fields over a real stream, cut at random lengths: each is
    // refused or plays within its buffers (the sanitizer build watches).
    const auto good = writeNoi(header(kNoiCodingAdpcm, 2, kRate, 16), codeBytes(30000, 2));
    uint32_t x = 99;
    auto next = [&] { return (x = x * 1664525u + 1013904223u) >> 8; };
    logCaptureBegin();
    for (int round = 0; round < 200; ++round) {
        auto p = good;
        for (int k = 0; k < 3; ++k)
            p[std::array{0, 4, 6, 7, 8, 14, 16, 50, 51, 52}[next() % 10]] = uint8_t(next());
        p.resize(next() % (p.size() + 1));
        kwSound s(record("fuzz.noi", p).get());
        s.play(round & 1);
        for (int f = 0; f < 6; ++f, headlessAdvance(170)) s.update();
    }
    logCaptureEnd();
}
