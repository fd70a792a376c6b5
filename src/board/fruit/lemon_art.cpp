#include "board/fruit/lemon_art.h"

#include <array>

namespace {

using namespace anim;

constexpr int32_t kAmbientCFrames = 36;
constexpr float kAmbientCFps = 15.0f;

constexpr auto kAnimations = fruitTable(kAmbientCFrames, kAmbientCFps);

}  // namespace

const char* kwLemonArt::stem() const {
    return "lemon";
}

std::span<const kwAnimSpec> kwLemonArt::animations() const {
    return kAnimations;
}
