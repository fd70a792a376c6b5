// The menu's high-score panel: the five rows of the table in system-font
// text under the "HIGH SCORES" card, and a button that clears the table.
#pragma once

#include <cstdint>
#include <memory>

#include "assets/linked_file.h"
#include "render/drawable.h"
#include "render/eye.h"
#include "render/font.h"
#include "render/text.h"

class kwHighScorePanel : public kwDrawable {
public:
    static constexpr float kDepth = 100.0f;
    static constexpr const char* kTitleName = "hs_text_01.eye";
    static constexpr const char* kClearName = "hs_clear_01.eye";
    static constexpr const char* kClearLitName = "hs_clear_02.eye";
    static constexpr const char* kFontFace = "Arial";
    static constexpr int32_t kFontHeight = 36;

    // The four columns of a row, left to right.
    enum Column { NameColumn, LevelColumn, SkillColumn, ScoreColumn, kColumns };
    static constexpr float kColumnX[kColumns] = {-222.0f, -61.0f, 57.0f, 205.0f};
    static constexpr float kFirstRowY = -10.0f;
    static constexpr float kRowStep = 32.0f;  // downwards

    kwHighScorePanel();  // hidden until the scores button opens it
    kwHighScorePanel(const kwHighScorePanel&) = delete;
    kwHighScorePanel& operator=(const kwHighScorePanel&) = delete;

    // Binds the three pictures from `archive` (which must outlive the panel)
    // and makes the font and the row text; only the first call does
    // anything. False when a picture is missing: the panel then draws and
    // answers without it.
    bool load(kwLinkedFileList* archive);

    // The clear button lights up while (x, y) lies on its opaque pixels.
    void updateHover(int32_t x, int32_t y);
    // A click on the clear button's opaque pixels resets the table at once
    // (there is no confirmation); true when the click was taken.
    bool handleClick(int32_t x, int32_t y);
    // The rows of gameState.highScores, then the card and the button over them.
    void draw() override;

    // "EASY" for 1, "MED." for 2, "HARD" for anything else.
    static const char* skillWord(int32_t skill);
    // Puts the text of one cell of the table into `rowText` and moves it to
    // the cell's anchor; rows or columns out of range leave it unchanged.
    void setCell(int row, int column);

    std::unique_ptr<kwEyeTransparency> titleImage;
    std::unique_ptr<kwEyeTransparency> clearButton;
    std::unique_ptr<kwEyeTransparency> clearLit;
    std::unique_ptr<kwFont> font;
    std::unique_ptr<kwText> rowText;
    uint8_t loaded = 0;

private:
    bool bind(std::unique_ptr<kwEyeTransparency>& slot, kwLinkedFileList* archive,
              const char* name);
    void makeText();
    static void drawPicture(kwEyeTransparency* picture);
};
