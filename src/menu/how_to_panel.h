// The how-to panel of the menu: the rules card with live example pieces
// showing through its windows. Apples and oranges rest and fidget now and
// then; the red hard candy sparkles once when the mouse touches it.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "assets/linked_file.h"
#include "board/piece_art.h"
#include "board/piece_showcase.h"
#include "render/drawable.h"
#include "render/eye.h"

class kwHowToPanel : public kwDrawable {
public:
    static constexpr float kDepth = 100.0f;
    static constexpr const char* kCardName = "menu_text_01.eye";

    struct Spot {
        float x, y;
    };
    // Where the example pieces stand, in drawing order within their kind.
    static constexpr std::array<Spot, 4> kOrangeSpots{
        {{-114.0f, 37.0f}, {217.0f, 37.0f}, {267.0f, 37.0f}, {317.0f, 37.0f}}};
    static constexpr std::array<Spot, 2> kAppleSpots{{{5.0f, 39.0f}, {4.0f, -111.0f}}};
    static constexpr Spot kCandySpot{-115.0f, -114.0f};

    // The card comes from `archive` (the menu scene's, which must outlive the
    // panel); the pieces' art from their own archives. Everything is loaded
    // at the first call that needs it. Hidden until shown.
    explicit kwHowToPanel(kwLinkedFileList* archive);
    ~kwHowToPanel() override;
    kwHowToPanel(const kwHowToPanel&) = delete;
    kwHowToPanel& operator=(const kwHowToPanel&) = delete;

    // Builds the card, art sets and showcases once; false when the card is
    // missing (the pieces still show).
    bool load();
    // The candy plays its sparkle once while the mouse touches it.
    void updateHover(int32_t x, int32_t y);
    // The panel is only to look at.
    bool handleClick(int32_t, int32_t) { return false; }
    void draw() override;

    std::unique_ptr<kwEyeTransparency> card;
    // The art sets come before the showcases: the showcases' players borrow
    // the sets' frames and must go first.
    std::unique_ptr<kwPieceArt> appleArt;
    std::unique_ptr<kwPieceArt> orangeArt;
    std::unique_ptr<kwPieceArt> candyArt;
    std::unique_ptr<kwPieceShowcase> apple;
    std::unique_ptr<kwPieceShowcase> orange;
    std::unique_ptr<kwCandyShowcase> candy;
    bool loaded = false;

private:
    static void drawAt(kwPieceShowcase& showcase, Spot at);

    kwLinkedFileList* archive;
    bool complete = false;
};
