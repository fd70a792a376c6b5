// Makes a piece of a type with the script that drives it (the script owns
// the piece), and the art set of a type.
#pragma once

#include <memory>

#include "board/piece_art.h"
#include "board/piece_type.h"

class kwPieceScript;

// Null for codes that are not piece types (14, 15 and anything else).
kwPieceScript* makePiece(kwPieceType type, kwPieceArt* art);
std::unique_ptr<kwPieceArt> makePieceArt(kwPieceType type);
