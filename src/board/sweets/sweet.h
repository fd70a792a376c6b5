// What the sweets share: they eat their neighbours in a fixed order (right,
// left, up, down) and, once brushed off, fly away from the board's middle.
#pragma once

#include "board/piece.h"
#include "board/piece_script.h"

class kwSweetScript : public kwPieceScript {
public:
    using kwPieceScript::kwPieceScript;

    // The first qualifying neighbour in the fixed order is eaten.
    bool eatInFixedOrder();

protected:
    bool fliesAway() const override { return true; }
    // Whether a neighbour may be eaten now; by default what canEat allows.
    virtual bool qualifies(const kwPiece& prey) const;
    virtual int32_t eatingAnimation() const { return AnimAmbientC; }
    // Called after each meal (the chomp counts them).
    virtual void ateOne() {}
    // Hunts the type of the nearest piece this one can eat, if any.
    bool huntNearestPrey();
};
