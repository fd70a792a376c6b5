// kwSkillPanel: the skill buttons, the speed and start-level chips, and
// which of them may be chosen.
#include "menu/skill_panel.h"

#include <cstdio>

#include "shell/game_state.h"
#include "shell/log.h"

namespace {

constexpr const char* kSkillStems[kwSkillPanel::kSkills] = {"easy", "medium", "hard"};

}  // namespace

kwSkillPanel::kwSkillPanel(kwLinkedFileList* list) : archive(list) {
    depth = kDepth;
    visible = false;
}

kwSkillPanel::~kwSkillPanel() = default;

bool kwSkillPanel::bind(std::unique_ptr<kwEyeTransparency>& slot, const char* name) {
    slot = std::make_unique<kwEyeTransparency>();
    kwLinkedFile* f = archive ? archive->find(name) : nullptr;
    if (!f) {
        debugFail("kwSkillPanel::load - missing file", name);
        slot.reset();
        return false;
    }
    slot->setLinkedFile(f);
    slot->x += x + kOffsetX;
    slot->y += y;
    return true;
}

bool kwSkillPanel::load() {
    if (loaded) return complete;
    loaded = 1;
    bool ok = bind(startLabel, "start_level_01.eye");
    ok = bind(speedLabel, "speed_factor_01.eye") && ok;
    char name[32];
    for (int i = 0; i < kChips; ++i) {
        std::snprintf(name, sizeof name, "start_chip_%2.2d.eye", i + 1);
        ok = bind(startChips[size_t(i)], name) && ok;
        std::snprintf(name, sizeof name, "speed_chip_%2.2d.eye", i + 1);
        ok = bind(speedChips[size_t(i)], name) && ok;
    }
    for (int i = 0; i < kSkills; ++i) {
        std::snprintf(name, sizeof name, "%s_small_01.eye", kSkillStems[i]);
        ok = bind(skillButtons[size_t(i)], name) && ok;
        std::snprintf(name, sizeof name, "%s_small_02.eye", kSkillStems[i]);
        ok = bind(skillHighlights[size_t(i)], name) && ok;
        std::snprintf(name, sizeof name, "%s_big_01.eye", kSkillStems[i]);
        ok = bind(skillPictures[size_t(i)], name) && ok;
    }
    for (auto& chip : startChips)
        if (chip) chip->visible = false;
    for (auto& chip : speedChips)
        if (chip) chip->visible = false;
    for (auto& glow : skillHighlights)
        if (glow) glow->visible = false;
    complete = ok;
    return complete;
}

bool kwSkillPanel::startAllowed(int32_t chip) {
    return chip >= 0 && chip < kChips && gameState.highestLevel >= kStartLevels[size_t(chip)];
}

int kwSkillPanel::startChipFor(int32_t level) {
    if (level >= 1 && level <= 3) return 0;
    if (level >= 4 && level <= 6) return 1;
    if (level >= 7 && level <= 9) return 2;
    if (level >= 10 && level <= 11) return 3;
    if (level >= 12 && level <= 13) return 4;
    return 5;
}

bool kwSkillPanel::hits(const std::unique_ptr<kwEyeTransparency>& image, int32_t qx, int32_t qy,
                        bool exact) {
    return image && image->hitTest(qx, qy, exact);
}

void kwSkillPanel::updateHover(int32_t qx, int32_t qy) {
    load();
    for (int i = 0; i < kSkills; ++i) {
        const bool over = hits(skillButtons[size_t(i)], qx, qy, false);
        kwEyeTransparency* glow = skillHighlights[size_t(i)].get();
        if (skillButtons[size_t(i)]) skillButtons[size_t(i)]->visible = !over || !glow;
        if (glow) glow->visible = over;
    }
    for (auto& chip : speedChips)
        if (chip) chip->visible = chip->hitTest(qx, qy, true);
    for (auto& chip : startChips)
        if (chip) chip->visible = false;
    for (int i = 0; i < kChips; ++i) {
        if (!hits(startChips[size_t(i)], qx, qy, true)) continue;
        if (startAllowed(i)) startChips[size_t(i)]->visible = true;
        break;
    }
}

bool kwSkillPanel::clickSkill(int32_t qx, int32_t qy) {
    for (int i = 0; i < kSkills; ++i) {
        if (!hits(skillButtons[size_t(i)], qx, qy, false)) continue;
        for (int32_t& skill : gameState.playerSkill) skill = i + 1;
        return true;
    }
    return false;
}

bool kwSkillPanel::clickChip(int32_t qx, int32_t qy) {
    for (int i = 0; i < kChips; ++i) {
        if (!hits(speedChips[size_t(i)], qx, qy, true)) continue;
        gameState.speedFactor = i + 1;
        return true;
    }
    for (int i = 0; i < kChips; ++i) {
        if (!hits(startChips[size_t(i)], qx, qy, true)) continue;
        if (startAllowed(i)) gameState.startLevel = kStartLevels[size_t(i)];
        return true;  // a locked chip swallows the click
    }
    return false;
}

bool kwSkillPanel::handleClick(int32_t qx, int32_t qy) {
    load();
    return clickSkill(qx, qy) || clickChip(qx, qy);
}

void kwSkillPanel::drawImage(kwEye* image) {
    if (image && image->visible && image->place()) image->draw();
}

void kwSkillPanel::draw() {
    load();
    const int32_t skill = gameState.playerSkill[0];
    if (skill >= 1 && skill <= kSkills) drawImage(skillPictures[size_t(skill - 1)].get());
    for (int i = 0; i < kSkills; ++i) {
        drawImage(skillButtons[size_t(i)].get());
        drawImage(skillHighlights[size_t(i)].get());
    }
    drawImage(startLabel.get());
    drawImage(speedLabel.get());
    const int32_t speed = gameState.speedFactor;
    if (speed >= 1 && speed <= kChips && speedChips[size_t(speed - 1)])
        speedChips[size_t(speed - 1)]->visible = true;
    for (auto& chip : speedChips) drawImage(chip.get());
    if (auto& chip = startChips[size_t(startChipFor(gameState.startLevel))]) chip->visible = true;
    for (auto& chip : startChips) drawImage(chip.get());
}
