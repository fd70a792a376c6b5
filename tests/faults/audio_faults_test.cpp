// A machine without working sound: no output device at all, or one that
// refuses every format. Start-up carries on, the game runs silent through
// every screen and a turn, and nothing is played.
#include <gtest/gtest.h>

#include "fault_run.h"
#include "platform/headless/headless_audio.h"

namespace fault {
namespace {

constexpr size_t kWavHeaderBytes = 44;

class AudioFaults : public FaultRun {
protected:
    // Everything the device played during the walk, as the capture's WAV.
    Walk silentWalk(const kwHeadlessAudioMachine& machine, size_t* wavBytes) {
        headlessAudioSetMachine(machine);
        opts.audioOutPath = (dir / "heard.wav").string();
        const Walk w = walk();
        *wavBytes = readBytes(dir / "heard.wav").size();
        return w;
    }
};

TEST_F(AudioFaults, NoDeviceRunsSilentThroughEveryScreen) {
    size_t wav = 0;
    const Walk w = silentWalk({.present = false}, &wav);
    expectOrderly(w);
    EXPECT_NE(w.log.find("No Sound Available"), std::string::npos) << w.log;
    EXPECT_EQ(w.log.find("Direct Sound Init OK"), std::string::npos);
    EXPECT_NE(w.menu.find("\"musicPlaying\":false"), std::string::npos) << w.menu;
    EXPECT_EQ(number(w.play, "playPhase"), 2) << w.play;  // the turn is played all the same
    EXPECT_EQ(wav, kWavHeaderBytes);                      // not one frame was pulled
}

TEST_F(AudioFaults, ADeviceRefusingEveryFormatRunsSilentToo) {
    size_t wav = 0;
    const Walk w = silentWalk({.present = true, .refuseAllOpens = true}, &wav);
    expectOrderly(w);
    EXPECT_NE(w.log.find("Direct Sound Init FAILED"), std::string::npos) << w.log;
    EXPECT_NE(w.menu.find("\"musicPlaying\":false"), std::string::npos) << w.menu;
    EXPECT_EQ(number(w.play, "playPhase"), 2) << w.play;
    EXPECT_EQ(wav, kWavHeaderBytes);
}

// The same machine with its device back: the sound returns at the next start
// (nothing about the silent run was kept).
TEST_F(AudioFaults, SoundReturnsWhenTheDeviceDoes) {
    size_t wav = 0;
    silentWalk({.present = false}, &wav);
    const Walk w = silentWalk({}, &wav);
    expectOrderly(w);
    EXPECT_NE(w.menu.find("\"musicPlaying\":true"), std::string::npos) << w.menu;
    EXPECT_GT(wav, kWavHeaderBytes);
}

}  // namespace
}  // namespace fault
