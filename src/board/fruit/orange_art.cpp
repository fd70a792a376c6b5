#include "board/fruit/orange_art.h"

#include <array>

namespace {

using namespace anim;

constexpr int32_t kAmbientCFrames = 32;
constexpr float kAmbientCFps = 15.0f;

constexpr auto kAnimations = fruitTable(kAmbientCFrames, kAmbientCFps);

}  // namespace

const char* kwOrangeArt::stem() const {
    return "orange";
}

std::span<const kwAnimSpec> kwOrangeArt::animations() const {
    return kAnimations;
}
