#include "board/sweets/red_hard_candy_art.h"

#include <array>

namespace {

using namespace anim;

constexpr int32_t kAmbientCFrames = 25;
constexpr float kAmbientCFps = 15.0f;

constexpr auto kAnimations = candyTable(kAmbientCFrames, kAmbientCFps);

}  // namespace

const char* kwRedHardCandyArt::stem() const {
    return "rhc";
}

std::span<const kwAnimSpec> kwRedHardCandyArt::animations() const {
    return kAnimations;
}
