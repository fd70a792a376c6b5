// The game's state as one JSON object: the current scene, the clock, the
// frame count, every game-state field, the cursor and the board.
//
// "play" is null while no board is open; with one it holds the turn's
// "levelPoints" and "levelGoal" and "pieces": every listed piece in slot
// order, then the piece in the hand (if any) with "carried" true. Per piece:
// "type" (code 0..13), "column", "row", "x" and "y" (where it is drawn, in
// screen pixels with the origin top-left, like the cursor and the runner's
// clicks), "life" (seconds, to the millisecond), "state" (its script's state
// value), "frozen", "blinking" (still blinking in), "carried", "strokes".
#pragma once

#include <string>

std::string stateDumpJson();
