// The banana: eats watermelons and breeds only in company.
#pragma once

#include "board/fruit/fruit.h"

class kwBanana : public kwFruit {
public:
    static constexpr float kBaseLife = 12.0f;
    explicit kwBanana(kwPieceArt* pieceArt);
    float baseLife() const override { return kBaseLife; }
    bool canEat(kwPieceType type) const override;
};

class kwBananaScript : public kwLateFruitScript {
public:
    using kwLateFruitScript::kwLateFruitScript;

protected:
    // Bananas breed only beside another banana.
    bool breedRule() override;
};
