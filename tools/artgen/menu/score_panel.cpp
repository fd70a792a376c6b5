// sub_hs.lfl: the high-score panel. The panel writes the five rows first
// and lays "hs_text_01.eye" over them, so that picture is a card with a
// clear window where the rows go, the title and the column headings above
// it. The clear button sits under the window.
#include <cairo.h>

#include <cmath>
#include <vector>

#include "artgen.h"
#include "menu/menu_layout.h"
#include "menu/menu_style.h"

namespace menuart {
namespace {

constexpr uint32_t kCardFill = 0xEEE0FF;
constexpr uint32_t kCardBorder = 0xA66BE0;

// The rows' texts: centred at these x, on rows y = -10 - 32 i, 36 px high.
constexpr int kColumnX[4] = {-222, -61, 57, 205};
constexpr const char* kColumnTitle[4] = {"NAME", "LEVEL", "SKILL", "SCORE"};
constexpr int kWindowLeft = -348, kWindowRight = 348;
constexpr int kWindowTop = 22, kWindowBottom = -166;
constexpr int kHeadingsY = 44;
constexpr Frame kClear{0, -196, 208, 40};

void star(cairo_t* cr, double x, double y, double r) {
    for (int i = 0; i < 10; ++i) {
        const double a = -kPi / 2 + i * kPi / 5, d = i % 2 ? r * 0.45 : r;
        const double px = x + std::cos(a) * d, py = y + std::sin(a) * d;
        i ? cairo_line_to(cr, px, py) : cairo_move_to(cr, px, py);
    }
    cairo_close_path(cr);
    setColour(cr, rgb(kGold));
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, 2);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    setColour(cr, rgb(0xA8760A));
    cairo_stroke(cr);
}

artgen::Picture card() {
    const Frame f = kCard;
    artgen::Canvas c(f.w, f.h);
    cairo_t* cr = c.cr();
    drawCard(cr, f.w, f.h, CardStyle{rgb(kCardFill), rgb(kCardBorder)});
    drawText(cr, "HIGH SCORES", f.px(0), f.py(96),
             headingStyle(26, rgb(0xB784F5), rgb(0x4E2A80), 2.4));
    const double tw = textWidth(cr, "HIGH SCORES", 26);
    star(cr, f.px(0) - tw / 2 - 26, f.py(98), 14);
    star(cr, f.px(0) + tw / 2 + 26, f.py(98), 14);
    TextStyle col;
    col.size = 15;
    col.fill = rgb(0x6B4A9A);
    for (int i = 0; i < 4; ++i)
        drawText(cr, kColumnTitle[i], f.px(kColumnX[i]), f.py(kHeadingsY), col);

    const double x = f.px(kWindowLeft), y = f.py(kWindowTop);
    const double w = kWindowRight - kWindowLeft, hgt = kWindowTop - kWindowBottom;
    roundedRect(cr, x - 5, y - 5, w + 10, hgt + 10, 20);
    setColour(cr, rgb(0xCDB2F2));
    cairo_fill(cr);
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
    roundedRect(cr, x, y, w, hgt, 16);
    cairo_fill(cr);
    cairo_restore(cr);
    roundedRect(cr, x - 1, y - 1, w + 2, hgt + 2, 17);
    cairo_set_line_width(cr, 2);
    setColour(cr, rgb(0x6B4A9A));
    cairo_stroke(cr);
    return flatten(c.picture(), kStripeMid);
}

artgen::Picture clearButton(bool lit, const artgen::Picture& under) {
    const Frame f = kClear;
    artgen::Canvas c(f.w, f.h);
    cairo_t* cr = c.cr();
    PlaqueStyle p{rgb(0xF26FA8)};
    p.glow = lit;
    p.radius = 15;
    drawPlaque(cr, 0, 0, f.w, f.h, p);
    TextStyle t;
    t.size = 16;
    t.outline = rgb(0x7A1E4A);
    t.outlineWidth = 2;
    t.shadow = true;
    drawText(cr, "CLEAR SCORES", f.w / 2.0, f.h / 2.0 + 1, t);
    return flattenOver(c.picture(), f, under, kCard);
}

void makeScores(std::vector<artgen::ArchiveOut>& out) {
    artgen::ArchiveOut& a = out.emplace_back("sub_hs.lfl");
    const artgen::Picture under = card();
    a.addRunLengthImage("hs_text_01.eye", under, kCard.at());
    a.addRunLengthImage("hs_clear_01.eye", clearButton(false, under), kClear.at());
    a.addRunLengthImage("hs_clear_02.eye", clearButton(true, under), kClear.at());
}

const artgen::Registration kReg("menu_scores", makeScores);

}  // namespace
}  // namespace menuart
