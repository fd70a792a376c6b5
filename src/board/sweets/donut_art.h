// The animations of the donut (it rolls for as long as it moves), read from "donut.lfl".
#pragma once

#include "board/piece_art.h"

class kwDonutArt : public kwPieceArt {
public:
    const char* stem() const override;
    std::span<const kwAnimSpec> animations() const override;
};
