// sub_credits.lfl: the credits card, which the menu draws 10 px below its
// stored place.
#include <cairo.h>

#include <vector>

#include "artgen.h"
#include "menu/menu_layout.h"
#include "menu/menu_style.h"

namespace menuart {
namespace {

constexpr uint32_t kCardFill = 0xE4F7D6;

struct Line {
    const char* role;
    const char* who;
};
constexpr Line kLines[] = {
    {"Game design and code", "the Quenvale garden crew"},
    {"Pictures and music", "grown from code, leaf by leaf"},
    {"Lettering", "DejaVu Sans"},
    {"Testing", "a great many hungry oranges"},
};
constexpr int kFirstLineY = 26, kLineStep = 38;

artgen::Picture card() {
    const Frame f = kCreditsCard;
    artgen::Canvas c(f.w, f.h);
    cairo_t* cr = c.cr();
    drawCard(cr, f.w, f.h, CardStyle{rgb(kCardFill), rgb(kLeaf)});
    drawText(cr, "CREDITS", f.px(0), f.py(98), headingStyle(24, rgb(0x6CC24A), rgb(kLeafDark)));
    TextStyle game;
    game.size = 20;
    game.fill = rgb(0xE8412C);
    game.outline = rgb(0x8E1F14);
    game.outlineWidth = 1.5;
    drawText(cr, "Gobble Garden!  a Quenvale game", f.px(0), f.py(62), game);
    TextStyle role;
    role.size = 13;
    role.fill = rgb(0x6E8A50);
    TextStyle who;
    who.size = 17;
    who.fill = rgb(kInk);
    for (int i = 0; i < 4; ++i) {
        const int y = kFirstLineY - i * kLineStep;
        drawText(cr, kLines[i].role, f.px(0), f.py(y), role);
        drawText(cr, kLines[i].who, f.px(0), f.py(y - 17), who);
    }
    drawMascot(cr, Fruit::Apple, f.px(-290), f.py(-150), 30, Mood::Grin);
    drawMascot(cr, Fruit::Orange, f.px(-220), f.py(-158), 24, Mood::Happy);
    drawMascot(cr, Fruit::Lemon, f.px(280), f.py(-152), 26, Mood::Grin);
    TextStyle thanks;
    thanks.size = 20;
    thanks.fill = rgb(0xFF8A1F);
    thanks.outline = rgb(0x8A3D08);
    thanks.outlineWidth = 1.8;
    drawText(cr, "Thanks for playing!", f.px(0), f.py(-150), thanks);
    return flatten(c.picture(), kStripeMid);
}

void makeCredits(std::vector<artgen::ArchiveOut>& out) {
    artgen::ArchiveOut& a = out.emplace_back("sub_credits.lfl");
    a.addRunLengthImage("credits_01.eye", card(), kCreditsCard.at(0, kCreditsShiftY));
}

const artgen::Registration kReg("menu_credits", makeCredits);

}  // namespace
}  // namespace menuart
