// The cone: eats bananas, watermelons and pears, and when two or more of
// them stand within four cells in a line it fires a freezing ray that way.
#pragma once

#include <array>

#include "board/sweets/sweet.h"

class kwCone : public kwPiece {
public:
    static constexpr float kBaseLife = 10.0f;
    explicit kwCone(kwPieceArt* pieceArt);
    float baseLife() const override { return kBaseLife; }
    int32_t strokesNeeded() const override { return 5; }
    bool canEat(kwPieceType type) const override;
    // The ray animation toward a direction; null for Here.
    kwFramePlayer* rayPlayer(kwDirection d) const;

    std::unique_ptr<kwFramePlayer> frDown, frUp, frLeft, frRight;
};

class kwConeScript : public kwSweetScript {
public:
    static constexpr int32_t kRayCells = 4;
    static constexpr int32_t kMinTargets = 2;
    static constexpr uint32_t kFidgetChance = 7;
    static constexpr uint32_t kFidgetKinds = 10;
    static constexpr uint32_t kLingerRange = 100;
    static constexpr uint32_t kLingerCBelow = 30;
    static constexpr uint32_t kLingerDBelow = 50;

    using kwSweetScript::kwSweetScript;
    int32_t moveChance() const override { return 10; }
    int32_t huntChance() const override { return 2; }
    bool idleAnimation() override;
    // Counts the targets in the four cells toward `d` into targetCount (0
    // unless all four lie on the board).
    int32_t countTargets(kwDirection d);
    // Aims at the richest line and starts the ray; false below two targets.
    bool fire();

    int32_t targetCount = 0;
    int32_t fireDirection = 0;

protected:
    // Fire, eat, breed, fidget, look, hunt the nearest prey.
    void idle() override;
    void act() override;  // freezes the line once the ray has played
    void ambientCStep() override { replayOrIdle(AnimAmbientC, kLingerRange, kLingerCBelow); }
    void ambientDStep() override { replayOrIdle(AnimAmbientD, kLingerRange, kLingerDBelow); }
    bool canFreeze() const override { return false; }

private:
    kwCone& cone() const { return static_cast<kwCone&>(*piece); }
    bool isTarget(const kwPiece* p) const;
};
