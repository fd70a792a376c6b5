// Demonstration pieces for the how-to panel.
#include "board/piece_showcase.h"

#include "shell/clock.h"
#include "shell/random.h"

namespace {

// A copy of a template player; an art set lacking it shows nothing.
kwFramePlayer copyOf(const kwFramePlayer* p) {
    return p ? *p : kwFramePlayer();
}

// Draws a player at a drawable's position.
void drawAt(kwFramePlayer& p, const kwDrawable& where) {
    p.x = where.x;
    p.y = where.y;
    if (p.place()) p.draw();
}

}  // namespace

kwPieceShowcase::kwPieceShowcase(const kwPieceArt& art)
    : ambientA(copyOf(art.player(kwAnim::AmbientA))),
      ambientB(copyOf(art.player(kwAnim::AmbientB))),
      lastRoll(gameTime()) {}

void kwPieceShowcase::draw() {
    drawAt(*shown, *this);
    if (shown == &ambientB) {
        if (!ambientB.isPlaying()) shown = &ambientA;
    } else if (gameTime() - lastRoll > kRollIntervalMs) {
        roll();
    }
}

void kwPieceShowcase::roll() {
    lastRoll = gameTime();
    if (random(kRollRange) < kRollChance) {
        ambientB.play();
        shown = &ambientB;
    }
}

kwCandyShowcase::kwCandyShowcase(const kwPieceArt& art)
    : ambientA(copyOf(art.player(kwAnim::AmbientA))),
      ambientC(copyOf(art.player(kwAnim::AmbientC))) {
    highlight(false);
}

void kwCandyShowcase::setPosition(float px, float py) {
    x = px;
    y = py;
    follow();
}

void kwCandyShowcase::highlight(bool on) {
    if (on && shown == &ambientC) return;
    shown = on ? &ambientC : &ambientA;
    shown->play();
}

bool kwCandyShowcase::hitTest(int32_t qx, int32_t qy, bool /*exact*/) {
    follow();
    return shown->hitTest(qx, qy, true);
}

void kwCandyShowcase::draw() {
    drawAt(*shown, *this);
    if (shown == &ambientC && !ambientC.isPlaying()) highlight(false);
}

void kwCandyShowcase::follow() {
    ambientA.x = ambientC.x = x;
    ambientA.y = ambientC.y = y;
}
