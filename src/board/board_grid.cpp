#include "board/board_grid.h"

#include <algorithm>

namespace {
constexpr float kFirstCentreX = -360.0f;  // column 0
constexpr float kFirstCentreY = -264.0f;  // row 0
}  // namespace

void kwBoardGrid::clear() {
    cells.fill(0);
}

void kwBoardGrid::occupy(int32_t column, int32_t row) {
    if (onBoard(column, row)) cells[size_t(row * kBoardColumns + column)] = 1;
}

void kwBoardGrid::release(int32_t column, int32_t row) {
    if (onBoard(column, row)) cells[size_t(row * kBoardColumns + column)] = 0;
}

int32_t kwBoardGrid::takenCount() const {
    return int32_t(std::count(cells.begin(), cells.end(), uint8_t{1}));
}

int32_t columnAt(int32_t x) {
    // Integer division truncates toward zero, as the rule asks.
    return std::clamp((int64_t{x} - kBoardLeftX) / kCellSize, int64_t{0},
                      int64_t{kBoardColumns - 1});
}

int32_t rowAt(int32_t y) {
    return std::clamp((int64_t{y} - kBoardBottomY) / kCellSize, int64_t{0},
                      int64_t{kBoardRows - 1});
}

float cellCentreX(int32_t column) {
    return kFirstCentreX + float(kCellSize * column);
}

float cellCentreY(int32_t row) {
    return kFirstCentreY + float(kCellSize * row);
}
