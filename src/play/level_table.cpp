#include "play/level_table.h"

#include <algorithm>

#include "board/board_host.h"

namespace {

using T = kwPieceType;

// Easier skills get more time; harder ones get the base time alone.
constexpr int32_t kEasyExtraSeconds = 110;
constexpr int32_t kMediumExtraSeconds = 15;
constexpr int32_t kEasy = 1, kMedium = 2;
// Level 3's fruit thins out by this much per skill step.
constexpr double kLevel3FruitStep = 3.4;
// Level 8's goal steps up by skill before the skill multiplies it.
constexpr int32_t kLevel8Goals[] = {4000, 5500, 6000};
constexpr int32_t kFixedSlot = 20;  // the 21st drop of a turn

// Intro lines ("" never appears: a blank line is one space so it keeps its height).
constexpr const char* kIntro1[] = {" ", "Feed Apples to Oranges.", "to Grow lots of Oranges."};
constexpr const char* kIntro2[] = {"Oranges eat apples,", "Lemons eat oranges,",
                                   "and apples eat lemons."};
constexpr const char* kIntro3[] = {" ", "Sluggish Chocolate", "Gets in the way."};
constexpr const char* kIntro4[] = {" ", "Brush regularly"};
constexpr const char* kIntro5[] = {" ", "Hard Candy is bad!", "Put it in prison."};
constexpr const char* kIntro6[] = {" ", "Do you want teeth", "like orange hard candy?"};
constexpr const char* kIntro7[] = {" ", "Can you lick", "yellow hard candy?"};
constexpr const char* kIntro8[] = {" ", "Hard Candy Empire", "Colorwise, they cannibalise."};
constexpr const char* kIntro9[] = {" ", "Juicy watermelons need", "lots of room to grow."};
constexpr const char* kIntro10[] = {" ", "Bunches of Fun"};
constexpr const char* kIntro11[] = {" ", "Donutty Dilemma"};
constexpr const char* kIntro12[] = {" ", "Pearadise"};
constexpr const char* kIntro13[] = {"What a drip."};
constexpr const char* kIntro14[] = {"Gobble Garden!"};
constexpr const char* kIntro15[] = {"Bonus!"};
constexpr const char* kIntro16[] = {"Everyone's Invited"};

// Seed type lists.
constexpr T kOrange[] = {T::Orange};
constexpr T kApple[] = {T::Apple};
constexpr T kBrush[] = {T::Brush};
constexpr T kChocolate[] = {T::Chocolate};
constexpr T kWatermelon[] = {T::Watermelon};
constexpr T kChomp[] = {T::Chomp};
constexpr T kOrangeApple[] = {T::Orange, T::Apple};
constexpr T kOrangeAppleLemon[] = {T::Orange, T::Apple, T::Lemon};
constexpr T kOrangeAppleLemonBrush[] = {T::Orange, T::Apple, T::Lemon, T::Brush};
constexpr T kSweets[] = {T::Chocolate,       T::RedHardCandy, T::OrangeHardCandy,
                         T::YellowHardCandy, T::Donut,        T::Cone};
constexpr T kEveryone[] = {
    T::Apple,           T::Orange,     T::Lemon,  T::Chocolate, T::RedHardCandy, T::OrangeHardCandy,
    T::YellowHardCandy, T::Watermelon, T::Banana, T::Donut,     T::Pear,         T::Cone};

constexpr int32_t kBonusRounds = 20;
constexpr int32_t kEveryoneRounds = 5;

const kwSeedGroup kSetUp1[] = {{kOrange, 1}, {kApple, 30}};
const kwSeedGroup kSetUp2[] = {{kOrangeApple, 1}};
const kwSeedGroup kSetUp3[] = {{kOrangeAppleLemon, 1}};
const kwSeedGroup kTurn4[] = {{kOrangeAppleLemonBrush, 1}, {kChocolate, 80}};
const kwSeedGroup kTurn5[] = {{kOrangeAppleLemon, 1}, {kChocolate, 10}};
const kwSeedGroup kTurnFruit[] = {{kOrangeAppleLemon, 1}};
const kwSeedGroup kTurnWatermelon[] = {{kWatermelon, 1}};
const kwSeedGroup kTurn14[] = {{kChomp, 3}};
const kwSeedGroup kTurn15[] = {{kSweets, kBonusRounds, true}, {kBrush, 1}};
const kwSeedGroup kTurn16[] = {{kEveryone, kEveryoneRounds}, {kChomp, 3}, {kBrush, 1}};

const kwLevelRow kRows[kLevelTableSize] = {
    {1, true, kIntro1, 2000, 45, {}, kSetUp1},
    {2, false, kIntro2, 4000, 90, {}, kSetUp2, kFixedSlot, T::Lemon},
    {3, true, kIntro3, 4000, 120, {}, kSetUp3},
    {4, true, kIntro4, 2000, 90, kTurn4, {}},
    {5, true, kIntro5, 4000, 120, kTurn5, {}, kFixedSlot, T::Brush},
    {6, true, kIntro6, 3000, 105, kTurnFruit, {}},
    {7, true, kIntro7, 3000, 105, kTurnFruit, {}},
    {8, true, kIntro8, 6000, 240, kTurnFruit, {}},
    {9, true, kIntro9, 2000, 90, kTurnWatermelon, {}},
    {10, true, kIntro10, 3000, 90, {}, {}},
    {11, true, kIntro11, 3000, 150, {}, {}},
    {12, true, kIntro12, 4000, 180, kTurnWatermelon, {}},
    {13, true, kIntro13, 3000, 150, {}, {}},
    {14, true, kIntro14, 7000, 240, kTurn14, {}},
    {15, true, kIntro15, 4000, 30, kTurn15, {}},
    {16, true, kIntro16, 10000, 280, kTurn16, {}},
};

struct WeightList {
    kwLevelWeights w;
    WeightList& operator()(T type, float weight) {
        if (w.count < kwLevelWeights::kMaxEntries) w.entries[size_t(w.count++)] = {type, weight};
        return *this;
    }
};

// Each level's mix; `f` is the skill as a float, weights are float sums of it.
kwLevelWeights weightsFor(int32_t level, int32_t s) {
    const float f = float(s);
    WeightList l;
    switch (level) {
        case 1:
            l(T::Apple, 90)(T::Orange, 10);
            break;
        case 2:
            l(T::Apple, 80)(T::Orange, 15)(T::Lemon, 5);
            break;
        case 3: {
            const float fruit = float(20.0 - kLevel3FruitStep * s);
            l(T::Apple, fruit)(T::Orange, fruit)(T::Lemon, fruit)(T::Chocolate, 70);
            break;
        }
        case 4:
            l(T::Apple, 9)(T::Orange, 9)(T::Lemon, 9)(T::Chocolate, 76);
            l(T::Brush, std::max(1.0f, 10 - 2 * f));
            break;
        case 5:
            l(T::Apple, 10)(T::Orange, 25)(T::Lemon, 24)(T::Chocolate, 23);
            l(T::RedHardCandy, 3 * f + 15)(T::Brush, 3 - f);
            break;
        case 6:
            l(T::Apple, 10)(T::Orange, 25)(T::Lemon, 24)(T::Chocolate, 25);
            l(T::OrangeHardCandy, 3 * f + 17);
            break;
        case 7:
            l(T::Apple, 10)(T::Orange, 25)(T::Lemon, 24)(T::Chocolate, 25);
            l(T::YellowHardCandy, 3 * f + 19);
            break;
        case 8:
            l(T::Apple, 11)(T::Orange, 11)(T::Lemon, 11)(T::Chocolate, 25)(T::Brush, 40 - 10 * f);
            l(T::RedHardCandy, 3 * f + 12)(T::OrangeHardCandy, 3 * f + 12);
            l(T::YellowHardCandy, 3 * f + 12);
            break;
        case 9:
            l(T::Watermelon, 10)(T::NoPiece, 90);
            break;
        case 10:
            l(T::Watermelon, 10)(T::Banana, 33 - 3 * f)(T::NoPiece, 70);
            break;
        case 11:
            l(T::Watermelon, 10)(T::Banana, 20)(T::Donut, 5 * f + 15)(T::NoPiece, 50);
            break;
        case 12:
            l(T::Watermelon, 10)(T::Banana, 20)(T::Donut, 3 * f + 32)(T::Pear, 35);
            break;
        case 13:
            l(T::Watermelon, 10)(T::Banana, 20)(T::Donut, 10 * f)(T::Pear, 20)(T::Cone, 10 * f);
            break;
        case 14:
            l(T::Watermelon, 10)(T::Banana, 20)(T::Donut, 30)(T::Pear, 20)(T::Cone, 30);
            l(T::Chomp, 19 - 4 * f);
            break;
        case 15:
            l(T::RedHardCandy, 10)(T::OrangeHardCandy, 10)(T::YellowHardCandy, 10);
            l(T::Donut, 10)(T::Cone, 10)(T::Chocolate, 10)(T::Brush, 20);
            break;
        default:
            l(T::Apple, 10)(T::Orange, 10)(T::Lemon, 10);
            l(T::Chocolate, 20)(T::RedHardCandy, 20)(T::OrangeHardCandy, 20);
            l(T::YellowHardCandy, 20)(T::Brush, 10)(T::Watermelon, 50);
            l(T::Banana, 10)(T::Donut, 30)(T::Pear, 10)(T::Cone, 30)(T::Chomp, 10);
            break;
    }
    return l.w;
}

int32_t clampLevel(int32_t level) {
    return std::clamp(level, int32_t(1), kLevelTableSize);
}

}  // namespace

const kwLevelRow& levelRow(int32_t level) {
    return kRows[clampLevel(level) - 1];
}

int32_t baseGoal(int32_t level, int32_t skill) {
    const kwLevelRow& row = levelRow(level);
    if (row.level != 8) return row.goal;
    return kLevel8Goals[std::clamp(skill, kEasy, int32_t(std::size(kLevel8Goals))) - 1];
}

int32_t turnGoal(int32_t level, int32_t skill) {
    return baseGoal(level, skill) * skill;
}

int32_t turnTime(int32_t level, int32_t skill) {
    const int32_t base = levelRow(level).time;
    if (skill == kEasy) return base + kEasyExtraSeconds;
    if (skill == kMedium) return base + kMediumExtraSeconds;
    return base;
}

kwLevelWeights levelWeights(int32_t level, int32_t skill) {
    return weightsFor(clampLevel(level), skill);
}

void placeSeeds(std::span<const kwSeedGroup> groups) {
    if (!boardHost) return;
    for (const kwSeedGroup& g : groups)
        for (int32_t r = 0; r < g.rounds; ++r)
            for (kwPieceType t : g.types) boardHost->spawnPiece(t, g.animate);
}
