#include "board/fruit/watermelon_art.h"

#include <array>

namespace {

using namespace anim;

constexpr int32_t kAmbientCFrames = 17;

constexpr auto kAnimations = fruitTable(kAmbientCFrames, kDefaultAnimFps);

}  // namespace

const char* kwWatermelonArt::stem() const {
    return "wamelon";
}

std::span<const kwAnimSpec> kwWatermelonArt::animations() const {
    return kAnimations;
}
