// The animations of the orange hard candy, read from "ohc.lfl".
#pragma once

#include "board/piece_art.h"

class kwOrangeHardCandyArt : public kwPieceArt {
public:
    const char* stem() const override;
    std::span<const kwAnimSpec> animations() const override;
};
