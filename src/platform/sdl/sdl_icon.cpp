// A 32x32 icon drawn pixel by pixel at start-up, so the game needs no icon
// file: an orange disc with a darker rim, a highlight and a green leaf.
#include "platform/sdl/sdl_icon.h"

#include <SDL.h>

#include <array>

namespace {

constexpr int kSize = 32;
constexpr float kCentreX = 16.0f, kCentreY = 18.0f, kRadius = 12.5f, kRim = 1.5f;
constexpr float kLeafX = 20.0f, kLeafY = 5.5f, kLeafA = 5.5f, kLeafB = 2.5f;
constexpr float kShineX = 12.0f, kShineY = 14.0f, kShineR = 3.0f;
constexpr uint32_t kOrange = 0xFFF39019, kRimColour = 0xFFC86A0C, kShine = 0xFFFFD08A;
constexpr uint32_t kLeaf = 0xFF3C9A32, kClear = 0x00000000;

float sq(float v) {
    return v * v;
}

uint32_t iconPixel(int x, int y) {
    float fx = float(x) + 0.5f, fy = float(y) + 0.5f;
    if (sq((fx - kLeafX) / kLeafA) + sq((fy - kLeafY) / kLeafB) <= 1.0f) return kLeaf;
    float d2 = sq(fx - kCentreX) + sq(fy - kCentreY);
    if (d2 > sq(kRadius)) return kClear;
    if (d2 > sq(kRadius - kRim)) return kRimColour;
    if (sq(fx - kShineX) + sq(fy - kShineY) <= sq(kShineR)) return kShine;
    return kOrange;
}

}  // namespace

void setWindowIcon(SDL_Window* window) {
    static std::array<uint32_t, kSize * kSize> pixels{};
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) pixels[y * kSize + x] = iconPixel(x, y);
    SDL_Surface* icon = SDL_CreateRGBSurfaceWithFormatFrom(pixels.data(), kSize, kSize, 32,
                                                           kSize * 4, SDL_PIXELFORMAT_ARGB8888);
    if (!icon) return;  // an icon is a nicety; the window works without one
    SDL_SetWindowIcon(window, icon);
    SDL_FreeSurface(icon);
}
