// The orange hard candy: eats oranges.
#pragma once

#include "board/sweets/hard_candy.h"

class kwOrangeHardCandy : public kwPiece {
public:
    static constexpr float kBaseLife = 25.0f;
    explicit kwOrangeHardCandy(kwPieceArt* pieceArt);
    float baseLife() const override { return kBaseLife; }
    int32_t strokesNeeded() const override { return 4; }
};

class kwOrangeHardCandyScript : public kwHardCandyScript {
public:
    using kwHardCandyScript::kwHardCandyScript;
    int32_t huntChance() const override { return 2; }

protected:
    bool isPrey(kwPieceType type) const override { return type == kwPieceType::Orange; }
    // Eat, hunt oranges, look, fidget.
    void idle() override;
};
