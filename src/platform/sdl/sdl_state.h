// State the SDL backend's files share: the window, the renderer, the frame
// buffer and the input bookkeeping, plus the window helpers the event pump
// calls. Internal to this folder (it includes SDL).
#pragma once

#include <SDL.h>

#include <array>
#include <cstdint>
#include <memory>

#include "platform/platform.h"
#include "platform/sdl/frame_pacer.h"

inline constexpr int kSdlButtons = 2;
inline constexpr int kSdlPendingCapacity = 64;  // a text event gives at most 31 characters

struct kwSdlButton {
    bool held = false;
    bool pressedSince = false;  // cleared when the button is queried
};

struct kwSdlState {
    bool videoUp = false;
    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    SDL_Texture* texture = nullptr;
    std::unique_ptr<uint16_t[]> pixels;
    int width = kScreenWidth, height = kScreenHeight, pitch = 0;
    kwPixelLayout layout = kLayout565;
    bool vsync = false;
    bool reportedPresentFailure = false;
    kwFramePacer pacer;
    std::array<kwSdlButton, kSdlButtons> buttons{};
    std::array<kwEvent, kSdlPendingCapacity> pending{};  // translated, not yet taken
    int pendingHead = 0, pendingCount = 0;
    char rendererName[64] = "";
};
extern kwSdlState sdlState;

// Defined with the window (sdl_platform.cpp).
void sdlDrawTexture();  // shows the last picture again
void sdlToggleFullscreen();
void sdlUpdatePacing();  // after the window moved to another display
