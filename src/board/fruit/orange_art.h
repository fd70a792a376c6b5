// The animations of the orange, read from "orange.lfl".
#pragma once

#include "board/piece_art.h"

class kwOrangeArt : public kwPieceArt {
public:
    const char* stem() const override;
    std::span<const kwAnimSpec> animations() const override;
};
