// The occupancy grid and the cell arithmetic: truncation then clamping at
// every edge, cell centres, and calls off the board that must neither read
// nor write outside the grid.
#include "board/board_grid.h"

#include <gtest/gtest.h>

#include <climits>

TEST(BoardGrid, ColumnsAndRowsTruncateTowardZeroThenClamp) {
    EXPECT_EQ(columnAt(-384), 0);
    EXPECT_EQ(columnAt(-385), 0);  // -1 / 48 truncates to 0
    EXPECT_EQ(columnAt(-432), 0);  // -48 / 48 = -1, clamped
    EXPECT_EQ(columnAt(-337), 0);
    EXPECT_EQ(columnAt(-336), 1);
    EXPECT_EQ(columnAt(383), 15);
    EXPECT_EQ(columnAt(500), 15);
    EXPECT_EQ(rowAt(239), 10);
    EXPECT_EQ(rowAt(240), 10);  // the top edge belongs to the status bar, clamped
    EXPECT_EQ(rowAt(-288), 0);
    EXPECT_EQ(rowAt(-241), 0);
    EXPECT_EQ(rowAt(-240), 1);
    EXPECT_EQ(columnAt(INT_MIN), 0);  // no overflow at the extremes
    EXPECT_EQ(columnAt(INT_MAX), 15);
    EXPECT_EQ(rowAt(INT_MAX), 10);
}

TEST(BoardGrid, CellCentresRoundTrip) {
    EXPECT_EQ(cellCentreX(0), -360.0f);
    EXPECT_EQ(cellCentreY(0), -264.0f);
    EXPECT_EQ(cellCentreX(15), 360.0f);
    EXPECT_EQ(cellCentreY(10), 216.0f);
    for (int c = 0; c < kBoardColumns; ++c) EXPECT_EQ(columnAt(int32_t(cellCentreX(c))), c);
    for (int r = 0; r < kBoardRows; ++r) EXPECT_EQ(rowAt(int32_t(cellCentreY(r))), r);
}

TEST(BoardGrid, OccupyReleaseAndClearTouchOnlyTheirCell) {
    kwBoardGrid g;
    EXPECT_EQ(g.takenCount(), 0);
    g.occupy(3, 4);
    g.occupy(15, 10);
    EXPECT_TRUE(g.isOccupied(3, 4));
    EXPECT_FALSE(g.isOccupied(4, 3));  // row-major: (c, r) and (r, c) differ
    EXPECT_TRUE(g.isOccupied(15, 10));
    EXPECT_EQ(g.takenCount(), 2);
    g.occupy(3, 4);  // taking a taken cell keeps one byte set
    EXPECT_EQ(g.takenCount(), 2);
    g.release(3, 4);
    EXPECT_FALSE(g.isOccupied(3, 4));
    g.clear();
    EXPECT_EQ(g.takenCount(), 0);
}

TEST(BoardGrid, CellsOffTheBoardReadAsTakenAndAreNeverWritten) {
    kwBoardGrid g;
    for (auto [c, r] : {std::pair{-1, 0}, {16, 0}, {0, -1}, {0, 11}, {INT_MIN, INT_MAX}}) {
        EXPECT_TRUE(g.isOccupied(c, r)) << c << "," << r;
        g.occupy(c, r);
        g.release(c, r);
    }
    // Off-board writes must not wrap onto real cells (16, 0 would be 0, 1).
    EXPECT_EQ(g.takenCount(), 0);
    EXPECT_FALSE(g.isOccupied(0, 1));
}
