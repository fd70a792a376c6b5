// The animations of the lemon, read from "lemon.lfl".
#pragma once

#include "board/piece_art.h"

class kwLemonArt : public kwPieceArt {
public:
    const char* stem() const override;
    std::span<const kwAnimSpec> animations() const override;
};
