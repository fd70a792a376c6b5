// A frame set: a drawable that shows one of several frame drawables. The
// set's own x, y and depth are an offset added to the current frame's for
// the duration of each forwarded call. The set owns only its frame array.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "render/drawable.h"

class kwFrameSet : public kwDrawable {
public:
    kwFrameSet() = default;
    kwFrameSet(const kwFrameSet&) = default;
    kwFrameSet& operator=(const kwFrameSet&) = default;
    ~kwFrameSet() override = default;

    float getX() override;
    float getY() override;
    float getDepth() override;
    int32_t getWidth() override { return 0; }
    int32_t getHeight() override { return 0; }
    void draw() override;
    bool place() override;
    uint32_t kind() override { return kKindFrameSet; }
    kwDrawable* image() override;
    bool hitTest(int32_t qx, int32_t qy, bool exact) override;

    // Appends a frame (null frames are refused). Grows only while an
    // animation is built, never per frame.
    virtual void addFrame(kwDrawable* d);
    virtual int32_t currentFrame() { return current_frame; }

    // The frame at an index, or null (with a log line) when out of range.
    kwDrawable* frame(int32_t frame_index);

    // Cache hints for a draw coming soon, one link of the chain each, so a
    // caller can ask for the next link once the one before has arrived:
    // the frame array, then the frame shown (the first kShownBytes of it,
    // enough for a layered sprite with its ticket).
    static constexpr size_t kShownBytes = 320;
    void warmFrames() const;
    void warmShown() const;

    int32_t num_frames = 0;
    int32_t current_frame = 0;
    std::vector<kwDrawable*> frames;

protected:
    // The current frame, or null when current_frame is out of range.
    kwDrawable* shown() const;
    bool inRange(int32_t index) const;
};

// Shifts a frame by a set's offset for one call and puts it back exactly.
class kwFrameOffset {
public:
    kwFrameOffset(kwDrawable& frame, const kwDrawable& set);
    ~kwFrameOffset();
    kwFrameOffset(const kwFrameOffset&) = delete;
    kwFrameOffset& operator=(const kwFrameOffset&) = delete;

private:
    kwDrawable& frame_;
    float x_, y_, depth_;
};
