// The chomp: the player's ally. It hunts and eats the other sweets until it
// has had six meals, then sits chewing for the rest of the level.
#pragma once

#include "board/sweets/sweet.h"

class kwChomp : public kwPiece {
public:
    static constexpr float kBaseLife = 10000.0f;
    explicit kwChomp(kwPieceArt* pieceArt);
    float baseLife() const override { return kBaseLife; }
    int32_t scoringUnits() const override { return 1; }
    int32_t strokesNeeded() const override { return 10000; }
    bool canEat(kwPieceType type) const override;
};

class kwChompScript : public kwSweetScript {
public:
    static constexpr int32_t kFullAfterMeals = 5;  // full once past this many
    static constexpr uint32_t kFidgetChance = 120;

    using kwSweetScript::kwSweetScript;
    bool idleAnimation() override;

    int32_t meals = 0;

protected:
    void start() override;
    // Full: chew forever. Otherwise eat, hunt, wander, fidget.
    void idle() override;
    void ambientCStep() override;
    int32_t dyingAnimation() const override { return AnimAmbientC; }
    int32_t eatingAnimation() const override { return AnimAmbientB; }
    void ateOne() override { ++meals; }
    bool fliesAway() const override { return false; }
    bool canFreeze() const override { return false; }
};
