#include "board/sweets/chocolate_art.h"

#include <array>

namespace {

using namespace anim;

constexpr int32_t kAmbientAFrames = 1;
constexpr int32_t kAmbientBFrames = 3;
constexpr int32_t kAmbientCFrames = 22;
constexpr float kAmbientCFps = 10.0f;
constexpr int32_t kAmbientDFrames = 21;
constexpr float kAmbientDFps = 15.0f;

constexpr std::array kAnimations = {
    plain(kwAnim::AmbientA, kAmbientAFrames),
    plain(kwAnim::AmbientB, kAmbientBFrames),
    plain(kwAnim::AmbientC, kAmbientCFrames, kAmbientCFps),
    plain(kwAnim::AmbientD, kAmbientDFrames, kAmbientDFps),
    plain(kwAnim::Selected, kOneFrame),
};

}  // namespace

const char* kwChocolateArt::stem() const {
    return "choco";
}

std::span<const kwAnimSpec> kwChocolateArt::animations() const {
    return kAnimations;
}
