// What the three hard candies share: each hunts one kind of fruit and eats
// it by its own rule rather than by canEat, walks often, and is brushed off
// after a few strokes.
#pragma once

#include "board/sweets/sweet.h"

class kwHardCandyScript : public kwSweetScript {
public:
    static constexpr uint32_t kFidgetChance = 120;
    static constexpr uint32_t kFidgetKinds = 10;  // nine blinks to one longer fidget
    static constexpr uint32_t kLingerRange = 100;
    static constexpr uint32_t kLingerBelow = 30;

    using kwSweetScript::kwSweetScript;
    int32_t moveChance() const override { return 10; }
    bool idleAnimation() override;

protected:
    // The fruit this candy eats.
    virtual bool isPrey(kwPieceType type) const = 0;
    bool qualifies(const kwPiece& prey) const override;
    void ambientCStep() override { replayOrIdle(AnimAmbientC, kLingerRange, kLingerBelow); }
    int32_t dyingAnimation() const override { return AnimAmbientC; }
};
