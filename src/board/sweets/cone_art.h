// The animations of the cone (its freeze rays wind up, then flicker), read from "cone.lfl".
#pragma once

#include "board/piece_art.h"

class kwConeArt : public kwPieceArt {
public:
    const char* stem() const override;
    std::span<const kwAnimSpec> animations() const override;
};
