// The headless audio device stands in for a sound card in every test and in
// --audio-out runs, so its pull schedule must be exact (no drift over many
// small steps, nothing while the audio lock is held) and its WAV capture
// must be a file any player reads.
#include "platform/headless/headless_audio.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/headless/headless.h"
#include "shell/log.h"

namespace fs = std::filesystem;

namespace {

// A fill that writes a running byte counter, so every byte pulled is known.
struct Source {
    uint8_t next = 0;
    uint64_t calls = 0;
    uint64_t bytes = 0;
};

void countingFill(void* user, uint8_t* out, int bytes) {
    auto* s = static_cast<Source*>(user);
    for (int i = 0; i < bytes; ++i) out[i] = s->next++;
    ++s->calls;
    s->bytes += uint64_t(bytes);
}

class HeadlessAudio : public ::testing::Test {
protected:
    void SetUp() override { headlessReset(); }
    void TearDown() override {
        headlessCloseAudio();
        headlessAudioCaptureEnd();
        logCaptureEnd();
        headlessReset();
    }
    bool open(int rate, int bits, int channels) {
        return headlessOpenAudio({rate, bits, channels}, countingFill, &source);
    }
    std::string tempPath(const char* name) {
        return (fs::path(::testing::TempDir()) / name).string();
    }
    static std::vector<uint8_t> readFile(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
    }
    Source source;
};

uint32_t le32(const std::vector<uint8_t>& b, size_t at) {
    return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 |
           uint32_t(b[at + 3]) << 24;
}
uint16_t le16(const std::vector<uint8_t>& b, size_t at) {
    return uint16_t(b[at] | b[at + 1] << 8);
}
int16_t sampleAt(const std::vector<uint8_t>& wav, size_t frame, int channel) {
    return int16_t(le16(wav, 44 + frame * 4 + size_t(channel) * 2));
}

}  // namespace

TEST_F(HeadlessAudio, PullsExactlyTheFramesDueSinceOpenWithoutDrift) {
    headlessSetTime(5000);
    ASSERT_TRUE(open(22050, 16, 1));
    headlessAdvance(3);  // 66.15 frames due
    EXPECT_EQ(headlessAudioFramesPulled(), 66u);
    headlessAdvance(3);  // 132.3: the fraction carried, not dropped
    EXPECT_EQ(headlessAudioFramesPulled(), 132u);
    for (int i = 0; i < 998; ++i) headlessAdvance(3);
    EXPECT_EQ(headlessAudioFramesPulled(), 66150u);  // 3000 ms exactly
    EXPECT_EQ(source.bytes, 66150u * 2);
    // A long step arrives in blocks, never one oversized call.
    const uint64_t callsBefore = source.calls;
    headlessAdvance(1000);
    EXPECT_EQ(headlessAudioFramesPulled(), 88200u);
    EXPECT_GT(source.calls - callsBefore, 1u);
    EXPECT_EQ(headlessAudioFramesPulled() * 2, source.bytes);
}

TEST_F(HeadlessAudio, ClockStepsBackOrFarAheadAreBounded) {
    ASSERT_TRUE(open(1000, 8, 1));  // one frame per millisecond
    headlessSetTime(100);
    EXPECT_EQ(headlessAudioFramesPulled(), 100u);
    headlessSetTime(40);  // back: nothing pulled, later steps count from here
    EXPECT_EQ(headlessAudioFramesPulled(), 100u);
    headlessSetTime(50);
    EXPECT_EQ(headlessAudioFramesPulled(), 110u);
    headlessAdvance(10 * kHeadlessAudioMaxStepMs);  // counts as one maximal step
    EXPECT_EQ(headlessAudioFramesPulled(), 110u + kHeadlessAudioMaxStepMs);
    // Across the 32-bit wrap of the clock the count goes on.
    headlessSetTime(0xFFFFFFF0u);
    headlessAdvance(0x20);
    EXPECT_EQ(headlessAudioFramesPulled(), 110u + kHeadlessAudioMaxStepMs + 0x20);
}

TEST_F(HeadlessAudio, NothingIsPulledWhileTheAudioLockIsHeld) {
    ASSERT_TRUE(open(44100, 16, 2));
    headlessLockAudio();
    headlessLockAudio();  // nested
    headlessAdvance(100);
    EXPECT_EQ(headlessAudioFramesPulled(), 0u);
    headlessUnlockAudio();
    EXPECT_EQ(headlessAudioFramesPulled(), 0u);
    headlessUnlockAudio();  // the outermost unlock catches up
    EXPECT_EQ(headlessAudioFramesPulled(), 4410u);
    headlessUnlockAudio();  // an extra unlock is harmless
    headlessAdvance(100);
    EXPECT_EQ(headlessAudioFramesPulled(), 8820u);
}

TEST_F(HeadlessAudio, RefusesBadSpecsAndCanBeMadeAbsentUntilReset) {
    EXPECT_FALSE(open(999, 16, 2));
    EXPECT_FALSE(open(44100, 24, 2));
    EXPECT_FALSE(headlessOpenAudio({44100, 16, 2}, nullptr, nullptr));
    EXPECT_TRUE(open(1000, 8, 1));
    EXPECT_TRUE(open(192000, 16, 2));  // reopening replaces the device
    EXPECT_EQ(headlessAudioSpec().rate, 192000);

    kwAudioSpec spec;
    headlessAudioSetDefaultSpec({22050, 8, 1});
    headlessAudioSetPresent(false);
    EXPECT_FALSE(headlessAudioPresent());
    EXPECT_FALSE(headlessAudioDefaultSpec(&spec));
    EXPECT_FALSE(open(44100, 16, 2));
    EXPECT_FALSE(headlessAudioIsOpen());
    headlessReset();  // back to a present device with the usual default
    EXPECT_TRUE(headlessAudioPresent());
    ASSERT_TRUE(headlessAudioDefaultSpec(&spec));
    EXPECT_EQ(spec.rate, 44100);
    EXPECT_EQ(spec.bits, 16);
    EXPECT_EQ(spec.channels, 2);
}

TEST_F(HeadlessAudio, CaptureWritesACanonicalWaveHeaderAndTheDataPulled) {
    const std::string path = tempPath("capture_header.wav");
    ASSERT_TRUE(headlessAudioCapture(path.c_str()));
    ASSERT_TRUE(open(44100, 16, 2));
    headlessAdvance(10);  // 441 frames
    headlessCloseAudio();
    headlessAdvance(10);  // closed: nothing more
    ASSERT_TRUE(headlessAudioCaptureEnd());

    const std::vector<uint8_t> wav = readFile(path);
    const uint32_t data = 441 * 4;
    ASSERT_EQ(wav.size(), 44u + data);
    EXPECT_EQ(std::string(wav.begin(), wav.begin() + 4), "RIFF");
    EXPECT_EQ(le32(wav, 4), 36 + data);
    EXPECT_EQ(std::string(wav.begin() + 8, wav.begin() + 16), "WAVEfmt ");
    EXPECT_EQ(le32(wav, 16), 16u);
    EXPECT_EQ(le16(wav, 20), 1u);  // PCM
    EXPECT_EQ(le16(wav, 22), 2u);
    EXPECT_EQ(le32(wav, 24), 44100u);
    EXPECT_EQ(le32(wav, 28), 176400u);
    EXPECT_EQ(le16(wav, 32), 4u);
    EXPECT_EQ(le16(wav, 34), 16u);
    EXPECT_EQ(std::string(wav.begin() + 36, wav.begin() + 40), "data");
    EXPECT_EQ(le32(wav, 40), data);
    for (uint32_t i = 0; i < data; ++i) ASSERT_EQ(wav[44 + i], uint8_t(i)) << i;
}

TEST_F(HeadlessAudio, CaptureConvertsOtherDeviceFormatsTo44100StereoSixteenBit) {
    const std::string path = tempPath("capture_convert.wav");
    ASSERT_TRUE(headlessAudioCapture(path.c_str()));
    ASSERT_TRUE(open(22050, 8, 1));   // the fall-back format
    headlessAdvance(2);               // 44 device frames: bytes 0..43
    ASSERT_TRUE(open(88200, 16, 2));  // a reopen starts a new schedule
    headlessAdvance(1);               // 88 frames, every other one kept
    ASSERT_TRUE(headlessAudioCaptureEnd());

    const std::vector<uint8_t> wav = readFile(path);
    ASSERT_EQ(le32(wav, 40), (88u + 44u) * 4);
    ASSERT_EQ(wav.size(), 44u + (88u + 44u) * 4);
    for (size_t f = 0; f < 88; ++f) {
        const int16_t expected = int16_t((int(f / 2) - 128) * 256);  // u8 byte = device frame
        ASSERT_EQ(sampleAt(wav, f, 0), expected) << f;
        ASSERT_EQ(sampleAt(wav, f, 1), expected) << f;
    }
    // 88200 Hz stereo: device frame k holds bytes 44+4k..; frames 1, 3, 5... are kept.
    for (size_t f = 0; f < 44; ++f) {
        const size_t k = 2 * f + 1, first = 44 + 4 * k;
        const int16_t left = int16_t(uint8_t(first) | uint8_t(first + 1) << 8);
        const int16_t right = int16_t(uint8_t(first + 2) | uint8_t(first + 3) << 8);
        ASSERT_EQ(sampleAt(wav, 88 + f, 0), left) << f;
        ASSERT_EQ(sampleAt(wav, 88 + f, 1), right) << f;
    }
}

TEST_F(HeadlessAudio, CaptureFailuresAreLoggedNotFatal) {
    logCaptureBegin();
    EXPECT_FALSE(headlessAudioCapture(tempPath("no/such/dir/out.wav").c_str()));
    EXPECT_NE(std::strstr(logCaptured(), "headless::audioCapture - cannot create"), nullptr);
    ASSERT_TRUE(open(44100, 16, 2));
    headlessAdvance(50);  // the device still runs without a capture
    EXPECT_EQ(headlessAudioFramesPulled(), 2205u);
    EXPECT_TRUE(headlessAudioCaptureEnd());  // nothing was open

    // A full disk: the writes fail, the device carries on, the end reports it.
    if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    ASSERT_TRUE(headlessAudioCapture("/dev/full"));  // the header is still buffered
    headlessAdvance(1000);
    EXPECT_EQ(headlessAudioFramesPulled(), 2205u + 44100u);
    EXPECT_FALSE(headlessAudioCaptureEnd());
    EXPECT_NE(std::strstr(logCaptured(), "headless::audioCapture - cannot write /dev/full"),
              nullptr);
}
