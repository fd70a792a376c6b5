// Drawables (everything shown) and scripts (everything that changes over
// time). Positions are centre-origin, x right, y up.
#pragma once

#include <cstdint>

enum : uint32_t {
    kKindDrawable = 0,
    kKindImage = 2,
    kKindFrameSet = 3,
    kKindFramePlayer = 5,
    kKindText = 7,
};

class kwDrawable {
public:
    virtual ~kwDrawable() = default;
    virtual float getX() { return x; }
    virtual float getY() { return y; }
    virtual float getDepth() { return depth; }
    virtual int32_t getWidth() { return 0; }
    virtual int32_t getHeight() { return 0; }
    virtual void draw() {}
    virtual bool place() { return true; }
    virtual uint32_t kind() { return kKindDrawable; }
    virtual kwDrawable* image() { return nullptr; }
    virtual bool hitTest(int32_t /*x*/, int32_t /*y*/, bool /*exact*/) { return false; }

    float x = 0.0f;
    float y = 0.0f;
    float depth = 0.0f;
    bool visible = true;
};

inline constexpr uint32_t kScriptFinished = 7777777;

class kwScript {
public:
    kwScript();
    virtual ~kwScript() = default;
    virtual void run() {}

    uint32_t state = 0;
    uint32_t interval = 100;
    uint32_t lastRun = 0;
    float elapsed = 1.0f;
};
