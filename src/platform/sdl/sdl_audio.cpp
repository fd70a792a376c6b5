// The audio subsystem comes up only when sound is first asked for, so a
// machine without a sound server costs nothing until then and the game
// simply runs silent. The device is opened with no allowed changes: SDL
// converts to whatever the hardware takes, and the mixer always writes the
// format it asked for.
#include "platform/sdl/sdl_audio.h"

#include <SDL.h>

#include "shell/log.h"

namespace {

constexpr int kDeviceBufferMs = 20;  // latency of one callback, rounded up to a power of two
constexpr int kMinDeviceSamples = 256;
constexpr int kMillisPerSecond = 1000;

struct Audio {
    bool up = false;  // we started SDL's audio subsystem
    bool failureLogged = false;
    SDL_AudioDeviceID device = 0;
    kwAudioFill fill = nullptr;
    void* user = nullptr;
};

Audio g_audio;

bool startAudio() {
    if (g_audio.up) return true;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        if (!g_audio.failureLogged) debugFail("sdl::openAudio - no audio system", SDL_GetError());
        g_audio.failureLogged = true;
        return false;
    }
    g_audio.up = true;
    return true;
}

void SDLCALL callback(void*, Uint8* stream, int len) {
    g_audio.fill(g_audio.user, stream, len);
}

Uint16 deviceSamples(int rate) {
    int target = rate * kDeviceBufferMs / kMillisPerSecond;
    int samples = kMinDeviceSamples;
    while (samples < target) samples *= 2;
    return Uint16(samples);
}

}  // namespace

bool sdlAudioPresent() {
    if (!startAudio()) return false;
    // -1 means the driver cannot list devices, not that there are none.
    return SDL_GetNumAudioDevices(0) != 0;
}

bool sdlAudioDefaultSpec(kwAudioSpec* out) {
    if (!out || !sdlAudioPresent()) return false;
    SDL_AudioSpec have{};
    char* name = nullptr;
    kwAudioSpec spec;  // 44100 Hz 16-bit stereo when the driver will not say
    if (SDL_GetDefaultAudioInfo(&name, &have, 0) == 0) {
        SDL_free(name);
        if (have.freq >= kAudioMinRate && have.freq <= kAudioMaxRate) spec.rate = have.freq;
        spec.channels = have.channels == 1 ? 1 : 2;
        spec.bits = SDL_AUDIO_BITSIZE(have.format) == 8 ? 8 : 16;
    }
    *out = spec;
    return true;
}

bool sdlOpenAudio(const kwAudioSpec& spec, kwAudioFill fill, void* user) {
    sdlCloseAudio();
    if (!fill || !audioSpecValid(spec) || !startAudio()) return false;
    SDL_AudioSpec want{};
    want.freq = spec.rate;
    want.format = spec.bits == 16 ? AUDIO_S16SYS : AUDIO_U8;
    want.channels = Uint8(spec.channels);
    want.samples = deviceSamples(spec.rate);
    want.callback = callback;
    SDL_AudioSpec have{};
    g_audio.fill = fill;
    g_audio.user = user;
    g_audio.device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (!g_audio.device) {
        debugFail("sdl::openAudio - cannot open the audio device", SDL_GetError());
        return false;
    }
    SDL_PauseAudioDevice(g_audio.device, 0);
    return true;
}

void sdlCloseAudio() {
    if (g_audio.device) SDL_CloseAudioDevice(g_audio.device);  // waits for the callback
    g_audio.device = 0;
    g_audio.fill = nullptr;
    if (g_audio.up) SDL_QuitSubSystem(SDL_INIT_AUDIO);
    g_audio.up = false;
}

void sdlLockAudio() {
    if (g_audio.device) SDL_LockAudioDevice(g_audio.device);
}

void sdlUnlockAudio() {
    if (g_audio.device) SDL_UnlockAudioDevice(g_audio.device);
}
