#include "board/fruit/pear_art.h"

#include <array>

namespace {

using namespace anim;

constexpr int32_t kAmbientCFrames = 5;

constexpr auto kAnimations = fruitTable(kAmbientCFrames, kDefaultAnimFps);

}  // namespace

const char* kwPearArt::stem() const {
    return "pear";
}

std::span<const kwAnimSpec> kwPearArt::animations() const {
    return kAnimations;
}
