// The thirteen kinds a full board in the benchmarks holds (the brush only
// ever drops alone).
#pragma once

#include <array>

#include "board/piece.h"

inline constexpr std::array<kwPieceType, 13> kBoardKinds = {kwPieceType::Apple,
                                                            kwPieceType::Orange,
                                                            kwPieceType::Lemon,
                                                            kwPieceType::Chocolate,
                                                            kwPieceType::RedHardCandy,
                                                            kwPieceType::OrangeHardCandy,
                                                            kwPieceType::YellowHardCandy,
                                                            kwPieceType::Watermelon,
                                                            kwPieceType::Banana,
                                                            kwPieceType::Donut,
                                                            kwPieceType::Pear,
                                                            kwPieceType::Cone,
                                                            kwPieceType::Chomp};
