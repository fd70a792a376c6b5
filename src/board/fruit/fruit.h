// What the six fruit share: they score while they live and as they leave a
// completed level, die with a shocked face, and fidget the same way.
#pragma once

#include "board/piece.h"
#include "board/piece_script.h"

class kwFruit : public kwPiece {
public:
    using kwPiece::kwPiece;
    int32_t scoringUnits() const override { return 1; }
};

class kwFruitScript : public kwPieceScript {
public:
    static constexpr uint32_t kFidgetChance = 120;
    static constexpr uint32_t kFidgetKinds = 4;  // three blinks to one longer fidget

    using kwPieceScript::kwPieceScript;
    bool idleAnimation() override;

protected:
    // Breed, eat, wander, look; the first that happens ends the run.
    void idle() override;
    bool scoresOnLeaving() const override { return true; }
    int32_t dyingAnimation() const override { return AnimShock; }
    // Apple, orange and lemon breed through the shared rule.
    virtual bool breedRule() { return breed(); }
};

// Banana, pear and watermelon breed more readily and linger in ambient_c.
class kwLateFruitScript : public kwFruitScript {
public:
    using kwFruitScript::kwFruitScript;
    int32_t breedChance() const override { return 3; }

protected:
    static constexpr uint32_t kLingerRange = 100;
    // Out of kLingerRange, the odds that ambient_c plays again.
    virtual uint32_t lingerBelow() const { return 75; }
    void ambientCStep() override { replayOrIdle(AnimAmbientC, kLingerRange, lingerBelow()); }
};

// True when a neighbour on the board holds a piece of `type`.
bool hasNeighbourOfType(const kwPiece& piece, kwPieceType type);
