// Demonstration pieces for the how-to panel: a piece resting with an
// occasional fidget, and a candy that sparkles under the mouse.
#pragma once

#include <cstdint>

#include "board/piece_art.h"
#include "render/drawable.h"
#include "render/frame_player.h"

// Shows ambient_a, and now and then plays ambient_b once. One showcase may
// be drawn at several places by moving it between draws.
class kwPieceShowcase : public kwDrawable {
public:
    static constexpr uint32_t kRollIntervalMs = 100;
    static constexpr uint32_t kRollRange = 1000;
    static constexpr uint32_t kRollChance = 50;  // out of kRollRange

    explicit kwPieceShowcase(const kwPieceArt& art);
    kwPieceShowcase(const kwPieceShowcase&) = delete;
    kwPieceShowcase& operator=(const kwPieceShowcase&) = delete;

    void draw() override;
    bool showingFidget() const { return shown == &ambientB; }

    kwFramePlayer ambientA;
    kwFramePlayer ambientB;
    kwFramePlayer* shown = &ambientA;
    uint32_t lastRoll = 0;

private:
    void roll();
};

// Rests on ambient_a; highlight(true) plays ambient_c once, then it rests.
class kwCandyShowcase : public kwDrawable {
public:
    explicit kwCandyShowcase(const kwPieceArt& art);
    kwCandyShowcase(const kwCandyShowcase&) = delete;
    kwCandyShowcase& operator=(const kwCandyShowcase&) = delete;

    void setPosition(float px, float py);
    void highlight(bool on);
    bool hitTest(int32_t qx, int32_t qy, bool exact = true) override;
    void draw() override;
    bool highlighted() const { return shown == &ambientC; }

    kwFramePlayer ambientA;
    kwFramePlayer ambientC;
    kwFramePlayer* shown = &ambientA;

private:
    void follow();  // the players stand where the showcase stands
};
