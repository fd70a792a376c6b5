// sub_skill.lfl: the skill panel. On the left the big picture of the chosen
// skill (a relaxed apple, a keen orange, a fiery lemon); on the right the
// three skill buttons, then a row of six speed tokens and a row of six
// start-level tokens. The labels carry the tokens unlit; each chip is the
// lit token laid exactly over its unlit twin.
#include <cairo.h>

#include <string>
#include <vector>

#include "artgen.h"
#include "menu/menu_layout.h"
#include "menu/menu_style.h"

namespace menuart {
namespace {

constexpr uint32_t kCardFill = 0xDDF5CC;

constexpr int kLeftX = -256;  // centre of the big picture's column
constexpr int kRightLeft = -124;
constexpr int kButtonY = 82;
constexpr int kButtonW = 144, kButtonH = 46;
constexpr int kButtonX[3] = {-44, 114, 272};

constexpr int kTokenFirstX = -85, kTokenStep = 80;
constexpr int kTokenR = 21;
constexpr int kChipSize = 48;  // the lit token with its gold ring
constexpr int kSpeedLabelY = 38, kSpeedTokenY = 0;
constexpr int kStartLabelY = -62, kStartTokenY = -100;

constexpr Frame kSpeedLabel{110, 8, 480, 84};
constexpr Frame kStartLabel{110, -96, 480, 88};

constexpr uint32_t kSpeedColour = 0x3FA9F5;
constexpr uint32_t kStartColour = 0xA66BE0;
constexpr const char* kStartLevels[6] = {"1", "4", "7", "10", "12", "14"};

struct Skill {
    const char* stem;
    const char* button;
    const char* word;
    const char* motto;
    uint32_t colour;
    Fruit fruit;
    Mood mood;
};
constexpr Skill kSkills[3] = {
    {"easy", "EASY", "EASY", "a gentle garden", 0x5DB84A, Fruit::Apple, Mood::Happy},
    {"medium", "MEDIUM", "MEDIUM", "a busy garden", 0xFF8A1F, Fruit::Orange, Mood::Bold},
    {"hard", "HARD", "HARD", "a wild garden!", 0xE8412C, Fruit::Lemon, Mood::Fiery},
};

int tokenX(int i) {
    return kTokenFirstX + i * kTokenStep;
}

TextStyle label(double size) {
    TextStyle t;
    t.size = size;
    t.fill = rgb(kInk);
    t.align = 0;
    return t;
}

artgen::Picture bigPicture(const Skill& s) {
    const Frame f = kCard;
    artgen::Canvas c(f.w, f.h);
    cairo_t* cr = c.cr();
    drawCard(cr, f.w, f.h, CardStyle{rgb(kCardFill), rgb(kLeaf)});
    drawText(cr, "SKILL", f.px(kLeftX), f.py(96), headingStyle(24, rgb(0x6CC24A), rgb(kLeafDark)));
    // A sunny disc behind the character.
    cairo_arc(cr, f.px(kLeftX), f.py(0), 72, 0, 2 * kPi);
    setColour(cr, lighter(rgb(s.colour), 0.7));
    cairo_fill(cr);
    drawMascot(cr, s.fruit, f.px(kLeftX), f.py(0), 56, s.mood);
    TextStyle w;
    w.size = 32;
    w.fill = rgb(s.colour);
    w.outline = darker(rgb(s.colour), 0.5);
    w.outlineWidth = 2.5;
    w.shadow = true;
    drawText(cr, s.word, f.px(kLeftX), f.py(-104), w);
    TextStyle m = label(14);
    m.align = 0.5;
    drawText(cr, s.motto, f.px(kLeftX), f.py(-136), m);
    // A leafy divider between the picture and the settings.
    cairo_move_to(cr, f.px(kRightLeft - 16), f.py(100));
    cairo_line_to(cr, f.px(kRightLeft - 16), f.py(-170));
    cairo_set_line_width(cr, 2);
    setColour(cr, lighter(rgb(kLeaf), 0.3));
    cairo_stroke(cr);
    return flatten(c.picture(), kStripeMid);
}

artgen::Picture skillButton(const Skill& s, bool lit, const artgen::Picture& card) {
    const Frame f{kButtonX[&s - kSkills], kButtonY, kButtonW, kButtonH};
    artgen::Canvas c(f.w, f.h);
    cairo_t* cr = c.cr();
    PlaqueStyle p{rgb(s.colour)};
    p.glow = lit;
    p.radius = 17;
    drawPlaque(cr, 0, 0, f.w, f.h, p);
    TextStyle t;
    t.size = 18;
    t.outline = darker(rgb(s.colour), 0.5);
    t.outlineWidth = 2;
    t.shadow = true;
    drawText(cr, s.button, f.w / 2.0, f.h / 2.0 + 1, t);
    return flattenOver(c.picture(), f, card, kCard);
}

void tokenNumber(cairo_t* cr, const std::string& n, double x, double y, uint32_t colour, bool lit) {
    TextStyle t;
    t.size = n.size() > 1 ? 16 : 18;
    t.fill = lit ? rgb(0xFFFFFF) : darker(rgb(colour), 0.35);
    t.outline = darker(rgb(colour), 0.5);
    t.outlineWidth = lit ? 2 : 0;
    drawText(cr, n, x, y + 0.5, t);
}

// A label with its six unlit tokens.
artgen::Picture rowLabel(const Frame& f, const std::string& title, int labelY, int tokenY,
                         const std::vector<std::string>& numbers, uint32_t colour,
                         const std::string& left, const std::string& right,
                         const artgen::Picture& card) {
    artgen::Canvas c(f.w, f.h);
    cairo_t* cr = c.cr();
    drawText(cr, title, f.px(kRightLeft), f.py(labelY), label(17));
    for (int i = 0; i < 6; ++i) {
        drawToken(cr, f.px(tokenX(i)), f.py(tokenY), kTokenR, rgb(colour), false);
        tokenNumber(cr, numbers[size_t(i)], f.px(tokenX(i)), f.py(tokenY), colour, false);
    }
    TextStyle hint = label(12);
    hint.fill = mix(rgb(kInk), rgb(kCardFill), 0.35);
    hint.align = 1;
    drawText(cr, right, f.px(tokenX(5) + kTokenR + 4), f.py(labelY), hint);
    if (!left.empty()) {
        hint.align = 0;
        drawText(cr, left, f.px(kRightLeft + 130), f.py(labelY), hint);
    }
    return flattenOver(c.picture(), f, card, kCard);
}

artgen::Picture chip(int i, int tokenY, const std::string& number, uint32_t colour,
                     const artgen::Picture& card) {
    const Frame f{tokenX(i), tokenY, kChipSize, kChipSize};
    artgen::Canvas c(f.w, f.h);
    cairo_t* cr = c.cr();
    drawToken(cr, f.w / 2.0, f.h / 2.0, kChipSize / 2.0, rgb(colour), true);
    tokenNumber(cr, number, f.w / 2.0, f.h / 2.0, colour, true);
    return flattenOver(c.picture(), f, card, kCard);
}

void makeSkill(std::vector<artgen::ArchiveOut>& out) {
    artgen::ArchiveOut& a = out.emplace_back("sub_skill.lfl");
    const int ox = kSkillOffsetX;
    std::vector<artgen::Picture> bigs;
    for (const Skill& s : kSkills) bigs.push_back(bigPicture(s));
    const artgen::Picture& card = bigs[0];  // the right-hand side is the same in all three
    for (const Skill& s : kSkills) {
        const Frame f{kButtonX[&s - kSkills], kButtonY, kButtonW, kButtonH};
        a.addRunLengthImage(std::string(s.stem) + "_small_01.eye", skillButton(s, false, card),
                            f.at(ox));
        a.addRunLengthImage(std::string(s.stem) + "_small_02.eye", skillButton(s, true, card),
                            f.at(ox));
        a.addRunLengthImage(std::string(s.stem) + "_big_01.eye", bigs[size_t(&s - kSkills)],
                            kCard.at(ox));
    }
    const std::vector<std::string> speeds = {"1", "2", "3", "4", "5", "6"};
    const std::vector<std::string> starts(kStartLevels, kStartLevels + 6);
    a.addRunLengthImage("speed_factor_01.eye",
                        rowLabel(kSpeedLabel, "PIECE SPEED", kSpeedLabelY, kSpeedTokenY, speeds,
                                 kSpeedColour, "", "slow ... fast", card),
                        kSpeedLabel.at(ox));
    a.addRunLengthImage("start_level_01.eye",
                        rowLabel(kStartLabel, "START LEVEL", kStartLabelY, kStartTokenY, starts,
                                 kStartColour, "", "reach a level to unlock it", card),
                        kStartLabel.at(ox));
    for (int i = 0; i < 6; ++i) {
        const std::string n = std::to_string(i + 1);
        a.addRunLengthImage("speed_chip_0" + n + ".eye",
                            chip(i, kSpeedTokenY, speeds[size_t(i)], kSpeedColour, card),
                            Frame{tokenX(i), kSpeedTokenY, kChipSize, kChipSize}.at(ox));
        a.addRunLengthImage("start_chip_0" + n + ".eye",
                            chip(i, kStartTokenY, starts[size_t(i)], kStartColour, card),
                            Frame{tokenX(i), kStartTokenY, kChipSize, kChipSize}.at(ox));
    }
}

const artgen::Registration kReg("menu_skill", makeSkill);

}  // namespace
}  // namespace menuart
