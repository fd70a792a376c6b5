// The player's hand: picking a piece up with a click, carrying it with the
// mouse, dropping it with the next click, and scrubbing with the brush.
// Its state lives in the cursor, which draws the carried piece.
#pragma once

#include <cstdint>

class kwPiece;

// Is the mouse over a piece that can be picked up?
bool handHover();
// A left click at a scene point: drops what is carried, else picks up.
void handClick(int32_t x, int32_t y);
// Drops the carried piece at the mouse onto the nearest free cell.
void handDrop();
// One brush stroke on the sweet under the bristles, at most every 50 ms.
void handBrush();
// The piece in the hand, or null.
kwPiece* handPiece();
// Plugs the hand into the cursor's hover and brush hooks.
void installHand();
