// The lemon: eats oranges, closing the cycle.
#pragma once

#include "board/fruit/fruit.h"

class kwLemon : public kwFruit {
public:
    static constexpr float kBaseLife = 15.0f;
    explicit kwLemon(kwPieceArt* pieceArt);
    float baseLife() const override { return kBaseLife; }
    bool canEat(kwPieceType type) const override;
};

class kwLemonScript : public kwFruitScript {
public:
    using kwFruitScript::kwFruitScript;
};
