// The animations of the yellow hard candy (its long sparkle plays forth and back once), read from
// "yhc.lfl".
#pragma once

#include "board/piece_art.h"

class kwYellowHardCandyArt : public kwPieceArt {
public:
    const char* stem() const override;
    std::span<const kwAnimSpec> animations() const override;
};
