#include "board/sweets/yellow_hard_candy_art.h"

#include <array>

namespace {

using namespace anim;

constexpr int32_t kAmbientAFrames = 1;
constexpr int32_t kAmbientBFrames = 3;
constexpr int32_t kAmbientCFrames = 22;
constexpr float kAmbientCFps = 30.0f;
constexpr uint32_t kAmbientCPairs = 1;
constexpr int32_t kAmbientDFrames = 21;
constexpr float kAmbientDFps = 15.0f;

constexpr std::array kAnimations = {
    plain(kwAnim::AmbientA, kAmbientAFrames),
    plain(kwAnim::AmbientB, kAmbientBFrames),
    pingPong(kwAnim::AmbientC, kAmbientCFrames, kAmbientCFps, kAmbientCPairs),
    plain(kwAnim::AmbientD, kAmbientDFrames, kAmbientDFps),
    look(kwAnim::LookDown),
    look(kwAnim::LookUp),
    look(kwAnim::LookLeft),
    look(kwAnim::LookRight),
    plain(kwAnim::Selected, kOneFrame),
};

}  // namespace

const char* kwYellowHardCandyArt::stem() const {
    return "yhc";
}

std::span<const kwAnimSpec> kwYellowHardCandyArt::animations() const {
    return kAnimations;
}
