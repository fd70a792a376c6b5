// The yellow hard candy: eats lemons, fidgets often and hunts only when it
// is not fidgeting.
#pragma once

#include "board/sweets/hard_candy.h"

class kwYellowHardCandy : public kwPiece {
public:
    static constexpr float kBaseLife = 50.0f;
    explicit kwYellowHardCandy(kwPieceArt* pieceArt);
    float baseLife() const override { return kBaseLife; }
    int32_t strokesNeeded() const override { return 5; }
};

class kwYellowHardCandyScript : public kwHardCandyScript {
public:
    static constexpr uint32_t kFidgetChance = 5;
    static constexpr uint32_t kSpinAgainBelow = 30;    // ambient_d, out of kLingerRange
    static constexpr uint32_t kWobbleAgainBelow = 20;  // ambient_c

    using kwHardCandyScript::kwHardCandyScript;
    int32_t huntChance() const override { return 1; }
    // The long fidgets swap states: AmbientC shows ambient_d, AmbientD ambient_c.
    bool idleAnimation() override;

protected:
    bool isPrey(kwPieceType type) const override { return type == kwPieceType::Lemon; }
    // Eat, look, fidget, and only then hunt lemons.
    void idle() override;
    void ambientCStep() override { replayOrIdle(AnimAmbientD, kLingerRange, kSpinAgainBelow); }
    void ambientDStep() override { replayOrIdle(AnimAmbientC, kLingerRange, kWobbleAgainBelow); }
    int32_t dyingAnimation() const override { return AnimAmbientD; }
    int32_t eatingAnimation() const override { return AnimAmbientD; }
};
