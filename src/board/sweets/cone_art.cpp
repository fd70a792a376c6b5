#include "board/sweets/cone_art.h"

#include <array>

namespace {

using namespace anim;

constexpr int32_t kAmbientAFrames = 1;
constexpr int32_t kAmbientBFrames = 3;
constexpr int32_t kAmbientCFrames = 5;
constexpr float kAmbientCFps = 15.0f;
constexpr int32_t kAmbientDFrames = 5;
constexpr float kAmbientDFps = 10.0f;

constexpr std::array kAnimations = {
    plain(kwAnim::AmbientA, kAmbientAFrames),
    plain(kwAnim::AmbientB, kAmbientBFrames),
    plain(kwAnim::AmbientC, kAmbientCFrames, kAmbientCFps),
    plain(kwAnim::AmbientD, kAmbientDFrames, kAmbientDFps),
    look(kwAnim::LookDown),
    look(kwAnim::LookUp),
    look(kwAnim::LookLeft),
    look(kwAnim::LookRight),
    fr(kwAnim::FrDown),
    fr(kwAnim::FrUp),
    fr(kwAnim::FrLeft),
    fr(kwAnim::FrRight),
    plain(kwAnim::Selected, kOneFrame),
    plain(kwAnim::Shock, kOneFrame),
};

}  // namespace

const char* kwConeArt::stem() const {
    return "cone";
}

std::span<const kwAnimSpec> kwConeArt::animations() const {
    return kAnimations;
}
