// The orange: eats apples and watermelons.
#pragma once

#include "board/fruit/fruit.h"

class kwOrange : public kwFruit {
public:
    static constexpr float kBaseLife = 15.0f;
    explicit kwOrange(kwPieceArt* pieceArt);
    float baseLife() const override { return kBaseLife; }
    bool canEat(kwPieceType type) const override;
};

class kwOrangeScript : public kwFruitScript {
public:
    using kwFruitScript::kwFruitScript;
};
