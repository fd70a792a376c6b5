// Slots are searched from the one after the last filled, so sparkles from a
// burst land in order and a freed slot is reused only after the others. A
// slot whose second is over counts as free even if the pool was not drawn
// in between (hidden, or paused frames), so a burst is never refused for
// sparkles nobody can see any more.
#include "play/sparkle_pool.h"

#include "render/render_target.h"
#include "shell/clock.h"
#include "shell/log.h"

namespace {
constexpr const char* kSparkleName = "bonus_01.eye";
constexpr uint32_t kOpacityShift = 2;  // 1023 ms down to 255 steps
}  // namespace

kwSparklePool::kwSparklePool() {
    depth = kDefaultDepth;
}

bool kwSparklePool::load(kwLinkedFileList* list) {
    kwLinkedFile* f = list ? list->find(kSparkleName) : nullptr;
    if (!f) {
        debugLog("kwSparklePool::load - bonus_01.eye not found\r\n");
        return false;
    }
    image.setLinkedFile(f);
    return image.file != nullptr;
}

bool kwSparklePool::isLive(int32_t slot, uint32_t now) const {
    const Slot& s = slots[size_t(slot)];
    return s.active && now - s.start < kLifetime;
}

int32_t kwSparklePool::liveCount(uint32_t now) const {
    int32_t n = 0;
    for (int32_t i = 0; i < kSlots; ++i) n += isLive(i, now) ? 1 : 0;
    return n;
}

void kwSparklePool::addSparkle(float px, float py) {
    const uint32_t now = gameTime();
    const int32_t from = next >= 0 && next < kSlots ? next : 0;
    for (int32_t k = 0; k < kSlots; ++k) {
        const int32_t i = (from + k) % kSlots;
        if (isLive(i, now)) continue;
        slots[size_t(i)] = Slot{px, py, now, 1};
        next = i + 1;
        return;
    }
}

void kwSparklePool::clearSparkles() {
    for (Slot& s : slots) s.active = 0;
    next = 0;
}

void kwSparklePool::draw() {
    const uint32_t now = gameTime();
    const bool canDraw = image.file != nullptr;
    for (Slot& s : slots) {
        if (!s.active) continue;
        const uint32_t age = now - s.start;
        if (age >= kLifetime) {
            s.active = 0;
            continue;
        }
        if (!canDraw) continue;
        image.Opacity((kLifetime - age) >> kOpacityShift);
        image.x = s.x;
        image.y = s.y;
        targetScreen();
        if (image.place()) image.draw();
    }
}
