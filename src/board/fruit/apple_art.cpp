#include "board/fruit/apple_art.h"

#include <array>

namespace {

using namespace anim;

constexpr int32_t kAmbientAFrames = 1;
constexpr int32_t kAmbientBFrames = 3;
constexpr int32_t kAmbientCFrames = 11;

constexpr std::array kAnimations = {
    plain(kwAnim::AmbientA, kAmbientAFrames),
    plain(kwAnim::AmbientB, kAmbientBFrames),
    plain(kwAnim::AmbientC, kAmbientCFrames),
    look(kwAnim::LookDown),
    look(kwAnim::LookUp),
    look(kwAnim::LookLeft),
    look(kwAnim::LookRight),
    plain(kwAnim::Eaten, kOneFrame),
    plain(kwAnim::Selected, kOneFrame),
    plain(kwAnim::Shock, kOneFrame),
};

}  // namespace

const char* kwAppleArt::stem() const {
    return "apple";
}

std::span<const kwAnimSpec> kwAppleArt::animations() const {
    return kAnimations;
}
