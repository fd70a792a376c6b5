// The skill panel of the menu: the players' skill (easy, medium, hard),
// the piece speed 1..6 and the level a game starts at, limited to the
// levels reached before. Every choice goes straight into the game state.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "assets/linked_file.h"
#include "render/drawable.h"
#include "render/eye.h"

class kwSkillPanel : public kwDrawable {
public:
    static constexpr int kSkills = 3;  // easy, medium, hard: skill codes 1..3
    static constexpr int kChips = 6;
    static constexpr float kDepth = 100.0f;
    static constexpr float kOffsetX = -30.0f;  // added to every picture's stored x
    // The level each start chip stands for.
    static constexpr std::array<int32_t, kChips> kStartLevels{1, 4, 7, 10, 12, 14};

    // `archive` holds sub_skill.lfl and must outlive the panel. Created
    // hidden; the pictures load on the first call that needs them.
    explicit kwSkillPanel(kwLinkedFileList* archive);
    ~kwSkillPanel() override;
    kwSkillPanel(const kwSkillPanel&) = delete;
    kwSkillPanel& operator=(const kwSkillPanel&) = delete;

    // Binds the pictures; only the first call does anything. False when a
    // picture is missing (the rest still works).
    bool load();
    void updateHover(int32_t x, int32_t y);
    // True when the click hit a button or a chip, even a locked start chip.
    bool handleClick(int32_t x, int32_t y);
    void draw() override;

    // A start level can be chosen once the level has been reached.
    static bool startAllowed(int32_t chip);
    // The chip (0..5) that shows a start level.
    static int startChipFor(int32_t level);

    std::unique_ptr<kwEyeTransparency> startLabel, speedLabel;
    std::array<std::unique_ptr<kwEyeTransparency>, kChips> startChips, speedChips;
    std::array<std::unique_ptr<kwEyeTransparency>, kSkills> skillButtons, skillHighlights,
        skillPictures;
    uint8_t loaded = 0;

private:
    bool bind(std::unique_ptr<kwEyeTransparency>& slot, const char* name);
    bool clickSkill(int32_t x, int32_t y);
    bool clickChip(int32_t x, int32_t y);
    static bool hits(const std::unique_ptr<kwEyeTransparency>& image, int32_t x, int32_t y,
                     bool exact);
    static void drawImage(kwEye* image);

    kwLinkedFileList* archive;
    bool complete = false;
};
