// The donut: eats watermelons, bananas and oranges, and rolls leftward
// through a line of them, eating as it goes, dizzy afterwards.
#pragma once

#include "board/sweets/sweet.h"

class kwDonut : public kwPiece {
public:
    static constexpr float kBaseLife = 12.5f;
    explicit kwDonut(kwPieceArt* pieceArt);
    float baseLife() const override { return kBaseLife; }
    int32_t strokesNeeded() const override { return 3; }
    bool canEat(kwPieceType type) const override;
};

class kwDonutScript : public kwSweetScript {
public:
    static constexpr int32_t kMinRollColumn = 6;  // a roll needs room on the left
    static constexpr int32_t kRollLookAhead = 4;
    static constexpr int32_t kRollCells = 5;
    static constexpr int32_t kDizzyPlays = 3;
    static constexpr uint32_t kFidgetChance = 120;
    static constexpr uint32_t kLingerRange = 100;
    static constexpr uint32_t kLingerBelow = 30;
    static constexpr float kRollMealFactor = 2.5f;

    using kwSweetScript::kwSweetScript;
    int32_t moveChance() const override { return 10; }
    bool idleAnimation() override;
    // Starts a roll when every piece in the four cells to the left is
    // prey; false, changing nothing, otherwise.
    bool startRoll();

    int32_t dizzyCount = 0;
    int32_t rollSteps = 0;
    int32_t rollMeals = 0;

protected:
    // Roll, eat, hunt the nearest prey, look, fidget.
    void idle() override;
    void act() override;  // one run of the roll
    void ambientCStep() override { replayOrIdle(AnimAmbientC, kLingerRange, kLingerBelow); }
    void ambientDStep() override;  // dizzy after a roll with meals

private:
    bool isRollPrey(const kwPiece* p) const;
    void eatOnTheRoll(kwPiece& prey);
    void lookAheadOnTheRoll();
};
