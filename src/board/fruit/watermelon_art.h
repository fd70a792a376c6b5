// The animations of the watermelon, read from "wamelon.lfl".
#pragma once

#include "board/piece_art.h"

class kwWatermelonArt : public kwPieceArt {
public:
    const char* stem() const override;
    std::span<const kwAnimSpec> animations() const override;
};
