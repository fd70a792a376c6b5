// The watermelon: eats nothing, never moves, thrives alone and crowds out.
#pragma once

#include "board/fruit/fruit.h"

class kwWatermelon : public kwFruit {
public:
    static constexpr float kBaseLife = 12.0f;
    explicit kwWatermelon(kwPieceArt* pieceArt);
    float baseLife() const override { return kBaseLife; }
    bool canEat(kwPieceType type) const override;
};

class kwWatermelonScript : public kwLateFruitScript {
public:
    using kwLateFruitScript::kwLateFruitScript;
    static constexpr uint32_t kGrowDelayMs = 200;
    static constexpr float kGrowthShare = 0.02f;
    static constexpr int32_t kCapFromLevel = 10;
    static constexpr int32_t kCapSkillBase = 4;
    static constexpr int32_t kCapPerSkillStep = 5;

    uint32_t startedAt = 0;

protected:
    void start() override;
    // Breed (capped on late levels), or grow when it has room, or look.
    void idle() override;
    bool breedRule() override;
    uint32_t lingerBelow() const override { return 50; }
};
