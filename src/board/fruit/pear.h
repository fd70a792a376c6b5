// The pear: eats bananas and donuts, though a donut poisons it.
#pragma once

#include "board/fruit/fruit.h"

class kwPear : public kwFruit {
public:
    static constexpr float kBaseLife = 12.0f;
    explicit kwPear(kwPieceArt* pieceArt);
    float baseLife() const override { return kBaseLife; }
    bool canEat(kwPieceType type) const override;
};

class kwPearScript : public kwLateFruitScript {
public:
    using kwLateFruitScript::kwLateFruitScript;
    static constexpr int kEatTries = 4;

protected:
    // Breed; eat (four tries); wander; look; walk toward a donut; fidget.
    void idle() override;
};
