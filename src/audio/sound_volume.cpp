// The volume settings seen from the audio code, and the two play calls that
// apply them.
#include "audio/sound_volume.h"

#include "audio/sound.h"

namespace {

constexpr int32_t kDefaultSoundVolume = 8;
constexpr int32_t kDefaultMusicVolume = 10;
constexpr float kSettingStep = 0.1f;  // one setting step, as a float on purpose

kwVolumeSettings g_settings;

int32_t setting(const int32_t* field, int32_t fallback) {
    return field ? *field : fallback;
}

void playAt(kwSound* sound, int32_t volumeSetting, float scale, bool loop) {
    if (!sound || volumeSetting <= 0) return;
    const float v = float(volumeSetting) * kSettingStep * scale;
    sound->setVolume(v);
    sound->play(loop);
}

}  // namespace

void setVolumeSettings(const kwVolumeSettings& settings) {
    g_settings = settings;
}

void playSound(kwSound* sound, float scale, bool loop) {
    playAt(sound, setting(g_settings.soundVolume, kDefaultSoundVolume), scale, loop);
}

void playMusic(kwSound* sound, float scale, bool loop) {
    playAt(sound, setting(g_settings.musicVolume, kDefaultMusicVolume), scale, loop);
}
