// The SDL backend's audio device: the default output opened in exactly the
// format asked for (SDL converts if the hardware differs), the mixer's fill
// running in SDL's audio callback. SDL-free header; the table in
// sdl_platform.cpp points at these.
#pragma once

#include "platform/platform.h"

bool sdlOpenAudio(const kwAudioSpec& spec, kwAudioFill fill, void* user);
void sdlCloseAudio();
void sdlLockAudio();
void sdlUnlockAudio();
bool sdlAudioPresent();
bool sdlAudioDefaultSpec(kwAudioSpec* out);
