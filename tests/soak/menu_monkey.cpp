#include "menu_monkey.h"

#include <algorithm>

#include "menu/menu_scene.h"
#include "shell/game_state.h"

namespace {

// openPanel values.
constexpr int32_t kPlayers = 1, kSkill = 2, kVolume = 3, kHowTo = 4, kCredits = 5, kScores = 6;

// The six panel buttons along the top (screen pixels, centres), by openPanel.
constexpr int32_t kTabY = 144;
constexpr int32_t kTabX[7] = {0, 217, 339, 461, 95, 705, 583};
constexpr int32_t kTabHalfW = 40, kTabHalfH = 15;  // inside the 116 x 46 buttons
// PLAY! (180 x 60) at the bottom right.
constexpr int32_t kPlayX = 686, kPlayY = 563, kPlayHalfW = 60, kPlayHalfH = 18;
// The start picture (372 x 352) that shows before any panel is opened.
constexpr int32_t kStartPictureX = 582, kStartPictureY = 350, kStartPictureHalf = 100;
// The how-to panel's hard candy, which plays when the mouse is over it.
constexpr int32_t kCandyX = 400 - 115, kCandyY = 300 + 114;

// Names people type, with one longer than a name may be.
// clang-format off
constexpr const char* kNames[] = {
    "Ann", "Bob", "Cy", "Dora", "Eli", "Fay", "Gus", "Hal", "Ivy", "Jo", "Kim", "Lou", "Max",
    "Ned", "Olive", "Pip", "Quin", "Rosa", "Sam", "Tess", "Uma", "Vic", "Wren", "Xan", "Yuri",
    "Zed", "A b-c!", "0123456789", "Tiberius the Great"};
// clang-format on

// Pauses a person makes: between actions, and to look at something.
constexpr uint32_t kActMinMs = 150, kActMaxMs = 600;
constexpr uint32_t kLookMinMs = 500, kLookMaxMs = 2500;
constexpr uint32_t kSettleMs = 120;    // the menu takes clicks every 30 ms
constexpr uint32_t kPlayWaitMs = 450;  // the game starts 200 ms after PLAY!

// How often each errand is run when nothing forces it (one in n).
constexpr int32_t kRandomStartOneIn = 4;  // a start level for variety, not coverage
// Levels no chip starts are reached by winning the ones below, which a random
// player rarely does twice in a row; two games in three begin at the
// target itself instead, as a tester's shortcut past the chips.
constexpr int32_t kJumpOutOf3 = 2;
constexpr int32_t kVolumeOneIn = 3;
constexpr int32_t kLookOneIn = 3;
constexpr int32_t kNameOneIn = 3;
constexpr int32_t kStartPictureOneIn = 4;  // start from the orange picture
constexpr int32_t kStayToTheEndOutOf10 = 2;
constexpr int32_t kAloneOutOf10 = 6;  // a climb goes faster alone
// Skill: mostly easy, else mostly medium; a climb is easy more often still.
constexpr int32_t kEasyOutOf10 = 6, kMediumOutOf10 = 8, kClimbEasyOutOf10 = 8;

}  // namespace

int32_t kwMenuMonkey::startFor(int32_t level) {
    int32_t best = kStartLevels[0];
    for (int32_t s : kStartLevels)
        if (s <= level) best = s;
    return best;
}

int32_t kwMenuMonkey::leastPlayed() {
    std::array<uint32_t, kLevelCount + 1> tried{};
    for (size_t l = 1; l < tried.size(); ++l) tried[l] = stats.turnsAtLevel[l] + aims[l];
    const uint32_t fewest = *std::min_element(tried.begin() + 1, tried.end());
    std::array<int32_t, kLevelCount> levels{};
    int32_t n = 0;
    for (int32_t l = 1; l <= kLevelCount; ++l)
        if (tried[size_t(l)] == fewest) levels[size_t(n++)] = l;
    const int32_t chosen = levels[size_t(hand.between(0, n - 1))];
    ++aims[size_t(chosen)];
    return chosen;
}

void kwMenuMonkey::add(Errand e, int32_t value) {
    if (count < kMaxItems) items[count++] = {e, value};
}

void kwMenuMonkey::enter() {
    ++counts.visits;
    next = count = 0;
    hand.wait(kActMinMs, kLookMaxMs);  // the menu appears; a person looks first
    target = leastPlayed();
    int32_t start = startFor(target);
    jumping = false;
    // A level not played yet is gone for straight: a random start or a climb
    // would miss it as often as not, and a run must reach every level.
    const bool unplayed = stats.turnsAtLevel[size_t(target)] == 0;
    if (!unplayed && hand.oneIn(kRandomStartOneIn))
        start = kStartLevels[size_t(hand.between(0, kStartChips - 1))];
    else if (start != target && (unplayed || hand.between(0, 2) < kJumpOutOf3))
        jumping = true;
    // Reaching a level above its start takes won levels: easy and alone, mostly.
    climbing = (target != start && !jumping) || target >= kStartLevels.back();
    // Staying to the end of a long climb would take half a run: not then.
    patient = !climbing && hand.between(0, 9) < kStayToTheEndOutOf10;
    int32_t players = hand.between(1, kMaxPlayers);
    if (climbing && hand.between(0, 9) < kAloneOutOf10) players = 1;
    int32_t skill = hand.between(0, 9) < kEasyOutOf10     ? 1
                    : hand.between(0, 9) < kMediumOutOf10 ? 2
                                                          : 3;
    if (climbing && hand.between(0, 9) < kClimbEasyOutOf10) skill = 1;
    const int32_t speed = hand.between(1, 6);

    // The errands, panel by panel, in an order a person might take.
    std::array<int, 3> order{0, 1, 2};
    std::shuffle(order.begin(), order.end(), hand.rng);
    for (int o : order) {
        if (o == 0) addPlayersVisit(players);
        if (o == 1) addSkillVisit(skill, speed, start);
        if (o == 2 && hand.oneIn(kVolumeOneIn)) addVolumeVisit();
    }
    if (hand.oneIn(kLookOneIn)) {
        static constexpr int32_t kLooks[] = {kHowTo, kCredits, kScores};
        addLookVisit(kLooks[hand.between(0, 2)]);
    }
    add(Errand::Play);
}

void kwMenuMonkey::addPlayersVisit(int32_t players) {
    const bool name = hand.oneIn(kNameOneIn);
    if (players == gameState.playerCount && !name) return;
    add(Errand::OpenPanel, kPlayers);
    add(Errand::PlayerCount, players);
    if (name) add(Errand::Name, hand.between(0, players - 1));
}

void kwMenuMonkey::addSkillVisit(int32_t skill, int32_t speed, int32_t start) {
    add(Errand::OpenPanel, kSkill);
    if (hand.oneIn(2)) {  // either order: the panel takes them as they come
        add(Errand::Skill, skill);
        add(Errand::Speed, speed);
    } else {
        add(Errand::Speed, speed);
        add(Errand::Skill, skill);
    }
    add(Errand::StartLevel, start);
}

void kwMenuMonkey::addVolumeVisit() {
    add(Errand::OpenPanel, kVolume);
    add(Errand::MusicVolume, hand.between(0, kMaxVolume));
    add(Errand::SoundVolume, hand.between(0, kMaxVolume));
}

void kwMenuMonkey::addLookVisit(int32_t panel) {
    add(Errand::OpenPanel, panel);
    add(Errand::Look, panel);
}

void kwMenuMonkey::plan(kwMenuScene& menu) {
    if (next >= count) {
        enter();  // PLAY! did not take: start over
        return;
    }
    perform(menu, items[next++]);
}

void kwMenuMonkey::perform(kwMenuScene& menu, const Item& item) {
    switch (item.errand) {
        case Errand::OpenPanel:
            openPanel(item.value);
            break;
        case Errand::PlayerCount: {
            kwPlayersPanel* p = menu.playersPanel.get();
            setValue(p ? p->countButtons[size_t(item.value - 1)].get() : nullptr, false,
                     kwExpectKind::PlayerCount, item.value);
            break;
        }
        case Errand::Name:
            typeName(menu, item.value);
            break;
        case Errand::Skill: {
            kwSkillPanel* p = menu.skillPanel.get();
            setValue(p ? p->skillButtons[size_t(item.value - 1)].get() : nullptr, false,
                     kwExpectKind::Skill, item.value);
            break;
        }
        case Errand::Speed: {
            kwSkillPanel* p = menu.skillPanel.get();
            setValue(p ? p->speedChips[size_t(item.value - 1)].get() : nullptr, true,
                     kwExpectKind::Speed, item.value);
            break;
        }
        case Errand::StartLevel: {
            kwSkillPanel* p = menu.skillPanel.get();
            const int chip = kwSkillPanel::startChipFor(item.value);
            setValue(p ? p->startChips[size_t(chip)].get() : nullptr, true,
                     kwExpectKind::StartLevel, item.value);
            break;
        }
        case Errand::MusicVolume: {
            kwVolumePanel* p = menu.volumePanel.get();
            setValue(p ? p->musicRow[size_t(item.value)].normal.get() : nullptr, false,
                     kwExpectKind::MusicVolume, item.value);
            break;
        }
        case Errand::SoundVolume: {
            kwVolumePanel* p = menu.volumePanel.get();
            setValue(p ? p->soundRow[size_t(item.value)].normal.get() : nullptr, false,
                     kwExpectKind::SoundVolume, item.value);
            break;
        }
        case Errand::Look:
            ++counts.looks;
            if (item.value == kHowTo) hand.glide(kCandyX, kCandyY);
            if (item.value == kScores && menu.scoresPanel) {
                int32_t x = 0, y = 0;  // over the clear button, never on it
                if (hand.pointOn(menu.scoresPanel->clearButton.get(), false, &x, &y))
                    hand.glide(x, y);
            }
            hand.wait(kLookMinMs, kLookMaxMs);
            break;
        case Errand::Play:
            pressPlay(menu);
            break;
    }
}

void kwMenuMonkey::openPanel(int32_t panel) {
    ++counts.panelsOpened;
    hand.glide(kTabX[panel] + hand.between(-kTabHalfW, kTabHalfW),
               kTabY + hand.between(-kTabHalfH, kTabHalfH));
    hand.click();
    hand.wait(kSettleMs, kSettleMs + kActMaxMs);
    hand.expect(kwExpectKind::OpenPanel, panel);
}

bool kwMenuMonkey::clickOn(kwDrawable* image, bool exact) {
    int32_t x = 0, y = 0;
    if (!hand.pointOn(image, exact, &x, &y)) return false;
    hand.glide(x, y);
    hand.click();
    return true;
}

void kwMenuMonkey::setValue(kwDrawable* image, bool exact, kwExpectKind what, int32_t value) {
    if (!clickOn(image, exact)) {
        hand.wait(kActMinMs, kActMaxMs);
        return;  // a missing picture: the whole-game tests catch those
    }
    ++counts.settingsClicks;
    hand.wait(kSettleMs, kSettleMs + kActMaxMs);
    hand.expect(what, value);
}

void kwMenuMonkey::typeName(kwMenuScene& menu, int32_t slot) {
    kwPlayersPanel* p = menu.playersPanel.get();
    if (!p || !clickOn(p->nameBoxes[size_t(slot)].get(), false)) return;
    ++counts.namesTyped;
    hand.wait(kSettleMs, kActMaxMs);
    // Rub out a few letters, or all of them, and type another name; now and
    // then step back and delete one, as a person fixing a typo does.
    static constexpr const char kRubOut[] = "\b\b\b\b\b\b\b\b\b\b\b\b";
    hand.chars(kRubOut + hand.between(0, int32_t(sizeof kRubOut) - 1));
    hand.wait(kActMinMs, kActMaxMs);
    hand.chars(kNames[hand.between(0, int32_t(std::size(kNames)) - 1)]);
    if (hand.oneIn(3)) {
        hand.key(kwKey::Left);
        hand.key(kwKey::Left);
        hand.key(kwKey::Delete);
        hand.key(kwKey::Right);
        hand.chars("e");
    }
    hand.wait(kSettleMs, kActMaxMs);
    hand.expect(kwExpectKind::NamesValid);
}

void kwMenuMonkey::pressPlay(kwMenuScene& menu) {
    if (jumping) {
        // Past the chips, straight into the game's state: the chip clicked
        // before this was checked like any other.
        gameState.startLevel = target;
        ++counts.jumps;
    }
    int32_t x = kPlayX + hand.between(-kPlayHalfW, kPlayHalfW);
    int32_t y = kPlayY + hand.between(-kPlayHalfH, kPlayHalfH);
    // With no panel open the big orange starts a game as well.
    if (menu.openPanel == 0 && hand.oneIn(kStartPictureOneIn)) {
        x = kStartPictureX + hand.between(-kStartPictureHalf, kStartPictureHalf);
        y = kStartPictureY + hand.between(-kStartPictureHalf, kStartPictureHalf);
    }
    hand.glide(x, y);
    hand.wait(0, kActMaxMs);
    hand.click();
    hand.wait(kPlayWaitMs, kPlayWaitMs + kActMinMs);
    hand.expect(kwExpectKind::ScenePlay);
}
