// The animations of the brush (the brush piece sets its rates), read from "brush.lfl".
#pragma once

#include "board/piece_art.h"

class kwBrushArt : public kwPieceArt {
public:
    const char* stem() const override;
    std::span<const kwAnimSpec> animations() const override;
};
