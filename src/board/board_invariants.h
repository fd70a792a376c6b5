// A consistency check of the open board, for tests and soak runs: the grid
// holds exactly the listed pieces' claims, no two live pieces share a cell,
// the list's count is true, every piece stands on the board, and the piece
// in the hand is out of the list and claims nothing.
#pragma once

#include <string>

// Empty when everything holds, else a description of the first fault.
std::string checkBoardInvariants();
