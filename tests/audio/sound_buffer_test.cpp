// The sound buffer's contract with the code above it: which buffers can be
// made, how a lock splits at the end of the ring and holds the audio thread
// off, the fixed voice table, and the silent game without a device.
#include "audio/sound_buffer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "audio/mixer.h"
#include "platform/headless/headless.h"
#include "platform/headless/headless_audio.h"
#include "shell/log.h"

namespace {

const kwWaveFormat kMono16 = pcmFormat(22050, 16, 1);

class SoundBuffer : public ::testing::Test {
protected:
    void SetUp() override {
        setPlatform(&headlessPlatform());
        headlessReset();
        logCaptureBegin();
        ASSERT_TRUE(mixerOpen({44100, 16, 2}));
    }
    void TearDown() override {
        logCaptureEnd();
        mixerClose();
        headlessReset();
    }
    bool logged(const char* text) { return std::strstr(logCaptured(), text) != nullptr; }
};

}  // namespace

TEST_F(SoundBuffer, CreateRefusesFormatsAndSizesItCannotPlay) {
    struct Case {
        const char* why;
        kwWaveFormat format;
        uint32_t bytes;
    };
    kwWaveFormat badFrame = kMono16, badSecond = kMono16;
    badFrame.bytesPerFrame = 4;
    badSecond.bytesPerSecond = 22050;  // as if 8-bit
    const Case refused[] = {
        {"three channels", pcmFormat(22050, 16, 3), 600},
        {"12-bit", pcmFormat(22050, 12, 1), 600},
        {"no channels", pcmFormat(22050, 16, 0), 600},
        {"rate below 1000", pcmFormat(999, 16, 1), 600},
        {"rate above 192000", pcmFormat(192001, 16, 1), 600},
        {"bytes per frame", badFrame, 600},
        {"bytes per second", badSecond, 600},
    };
    for (const Case& c : refused) {
        logCaptureBegin();
        EXPECT_EQ(kwSoundBuffer::create(c.format, c.bytes), nullptr) << c.why;
        EXPECT_TRUE(logged("kwSoundBuffer::create - unsupported format")) << c.why;
    }
    for (uint32_t bytes : {0u, 601u, kMaxBufferBytes + 2}) {
        logCaptureBegin();
        EXPECT_EQ(kwSoundBuffer::create(kMono16, bytes), nullptr) << bytes;
        EXPECT_TRUE(logged("kwSoundBuffer::create - bad buffer size")) << bytes;
    }
    // The edges of what is allowed; a new buffer is stopped, silent, at full volume.
    EXPECT_NE(kwSoundBuffer::create(pcmFormat(1000, 8, 1), 1), nullptr);
    auto b = kwSoundBuffer::create(pcmFormat(192000, 8, 2), 400);
    ASSERT_NE(b, nullptr);
    EXPECT_FALSE(b->isPlaying());
    EXPECT_EQ(b->currentPosition(), 0u);
    EXPECT_EQ(b->volume(), kVolumeFull);
    kwLockRegions r;
    ASSERT_TRUE(b->lock(0, 400, &r));
    EXPECT_EQ(std::vector<uint8_t>(r.first, r.first + 400), std::vector<uint8_t>(400, 0x80));
    b->unlock(r);
}

TEST_F(SoundBuffer, LockSplitsAtTheEndAndRefusesSpansOutsideTheBuffer) {
    auto b = kwSoundBuffer::create(kMono16, 1000);
    kwLockRegions r;
    ASSERT_TRUE(b->lock(100, 200, &r));
    EXPECT_EQ(r.firstBytes, 200u);
    EXPECT_EQ(r.second, nullptr);
    EXPECT_EQ(r.secondBytes, 0u);
    uint8_t* base = r.first - 100;
    b->unlock(r);

    ASSERT_TRUE(b->lock(900, 300, &r));  // wraps: 100 at the end, 200 at the start
    EXPECT_EQ(r.first, base + 900);
    EXPECT_EQ(r.firstBytes, 100u);
    EXPECT_EQ(r.second, base);
    EXPECT_EQ(r.secondBytes, 200u);
    b->unlock(r);

    ASSERT_TRUE(b->lock(999, 1000, &r));  // the whole ring from its last byte
    EXPECT_EQ(r.firstBytes + r.secondBytes, 1000u);
    EXPECT_EQ(r.secondBytes, 999u);
    b->unlock(r);

    EXPECT_FALSE(b->lock(0, 0, &r));
    EXPECT_FALSE(b->lock(1000, 1, &r));  // offset at the end
    EXPECT_FALSE(b->lock(0, 1001, &r));  // longer than the ring
    EXPECT_FALSE(b->lock(0xFFFFFFFFu, 2, &r));
    EXPECT_EQ(r.first, nullptr);  // a refused lock hands out nothing
    EXPECT_TRUE(logged("kwSoundBuffer::lock - span outside the buffer"));
    EXPECT_FALSE(b->setCurrentPosition(1000));
}

TEST_F(SoundBuffer, ALockHoldsTheMixerOffUntilUnlock) {
    auto b = kwSoundBuffer::create(kMono16, 44100);
    b->play(true);
    kwLockRegions r;
    ASSERT_TRUE(b->lock(0, 100, &r));
    EXPECT_FALSE(b->lock(200, 100, &r)) << "a second lock before the unlock";
    EXPECT_TRUE(logged("kwSoundBuffer::lock - already locked"));
    headlessAdvance(100);
    EXPECT_EQ(headlessAudioFramesPulled(), 0u);
    EXPECT_EQ(b->currentPosition(), 0u);
    b->unlock(r);
    EXPECT_EQ(headlessAudioFramesPulled(), 4410u);
    EXPECT_EQ(b->currentPosition(), 2205u * 2);

    // Destroying a buffer that is still locked lets the mixer run again.
    ASSERT_TRUE(b->lock(0, 100, &r));
    b.reset();
    headlessAdvance(100);
    EXPECT_EQ(headlessAudioFramesPulled(), 8820u);
}

TEST_F(SoundBuffer, TheVoiceTableIsFixedAndSlotsAreReused) {
    std::vector<std::unique_ptr<kwSoundBuffer>> all;
    for (int i = 0; i < kMixerVoices; ++i) {
        all.push_back(kwSoundBuffer::create(kMono16, 64));
        ASSERT_NE(all.back(), nullptr) << i;
    }
    EXPECT_EQ(kwSoundBuffer::create(kMono16, 64), nullptr);
    EXPECT_TRUE(logged("kwSoundBuffer::create - too many sound buffers!"));
    all[5].reset();
    EXPECT_EQ(mixerVoicesInUse(), kMixerVoices - 1);
    all[5] = kwSoundBuffer::create(kMono16, 64);
    EXPECT_NE(all[5], nullptr);
}

TEST_F(SoundBuffer, WithoutADeviceTheGameIsSilent) {
    mixerClose();
    EXPECT_FALSE(mixerIsOpen());
    EXPECT_EQ(kwSoundBuffer::create(kMono16, 64), nullptr);  // closed mixer

    headlessAudioSetPresent(false);
    EXPECT_FALSE(mixerDevicePresent());
    EXPECT_FALSE(mixerOpen({44100, 16, 2}));
    EXPECT_FALSE(mixerOpen({22050, 8, 1}));
    EXPECT_FALSE(mixerOpenDefault());
    EXPECT_FALSE(mixerIsOpen());
    EXPECT_EQ(kwSoundBuffer::create(kMono16, 64), nullptr);
    headlessAdvance(100);
    EXPECT_EQ(headlessAudioFramesPulled(), 0u);

    headlessAudioSetPresent(true);
    EXPECT_TRUE(mixerDevicePresent());
}

TEST_F(SoundBuffer, TheMixerOpensInTheFormatAskedForOrTheDevicesOwn) {
    EXPECT_FALSE(mixerOpen({44100, 24, 2}));
    EXPECT_TRUE(logged("kwMixer::open - unsupported output format"));
    headlessAudioSetDefaultSpec({32000, 8, 1});
    ASSERT_TRUE(mixerOpenDefault());
    EXPECT_EQ(mixerOutputSpec().rate, 32000);
    EXPECT_EQ(headlessAudioSpec().bits, 8);
    EXPECT_EQ(headlessAudioSpec().channels, 1);
    ASSERT_TRUE(mixerOpen({22050, 8, 1}));  // reopening switches format
    EXPECT_EQ(headlessAudioSpec().rate, 22050);
}

TEST_F(SoundBuffer, ClosingUnderLiveBuffersStopsThemAndIsLogged) {
    auto b = kwSoundBuffer::create(kMono16, 4410);
    ASSERT_TRUE(b->play(true));
    mixerClose();
    EXPECT_TRUE(logged("kwMixer::close - 1 sound buffers still alive"));
    EXPECT_FALSE(b->isPlaying());
    EXPECT_FALSE(b->play(true));  // no device to play on
    b.reset();                    // and it can still be let go
    EXPECT_EQ(mixerVoicesInUse(), 0);
}
