#include "board/sweets/chomp_art.h"

#include <array>

namespace {

using namespace anim;

constexpr int32_t kAmbientAFrames = 1;
constexpr int32_t kAmbientBFrames = 3;
constexpr float kAmbientBFps = 15.0f;
constexpr int32_t kAmbientCFrames = 5;
constexpr float kAmbientCFps = 10.0f;

constexpr std::array kAnimations = {
    plain(kwAnim::AmbientA, kAmbientAFrames),
    looping(kwAnim::AmbientB, kAmbientBFrames, kAmbientBFps),
    looping(kwAnim::AmbientC, kAmbientCFrames, kAmbientCFps),
    plain(kwAnim::Selected, kOneFrame),
};

}  // namespace

const char* kwChompArt::stem() const {
    return "chomp";
}

std::span<const kwAnimSpec> kwChompArt::animations() const {
    return kAnimations;
}
