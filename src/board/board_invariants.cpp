#include "board/board_invariants.h"

#include <array>
#include <cstdint>
#include <cstdio>

#include "board/board_host.h"
#include "board/hand.h"
#include "board/piece.h"
#include "board/piece_list.h"
#include "board/piece_script.h"

namespace {

std::string fault(const char* what, const kwPiece* p) {
    char buf[160];
    if (p)
        std::snprintf(buf, sizeof buf, "%s (type %d at %d,%d, state %u)", what, int(p->pieceType()),
                      p->column, p->row, p->script ? p->script->state : 0u);
    else
        std::snprintf(buf, sizeof buf, "%s", what);
    return buf;
}

bool onBoard(int32_t column, int32_t row) {
    return column >= 0 && column < kBoardColumns && row >= 0 && row < kBoardRows;
}

// Adds a piece's claims to the expected grid; a fault when a claimed cell
// is off the board or already claimed by another piece.
std::string addClaims(const kwPiece& p, std::array<uint8_t, kBoardCells>& expected) {
    for (int32_t d = 0; d < kDirectionCount; ++d) {
        if (!p.claims[size_t(d)]) continue;
        const kwCell c = neighbourCell(p.column, p.row, kwDirection(d));
        if (!onBoard(c.column, c.row)) return fault("claim off the board", &p);
        uint8_t& cell = expected[size_t(c.row * kBoardColumns + c.column)];
        if (cell) return fault("two claims on one cell", &p);
        cell = 1;
    }
    return {};
}

// Pieces being eaten stay listed for a moment while their eater walks in;
// they no longer stand anywhere.
bool standsOnItsCell(const kwPiece& p) {
    return !p.script || p.script->state != Eaten;
}

// The searches keep their own record of where each type stands and what
// each piece eats; a plain walk over the slots is what they must answer.
const kwPiece* walkNearest(int32_t column, int32_t row, uint32_t mask) {
    const kwPiece* best = nullptr;
    int64_t bestDistance = INT64_MAX;
    for (const kwPiece* p : pieceList->slots) {
        if (!p || int32_t(p->type) >= kPieceTypeCount || !(mask >> uint32_t(p->type) & 1u))
            continue;
        const int64_t dc = p->column - column, dr = p->row - row;
        if (const int64_t d = dc * dc + dr * dr; d < bestDistance) {
            bestDistance = d;
            best = p;
        }
    }
    return best;
}

const kwPiece* walkFirst(uint32_t mask) {
    for (const kwPiece* p : pieceList->slots)
        if (p && int32_t(p->type) < kPieceTypeCount && (mask >> uint32_t(p->type) & 1u)) return p;
    return nullptr;
}

std::string checkSearches() {
    static constexpr kwCell kProbes[] = {{0, 0}, {kBoardColumns - 1, kBoardRows - 1}, {7, 5}};
    for (int32_t t = 0; t < kPieceTypeCount; ++t) {
        for (const kwCell c : kProbes)
            if (pieceList->nearestOfType(c.column, c.row, kwPieceType(t)) !=
                walkNearest(c.column, c.row, 1u << t))
                return fault("type search is stale", walkNearest(c.column, c.row, 1u << t));
        const kwPiece* hunter = walkFirst(1u << t);
        if (!hunter) continue;
        uint32_t prey = 0;
        for (int32_t u = 0; u < kPieceTypeCount; ++u)
            if (hunter->canEat(kwPieceType(u))) prey |= 1u << u;
        if (pieceList->nearestPrey(*hunter) != walkNearest(hunter->column, hunter->row, prey) ||
            pieceList->firstPrey(*hunter) != walkFirst(prey))
            return fault("prey search is stale", hunter);
    }
    return {};
}

}  // namespace

std::string checkBoardInvariants() {
    if (!pieceList || !boardGrid) return {};
    std::array<uint8_t, kBoardCells> expected{};
    std::array<const kwPiece*, kBoardCells> standing{};
    int32_t listed = 0;
    const kwPiece* inHand = handPiece();
    for (const kwPiece* p : pieceList->slots) {
        if (!p) continue;
        ++listed;
        if (p == inHand || p->carried) return fault("carried piece in the list", p);
        if (!onBoard(p->column, p->row)) return fault("piece off the board", p);
        if (std::string f = addClaims(*p, expected); !f.empty()) return f;
        if (!standsOnItsCell(*p)) continue;
        const kwPiece*& here = standing[size_t(p->row * kBoardColumns + p->column)];
        if (here) return fault("two pieces on one cell", p) + " and " + fault("", here);
        here = p;
    }
    if (listed != pieceList->count || listed > pieceList->capacity)
        return fault("list count is wrong", nullptr);
    for (int32_t r = 0; r < kBoardRows; ++r)
        for (int32_t c = 0; c < kBoardColumns; ++c) {
            const kwPiece* first = nullptr;
            for (const kwPiece* p : pieceList->slots)
                if (p && p->column == c && p->row == r) {
                    first = p;
                    break;
                }
            if (pieceList->pieceAt(c, r) != first) return fault("cell index is stale", first);
        }
    if (std::string f = checkSearches(); !f.empty()) return f;
    if (inHand) {
        for (bool c : inHand->claims)
            if (c) return fault("carried piece claims a cell", inHand);
    }
    for (int32_t r = 0; r < kBoardRows; ++r)
        for (int32_t c = 0; c < kBoardColumns; ++c)
            if (boardGrid->isOccupied(c, r) != (expected[size_t(r * kBoardColumns + c)] != 0)) {
                char buf[64];
                std::snprintf(buf, sizeof buf, "grid cell %d,%d disagrees with the claims", c, r);
                return buf;
            }
    return {};
}
