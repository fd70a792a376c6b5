#include "board/hand.h"

#include "board/board_host.h"
#include "board/piece.h"
#include "board/piece_list.h"
#include "board/piece_script.h"
#include "input/cursor.h"
#include "input/mouse.h"
#include "shell/clock.h"

namespace {

constexpr int32_t kStatusBarY = 240;  // clicks above this belong to the status bar
constexpr int32_t kDefaultHot = 15;
constexpr int32_t kBrushHotX = 60;
constexpr int32_t kBrushHotY = 54;
constexpr uint32_t kBrushEveryMs = 50;
constexpr int32_t kBristlesX = 17;  // the bristles' offset from the brush's centre
constexpr int32_t kBristlesY = -22;
constexpr int32_t kProbes[][2] = {{0, 0}, {5, 0}, {-5, 0}, {0, 5}, {0, -5}};

bool boardOpen() {
    return pieceList && boardGrid && cursor;
}

// The piece on the cell under a point, else the first one whose picture
// covers one of the probe points around it.
kwPiece* pieceUnder(int32_t x, int32_t y) {
    if (kwPiece* p = pieceList->pieceAt(columnAt(x), rowAt(y))) return p;
    for (const auto& d : kProbes)
        if (kwPiece* p = pieceList->hitTest(x + d[0], y + d[1])) return p;
    return nullptr;
}

bool beingEaten(const kwPiece& p) {
    return p.script && p.script->state == Eaten;
}

// The free cell nearest to (column, row) by squared distance, first found
// winning ties (rows upward, columns rightward); false when none is free.
bool nearestFreeCell(int32_t& column, int32_t& row) {
    int64_t best = -1;
    kwCell found;
    for (int32_t r = 0; r < kBoardRows; ++r)
        for (int32_t c = 0; c < kBoardColumns; ++c) {
            if (boardGrid->isOccupied(c, r)) continue;
            const int64_t d = int64_t(c - column) * (c - column) + int64_t(r - row) * (r - row);
            if (best < 0 || d < best) {
                best = d;
                found = {c, r};
            }
        }
    if (best < 0) return false;
    column = found.column;
    row = found.row;
    return true;
}

// Where a dropped piece lands: the target, else a free side neighbour,
// else the nearest free cell.
bool landingCell(int32_t& column, int32_t& row) {
    if (!boardGrid->isOccupied(column, row)) return true;
    const kwCell tries[] = {
        {column - 1, row}, {column + 1, row}, {column, row - 1}, {column, row + 1}};
    for (const kwCell& t : tries)
        if (!boardGrid->isOccupied(t.column, t.row)) {  // off the board reads as taken
            column = t.column;
            row = t.row;
            return true;
        }
    return nearestFreeCell(column, row);
}

}  // namespace

kwPiece* handPiece() {
    return cursor ? static_cast<kwPiece*>(cursor->carried) : nullptr;
}

bool handHover() {
    if (!boardOpen() || clockState.paused || mouseY() > kStatusBarY) return false;
    const int32_t mx = mouseX(), my = mouseY();
    if (kwPiece* p = pieceList->pieceAt(columnAt(mx), rowAt(my))) return p->canPickUp();
    for (const auto& d : kProbes) {
        kwPiece* p = pieceList->hitTest(mx + d[0], my + d[1]);
        if (p && p->canPickUp()) return true;
    }
    return false;
}

void handClick(int32_t x, int32_t y) {
    if (!boardOpen() || y > kStatusBarY || clockState.paused) return;
    if (handPiece()) {
        handDrop();
        return;
    }
    kwPiece* p = pieceUnder(x, y);
    if (!p || !p->canPickUp()) return;
    pieceList->remove(p);
    p->updatePosition();
    cursor->grabOffsetX = int32_t(p->x) - x;
    cursor->grabOffsetY = int32_t(p->y) - y;
    p->pickUp();
    if (p->pieceType() == kwPieceType::Brush)
        setCursor(cursor, kBrushHotX, kBrushHotY);
    else
        setCursor(cursor, 0, 0);
    cursor->carried = p;
}

void handDrop() {
    kwPiece* p = handPiece();
    if (!p || !boardOpen()) return;
    int32_t column = columnAt(mouseX() + cursor->grabOffsetX);
    int32_t row = rowAt(mouseY() + cursor->grabOffsetY);
    // A board with every cell taken keeps the piece in the hand: landing on
    // a taken cell would put two pieces on one cell. So does a full list
    // (pieces being eaten stay listed without a cell): an unlisted piece on
    // the board would be neither drawn nor found.
    if (pieceList->isFull() || !landingCell(column, row)) return;
    pieceList->add(p);
    p->drop(column, row);
    setCursor(cursor, kDefaultHot, kDefaultHot);
    cursor->carried = nullptr;
}

void handBrush() {
    kwPiece* p = handPiece();
    if (!p || !boardOpen() || p->pieceType() != kwPieceType::Brush) return;
    const uint32_t now = gameTime();
    if (now - cursor->lastBrushTime <= kBrushEveryMs) return;
    cursor->lastBrushTime = now;
    const int32_t sx = mouseX() + cursor->grabOffsetX + kBristlesX;
    const int32_t sy = mouseY() + cursor->grabOffsetY + kBristlesY;
    kwPiece* under = pieceList->pieceAt(columnAt(sx), rowAt(sy));
    // A sweet already being eaten is its eater's: brushing it off would pay
    // the level-15 bonus for it as well.
    if (under && !beingEaten(*under)) under->brushStroke();
}

void installHand() {
    handHooks.hover = handHover;
    handHooks.brush = handBrush;
}
