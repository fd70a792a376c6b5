// One archive's contact sheet: every animation frame by frame in rows, every
// single picture, and (for archives of interface pictures) the pictures
// composed at their stored positions on an 800 x 600 screen. Everything is
// drawn by the game's own image classes onto a 16-bit RGB565 picture over
// the board's checker, so the sheet shows what the player will see.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "assets/linked_file.h"
#include "sheet_records.h"

class ContactSheet {
public:
    // The list must outlive the sheet; its payloads are converted in place.
    ContactSheet(std::string title, kwLinkedFileList& list);

    // False when there is nothing to draw (an archive of sounds).
    bool empty() const { return items.empty(); }
    int width() const { return sheetW; }
    int height() const { return sheetH; }
    // Frames whose files are missing or refused (drawn as a red cross).
    int brokenFrames() const { return broken; }

    // Draws the sheet and writes it as a PNG; false on a write failure.
    bool writePng(const std::string& path);

private:
    enum class Kind { Label, SmallLabel, Frame, Picture, Composite };
    struct Item {
        Kind kind;
        int x, y, w, h;
        std::string text;  // label text, or the picture's name
        SheetFrame frame;
    };

    void layoutAnimation(const SheetAnimation& a);
    void endFlow();
    void layoutPictures();
    void layoutComposite();
    void addLabel(const std::string& text);

    void render();
    void drawItem(const Item& item);
    void drawChecker(const Item& item);
    void drawFrame(const Item& item);
    void drawPicture(const Item& item);
    void drawComposite(const Item& item);
    void drawCross(const Item& item);
    void aimAt(const Item& item);  // the render target becomes the item's cell

    std::string title;
    kwLinkedFileList& list;
    SheetRecords records;
    std::vector<Item> items;
    std::vector<uint16_t> pixels;
    int cursorY = 0;
    int flowX = 0, flowRowH = 0;  // the row of animation blocks being filled
    int usedW = 0;
    int sheetW = 0, sheetH = 0;
    int broken = 0;
};
