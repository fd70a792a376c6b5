// The animations of the banana, read from "banana.lfl".
#pragma once

#include "board/piece_art.h"

class kwBananaArt : public kwPieceArt {
public:
    const char* stem() const override;
    std::span<const kwAnimSpec> animations() const override;
};
