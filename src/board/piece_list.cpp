#include "board/piece_list.h"

#include <bit>

#include "board/piece.h"
#include "render/render_target.h"
#include "shell/clock.h"
#include "shell/game_state.h"

namespace {
constexpr int64_t kFarAway = 1000000000;
constexpr uint32_t kAllTypes = (1u << kPieceTypeCount) - 1;

int64_t cellDistance(int32_t fromColumn, int32_t fromRow, int32_t column, int32_t row) {
    const int64_t dc = int64_t(fromColumn) - column;
    const int64_t dr = int64_t(fromRow) - row;
    return dc * dc + dr * dr;
}

// A type eats by its kind alone, so this is asked once per listed piece.
uint32_t eatenTypes(const kwPiece& hunter) {
    uint32_t mask = 0;
    for (int32_t t = 0; t < kPieceTypeCount; ++t)
        if (hunter.canEat(kwPieceType(t))) mask |= 1u << t;
    return mask;
}
}  // namespace

kwPieceList::kwPieceList() {
    depth = kDepth;
}

void kwPieceList::clear() {
    for (kwPiece* s : slots)
        if (s) s->listSlot = -1;
    slots.fill(nullptr);
    count = 0;
    cellCount.fill(0);
    cellPiece.fill(nullptr);
    typeSlots = {};
}

namespace {
int32_t cellIndex(int32_t column, int32_t row) {
    if (column < 0 || column >= kBoardColumns || row < 0 || row >= kBoardRows) return -1;
    return row * kBoardColumns + column;
}
}  // namespace

void kwPieceList::add(kwPiece* piece) {
    if (!piece || isFull() || listed(piece)) return;
    for (size_t i = 0; i < slots.size(); ++i) {
        if (slots[i]) continue;
        slots[i] = piece;
        piece->listSlot = int32_t(i);
        ++count;
        index(piece, piece->column, piece->row);
        recordSlot(*piece, i, true);
        slotEats[i] = eatenTypes(*piece);
        return;
    }
}

void kwPieceList::remove(kwPiece* piece) {
    if (!listed(piece)) return;
    slots[size_t(piece->listSlot)] = nullptr;
    recordSlot(*piece, size_t(piece->listSlot), false);
    piece->listSlot = -1;
    --count;
    unindex(piece, piece->column, piece->row);
}

// Compares addresses only, so it may be asked about a piece already gone.
bool kwPieceList::contains(const kwPiece* piece) const {
    if (!piece) return false;
    for (const kwPiece* s : slots)
        if (s == piece) return true;
    return false;
}

bool kwPieceList::listed(const kwPiece* piece) const {
    return piece && piece->listSlot >= 0 && piece->listSlot < capacity &&
           slots[size_t(piece->listSlot)] == piece;
}

void kwPieceList::moved(kwPiece* piece, int32_t fromColumn, int32_t fromRow) {
    if (!listed(piece)) return;
    unindex(piece, fromColumn, fromRow);
    index(piece, piece->column, piece->row);
    recordSlot(*piece, size_t(piece->listSlot), true);
}

void kwPieceList::recordSlot(const kwPiece& piece, size_t slot, bool listed) {
    slotColumn[slot] = piece.column;
    slotRow[slot] = piece.row;
    const int32_t t = int32_t(piece.type);
    if (t < 0 || t >= kPieceTypeCount) return;
    const uint64_t bit = uint64_t(1) << (slot % 64);
    uint64_t& word = typeSlots[size_t(t)][slot / 64];
    word = listed ? word | bit : word & ~bit;
}

kwPieceList::SlotBits kwPieceList::slotsOfTypes(uint32_t mask) const {
    SlotBits bits{};
    for (; mask; mask &= mask - 1) {
        const auto t = size_t(std::countr_zero(mask));
        if (t >= typeSlots.size()) break;
        for (size_t w = 0; w < kSlotWords; ++w) bits[w] |= typeSlots[t][w];
    }
    return bits;
}

void kwPieceList::index(kwPiece* piece, int32_t column, int32_t row) {
    const int32_t i = cellIndex(column, row);
    if (i < 0) return;
    if (++cellCount[size_t(i)] == 1) cellPiece[size_t(i)] = piece;
}

void kwPieceList::unindex(kwPiece* piece, int32_t column, int32_t row) {
    const int32_t i = cellIndex(column, row);
    if (i < 0 || cellCount[size_t(i)] == 0) return;
    const uint8_t left = --cellCount[size_t(i)];
    cellPiece[size_t(i)] = left == 1 ? firstOn(column, row, piece) : nullptr;
}

kwPiece* kwPieceList::firstOn(int32_t column, int32_t row, const kwPiece* except) const {
    for (kwPiece* s : slots)
        if (s && s != except && s->column == column && s->row == row) return s;
    return nullptr;
}

kwPiece* kwPieceList::pieceAt(int32_t column, int32_t row) const {
    const int32_t i = cellIndex(column, row);
    if (i < 0 || cellCount[size_t(i)] == 0) return nullptr;
    if (cellCount[size_t(i)] == 1) return cellPiece[size_t(i)];
    return firstOn(column, row, nullptr);  // a piece being eaten and its eater
}

kwPiece* kwPieceList::hitTest(int32_t qx, int32_t qy) const {
    for (kwPiece* s : slots)
        if (s && s->hitTest(qx, qy, true)) return s;
    return nullptr;
}

// The listed piece nearest to a cell among the types whose bits are set;
// the first in slot order wins a tie.
kwPiece* kwPieceList::nearestOfTypes(int32_t column, int32_t row, uint32_t mask) const {
    if (!mask) return nullptr;
    const SlotBits bits = slotsOfTypes(mask);
    size_t best = slots.size();
    int64_t bestDistance = kFarAway;
    for (size_t w = 0; w < kSlotWords; ++w) {
        for (uint64_t b = bits[w]; b; b &= b - 1) {
            const size_t i = w * 64 + size_t(std::countr_zero(b));
            const int64_t d = cellDistance(slotColumn[i], slotRow[i], column, row);
            if (d < bestDistance) {
                bestDistance = d;
                best = i;
            }
        }
    }
    return best < slots.size() ? slots[best] : nullptr;
}

kwPiece* kwPieceList::nearestOfType(int32_t column, int32_t row, kwPieceType type) const {
    if (type == kwPieceType::AnyType) return nearestOfTypes(column, row, kAllTypes);
    return countOfType(type) > 0 ? nearestOfTypes(column, row, 1u << uint32_t(type)) : nullptr;
}

uint32_t kwPieceList::preyMask(const kwPiece& hunter) const {
    return listed(&hunter) ? slotEats[size_t(hunter.listSlot)] : eatenTypes(hunter);
}

kwPiece* kwPieceList::nearestPrey(const kwPiece& hunter) const {
    return nearestOfTypes(hunter.column, hunter.row, preyMask(hunter));
}

kwPiece* kwPieceList::firstPrey(const kwPiece& hunter) const {
    const uint32_t mask = preyMask(hunter);
    if (!mask) return nullptr;
    const SlotBits bits = slotsOfTypes(mask);
    for (size_t w = 0; w < kSlotWords; ++w)
        if (bits[w]) return slots[w * 64 + size_t(std::countr_zero(bits[w]))];
    return nullptr;
}

int32_t kwPieceList::countOfType(kwPieceType type) const {
    const int32_t t = int32_t(type);
    if (t < 0 || t >= kPieceTypeCount) return 0;
    int32_t n = 0;
    for (uint64_t word : typeSlots[size_t(t)]) n += std::popcount(word);
    return n;
}

int32_t kwPieceList::scoringValue() const {
    int32_t units = 0;
    for (const kwPiece* s : slots)
        if (s) units += s->scoringUnits();
    const int32_t p = gameState.currentPlayer;
    const int32_t skill = (p >= 0 && p < kMaxPlayers) ? gameState.activeSkill[size_t(p)] : 1;
    return units * skill;
}

void kwPieceList::ageAll() {
    const uint32_t now = gameTime();
    if (!agedOnce) {
        agedOnce = true;
        lastAgeTime = now;
        return;
    }
    const float dt = static_cast<float>(now - lastAgeTime);
    lastAgeTime = now;
    for (kwPiece* s : slots)
        if (s) s->age(dt);
}

void kwPieceList::freezeAt(int32_t column, int32_t row) {
    kwPiece* p = pieceAt(column, row);
    if (!p || !p->canBeEaten()) return;
    const kwPieceType t = p->pieceType();
    if (t == kwPieceType::Cone || t == kwPieceType::Chomp) return;
    p->freeze();
}

// Drawing a piece follows pointers (piece, player, frame array, frame shown)
// that the frame's pixels push out of the cache between frames, and each is
// a wait. So the list asks for them ahead, one link further along for each
// piece nearer, and every link has arrived when the next is read.
void kwPieceList::warmAhead(size_t slot) const {
    for (int32_t step = 0; step < kwPiece::kWarmSteps; ++step) {
        const size_t ahead = slot + size_t(kwPiece::kWarmSteps - step);
        if (ahead < slots.size() && slots[ahead]) slots[ahead]->warm(step);
    }
}

void kwPieceList::draw() {
    const uint32_t now = gameTime();
    for (size_t i = 0; i < slots.size(); ++i) {
        warmAhead(i);
        kwPiece* s = slots[i];
        if (!s || s->carried) continue;
        s->thawIfExpired(now);
        targetScreen();
        if (s->place()) s->draw();
    }
}
