// The animations of the red hard candy, read from "rhc.lfl".
#pragma once

#include "board/piece_art.h"

class kwRedHardCandyArt : public kwPieceArt {
public:
    const char* stem() const override;
    std::span<const kwAnimSpec> animations() const override;
};
