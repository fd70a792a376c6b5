#include "board/sweets/donut_art.h"

#include <array>

namespace {

using namespace anim;

constexpr int32_t kAmbientAFrames = 1;
constexpr int32_t kAmbientBFrames = 3;
constexpr int32_t kAmbientCFrames = 10;
constexpr float kAmbientCFps = 20.0f;
constexpr int32_t kAmbientDFrames = 3;
constexpr float kAmbientDFps = 15.0f;
constexpr int32_t kRollFrames = 10;
constexpr float kRollFps = 15.0f;

constexpr std::array kAnimations = {
    plain(kwAnim::AmbientA, kAmbientAFrames),
    plain(kwAnim::AmbientB, kAmbientBFrames),
    plain(kwAnim::AmbientC, kAmbientCFrames, kAmbientCFps),
    plain(kwAnim::AmbientD, kAmbientDFrames, kAmbientDFps),
    looping(kwAnim::Roll, kRollFrames, kRollFps),
    look(kwAnim::LookDown),
    look(kwAnim::LookUp),
    look(kwAnim::LookLeft),
    look(kwAnim::LookRight),
    plain(kwAnim::Selected, kOneFrame),
    plain(kwAnim::Shock, kOneFrame),
};

}  // namespace

const char* kwDonutArt::stem() const {
    return "donut";
}

std::span<const kwAnimSpec> kwDonutArt::animations() const {
    return kAnimations;
}
