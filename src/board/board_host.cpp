#include "board/board_host.h"

#include "audio/sound_volume.h"
#include "board/piece.h"
#include "board/piece_factory.h"
#include "board/piece_list.h"
#include "board/piece_script.h"
#include "render/scene.h"
#include "shell/random.h"

kwBoardGrid* boardGrid = nullptr;
kwPieceList* pieceList = nullptr;
kwBoardHost* boardHost = nullptr;

namespace {
constexpr float kFullScale = 1.0f;
}

kwBoardHost::kwBoardHost() = default;

kwBoardHost::~kwBoardHost() {
    closeBoard();
}

void kwBoardHost::openBoard(kwScene* scene) {
    closeBoard();
    scriptScene = scene;
    boardGrid = new kwBoardGrid();
    pieceList = new kwPieceList();
    boardHost = this;
}

void kwBoardHost::closeBoard() {
    if (boardHost != this) return;
    delete pieceList;
    pieceList = nullptr;
    delete boardGrid;
    boardGrid = nullptr;
    boardHost = nullptr;
    scriptScene = nullptr;
}

void kwBoardHost::loadPieceArt() {
    for (int32_t t = 0; t < kPieceTypeCount; ++t) {
        auto& a = arts[size_t(t)];
        if (!a) a = makePieceArt(kwPieceType(t));
        if (a) a->load();
    }
}

void kwBoardHost::unloadPieceArt() {
    for (auto& a : arts) a.reset();
}

kwPieceArt* kwBoardHost::artFor(kwPieceType type) const {
    const int32_t t = int32_t(type);
    return t >= 0 && t < kPieceTypeCount ? arts[size_t(t)].get() : nullptr;
}

bool kwBoardHost::placePiece(kwPieceType type, int32_t column, int32_t row, bool animate) {
    if (!pieceList || !boardGrid || pieceList->isFull()) return false;
    if (type == kwPieceType::NoPiece) return true;
    kwPieceScript* s = makePiece(type, artFor(type));
    if (!s) return false;  // not a piece type
    kwPiece* p = s->piece;
    p->setCell(column, row);
    p->claim(kwDirection::Here);
    pieceList->add(p);
    if (!scriptScene || !scriptScene->addScript(s)) {
        delete s;  // no room for its script: the piece goes with it
        return false;
    }
    if (animate) p->startBlinking();
    return true;
}

bool kwBoardHost::spawnPiece(kwPieceType type, bool animate) {
    if (!pieceList || !boardGrid || pieceList->isFull()) return false;
    if (type == kwPieceType::NoPiece) return true;
    int32_t column = int32_t(random(kBoardColumns));
    int32_t row = int32_t(random(kBoardRows));
    int32_t tries = 0;
    while (boardGrid->isOccupied(column, row)) {
        if (++tries >= kBoardCells) return false;
        if (++column >= kBoardColumns) {
            column = 0;
            if (++row >= kBoardRows) row = 0;
        }
    }
    return placePiece(type, column, row, animate);
}

void kwBoardHost::playEatSound(bool good) {
    kwSound* s = good ? eatGood : eatBad;
    if (s) playSound(s, kFullScale, false);
}

void kwBoardHost::playReproduceSound() {
    if (reproduce) playSound(reproduce, kFullScale, false);
}

void kwBoardHost::addSparkle(float, float) {}
