// A piece's life: the state machine that idles, looks, wanders, hunts,
// eats, breeds, starves and dies. The base runs the steps every type shares
// in their fixed order; a type chooses its idle actions and how its ambient
// animations end by overriding the hooks below.
#pragma once

#include <cstdint>

#include "board/piece.h"
#include "board/piece_type.h"
#include "render/drawable.h"

enum kwPieceState : uint32_t {
    New = 0,
    Idle = 1,
    AmbientB = 2,
    Looking = 3,
    Dying = 4,
    Moving = 5,
    Eaten = 6,
    Arriving = 8,
    AmbientC = 100,
    AmbientD = 101,
    Acting = 102,
    Finished = 7777777,
};

class kwPieceScript : public kwScript {
public:
    static constexpr uint32_t kDyingMs = 1000;
    static constexpr uint32_t kEatenMs = 500;
    static constexpr int32_t kStepPixels = 2;
    static constexpr uint32_t kLeaveRollRange = 1000;
    static constexpr uint32_t kLeaveRollBelow = 50;
    static constexpr uint32_t kLeaveAfterMs = 2000;
    static constexpr int32_t kLeavingPoints = 10;

    explicit kwPieceScript(kwPiece* piece);
    ~kwPieceScript() override;
    kwPieceScript(const kwPieceScript&) = delete;
    kwPieceScript& operator=(const kwPieceScript&) = delete;

    void run() override;

    virtual void setSpeed();
    virtual bool idleAnimation() { return false; }
    virtual bool lookAround();
    virtual bool wander();
    virtual bool hunt(kwPieceType type);
    virtual bool eatNeighbour();
    virtual bool breed();
    virtual int32_t moveChance() const { return 120; }
    virtual int32_t huntChance() const { return 3; }
    virtual int32_t lookChance() const { return 15; }
    virtual int32_t breedChance() const { return 7; }
    virtual void moveStep();
    virtual void arriveStep();
    virtual void lookStep();
    virtual bool flyStep();
    virtual void toIdle();

    kwPiece* piece = nullptr;
    kwDirection direction = kwDirection::Here;
    uint32_t stateTime = 0;

protected:
    // Step 1: the level is complete; true when the run ends here.
    virtual bool leaveAtLevelEnd();
    // The type's first run (the skeleton's `New`).
    virtual void start();
    // The type's idle actions in its order; the default only fidgets.
    virtual void idle() { idleAnimation(); }
    // Called every run in AmbientC, AmbientD and Acting.
    virtual void ambientCStep();
    virtual void ambientDStep();
    virtual void act() {}
    // The animation played when the piece starts dying.
    virtual int32_t dyingAnimation() const { return AnimShock; }
    // Fruit score 10 each when they leave a completed level.
    virtual bool scoresOnLeaving() const { return false; }
    // Brushable sweets fly away once brushed off.
    virtual bool fliesAway() const { return false; }
    // Cones and chomps are never frozen and skip the frozen step.
    virtual bool canFreeze() const { return true; }

    // Runs the state the piece is in (the skeleton's last step).
    void runState();
    // Enters a fidget state showing an animation, restarted.
    void fidget(uint32_t fidgetState, int32_t animation) {
        state = fidgetState;
        piece->playAnimation(animation);
    }
    // Starts a one-cell move toward `d`, showing `animation` (restarted or
    // not); the chomp walks with its rest face.
    void startMove(kwDirection d, int32_t animation, bool restart);
    // The look animation that goes with a direction.
    static int32_t lookAnimation(kwDirection d);
    // A random direction as the actions draw it: 0 Left, 1 Right, 2 Down, 3 Up.
    static kwDirection randomDirection();
    bool neighbourFree(kwDirection d) const;
    // No side neighbour free: the piece cannot step anywhere this run.
    bool boxedIn() const;
    kwPiece* neighbourPiece(kwDirection d) const;
    // Once an animation has stopped: replays it when random(range) falls
    // below `replayBelow` (no draw at all when that is 0), else idles.
    void replayOrIdle(int32_t animation, uint32_t range, uint32_t replayBelow);
    bool elapsedSince(uint32_t since, uint32_t ms) const;
};
