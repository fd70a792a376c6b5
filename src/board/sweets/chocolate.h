// Sluggish chocolate: never moves, eats or breeds; it only sits in the way
// until the brush sweeps it off with one stroke.
#pragma once

#include "board/sweets/sweet.h"

class kwChocolate : public kwPiece {
public:
    static constexpr float kBaseLife = 100.0f;
    explicit kwChocolate(kwPieceArt* pieceArt);
    float baseLife() const override { return kBaseLife; }
    int32_t strokesNeeded() const override { return 1; }
};

class kwChocolateScript : public kwSweetScript {
public:
    static constexpr uint32_t kFidgetChance = 120;
    static constexpr uint32_t kFidgetKinds = 5;  // three short, one medium, one long
    static constexpr uint32_t kMeltRange = 10;
    static constexpr uint32_t kMeltAgainBelow = 7;

    using kwSweetScript::kwSweetScript;
    bool idleAnimation() override;

protected:
    void ambientDStep() override;
    int32_t dyingAnimation() const override { return AnimAmbientD; }
};
