// Frame sets: forwarding the drawable operations to the current frame with
// the set's offset applied.
#include "render/frame_set.h"

#include <cstddef>

#include "shell/log.h"

namespace {
constexpr size_t kCacheLine = 64;
}  // namespace

kwFrameOffset::kwFrameOffset(kwDrawable& frame, const kwDrawable& set)
    : frame_(frame), x_(frame.x), y_(frame.y), depth_(frame.depth) {
    frame.x += set.x;
    frame.y += set.y;
    frame.depth += set.depth;
}

// Restoring the saved values (rather than subtracting the offset again)
// leaves the frame exactly where it was, whatever float rounding did.
kwFrameOffset::~kwFrameOffset() {
    frame_.x = x_;
    frame_.y = y_;
    frame_.depth = depth_;
}

// num_frames is public; the array's own size guards against a count that
// was written by hand.
bool kwFrameSet::inRange(int32_t index) const {
    return index >= 0 && index < num_frames && static_cast<size_t>(index) < frames.size();
}

kwDrawable* kwFrameSet::shown() const {
    if (!inRange(current_frame)) return nullptr;
    return frames[current_frame];
}

float kwFrameSet::getX() {
    kwDrawable* f = shown();
    return f ? f->x + x : x;
}

float kwFrameSet::getY() {
    kwDrawable* f = shown();
    return f ? f->y + y : y;
}

float kwFrameSet::getDepth() {
    kwDrawable* f = shown();
    return f ? f->depth + depth : depth;
}

void kwFrameSet::draw() {
    kwDrawable* f = shown();
    if (!f) return;
    kwFrameOffset offset(*f, *this);
    f->draw();
}

bool kwFrameSet::place() {
    kwDrawable* f = shown();
    if (!f) return false;
    kwFrameOffset offset(*f, *this);
    return f->place();
}

kwDrawable* kwFrameSet::image() {
    kwDrawable* f = shown();
    return f ? f->image() : nullptr;
}

bool kwFrameSet::hitTest(int32_t qx, int32_t qy, bool exact) {
    kwDrawable* f = shown();
    if (!f) return false;
    kwFrameOffset offset(*f, *this);
    return f->hitTest(qx, qy, exact);
}

void kwFrameSet::warmFrames() const {
    __builtin_prefetch(frames.data());
}

void kwFrameSet::warmShown() const {
    const auto* f = reinterpret_cast<const char*>(shown());
    if (!f) return;
    for (size_t at = 0; at < kShownBytes; at += kCacheLine) __builtin_prefetch(f + at);
}

void kwFrameSet::addFrame(kwDrawable* d) {
    if (!d) {
        debugFail("kwFrameSet::addFrame - null frame");
        return;
    }
    frames.push_back(d);
    num_frames = static_cast<int32_t>(frames.size());
}

kwDrawable* kwFrameSet::frame(int32_t frame_index) {
    if (frame_index < 0) {
        debugFail("kwFrameSet::frame frame_index < 0");
        return nullptr;
    }
    if (!inRange(frame_index)) {
        debugFail("kwFrameSet::frame frame_index >= num_frames");
        return nullptr;
    }
    return frames[frame_index];
}
