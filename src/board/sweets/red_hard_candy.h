// The red hard candy: eats apples and watermelons.
#pragma once

#include "board/sweets/hard_candy.h"

class kwRedHardCandy : public kwPiece {
public:
    static constexpr float kBaseLife = 12.5f;
    explicit kwRedHardCandy(kwPieceArt* pieceArt);
    float baseLife() const override { return kBaseLife; }
    int32_t strokesNeeded() const override { return 3; }
};

class kwRedHardCandyScript : public kwHardCandyScript {
public:
    using kwHardCandyScript::kwHardCandyScript;

protected:
    bool isPrey(kwPieceType type) const override;
    // Eat, hunt apples, hunt watermelons, look, fidget.
    void idle() override;
};
