// The animations of the apple, read from "apple.lfl".
#pragma once

#include "board/piece_art.h"

class kwAppleArt : public kwPieceArt {
public:
    const char* stem() const override;
    std::span<const kwAnimSpec> animations() const override;
};
