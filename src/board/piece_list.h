// Every piece lying on the board, in insertion slots; the list draws them
// and answers the searches the rules ask. It does not own its pieces: a
// piece belongs to its script and leaves the list when it is destroyed.
// A per-cell index answers pieceAt without walking the slots (the rules ask
// it for every neighbour of every piece, every run); pieces report their
// moves through setCell.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "board/board_grid.h"
#include "board/piece_type.h"
#include "render/drawable.h"

class kwPiece;

class kwPieceList : public kwDrawable {
public:
    static constexpr int32_t kCapacity = kBoardCells;  // 176
    static constexpr float kDepth = 500.0f;
    static constexpr uint32_t kThawMs = 10000;

    kwPieceList();

    void draw() override;

    void clear();
    bool isFull() const { return count >= capacity; }
    void add(kwPiece* piece);
    void remove(kwPiece* piece);
    bool contains(const kwPiece* piece) const;
    // The same for a live piece, without a walk.
    bool listed(const kwPiece* piece) const;
    // A listed piece changed cell (kwPiece::setCell calls it).
    void moved(kwPiece* piece, int32_t fromColumn, int32_t fromRow);

    kwPiece* pieceAt(int32_t column, int32_t row) const;
    kwPiece* hitTest(int32_t x, int32_t y) const;
    kwPiece* nearestOfType(int32_t column, int32_t row, kwPieceType type) const;
    kwPiece* nearestPrey(const kwPiece& hunter) const;
    // The first listed piece the hunter can eat, or null.
    kwPiece* firstPrey(const kwPiece& hunter) const;
    int32_t countOfType(kwPieceType type) const;
    int32_t scoringValue() const;

    void ageAll();
    void freezeAt(int32_t column, int32_t row);

    int32_t capacity = kCapacity;
    int32_t count = 0;
    std::array<kwPiece*, kCapacity> slots{};
    uint32_t lastAgeTime = 0;
    bool agedOnce = false;  // the first pass only starts the clock

private:
    void warmAhead(size_t slot) const;
    void index(kwPiece* piece, int32_t column, int32_t row);
    void unindex(kwPiece* piece, int32_t column, int32_t row);
    // The first listed piece on a cell, by slot order, skipping `except`.
    kwPiece* firstOn(int32_t column, int32_t row, const kwPiece* except) const;

    // Listed pieces per cell, and the piece itself while it is alone there.
    std::array<uint8_t, kCapacity> cellCount{};
    std::array<kwPiece*, kCapacity> cellPiece{};
    // The slots holding each type, a bit a slot (which also counts them),
    // and every slot's cell: the searches walk only the slots of the types
    // asked for, in slot order, without reading the pieces.
    static constexpr size_t kSlotWords = (size_t(kCapacity) + 63) / 64;
    using SlotBits = std::array<uint64_t, kSlotWords>;
    std::array<SlotBits, kPieceTypeCount> typeSlots{};
    std::array<int32_t, kCapacity> slotColumn{};
    std::array<int32_t, kCapacity> slotRow{};
    // What each slot's piece eats (a bit a type), asked of it once, when listed.
    std::array<uint32_t, kCapacity> slotEats{};
    void recordSlot(const kwPiece& piece, size_t slot, bool listed);
    SlotBits slotsOfTypes(uint32_t mask) const;
    // Bit t set when the hunter eats type t (a type with no piece listed
    // has no slots to walk).
    uint32_t preyMask(const kwPiece& hunter) const;
    kwPiece* nearestOfTypes(int32_t column, int32_t row, uint32_t mask) const;
};
