#include "board/sweets/brush_art.h"

#include <array>

namespace {

using namespace anim;

constexpr int32_t kAppearsFrames = 6;
constexpr int32_t kUsedFrames = 6;
constexpr int32_t kDisappearsFrames = 10;

constexpr std::array kAnimations = {
    plain(kwAnim::Appears, kAppearsFrames),
    plain(kwAnim::Cursor, kOneFrame),
    plain(kwAnim::Used, kUsedFrames),
    plain(kwAnim::Disappears, kDisappearsFrames),
};

}  // namespace

const char* kwBrushArt::stem() const {
    return "brush";
}

std::span<const kwAnimSpec> kwBrushArt::animations() const {
    return kAnimations;
}
