// The apple: eats lemons and watermelons.
#pragma once

#include "board/fruit/fruit.h"

class kwApple : public kwFruit {
public:
    static constexpr float kBaseLife = 15.0f;
    explicit kwApple(kwPieceArt* pieceArt);
    float baseLife() const override { return kBaseLife; }
    bool canEat(kwPieceType type) const override;
};

class kwAppleScript : public kwFruitScript {
public:
    using kwFruitScript::kwFruitScript;
};
