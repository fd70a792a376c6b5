// The high-score panel: rows of text drawn under the card picture, whose
// clear window lets them through, and the clear button's hover and click.
#include "menu/high_score_panel.h"

#include <cstring>

#include "shell/game_state.h"
#include "shell/log.h"

namespace {
constexpr int32_t kTextRed = 0, kTextGreen = 235, kTextBlue = 110;
constexpr int32_t kShadowRed = 0, kShadowGreen = 170, kShadowBlue = 80;
constexpr float kShadowDx = -1.0f, kShadowDy = -2.0f;
constexpr int32_t kSkillEasy = 1, kSkillMedium = 2;
}  // namespace

kwHighScorePanel::kwHighScorePanel() {
    depth = kDepth;
    visible = false;
}

bool kwHighScorePanel::bind(std::unique_ptr<kwEyeTransparency>& slot, kwLinkedFileList* archive,
                            const char* name) {
    kwLinkedFile* f = archive ? archive->find(name) : nullptr;
    if (f) {
        slot = std::make_unique<kwEyeTransparency>();
        slot->setLinkedFile(f);
        if (slot->file) return true;
        slot.reset();
    }
    debugFail("kwHighScorePanel::load - missing or unusable file", name);
    return false;
}

void kwHighScorePanel::makeText() {
    font = std::make_unique<kwFont>(kFontHeight, kFontFace);
    rowText = std::make_unique<kwText>(font.get());
    rowText->setAlign(0, 0);
    rowText->setColor(kTextRed, kTextGreen, kTextBlue);
    rowText->setShadow(true);
    rowText->setShadowColor(kShadowRed, kShadowGreen, kShadowBlue);
    rowText->setShadowOffset(kShadowDx, kShadowDy);
}

bool kwHighScorePanel::load(kwLinkedFileList* archive) {
    if (loaded) return titleImage && clearButton && clearLit;
    loaded = 1;
    bool ok = bind(titleImage, archive, kTitleName);
    ok = bind(clearButton, archive, kClearName) && ok;
    ok = bind(clearLit, archive, kClearLitName) && ok;
    if (clearLit) clearLit->visible = false;
    makeText();
    return ok;
}

void kwHighScorePanel::updateHover(int32_t x, int32_t y) {
    if (!clearButton) return;
    const bool over = clearButton->hitTest(x, y, true);
    // Without its highlight the button stays as it is rather than vanish.
    clearButton->visible = !over || !clearLit;
    if (clearLit) clearLit->visible = over;
}

bool kwHighScorePanel::handleClick(int32_t x, int32_t y) {
    if (!clearButton || !clearButton->hitTest(x, y, true)) return false;
    gameState.highScores.reset();
    return true;
}

const char* kwHighScorePanel::skillWord(int32_t skill) {
    if (skill == kSkillEasy) return "EASY";
    if (skill == kSkillMedium) return "MED.";
    return "HARD";
}

void kwHighScorePanel::setCell(int row, int column) {
    if (!rowText || row < 0 || row >= kwHighScoreTable::kRows || column < 0 || column >= kColumns)
        return;
    const kwHighScoreRecord& r = gameState.highScores.records[size_t(row)];
    switch (column) {
        case NameColumn: {
            // The field need not hold its zero when someone filled it by hand.
            char name[kwHighScoreRecord::kMaxNameLength + 1] = {};
            std::memcpy(name, r.name, strnlen(r.name, kwHighScoreRecord::kMaxNameLength));
            rowText->setText(name);
            break;
        }
        case LevelColumn:
            rowText->setInt(r.level);
            break;
        case SkillColumn:
            rowText->setText(skillWord(r.skill));
            break;
        default:
            rowText->setInt(r.score);
            break;
    }
    rowText->x = kColumnX[column];
    rowText->y = kFirstRowY - kRowStep * float(row);
}

void kwHighScorePanel::drawPicture(kwEyeTransparency* picture) {
    if (picture && picture->visible && picture->place()) picture->draw();
}

void kwHighScorePanel::draw() {
    if (!loaded) return;
    for (int row = 0; row < kwHighScoreTable::kRows; ++row)
        for (int column = 0; column < kColumns; ++column) {
            setCell(row, column);
            if (rowText->place()) rowText->draw();
        }
    drawPicture(titleImage.get());
    drawPicture(clearButton.get());
    drawPicture(clearLit.get());
}
