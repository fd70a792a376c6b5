// playSound and playMusic: a sound at the player's effect or music volume.
// The volumes are settings of the game state, which sits above the audio
// code, so start-up points these at its fields; until then the built-in
// defaults (effects 8, music 10) apply.
#pragma once

#include <cstdint>

class kwSound;

struct kwVolumeSettings {
    const int32_t* soundVolume = nullptr;  // 0..10
    const int32_t* musicVolume = nullptr;  // 0..10
};

// Null fields fall back to the built-in defaults.
void setVolumeSettings(const kwVolumeSettings& settings);

// Volume setting x 0.1 x scale (in single precision), then play. A setting
// of 0 neither plays nor stops anything. A null sound does nothing.
void playSound(kwSound* sound, float scale, bool loop);
void playMusic(kwSound* sound, float scale, bool loop);
