// A piece on the board: its cell, its offset while it moves, its life, its
// animations and the flags the rules set (blinking in, frozen, carried,
// brushed). What it does over time is its script's; the piece holds the
// state and answers the rules' questions through the type's overrides.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "board/piece_art.h"
#include "board/piece_type.h"
#include "render/drawable.h"
#include "render/frame_player.h"

class kwPieceScript;

// The animations a script asks for by number.
enum kwPieceAnimation : int32_t {
    AnimAmbientA = 0,
    AnimAmbientB = 1,
    AnimAmbientC = 2,
    AnimAmbientD = 3,
    AnimSpecial = 4,
    AnimLookLeft = 5,
    AnimLookRight = 6,
    AnimLookUp = 7,
    AnimLookDown = 8,
    AnimSelected = 9,
    AnimShock = 10,
};
inline constexpr int32_t kPieceAnimationCount = 11;

inline constexpr int32_t kDirectionCount = 5;

class kwPiece : public kwDrawable {
public:
    static constexpr float kDepth = 500.0f;
    static constexpr uint32_t kBlinkMs = 1200;
    static constexpr uint32_t kFrozenMs = 10000;
    static constexpr int32_t kNeverBrushedOff = 10000000;

    kwPiece(kwPieceArt* art, kwPieceType type);
    ~kwPiece() override;
    kwPiece(const kwPiece&) = delete;
    kwPiece& operator=(const kwPiece&) = delete;

    void draw() override;
    bool hitTest(int32_t qx, int32_t qy, bool exact) override;
    // Cache hints for drawing the piece soon, a link at a time: 0 the piece,
    // 1 its player, 2 the player's frames, 3 the frame shown. Each step reads
    // only what the step before asked for.
    static constexpr int32_t kWarmSteps = 4;
    void warm(int32_t step) const;

    // Fixed at construction: the searches ask it of every listed piece.
    kwPieceType pieceType() const { return type; }
    virtual bool canPickUp() const;
    virtual void pickUp();
    virtual void drop(int32_t toColumn, int32_t toRow);
    virtual bool canBeEaten() const;
    virtual void beEaten();
    virtual int32_t scoringUnits() const { return 0; }
    virtual void releaseClaims();
    virtual int32_t strokesNeeded() const { return kNeverBrushedOff; }
    virtual void brushStroke();
    virtual void playIdle();
    virtual float baseLife() const = 0;
    virtual bool canEat(kwPieceType /*type*/) const { return false; }
    virtual bool isScoring() const { return scoringUnits() != 0; }
    virtual void age(float dtMs);

    void setCell(int32_t toColumn, int32_t toRow);
    void setOffset(int32_t dx, int32_t dy);
    void addOffset(int32_t dx, int32_t dy);
    void claim(kwDirection d);
    void setLife(float v) { life = v; }
    void addLife(float dv) { life += dv; }
    void freeze();
    void thaw() { frozen = false; }
    bool isFrozen() const { return frozen; }
    void thawIfExpired(uint32_t now);
    void startBlinking() { blinking = true; }
    // Blinking in and younger than the blink: not yet part of the game.
    bool isBlinkingIn() const;
    bool isBrushedOff() const { return strokes >= strokesNeeded(); }
    // Shows an animation by number, restarted.
    void playAnimation(int32_t index);
    bool isAnimationPlaying(int32_t index) const;
    kwFramePlayer* player(int32_t index) const;
    // Shows an animation by number without restarting it.
    void show(int32_t index);
    void updatePosition();

    const kwPieceType type;
    kwFramePlayer* current = nullptr;
    kwPieceArt* art = nullptr;
    kwPieceScript* script = nullptr;
    int32_t column = 0;
    int32_t row = 0;
    float life = 0.0f;
    uint32_t createdAt = 0;
    bool blinking = false;
    bool frozen = false;
    uint32_t frozenAt = 0;
    std::unique_ptr<kwFramePlayer> ambientA, ambientB, ambientC, ambientD, special, lookDown,
        lookUp, lookLeft, lookRight, eaten, selected, shock;
    bool carried = false;
    std::array<bool, kDirectionCount> claims{};
    int32_t strokes = 0;
    bool finished = false;
    int32_t flyDx = 0;
    int32_t flyDy = 0;
    int32_t offsetX = 0;
    int32_t offsetY = 0;
    int32_t listSlot = -1;  // the piece list's slot holding it; -1 while not listed

protected:
    // A piece's own copy of one of its art set's template players (shared
    // frames, own clock); null when the set has no such animation.
    std::unique_ptr<kwFramePlayer> copyPlayer(kwAnim a) const;
};
