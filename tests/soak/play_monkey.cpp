#include "play_monkey.h"

#include <algorithm>
#include <array>
#include <limits>

#include "board/board_host.h"
#include "board/hand.h"
#include "board/piece.h"
#include "board/piece_list.h"
#include "board/piece_script.h"
#include "input/cursor.h"
#include "input/mouse.h"
#include "play/play_scene.h"
#include "shell/clock.h"
#include "shell/game_state.h"

namespace {

// A cell's centre on the screen.
constexpr int32_t kCellSize = 48;
int32_t cellScreenX(int32_t column) {
    return 40 + kCellSize * column;
}
int32_t cellScreenY(int32_t row) {
    return 564 - kCellSize * row;
}
constexpr int32_t kAim = 10;  // how far from a cell's centre a person clicks

// Where the brush's bristles touch, from the mouse and the grab offset.
constexpr int32_t kBristlesX = 17, kBristlesY = -22;
constexpr int32_t kWiggle = 5;

// Pace: a look before a click, a moment after it.
constexpr uint32_t kAimMinMs = 0, kAimMaxMs = 200, kKeenAimMaxMs = 80;
constexpr uint32_t kAfterMinMs = 120, kAfterMaxMs = 400, kKeenAfterMaxMs = 200;
constexpr uint32_t kScrubMinMs = 150, kScrubMaxMs = 450;
constexpr uint32_t kPauseMinMs = 300, kPauseMaxMs = 3000;
constexpr uint32_t kCheckMinMs = 100, kCheckMaxMs = 200;
constexpr uint32_t kMenuSwitchMs = 450;  // the menu follows 200 ms after leaving
constexpr uint32_t kWatchMinMs = 300, kWatchMaxMs = 1500;

// Patience: how long a game is played before leaving, unless the player
// stays to the end.
constexpr uint32_t kMinute = 60 * 1000;
constexpr uint32_t kShortGame = 3 * kMinute, kLongGame = 12 * kMinute;
// Once the target level shows up, it is played for this long.
constexpr uint32_t kTargetMinMs = 30 * 1000, kTargetMaxMs = 150 * 1000;

// Weights of the moves, by how often a person makes them.
enum Move { Brush, Feed, Rescue, Jail, Shift, Pause, Dialog, Watch, Click, Burst, kMoves };
constexpr int32_t kBrushWeight = 400, kBonusBrushWeight = 900;  // level 15 pays for brushing
constexpr int32_t kCasualWeights[kMoves] = {kBrushWeight, 250, 150, 80, 40, 25, 15, 100, 30, 8};
// A keen player (out to win the level) mostly feeds and rescues.
constexpr int32_t kKeenWeights[kMoves] = {kBrushWeight, 800, 300, 80, 10, 5, 4, 20, 5, 2};
// An impatient burst: clicks all over the board, one every frame or three.
constexpr int32_t kBurstMin = 8, kBurstMax = 25;  // two steps each: the queue holds them
constexpr uint32_t kBurstMinMs = 16, kBurstMaxMs = 50;
constexpr int32_t kBoardLeft = 16, kBoardRight = 783, kBoardTop = 60, kBoardBottom = 587;
constexpr int32_t kBonusLevel = 15;
constexpr int32_t kSpreadOutOf10 = 8;
constexpr float kStarvingLife = 6.0f;  // seconds: fruit this weak is fed to another
constexpr int32_t kFeedOutOf10 = 8, kJailOutOf10 = 7, kSweetPreyOutOf10 = 7;
// Danger: a sweet that eats the piece within this squared cell distance.
constexpr int32_t kDangerDistance2 = 4, kSafeDistance2 = 9;
constexpr int kSafeTries = 12;
constexpr int32_t kEscapeOutOf10 = 4;  // leaving by Escape rather than the dialog
constexpr int32_t kRightClickOneIn = 10, kDoubleClickOneIn = 4;
constexpr uint32_t kDoubleClickMinMs = 40, kDoubleClickMaxMs = 120;

bool isSweet(const kwPiece& p) {
    return p.strokesNeeded() < kwPiece::kNeverBrushedOff;
}

bool beingEaten(const kwPiece& p) {
    return p.script && p.script->state == Eaten;
}

bool alive(const kwPiece& p) {
    return p.life > 0.0f && !beingEaten(p) && !p.isBrushedOff();
}

bool introOrPlaying() {
    return gameState.playPhase == PhaseIntro || gameState.playPhase == PhasePlaying;
}

int32_t distance2(int32_t c1, int32_t r1, int32_t c2, int32_t r2) {
    return (c1 - c2) * (c1 - c2) + (r1 - r2) * (r1 - r2);
}

// A meal that helps: the hunter scores (fruit, the chomp) and grows by
// eating; a pear, though, dies of a donut.
bool goodMeal(const kwPiece& hunter, const kwPiece& prey) {
    return hunter.isScoring() && hunter.canEat(prey.pieceType()) &&
           !(hunter.pieceType() == kwPieceType::Pear && prey.pieceType() == kwPieceType::Donut);
}

// The listed piece nearest to `prey` that would make a good meal of it, or null.
const kwPiece* hunterFor(const kwPiece& prey) {
    const kwPiece* best = nullptr;
    int32_t bestD = std::numeric_limits<int32_t>::max();
    for (const kwPiece* h : pieceList->slots) {
        if (!h || h == &prey || !alive(*h) || !goodMeal(*h, prey)) continue;
        const int32_t dc = h->column - prey.column, dr = h->row - prey.row;
        if (dc * dc + dr * dr < bestD) {
            bestD = dc * dc + dr * dr;
            best = h;
        }
    }
    return best;
}

// Does `other` threaten `p`: a sweet that eats it, anything that eats a
// watermelon (which alone lives on), or for a pear a donut (which it would
// eat and die of)?
bool threatens(const kwPiece& other, const kwPiece& p) {
    if (p.pieceType() == kwPieceType::Pear && other.pieceType() == kwPieceType::Donut) return true;
    if (other.isScoring() && p.pieceType() != kwPieceType::Watermelon) return false;
    return other.canEat(p.pieceType());
}

// A threat to `p` within `reach2` (squared cells) of (column, row).
bool sweetHunterNear(const kwPiece& p, int32_t column, int32_t row, int32_t reach2) {
    for (const kwPiece* h : pieceList->slots)
        if (h && h != &p && alive(*h) && threatens(*h, p) &&
            distance2(h->column, h->row, column, row) <= reach2)
            return true;
    return false;
}

// Watermelons next to each other starve; alone they grow.
bool watermelonNear(const kwPiece& p, int32_t column, int32_t row) {
    if (p.pieceType() != kwPieceType::Watermelon) return false;
    for (kwDirection d :
         {kwDirection::Up, kwDirection::Down, kwDirection::Left, kwDirection::Right}) {
        if (!neighbourOnBoard(column, row, d)) continue;
        const kwCell c = neighbourCell(column, row, d);
        const kwPiece* n = pieceList->pieceAt(c.column, c.row);
        if (n && n != &p && n->pieceType() == kwPieceType::Watermelon) return true;
    }
    return false;
}

bool anySweet() {
    for (const kwPiece* p : pieceList->slots)
        if (p && isSweet(*p) && alive(*p)) return true;
    return false;
}

const kwPiece* listedBrush() {
    for (const kwPiece* p : pieceList->slots)
        if (p && p->pieceType() == kwPieceType::Brush && p->canPickUp()) return p;
    return nullptr;
}

int32_t currentLevel() {
    const int32_t p = gameState.currentPlayer;
    return p >= 0 && p < kMaxPlayers ? gameState.level[size_t(p)] : 0;
}

}  // namespace

void kwPlayMonkey::enter(uint32_t now, int32_t targetLevel, bool stayToTheEnd, bool keenToWin) {
    patient = stayToTheEnd;
    keen = keenToWin;
    target = targetLevel;
    reached = false;
    leaveAt = now + uint32_t(hand.between(kShortGame, kLongGame));
}

void kwPlayMonkey::watchTarget(uint32_t now) {
    if (reached || currentLevel() < target) return;
    reached = true;
    const uint32_t stay = now + uint32_t(hand.between(kTargetMinMs, kTargetMaxMs));
    if (int32_t(stay - leaveAt) < 0) leaveAt = stay;
}

void kwPlayMonkey::plan(kwPlayScene& play, uint32_t now) {
    if (!pieceList || !cursor) {
        hand.wait(kWatchMinMs, kWatchMaxMs);
        return;
    }
    const bool dialogOpen = play.exitDialog && play.exitDialog->isOpen();
    if (dialogOpen) return dialog(play, Choice::Continue);  // not ours; close it
    if (clockState.paused) {  // not ours either: start the clock again
        int32_t x = 0, y = 0;
        if (play.alarmClock && hand.pointOn(play.alarmClock->hotSpot.get(), true, &x, &y)) {
            hand.glide(x, y);
            hand.click();
        }
        hand.wait(kWatchMinMs, kWatchMaxMs);
        return;
    }
    watchTarget(now);
    if (!patient && int32_t(now - leaveAt) >= 0) return leave(play);
    if (const kwPiece* held = handPiece()) return holding(*held);
    if (!introOrPlaying()) {  // the turn is ending: watch, click idly, maybe pause
        if (hand.oneIn(6))
            boardClick();
        else if (hand.oneIn(20))
            dialog(play, Choice::Continue);
        else
            watch();
        return;
    }
    choose(play);
}

void kwPlayMonkey::choose(kwPlayScene& play) {
    // "Juicy watermelons need lots of room to grow": a keen player parts
    // them as soon as they touch.
    if (keen && hand.between(0, 9) < kSpreadOutOf10 && grab(&kwPlayMonkey::isCrowdedMelon)) {
        ++counts.spreads;
        return;
    }
    int32_t weights[kMoves];
    const int32_t* table = keen ? kKeenWeights : kCasualWeights;
    std::copy(table, table + kMoves, weights);
    if (!listedBrush() || !anySweet())
        weights[Brush] = 0;
    else if (currentLevel() == kBonusLevel)
        weights[Brush] = kBonusBrushWeight;
    int32_t total = 0;
    for (int32_t w : weights) total += w;
    int32_t roll = hand.between(0, total - 1);
    int move = 0;
    while (roll >= weights[move]) roll -= weights[move++];
    bool done = true;
    switch (Move(move)) {
        case Brush:
            done = grabBrush();
            break;
        case Feed:
            // Sweets make the best meals: they do not score anyway.
            done = (hand.between(0, 9) < kSweetPreyOutOf10 && grab(&kwPlayMonkey::isSweetPrey)) ||
                   grab(&kwPlayMonkey::isPrey, keen);
            break;
        case Rescue:
            done = grab(&kwPlayMonkey::isInDanger);
            break;
        case Jail:
            done = grab(&kwPlayMonkey::isJailable);
            break;
        case Shift:
            done = grab(&kwPlayMonkey::isAny);
            break;
        case Pause:
            pauseAWhile(play);
            break;
        case Dialog:
            dialog(play, Choice::Continue);
            break;
        case Click:
            boardClick();
            break;
        case Burst:
            burst();
            break;
        default:
            done = false;
            break;
    }
    if (!done) watch();
}

// Sweets, and fruit about to starve anyway (a lone watermelon never does).
bool kwPlayMonkey::isPrey(const kwPiece& p) const {
    if (!p.canPickUp()) return false;
    if (p.isScoring() && (p.life > kStarvingLife || p.pieceType() == kwPieceType::Watermelon))
        return false;
    return hunterFor(p) != nullptr;
}

bool kwPlayMonkey::isCrowdedMelon(const kwPiece& p) const {
    return p.canPickUp() && watermelonNear(p, p.column, p.row);
}

bool kwPlayMonkey::isSweetPrey(const kwPiece& p) const {
    return !p.isScoring() && isPrey(p);
}

bool kwPlayMonkey::isInDanger(const kwPiece& p) const {
    return p.canPickUp() && p.isScoring() &&
           (sweetHunterNear(p, p.column, p.row, kDangerDistance2) ||
            watermelonNear(p, p.column, p.row));
}

bool kwPlayMonkey::isJailable(const kwPiece& p) const {
    return p.canPickUp() && isSweet(p);
}

bool kwPlayMonkey::isAny(const kwPiece& p) const {
    return p.canPickUp();
}

// Picks up a listed piece that `want` likes: any of them, or the one with
// the least life left (a keen player feeds those that would starve anyway);
// false when none is liked.
bool kwPlayMonkey::grab(bool (kwPlayMonkey::*want)(const kwPiece&) const, bool weakest) {
    std::array<const kwPiece*, kwPieceList::kCapacity> found{};
    size_t n = 0, weak = 0;
    for (const kwPiece* p : pieceList->slots) {
        if (!p || !(this->*want)(*p)) continue;
        if (n == 0 || p->life < found[weak]->life) weak = n;
        found[n++] = p;
    }
    if (n == 0) return false;
    pickUp(*found[weakest ? weak : size_t(hand.between(0, int32_t(n) - 1))]);
    return true;
}

bool kwPlayMonkey::grabBrush() {
    const kwPiece* brush = listedBrush();
    if (!brush) return false;
    ++counts.brushGrabs;
    pickUp(*brush);
    return true;
}

void kwPlayMonkey::pickUp(const kwPiece& p) {
    hand.glide(cellScreenX(p.column) + hand.between(-kAim, kAim),
               cellScreenY(p.row) + hand.between(-kAim, kAim));
    hand.wait(kAimMinMs, keen ? kKeenAimMaxMs : kAimMaxMs);
    hand.click();
    hand.wait(kAfterMinMs, keen ? kKeenAfterMaxMs : kAfterMaxMs);
}

// The carried piece lands where its centre is: the mouse plus the grab offset.
void kwPlayMonkey::dropOn(int32_t column, int32_t row) {
    hand.glide(cellScreenX(column) - cursor->grabOffsetX + hand.between(-kAim, kAim),
               cellScreenY(row) + cursor->grabOffsetY + hand.between(-kAim, kAim));
    hand.wait(kAimMinMs, keen ? kKeenAimMaxMs : kAimMaxMs);
    hand.click();
    hand.wait(kAfterMinMs, keen ? kKeenAfterMaxMs : kAfterMaxMs);
}

void kwPlayMonkey::holding(const kwPiece& held) {
    if (held.pieceType() == kwPieceType::Brush) return scrub();
    if (hunterFor(held) && hand.between(0, 9) < kFeedOutOf10) return dropFeeding(held);
    if (isSweet(held) && hand.between(0, 9) < kJailOutOf10) {
        ++counts.jails;
        return dropOn(hand.oneIn(2) ? 0 : kBoardColumns - 1, hand.oneIn(2) ? 0 : kBoardRows - 1);
    }
    dropSafely(held);
}

// A free cell with no sweet that eats the piece close by, if a few looks
// find one; else anywhere.
void kwPlayMonkey::dropSafely(const kwPiece& held) {
    const bool rescue = held.isScoring();
    int32_t column = hand.between(0, kBoardColumns - 1), row = hand.between(0, kBoardRows - 1);
    for (int i = 0; rescue && i < kSafeTries; ++i) {
        if (!boardGrid->isOccupied(column, row) &&
            !sweetHunterNear(held, column, row, kSafeDistance2) &&
            !watermelonNear(held, column, row))
            break;
        column = hand.between(0, kBoardColumns - 1);
        row = hand.between(0, kBoardRows - 1);
    }
    ++(rescue ? counts.rescues : counts.moves);
    dropOn(column, row);
}

// Next to the hunter: a free side if it has one, else on it (the hand then
// finds the nearest free cell).
void kwPlayMonkey::dropFeeding(const kwPiece& held) {
    const kwPiece* h = hunterFor(held);
    std::array<kwCell, 4> free{};
    size_t n = 0;
    for (kwDirection d :
         {kwDirection::Up, kwDirection::Down, kwDirection::Left, kwDirection::Right}) {
        const kwCell c = neighbourCell(h->column, h->row, d);
        if (neighbourOnBoard(h->column, h->row, d) && !boardGrid->isOccupied(c.column, c.row))
            free[n++] = c;
    }
    const kwCell target =
        n ? free[size_t(hand.between(0, int32_t(n) - 1))] : kwCell{h->column, h->row};
    ++counts.feeds;
    dropOn(target.column, target.row);
}

// Holds the bristles over a sweet (the nearest, mostly) for a few strokes,
// with a little scrubbing motion; with no sweet left, puts the brush down.
void kwPlayMonkey::scrub() {
    const int32_t bx = mouseX() + cursor->grabOffsetX + kBristlesX;
    const int32_t by = mouseY() + cursor->grabOffsetY + kBristlesY;
    const kwPiece* target = nullptr;
    int32_t bestD = std::numeric_limits<int32_t>::max();
    const bool nearest = !hand.oneIn(4);
    for (const kwPiece* p : pieceList->slots) {
        if (!p || !isSweet(*p) || !alive(*p)) continue;
        const int32_t dc = p->column - columnAt(bx), dr = p->row - rowAt(by);
        const int32_t d = nearest ? dc * dc + dr * dr : hand.between(0, 1000);
        if (d < bestD) {
            bestD = d;
            target = p;
        }
    }
    if (!target) {
        if (hand.oneIn(3))
            return dropOn(hand.between(0, kBoardColumns - 1), hand.between(0, kBoardRows - 1));
        return watch();
    }
    ++counts.scrubs;
    const int32_t sx = cellScreenX(target->column) - cursor->grabOffsetX - kBristlesX;
    const int32_t sy = cellScreenY(target->row) + cursor->grabOffsetY + kBristlesY;
    hand.glide(sx + hand.between(-kAim, kAim), sy + hand.between(-kAim, kAim));
    hand.wait(kScrubMinMs, kScrubMaxMs);
    hand.glideFor(sx + hand.between(-kWiggle, kWiggle), sy + hand.between(-kWiggle, kWiggle),
                  uint32_t(hand.between(60, 140)));
    hand.wait(kAimMinMs, kAimMaxMs);
}

// Stops the clock, looks (perhaps trying to take a piece, which a stopped
// game refuses), and starts it again.
void kwPlayMonkey::pauseAWhile(kwPlayScene& play) {
    int32_t x = 0, y = 0;
    if (!play.alarmClock || !hand.pointOn(play.alarmClock->hotSpot.get(), true, &x, &y))
        return watch();
    ++counts.clockClicks;
    hand.glide(x, y);
    hand.click();
    hand.wait(kCheckMinMs, kCheckMaxMs);
    hand.expect(kwExpectKind::Paused, 1);
    hand.wait(kPauseMinMs, kPauseMaxMs);
    if (hand.oneIn(4)) return dialog(play, Choice::Continue);  // which starts the clock again
    if (hand.oneIn(3)) {
        ++counts.pausedClicks;
        hand.glide(cellScreenX(hand.between(0, kBoardColumns - 1)),
                   cellScreenY(hand.between(0, kBoardRows - 1)));
        hand.click();
        hand.wait(kCheckMinMs, kCheckMaxMs);
        hand.expect(kwExpectKind::HandEmpty);
    }
    hand.pointOn(play.alarmClock->hotSpot.get(), true, &x, &y);  // somewhere else on it
    hand.glide(x, y);
    hand.click();
    hand.wait(kCheckMinMs, kCheckMaxMs);
    hand.expect(kwExpectKind::Paused, 0);
}

void kwPlayMonkey::dialog(kwPlayScene& play, Choice choice) {
    kwExitDialog* d = play.exitDialog.get();
    int32_t x = 0, y = 0;
    if (!d) return watch();
    if (!d->isOpen()) {
        if (!hand.pointOn(play.exitButton.get(), true, &x, &y)) return watch();
        ++counts.dialogs;
        hand.glide(x, y);
        hand.click();
        hand.wait(kCheckMinMs, kCheckMaxMs);
        hand.expect(kwExpectKind::DialogOpen);
    }
    if (hand.pointOn(d->menuButton.get(), false, &x, &y)) hand.glide(x, y);  // read the choices
    hand.wait(kWatchMinMs, kWatchMaxMs);
    if (choice == Choice::Escape) {  // Escape leaves whatever shows
        ++counts.escapes;
        hand.key(kwKey::Escape);
        hand.wait(kMenuSwitchMs, kMenuSwitchMs);
        hand.expect(kwExpectKind::SceneMenu);
        return;
    }
    if (choice == Choice::Menu) {
        if (!hand.pointOn(d->menuButton.get(), false, &x, &y)) return;
        ++counts.menus;
        hand.glide(x, y);
        hand.click();
        hand.wait(kMenuSwitchMs, kMenuSwitchMs);
        hand.expect(kwExpectKind::SceneMenu);
        return;
    }
    // Continue, on a point no other button shares.
    for (int tries = 0; tries < 10; ++tries) {
        if (!hand.pointOn(d->continueButton.get(), false, &x, &y)) return;
        const int32_t qx = x - 400, qy = 300 - y;
        if ((d->exitButton && d->exitButton->hitTest(qx, qy, false)) ||
            (d->menuButton && d->menuButton->hitTest(qx, qy, false)))
            continue;
        ++counts.continues;
        hand.glide(x, y);
        hand.click();
        hand.wait(kCheckMinMs, kCheckMaxMs);
        hand.expect(kwExpectKind::DialogClosed);
        return;
    }
}

void kwPlayMonkey::leave(kwPlayScene& play) {
    const int32_t roll = hand.between(0, 9);
    if (roll >= kEscapeOutOf10) return dialog(play, Choice::Menu);
    if (roll == 0) return dialog(play, Choice::Escape);  // from the open dialog
    ++counts.escapes;
    hand.key(kwKey::Escape);
    hand.wait(kMenuSwitchMs, kMenuSwitchMs);
    hand.expect(kwExpectKind::SceneMenu);
}

void kwPlayMonkey::watch() {
    ++counts.watches;
    if (hand.oneIn(kRightClickOneIn)) hand.rightClick();  // the game has no use for it
    if (hand.oneIn(2))  // the eyes follow the game, and so does the mouse
        hand.glide(cellScreenX(hand.between(0, kBoardColumns - 1)),
                   cellScreenY(hand.between(0, kBoardRows - 1)));
    hand.wait(kWatchMinMs, kWatchMaxMs);
}

void kwPlayMonkey::burst() {
    ++counts.bursts;
    for (int32_t n = hand.between(kBurstMin, kBurstMax); n > 0; --n) {
        hand.glideFor(hand.between(kBoardLeft, kBoardRight), hand.between(kBoardTop, kBoardBottom),
                      uint32_t(hand.between(kBurstMinMs, kBurstMaxMs)));
        hand.click();
    }
    hand.wait(kAfterMinMs, kAfterMaxMs);
}

// A click on any cell: picks up whatever is there, if anything.
void kwPlayMonkey::boardClick() {
    ++counts.boardClicks;
    hand.glide(cellScreenX(hand.between(0, kBoardColumns - 1)) + hand.between(-kAim, kAim),
               cellScreenY(hand.between(0, kBoardRows - 1)) + hand.between(-kAim, kAim));
    hand.click();
    if (hand.oneIn(kDoubleClickOneIn)) {  // a nervous double click: up and down again
        hand.wait(kDoubleClickMinMs, kDoubleClickMaxMs);
        hand.click();
    }
    hand.wait(kAfterMinMs, kAfterMaxMs);
}
