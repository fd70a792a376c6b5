// The animations of the pear, read from "pear.lfl".
#pragma once

#include "board/piece_art.h"

class kwPearArt : public kwPieceArt {
public:
    const char* stem() const override;
    std::span<const kwAnimSpec> animations() const override;
};
