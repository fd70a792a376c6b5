// What the pieces need from the screen they live on: the grid and list,
// the art sets, the factory, the sounds and the sparkles. The play scene is
// the one real host; tests run a board on a bare scene through the same
// class, so every rule is exercised exactly as in play.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "board/board_grid.h"
#include "board/piece_art.h"
#include "board/piece_type.h"

class kwPieceList;
class kwScene;
class kwSound;
class kwDrawable;

class kwBoardHost {
public:
    kwBoardHost();
    virtual ~kwBoardHost();
    kwBoardHost(const kwBoardHost&) = delete;
    kwBoardHost& operator=(const kwBoardHost&) = delete;

    // Makes the grid and the piece list and installs this host; the
    // scripts go to `scriptScene`.
    void openBoard(kwScene* scriptScene);
    // Deletes the grid and list (the pieces belong to their scripts, which
    // the scene deletes) and uninstalls this host.
    void closeBoard();
    // Every type's art set, built once.
    void loadPieceArt();
    void unloadPieceArt();
    kwPieceArt* artFor(kwPieceType type) const;

    // The factory.
    bool placePiece(kwPieceType type, int32_t column, int32_t row, bool animate);
    bool spawnPiece(kwPieceType type, bool animate);

    // Sounds and effects the pieces ask for; silent when not loaded.
    virtual void playEatSound(bool good);
    virtual void playReproduceSound();
    virtual void addSparkle(float x, float y);

    int32_t levelPoints = 0;
    int32_t levelGoal = 0;
    kwSound* eatGood = nullptr;  // not owned
    kwSound* eatBad = nullptr;
    kwSound* reproduce = nullptr;
    kwDrawable* frozenOverlay = nullptr;  // drawn over frozen pieces; not owned

protected:
    std::array<std::unique_ptr<kwPieceArt>, kPieceTypeCount> arts;
    kwScene* scriptScene = nullptr;
};

// The board while a play scene (or a test) has one open; null otherwise.
extern kwBoardGrid* boardGrid;
extern kwPieceList* pieceList;
extern kwBoardHost* boardHost;

// The neighbour of a cell in a direction, and whether it lies on the board.
struct kwCell {
    int32_t column = 0;
    int32_t row = 0;
};
// Inline: the rules ask these for every neighbour of every piece, every run.
inline kwCell neighbourCell(int32_t column, int32_t row, kwDirection d) {
    switch (d) {
        case kwDirection::Up:
            return {column, row + 1};
        case kwDirection::Down:
            return {column, row - 1};
        case kwDirection::Left:
            return {column - 1, row};
        case kwDirection::Right:
            return {column + 1, row};
        default:
            return {column, row};
    }
}
inline bool neighbourOnBoard(int32_t column, int32_t row, kwDirection d) {
    const kwCell c = neighbourCell(column, row, d);
    return c.column >= 0 && c.column < kBoardColumns && c.row >= 0 && c.row < kBoardRows;
}
