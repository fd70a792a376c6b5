// The board's occupancy grid: 16 columns by 11 rows of 48-pixel cells, one
// byte per cell, taken while a piece stands on it or a moving piece has
// claimed it. Which piece takes a cell is the piece list's business.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

inline constexpr int32_t kBoardColumns = 16;
inline constexpr int32_t kBoardRows = 11;
inline constexpr int32_t kBoardCells = kBoardColumns * kBoardRows;  // 176
inline constexpr int32_t kCellSize = 48;
// The board's edges in scene coordinates (centre origin, y up).
inline constexpr int32_t kBoardLeftX = -384;
inline constexpr int32_t kBoardBottomY = -288;

class kwBoardGrid {
public:
    void clear();
    // Cells off the board count as taken and are never written: a caller's
    // slip then costs a refused move, not memory outside the grid.
    bool isOccupied(int32_t column, int32_t row) const {
        return !onBoard(column, row) || cells[size_t(row * kBoardColumns + column)] != 0;
    }
    void occupy(int32_t column, int32_t row);
    void release(int32_t column, int32_t row);
    int32_t takenCount() const;

private:
    static bool onBoard(int32_t column, int32_t row) {
        return column >= 0 && column < kBoardColumns && row >= 0 && row < kBoardRows;
    }
    std::array<uint8_t, kBoardCells> cells{};
};

// The cell under an integer scene coordinate: truncated toward zero, then
// clamped to the board.
int32_t columnAt(int32_t x);
int32_t rowAt(int32_t y);
// The centre of a cell in scene coordinates.
float cellCentreX(int32_t column);
float cellCentreY(int32_t row);
