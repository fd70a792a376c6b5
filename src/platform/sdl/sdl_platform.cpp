// The SDL backend's window and frame buffer. One window (desktop full
// screen, or a normal window when asked), a renderer with the picture
// scaled to fit and its aspect kept, and a 16-bit streaming texture the
// frame buffer is copied into at each present. Presents wait for vsync, or
// are paced to the display's rate when the renderer cannot wait.
#include "platform/sdl/sdl_platform.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/sdl/sdl_audio.h"
#include "platform/sdl/sdl_events.h"
#include "platform/sdl/sdl_icon.h"
#include "platform/sdl/sdl_state.h"
#include "platform/sdl/ttf_text.h"
#include "shell/log.h"

kwSdlState sdlState;

namespace {

constexpr int kFrameDepth = 16;
constexpr uint64_t kMicrosPerMilli = 1000, kMicrosPerSecond = 1000000;

kwSdlState& g = sdlState;

uint64_t nowMicros() {
    static const uint64_t frequency = SDL_GetPerformanceFrequency();
    uint64_t count = SDL_GetPerformanceCounter();
    // Split so that a nanosecond counter times a million cannot overflow.
    return count / frequency * kMicrosPerSecond + count % frequency * kMicrosPerSecond / frequency;
}

void paceBeforePresent() {
    uint64_t wait = g.pacer.waitBeforePresent(nowMicros());
    if (wait >= kMicrosPerMilli) SDL_Delay(uint32_t(wait / kMicrosPerMilli));
}

void failOpen(const char* what) {
    std::fprintf(stderr,
                 "Gobble Garden!: %s: %s\n"
                 "A graphical display is needed (is DISPLAY or WAYLAND_DISPLAY set?).\n",
                 what, SDL_GetError());
    debugFail("sdl::openWindow - cannot open the window", SDL_GetError());
}

// With no display SDL falls back to drivers that show nothing; a player
// would get an invisible game. Those run only when asked for by name.
bool displayIsReal() {
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!driver) return false;
    bool invisible = !std::strcmp(driver, "offscreen") || !std::strcmp(driver, "dummy");
    const char* asked = std::getenv("SDL_VIDEODRIVER");
    return !invisible || (asked && *asked);
}

bool createRenderer() {
    g.renderer =
        SDL_CreateRenderer(g.window, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC);
    if (!g.renderer) g.renderer = SDL_CreateRenderer(g.window, -1, SDL_RENDERER_SOFTWARE);
    if (!g.renderer) return false;
    SDL_RendererInfo info{};
    if (SDL_GetRendererInfo(g.renderer, &info) == 0) {
        // The software renderer reports vsync when asked but never waits.
        g.vsync = (info.flags & SDL_RENDERER_PRESENTVSYNC) && std::strcmp(info.name, "software");
        std::snprintf(g.rendererName, sizeof g.rendererName, "%s", info.name);
    }
    SDL_RenderSetLogicalSize(g.renderer, g.width, g.height);
    return true;
}

// The window class / app id lets desktops group and match the window; the
// environment wins if the user set it.
void nameTheApp(const char* appId) {
    SDL_SetHint(SDL_HINT_APP_NAME, appId);
    setenv("SDL_VIDEO_X11_WMCLASS", appId, 0);
    setenv("SDL_VIDEO_WAYLAND_WMCLASS", appId, 0);
}

void destroyFrameBuffer() {
    if (g.texture) SDL_DestroyTexture(g.texture);
    g.texture = nullptr;
    g.pixels.reset();
    g.pitch = 0;
}

void closeWindow() {
    destroyFrameBuffer();
    if (g.renderer) SDL_DestroyRenderer(g.renderer);
    if (g.window) SDL_DestroyWindow(g.window);
    if (g.videoUp) SDL_QuitSubSystem(SDL_INIT_VIDEO);
    g = kwSdlState{};
}

bool startVideo() {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        failOpen("cannot start the video system");
        return false;
    }
    g.videoUp = true;
    if (displayIsReal()) return true;
    SDL_SetError("no display found (video driver \"%s\")", SDL_GetCurrentVideoDriver());
    failOpen("cannot open the window");
    closeWindow();
    return false;
}

bool openWindow(const kwPlatformConfig& config) {
    if (g.window) return true;
    g.layout = config.layout;
    nameTheApp(config.appId ? config.appId : "kwWindow");
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "linear");
    if (!startVideo()) return false;
    uint32_t flags = config.windowed ? SDL_WINDOW_RESIZABLE : SDL_WINDOW_FULLSCREEN_DESKTOP;
    g.window =
        SDL_CreateWindow(config.title ? config.title : "Gobble Garden!", SDL_WINDOWPOS_CENTERED,
                         SDL_WINDOWPOS_CENTERED, g.width, g.height, flags);
    if (!g.window || !createRenderer()) {
        failOpen(g.window ? "cannot create a renderer" : "cannot create the window");
        closeWindow();
        return false;
    }
    setWindowIcon(g.window);
    SDL_ShowCursor(SDL_DISABLE);  // the game draws its own cursor
    SDL_StartTextInput();
    sdlUpdatePacing();
    sdlDrawTexture();  // black until the first frame
    return true;
}

void hideWindow() {
    if (g.window) SDL_HideWindow(g.window);
}

void showMessage(const char* caption, const char* text) {
    debugLogf("%s: %s\r\n", caption, text);
    if (SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, caption, text, nullptr) != 0)
        std::fprintf(stderr, "%s: %s\n", caption, text);
}

uint32_t ticks() {
    return SDL_GetTicks();
}

bool createFrameBuffer(int width, int height, int bpp, kwPixelLayout* layout) {
    if (!g.renderer || bpp != kFrameDepth || width <= 0 || height <= 0) return false;
    destroyFrameBuffer();
    bool is555 = g.layout.red == kLayout555.red && g.layout.green == kLayout555.green &&
                 g.layout.blue == kLayout555.blue;
    uint32_t format = is555 ? SDL_PIXELFORMAT_RGB555 : SDL_PIXELFORMAT_RGB565;
    g.texture = SDL_CreateTexture(g.renderer, format, SDL_TEXTUREACCESS_STREAMING, width, height);
    if (!g.texture) {
        debugFail("sdl::createFrameBuffer - cannot create the texture", SDL_GetError());
        return false;
    }
    g.width = width;
    g.height = height;
    g.pitch = width * 2;
    g.pixels = std::make_unique<uint16_t[]>(size_t(width) * size_t(height));
    SDL_RenderSetLogicalSize(g.renderer, width, height);
    if (layout) *layout = is555 ? kLayout555 : kLayout565;
    return true;
}

uint8_t* lockFrame(int* pitch) {
    if (!g.pixels) return nullptr;
    if (pitch) *pitch = g.pitch;
    return reinterpret_cast<uint8_t*>(g.pixels.get());
}

// The pixels live in our own memory; only present hands them to SDL.
void unlockFrame() {}

bool present() {
    if (!g.texture || !g.pixels) return false;
    if (SDL_UpdateTexture(g.texture, nullptr, g.pixels.get(), g.pitch) != 0) {
        if (!g.reportedPresentFailure)
            debugFail("sdl::present - cannot update the texture", SDL_GetError());
        g.reportedPresentFailure = true;
        return false;
    }
    paceBeforePresent();
    sdlDrawTexture();
    return true;
}

// SDL already reports the logical (possibly swapped) buttons.
bool buttonsSwapped() {
    return false;
}

const kwPlatform kSdl = {
    .name = "sdl",
    .openWindow = openWindow,
    .closeWindow = closeWindow,
    .pollEvent = sdlPollEvent,
    .waitEvent = sdlWaitEvent,
    .ticks = ticks,
    .showMessage = showMessage,
    .createFrameBuffer = createFrameBuffer,
    .destroyFrameBuffer = destroyFrameBuffer,
    .lockFrame = lockFrame,
    .unlockFrame = unlockFrame,
    .present = present,
    .getMousePos = sdlGetMousePos,
    .setMousePos = sdlSetMousePos,
    .mouseButton = sdlMouseButton,
    .buttonsSwapped = buttonsSwapped,
    .hideWindow = hideWindow,
    .openAudio = sdlOpenAudio,
    .closeAudio = sdlCloseAudio,
    .lockAudio = sdlLockAudio,
    .unlockAudio = sdlUnlockAudio,
    .audioPresent = sdlAudioPresent,
    .audioDefaultSpec = sdlAudioDefaultSpec,
    .openFont = ttfOpenFont,
    .closeFont = ttfCloseFont,
    .textWidth = ttfTextWidth,
    .renderText = ttfRenderText,
};

}  // namespace

const kwPlatform& sdlPlatform() {
    return kSdl;
}

void sdlDrawTexture() {
    if (!g.renderer) return;
    SDL_SetRenderDrawColor(g.renderer, 0, 0, 0, SDL_ALPHA_OPAQUE);
    SDL_RenderClear(g.renderer);  // the bars beside the picture
    if (g.texture) SDL_RenderCopy(g.renderer, g.texture, nullptr, nullptr);
    SDL_RenderPresent(g.renderer);
}

void sdlToggleFullscreen() {
    if (!g.window) return;
    if (SDL_GetWindowFlags(g.window) & SDL_WINDOW_FULLSCREEN) {
        SDL_SetWindowFullscreen(g.window, 0);
        SDL_SetWindowSize(g.window, g.width, g.height);
        SDL_SetWindowPosition(g.window, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
    } else {
        SDL_SetWindowFullscreen(g.window, SDL_WINDOW_FULLSCREEN_DESKTOP);
    }
    sdlUpdatePacing();
    sdlDrawTexture();
}

void sdlUpdatePacing() {
    int display = g.window ? SDL_GetWindowDisplayIndex(g.window) : 0;
    SDL_DisplayMode mode{};
    bool known = SDL_GetCurrentDisplayMode(display < 0 ? 0 : display, &mode) == 0;
    uint64_t period = kwFramePacer::periodForRate(known ? mode.refresh_rate : 0);
    // With vsync the renderer waits by itself; the pacer then only guards
    // against a driver that claims vsync and does not wait (half a period).
    g.pacer.setPeriod(g.vsync ? period / 2 : period);
    g.pacer.restart();
}

bool sdlIsFullscreen() {
    return g.window && (SDL_GetWindowFlags(g.window) & SDL_WINDOW_FULLSCREEN);
}

bool sdlHasVsync() {
    return g.vsync;
}

const char* sdlRendererName() {
    return g.rendererName;
}
