// The piece type codes (the factory, the level tables and the rule
// functions use the numbers) and the directions that name a neighbour cell.
#pragma once

#include <cstdint>

enum class kwPieceType : int32_t {
    Apple = 0,
    Orange = 1,
    Lemon = 2,
    Chocolate = 3,
    RedHardCandy = 4,
    OrangeHardCandy = 5,
    YellowHardCandy = 6,
    Brush = 7,
    Watermelon = 8,
    Banana = 9,
    Donut = 10,
    Pear = 11,
    Cone = 12,
    Chomp = 13,
    AnyType = 14,  // wildcard in searches only
    NoPiece = 15,  // the empty entry in spawn lists
};
inline constexpr int32_t kPieceTypeCount = 14;  // the real types, codes 0..13

enum class kwDirection : int32_t { Here = 0, Up = 1, Down = 2, Left = 3, Right = 4 };
