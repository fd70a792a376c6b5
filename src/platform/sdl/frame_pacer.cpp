// Fixed-slot pacing: each present gets the next slot one period after the
// last; if the game is slower than the display, no waiting happens at all.
#include "platform/sdl/frame_pacer.h"

namespace {
constexpr int kFallbackRateHz = 60;
constexpr int kMaxSaneRateHz = 1000;
constexpr uint64_t kMicrosPerSecond = 1000000;
}  // namespace

uint64_t kwFramePacer::periodForRate(int hz) {
    if (hz <= 0 || hz > kMaxSaneRateHz) hz = kFallbackRateHz;
    return kMicrosPerSecond / uint64_t(hz);
}

uint64_t kwFramePacer::waitBeforePresent(uint64_t now) {
    if (period == 0) return 0;
    if (!started || now >= nextSlot + period) {
        // First present, or more than a whole period late: start afresh.
        started = true;
        nextSlot = now + period;
        return 0;
    }
    uint64_t wait = now < nextSlot ? nextSlot - now : 0;
    nextSlot += period;
    return wait;
}
