#include "board/sweets/orange_hard_candy_art.h"

#include <array>

namespace {

using namespace anim;

constexpr int32_t kAmbientCFrames = 16;
constexpr float kAmbientCFps = 30.0f;

constexpr auto kAnimations = candyTable(kAmbientCFrames, kAmbientCFps);

}  // namespace

const char* kwOrangeHardCandyArt::stem() const {
    return "ohc";
}

std::span<const kwAnimSpec> kwOrangeHardCandyArt::animations() const {
    return kAnimations;
}
