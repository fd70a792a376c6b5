// The animations of the chocolate, read from "choco.lfl".
#pragma once

#include "board/piece_art.h"

class kwChocolateArt : public kwPieceArt {
public:
    const char* stem() const override;
    std::span<const kwAnimSpec> animations() const override;
};
