// The brush: dropped now and then by the spawner. Carried over the board
// it scrubs the sweet under its bristles; 15 s after it appeared it fades
// away (in the hand) or simply vanishes (on the board).
#pragma once

#include "board/piece.h"
#include "board/piece_script.h"

class kwBrush : public kwPiece {
public:
    static constexpr float kBaseLife = 10000.0f;
    explicit kwBrush(kwPieceArt* pieceArt);
    float baseLife() const override { return kBaseLife; }
    bool canBeEaten() const override { return false; }
    void pickUp() override;
    void playIdle() override;

    std::unique_ptr<kwFramePlayer> showUp, cursorImage, inUse, fadeOut;
};

class kwBrushScript : public kwPieceScript {
public:
    static constexpr uint32_t kLifetimeMs = 15001;

    using kwPieceScript::kwPieceScript;
    void run() override;

    bool fading = false;

private:
    kwBrush& brush() const { return static_cast<kwBrush&>(*piece); }
    void expire();
};
