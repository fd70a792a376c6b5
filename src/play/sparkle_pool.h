// The sparkles scoring pieces leave as they go at a level's end: one fixed
// slot per board cell, each fading out over about a second.
#pragma once

#include <array>
#include <cstdint>

#include "assets/linked_file.h"
#include "render/drawable.h"
#include "render/eye.h"

class kwSparklePool : public kwDrawable {
public:
    static constexpr int32_t kSlots = 176;       // one per board cell
    static constexpr uint32_t kLifetime = 1023;  // ms from full to no opacity
    static constexpr float kDefaultDepth = 40.0f;

    struct Slot {
        float x = 0.0f;
        float y = 0.0f;
        uint32_t start = 0;  // gameTime() when filled
        uint8_t active = 0;
    };

    kwSparklePool();
    // Binds the sparkle picture "bonus_01.eye" from `list` (which must
    // outlive the pool); false, and nothing drawn, when it is missing.
    bool load(kwLinkedFileList* list);

    // Shows a sparkle at a scene position; nothing when every slot is busy.
    void addSparkle(float x, float y);
    void clearSparkles();
    void draw() override;

    // Active and not yet faded out at `now`.
    bool isLive(int32_t slot, uint32_t now) const;
    int32_t liveCount(uint32_t now) const;

    std::array<Slot, kSlots> slots{};
    int32_t next = 0;
    kwEyeTransparencyConstantAlpha image;
};
