// The animations of the chomp (it chews on and on), read from "chomp.lfl".
#pragma once

#include "board/piece_art.h"

class kwChompArt : public kwPieceArt {
public:
    const char* stem() const override;
    std::span<const kwAnimSpec> animations() const override;
};
