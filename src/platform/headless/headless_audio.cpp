// The headless audio device: a pull driven by the caller's clock instead of
// a sound card. Frames due are computed from the total time open, never
// summed step by step, so any pattern of clock steps pulls the same frames.
// The WAV capture turns whatever the device was opened with into 44100 Hz
// 16-bit stereo so every capture can be played and measured the same way.
#include "platform/headless/headless_audio.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>

#include "platform/headless/headless.h"
#include "shell/log.h"

namespace {

constexpr int kPullFrames = 1024;  // one fill call at most
constexpr int kMaxFrameBytes = 4;  // 16-bit stereo
constexpr uint64_t kMillisPerSecond = 1000;

constexpr int kWavRate = 44100;
constexpr int kWavChannels = 2;
constexpr int kWavBits = 16;
constexpr int kWavFrameBytes = kWavChannels * kWavBits / 8;
constexpr int kWavHeaderBytes = 44;
constexpr uint32_t kRiffSizeOffset = 4, kDataSizeOffset = 40;
constexpr uint64_t kWavMaxData =
    (0xFFFFFFFFull - (kWavHeaderBytes - 8)) / kWavFrameBytes * kWavFrameBytes;
constexpr int kCaptureFrames = 4096;
constexpr int kU8Bias = 128;

struct Device {
    bool open = false;
    kwAudioSpec spec;
    kwAudioFill fill = nullptr;
    void* user = nullptr;
    uint32_t lastSeen = 0;   // clock value at the last step
    uint64_t elapsedMs = 0;  // time open, as counted by the steps
    uint64_t pulled = 0;     // frames given to the callback's output
    int lockDepth = 0;
    bool pulling = false;
    std::array<uint8_t, kPullFrames * kMaxFrameBytes> block{};
};

struct Hooks {
    bool present = true;
    int refuseOpens = 0;  // the next N opens fail, as a device refusing a format
    kwAudioSpec defaultSpec;
    kwAudioTap tap = nullptr;
    void* tapUser = nullptr;
};

struct Capture {
    FILE* file = nullptr;
    std::string path;
    uint64_t dataBytes = 0;
    uint64_t framesIn = 0;   // device frames seen since the last open
    uint64_t framesOut = 0;  // WAV frames written for them
    bool failed = false;
    bool full = false;
    std::array<uint8_t, kCaptureFrames * kWavFrameBytes> staging{};
    int staged = 0;  // frames
};

Device g_device;
Hooks g_hooks;
kwHeadlessAudioMachine g_machine;
Capture g_capture;

int frameBytes(const kwAudioSpec& s) {
    return s.bits / 8 * s.channels;
}

void putLE(uint8_t* p, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) p[i] = uint8_t(v >> (8 * i));
}

std::array<uint8_t, kWavHeaderBytes> wavHeader(uint32_t dataBytes) {
    std::array<uint8_t, kWavHeaderBytes> h{};
    auto tag = [&](int at, const char* four) { std::copy(four, four + 4, h.begin() + at); };
    tag(0, "RIFF");
    putLE(&h[4], dataBytes + kWavHeaderBytes - 8, 4);
    tag(8, "WAVE");
    tag(12, "fmt ");
    putLE(&h[16], 16, 4);  // fmt chunk size
    putLE(&h[20], 1, 2);   // PCM
    putLE(&h[22], kWavChannels, 2);
    putLE(&h[24], kWavRate, 4);
    putLE(&h[28], kWavRate * kWavFrameBytes, 4);
    putLE(&h[32], kWavFrameBytes, 2);
    putLE(&h[34], kWavBits, 2);
    tag(36, "data");
    putLE(&h[40], dataBytes, 4);
    return h;
}

void captureFailed(const char* what) {
    debugFail(what, g_capture.path.c_str());
    g_capture.failed = true;
}

void flushStaging() {
    Capture& c = g_capture;
    const size_t bytes = size_t(c.staged) * kWavFrameBytes;
    c.staged = 0;
    if (!c.file || c.failed || bytes == 0) return;
    if (std::fwrite(c.staging.data(), 1, bytes, c.file) != bytes)
        captureFailed("headless::audioCapture - cannot write");
    else
        c.dataBytes += bytes;
}

void stageFrame(int16_t l, int16_t r) {
    Capture& c = g_capture;
    if (c.dataBytes + uint64_t(c.staged + 1) * kWavFrameBytes > kWavMaxData) {
        if (!c.full) debugFail("headless::audioCapture - capture too long, the rest is dropped");
        c.full = true;
        return;
    }
    uint8_t* p = c.staging.data() + size_t(c.staged) * kWavFrameBytes;
    putLE(p, uint16_t(l), 2);
    putLE(p + 2, uint16_t(r), 2);
    if (++c.staged == kCaptureFrames) flushStaging();
}

int16_t sampleAt(const uint8_t* p, int bits) {
    if (bits == 8) return int16_t((int(p[0]) - kU8Bias) * 256);
    return int16_t(uint16_t(p[0] | p[1] << 8));
}

// Device frames to WAV frames: channels and depth by value, the rate by
// repeating or skipping frames on an exact integer schedule.
void captureBlock(const uint8_t* data, int frames) {
    Capture& c = g_capture;
    if (!c.file || c.failed || c.full) return;
    const kwAudioSpec& s = g_device.spec;
    const int step = frameBytes(s), sampleBytes = s.bits / 8;
    for (int f = 0; f < frames; ++f) {
        const uint8_t* p = data + size_t(f) * step;
        const int16_t l = sampleAt(p, s.bits);
        const int16_t r = s.channels == 2 ? sampleAt(p + sampleBytes, s.bits) : l;
        const uint64_t target = (c.framesIn + 1) * kWavRate / uint64_t(s.rate);
        for (; c.framesOut < target; ++c.framesOut) stageFrame(l, r);
        ++c.framesIn;
    }
}

void pullDue() {
    Device& d = g_device;
    if (!d.open || d.lockDepth > 0 || d.pulling) return;
    const uint64_t due = d.elapsedMs * uint64_t(d.spec.rate) / kMillisPerSecond;
    const int bytesPerFrame = frameBytes(d.spec);
    d.pulling = true;
    while (d.open && d.pulled < due) {
        const int n = int(std::min<uint64_t>(due - d.pulled, kPullFrames));
        d.fill(d.user, d.block.data(), n * bytesPerFrame);
        if (g_hooks.tap) g_hooks.tap(g_hooks.tapUser, d.block.data(), n * bytesPerFrame);
        captureBlock(d.block.data(), n);
        d.pulled += uint64_t(n);
    }
    d.pulling = false;
}

}  // namespace

bool headlessOpenAudio(const kwAudioSpec& spec, kwAudioFill fill, void* user) {
    headlessCloseAudio();
    if (!headlessAudioPresent() || g_machine.refuseAllOpens) return false;
    if (!fill || !audioSpecValid(spec)) return false;
    if (g_hooks.refuseOpens > 0) {
        --g_hooks.refuseOpens;
        return false;
    }
    Device& d = g_device;
    d.spec = spec;
    d.fill = fill;
    d.user = user;
    d.lastSeen = headlessTime();
    d.elapsedMs = 0;
    d.pulled = 0;
    d.lockDepth = 0;
    d.open = true;
    g_capture.framesIn = g_capture.framesOut = 0;
    return true;
}

void headlessCloseAudio() {
    g_device.open = false;
    g_device.fill = nullptr;
}

void headlessLockAudio() {
    ++g_device.lockDepth;
}

void headlessUnlockAudio() {
    if (g_device.lockDepth > 0 && --g_device.lockDepth == 0) pullDue();
}

bool headlessAudioPresent() {
    return g_hooks.present && g_machine.present;
}

bool headlessAudioDefaultSpec(kwAudioSpec* out) {
    if (!headlessAudioPresent() || !out) return false;
    *out = g_hooks.defaultSpec;
    return true;
}

void headlessAudioClock(uint32_t now) {
    Device& d = g_device;
    if (!d.open) return;
    const uint32_t delta = now - d.lastSeen;
    d.lastSeen = now;
    if (int32_t(delta) < 0) return;  // the clock was set back
    d.elapsedMs += std::min(delta, kHeadlessAudioMaxStepMs);
    pullDue();
}

void headlessAudioSetPresent(bool present) {
    g_hooks.present = present;
}
void headlessAudioRefuseOpens(int count) {
    g_hooks.refuseOpens = count;
}
void headlessAudioSetDefaultSpec(const kwAudioSpec& spec) {
    g_hooks.defaultSpec = spec;
}
bool headlessAudioIsOpen() {
    return g_device.open;
}
kwAudioSpec headlessAudioSpec() {
    return g_device.spec;
}
uint64_t headlessAudioFramesPulled() {
    return g_device.pulled;
}
void headlessAudioSetTap(kwAudioTap tap, void* user) {
    g_hooks.tap = tap;
    g_hooks.tapUser = user;
}
void headlessAudioResetHooks() {
    g_hooks = Hooks{};
}
void headlessAudioSetMachine(const kwHeadlessAudioMachine& machine) {
    g_machine = machine;
}

bool headlessAudioCapture(const char* path) {
    headlessAudioCaptureEnd();
    Capture& c = g_capture;
    c.path = path ? path : "";
    c.file = path ? std::fopen(path, "wb") : nullptr;
    if (!c.file) {
        debugFail("headless::audioCapture - cannot create", c.path.c_str());
        return false;
    }
    const auto header = wavHeader(0);  // sizes patched at the end
    if (std::fwrite(header.data(), 1, header.size(), c.file) != header.size())
        captureFailed("headless::audioCapture - cannot write");
    return !c.failed;
}

bool headlessAudioCaptureEnd() {
    Capture& c = g_capture;
    if (!c.file) return true;
    flushStaging();
    bool ok = !c.failed;
    if (ok) {
        const auto header = wavHeader(uint32_t(c.dataBytes));
        ok = std::fseek(c.file, kRiffSizeOffset, SEEK_SET) == 0 &&
             std::fwrite(&header[kRiffSizeOffset], 1, 4, c.file) == 4 &&
             std::fseek(c.file, kDataSizeOffset, SEEK_SET) == 0 &&
             std::fwrite(&header[kDataSizeOffset], 1, 4, c.file) == 4;
    }
    ok = std::fclose(c.file) == 0 && ok;
    if (!ok && !c.failed) debugFail("headless::audioCapture - cannot write", c.path.c_str());
    c = Capture{};
    return ok;
}
