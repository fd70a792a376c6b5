// The headless audio device. It takes any valid spec and pulls output from
// the fill callback as the headless clock advances: after t ms open it has
// pulled exactly t * rate / 1000 frames (integer, no drift), so play
// positions move with the caller's clock. What it pulls can go to a WAV
// capture (always 44100 Hz, 16-bit stereo) and to a test tap.
#pragma once

#include <cstdint>

#include "platform/platform.h"

// The table's entries (headless.cpp puts them in the backend's table).
bool headlessOpenAudio(const kwAudioSpec& spec, kwAudioFill fill, void* user);
void headlessCloseAudio();
void headlessLockAudio();
void headlessUnlockAudio();
bool headlessAudioPresent();
bool headlessAudioDefaultSpec(kwAudioSpec* out);

// Called by the headless clock with its new time. Forward steps pull the
// frames that became due (held back while the audio lock is held, pulled
// at the unlock); a step back pulls nothing. A single step of more than
// kHeadlessAudioMaxStepMs counts as that much, so a test that jumps the
// clock far ahead does not mix hours of sound.
inline constexpr uint32_t kHeadlessAudioMaxStepMs = 60000;
void headlessAudioClock(uint32_t now);

// Test hooks. An absent device fails openAudio and reports not present;
// headlessReset makes it present again and restores the default spec.
void headlessAudioSetPresent(bool present);
void headlessAudioSetDefaultSpec(const kwAudioSpec& spec);
void headlessAudioRefuseOpens(int count);  // the next `count` opens fail
bool headlessAudioIsOpen();
kwAudioSpec headlessAudioSpec();       // as opened
uint64_t headlessAudioFramesPulled();  // since the open
// Sees every block pulled, in the device's spec; null removes it.
using kwAudioTap = void (*)(void* user, const uint8_t* data, int bytes);
void headlessAudioSetTap(kwAudioTap tap, void* user);
void headlessAudioResetHooks();  // present, default spec 44100/16/2, no tap

// The machine a whole run starts on. The hooks above are reset with the
// backend at the start of every run; this is not, so a test can start the
// game on a machine with no output device (present false) or with one that
// refuses every format (refuseAllOpens), and set it back afterwards.
struct kwHeadlessAudioMachine {
    bool present = true;
    bool refuseAllOpens = false;
};
void headlessAudioSetMachine(const kwHeadlessAudioMachine& machine);

// Captures everything pulled from now on into a RIFF/WAVE file (PCM, 44100
// Hz, 16-bit stereo; other device specs are converted). False, logged, when
// the file cannot be made. The end patches the header's sizes and closes
// the file; false, logged, on a write failure. Capturing spans device
// opens and closes until the end.
bool headlessAudioCapture(const char* path);
bool headlessAudioCaptureEnd();
