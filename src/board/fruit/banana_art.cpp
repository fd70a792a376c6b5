#include "board/fruit/banana_art.h"

#include <array>

namespace {

using namespace anim;

constexpr int32_t kAmbientCFrames = 5;

constexpr auto kAnimations = fruitTable(kAmbientCFrames, kDefaultAnimFps);

}  // namespace

const char* kwBananaArt::stem() const {
    return "banana";
}

std::span<const kwAnimSpec> kwBananaArt::animations() const {
    return kAnimations;
}
