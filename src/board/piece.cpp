#include "board/piece.h"

#include "board/board_host.h"
#include "board/piece_list.h"
#include "board/piece_script.h"
#include "input/cursor.h"
#include "render/render_target.h"
#include "shell/clock.h"
#include "shell/game_state.h"

namespace {

// Blinking in: the piece is hidden in these windows of its first 1200 ms.
constexpr uint32_t kHiddenWindows[][2] = {{200, 400}, {600, 800}, {1000, 1200}};
constexpr int32_t kDefaultHotSpot = 15;
constexpr int32_t kFlyStep = 5;
constexpr int32_t kMiddleColumn = 8;
constexpr int32_t kMiddleRow = 5;
constexpr int32_t kBonusLevel = 15;
constexpr int32_t kBonusPerTypeCode = 10;
constexpr float kAgePerSkill = 0.1f;

bool hiddenWhileBlinking(uint32_t elapsed) {
    for (const auto& w : kHiddenWindows)
        if (elapsed >= w[0] && elapsed < w[1]) return true;
    return false;
}

void drawPlayer(kwDrawable* d, float x, float y) {
    if (!d) return;
    d->x = x;
    d->y = y;
    targetScreen();
    if (d->place()) d->draw();
}

int32_t flyDelta(int32_t fromMiddle) {
    return fromMiddle == 0 ? kFlyStep : fromMiddle * kFlyStep;
}

}  // namespace

kwPiece::kwPiece(kwPieceArt* pieceArt, kwPieceType kind)
    : type(kind), art(pieceArt), createdAt(gameTime()) {
    depth = kDepth;
    ambientA = copyPlayer(kwAnim::AmbientA);
    ambientB = copyPlayer(kwAnim::AmbientB);
    ambientC = copyPlayer(kwAnim::AmbientC);
    ambientD = copyPlayer(kwAnim::AmbientD);
    special = copyPlayer(kwAnim::Roll);
    lookDown = copyPlayer(kwAnim::LookDown);
    lookUp = copyPlayer(kwAnim::LookUp);
    lookLeft = copyPlayer(kwAnim::LookLeft);
    lookRight = copyPlayer(kwAnim::LookRight);
    eaten = copyPlayer(kwAnim::Eaten);
    selected = copyPlayer(kwAnim::Selected);
    shock = copyPlayer(kwAnim::Shock);
    current = ambientA.get();
}

kwPiece::~kwPiece() {
    if (pieceList) pieceList->remove(this);
    releaseClaims();
    if (carried && cursor && cursor->carried == this) {
        cursor->carried = nullptr;
        setCursor(cursor, kDefaultHotSpot, kDefaultHotSpot);
    }
}

std::unique_ptr<kwFramePlayer> kwPiece::copyPlayer(kwAnim a) const {
    const kwFramePlayer* templ = art ? art->player(a) : nullptr;
    return templ ? std::make_unique<kwFramePlayer>(*templ) : nullptr;
}

kwFramePlayer* kwPiece::player(int32_t index) const {
    switch (index) {
        case AnimAmbientA:
            return ambientA.get();
        case AnimAmbientB:
            return ambientB.get();
        case AnimAmbientC:
            return ambientC.get();
        case AnimAmbientD:
            return ambientD.get();
        case AnimSpecial:
            return special.get();
        case AnimLookLeft:
            return lookLeft.get();
        case AnimLookRight:
            return lookRight.get();
        case AnimLookUp:
            return lookUp.get();
        case AnimLookDown:
            return lookDown.get();
        case AnimSelected:
            return selected.get();
        case AnimShock:
            return shock.get();
        default:
            return nullptr;
    }
}

void kwPiece::playAnimation(int32_t index) {
    current = player(index);
    if (current) current->play();
}

void kwPiece::show(int32_t index) {
    current = player(index);
}

// Asks the player against the clock: a player otherwise only notices its
// end when drawn, and a script must not wait on a piece that happens not to
// be drawn (hidden while blinking in, or no screen).
bool kwPiece::isAnimationPlaying(int32_t index) const {
    kwFramePlayer* p = player(index);
    return p && p->checkPlaying();
}

void kwPiece::warm(int32_t step) const {
    if (step == 0) return __builtin_prefetch(this);
    if (!current) return;
    if (step == 1) return __builtin_prefetch(current);
    if (step == 2) return current->warmFrames();
    current->warmShown();
}

void kwPiece::draw() {
    if (carried) {
        drawPlayer(current, x, y);
        return;
    }
    if (blinking) {
        const uint32_t e = gameTime() - createdAt;
        if (e > kBlinkMs)
            blinking = false;
        else if (hiddenWhileBlinking(e))
            return;
    }
    updatePosition();
    drawPlayer(current, x, y);
    if (frozen && boardHost) drawPlayer(boardHost->frozenOverlay, x, y);
}

bool kwPiece::hitTest(int32_t qx, int32_t qy, bool exact) {
    if (isBrushedOff() || !current) return false;
    updatePosition();
    return current->hitTest(qx, qy, exact);
}

void kwPiece::updatePosition() {
    x = static_cast<float>(kCellSize * column + int32_t(cellCentreX(0)) + offsetX);
    y = static_cast<float>(kCellSize * row + int32_t(cellCentreY(0)) + offsetY);
    if (current) {
        current->x = x;
        current->y = y;
    }
}

void kwPiece::setCell(int32_t toColumn, int32_t toRow) {
    const int32_t fromColumn = column, fromRow = row;
    column = toColumn;
    row = toRow;
    if (pieceList && listSlot >= 0) pieceList->moved(this, fromColumn, fromRow);
}

void kwPiece::setOffset(int32_t dx, int32_t dy) {
    offsetX = dx;
    offsetY = dy;
}

void kwPiece::addOffset(int32_t dx, int32_t dy) {
    offsetX += dx;
    offsetY += dy;
}

void kwPiece::claim(kwDirection d) {
    const kwCell c = neighbourCell(column, row, d);
    if (boardGrid) boardGrid->occupy(c.column, c.row);
    claims[size_t(d)] = true;
}

void kwPiece::releaseClaims() {
    for (int32_t i = 0; i < kDirectionCount; ++i) {
        if (!claims[size_t(i)]) continue;
        const kwCell c = neighbourCell(column, row, kwDirection(i));
        if (boardGrid) boardGrid->release(c.column, c.row);
        claims[size_t(i)] = false;
    }
}

void kwPiece::freeze() {
    frozen = true;
    frozenAt = gameTime();
}

void kwPiece::thawIfExpired(uint32_t now) {
    if (frozen && now - frozenAt >= kFrozenMs) frozen = false;
}

bool kwPiece::isBlinkingIn() const {
    return blinking && gameTime() - createdAt < kBlinkMs;
}

bool kwPiece::canPickUp() const {
    if (script && script->state == Eaten) return false;
    if (life <= 0.0f || isBrushedOff()) return false;
    return !frozen;
}

void kwPiece::pickUp() {
    carried = true;
    playAnimation(AnimSelected);
    releaseClaims();
    if (script && script->state == Moving) setOffset(0, 0);
}

void kwPiece::drop(int32_t toColumn, int32_t toRow) {
    carried = false;
    if (script) script->toIdle();
    setCell(toColumn, toRow);
    setOffset(0, 0);
    claim(kwDirection::Here);
}

// A brushed-off piece is on its way off the board: eating or freezing it
// would hand out a meal for nothing or stop it in mid-flight.
bool kwPiece::canBeEaten() const {
    if (life <= 0.0f || isBlinkingIn() || isBrushedOff()) return false;
    if (!script) return true;
    const uint32_t s = script->state;
    return s != Moving && s != Arriving && s != Eaten;
}

void kwPiece::beEaten() {
    releaseClaims();
    if (!script) return;
    script->state = Eaten;
    script->stateTime = gameTime();
}

void kwPiece::brushStroke() {
    const int32_t needed = strokesNeeded();
    if (finished || needed == kNeverBrushedOff || life <= 0.0f || strokes >= needed) return;
    if (isBlinkingIn()) return;
    if (frozen) {
        thaw();
        return;
    }
    if (++strokes < needed) return;
    flyDx = flyDelta(column - kMiddleColumn);
    flyDy = flyDelta(row - kMiddleRow);
    const int32_t p = gameState.currentPlayer;
    if (p >= 0 && p < kMaxPlayers && gameState.level[size_t(p)] == kBonusLevel) {
        const int32_t bonus =
            int32_t(pieceType()) * gameState.activeSkill[size_t(p)] * kBonusPerTypeCode;
        gameState.score[size_t(p)] += bonus;
        if (boardHost) boardHost->levelPoints += bonus;
    }
    finished = true;
}

void kwPiece::playIdle() {
    playAnimation(AnimAmbientA);
}

void kwPiece::age(float dtMs) {
    const int32_t p = gameState.currentPlayer;
    const int32_t skill = (p >= 0 && p < kMaxPlayers) ? gameState.activeSkill[size_t(p)] : 1;
    life -= (1.0f + kAgePerSkill * float(skill - 1)) * dtMs * 0.001f;
}
