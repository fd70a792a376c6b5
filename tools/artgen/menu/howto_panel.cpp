// sub_howto.lfl: the how-to card. The panel draws its live example pieces
// first and this card over them, so the card has round windows where the
// pieces stand (and one long window for the row of three oranges); the
// rules are lettered around the windows.
#include <cairo.h>

#include <string>
#include <vector>

#include "artgen.h"
#include "menu/menu_layout.h"
#include "menu/menu_style.h"

namespace menuart {
namespace {

constexpr uint32_t kCardFill = 0xFFF1B8;
constexpr uint32_t kCardBorder = 0xF2B705;

// Where the panel draws its pieces.
struct Spot {
    int x, y;
};
constexpr Spot kOrange{-114, 37}, kApple{5, 39};
constexpr Spot kTrio[3] = {{217, 37}, {267, 37}, {317, 37}};
constexpr Spot kCandy{-115, -114}, kApple2{4, -111};

constexpr double kWindowR = 31;  // a piece is 48 px with a little overhang
constexpr double kRim = 5;

void windowRim(cairo_t* cr, double x, double y, double w, double h) {
    roundedRect(cr, x - kRim, y - kRim, w + 2 * kRim, h + 2 * kRim, h / 2 + kRim);
    setColour(cr, rgb(0x8BCF5E));
    cairo_fill(cr);
    roundedRect(cr, x - kRim + 1.5, y - kRim + 1.5, w + 2 * kRim - 3, h + 2 * kRim - 3,
                h / 2 + kRim - 1.5);
    cairo_set_line_width(cr, 1.5);
    setColour(cr, rgb(kLeafDark));
    cairo_stroke(cr);
}

void cutWindow(cairo_t* cr, double x, double y, double w, double h) {
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
    roundedRect(cr, x, y, w, h, h / 2);
    cairo_fill(cr);
    cairo_restore(cr);
}

// Round window centred on a piece's spot (frame coordinates).
void porthole(cairo_t* cr, const Frame& f, Spot s, bool cut) {
    const double x = f.px(s.x) - kWindowR, y = f.py(s.y) - kWindowR;
    if (cut)
        cutWindow(cr, x, y, 2 * kWindowR, 2 * kWindowR);
    else
        windowRim(cr, x, y, 2 * kWindowR, 2 * kWindowR);
}

void trioWindow(cairo_t* cr, const Frame& f, bool cut) {
    const double x = f.px(kTrio[0].x) - kWindowR, y = f.py(kTrio[0].y) - kWindowR;
    const double w = kTrio[2].x - kTrio[0].x + 2 * kWindowR;
    if (cut)
        cutWindow(cr, x, y, w, 2 * kWindowR);
    else
        windowRim(cr, x, y, w, 2 * kWindowR);
}

TextStyle body(double size, double align) {
    TextStyle t;
    t.size = size;
    t.fill = rgb(kInk);
    t.align = align;
    return t;
}

void lines(cairo_t* cr, const Frame& f, double x, double y, const std::vector<std::string>& ls,
           const TextStyle& t) {
    for (size_t i = 0; i < ls.size(); ++i) drawText(cr, ls[i], f.px(x), f.py(y - 21.0 * i), t);
}

void lettering(cairo_t* cr, const Frame& f) {
    drawText(cr, "HOW TO PLAY", f.px(0), f.py(98), headingStyle(24, rgb(0xFFC21F), rgb(0x8A5A08)));
    lines(cr, f, -156, 48, {"Hungry fruit", "eat fruit:"}, body(16, 1));
    drawText(cr, "eats", f.px(-54), f.py(38), body(15, 0.5));
    lines(cr, f, 110, 48, {"well fed, it", "makes more!"}, body(15, 0.5));
    TextStyle rule = body(15, 0.5);
    rule.fill = rgb(0xC4521A);
    drawText(cr, "Oranges eat apples, lemons eat oranges, and apples eat lemons.", f.px(0),
             f.py(-16), rule);
    drawText(cr, "Click a piece to pick it up, click again to drop it somewhere new.", f.px(0),
             f.py(-40), body(14, 0.5));
    lines(cr, f, -157, -102, {"Sweets just", "get in the way."}, body(15, 1));
    lines(cr, f, 48, -90,
          {"Every fruit scores points.", "Scrub sweets off with the brush,",
           "and reach the goal in time!"},
          body(15, 0));
    TextStyle hint = body(11, 0.5);
    hint.fill = rgb(0x9A7A30);
    drawText(cr, "point at me!", f.px(kCandy.x), f.py(kCandy.y - 44), hint);
}

artgen::Picture card() {
    const Frame f = kCard;
    artgen::Canvas c(f.w, f.h);
    cairo_t* cr = c.cr();
    drawCard(cr, f.w, f.h, CardStyle{rgb(kCardFill), rgb(kCardBorder)});
    for (bool cut : {false, true}) {
        for (Spot s : {kOrange, kApple, kCandy, kApple2}) porthole(cr, f, s, cut);
        trioWindow(cr, f, cut);
    }
    lettering(cr, f);
    return flatten(c.picture(), kStripeMid);
}

void makeHowTo(std::vector<artgen::ArchiveOut>& out) {
    artgen::ArchiveOut& a = out.emplace_back("sub_howto.lfl");
    a.addRunLengthImage("menu_text_01.eye", card(), kCard.at());
}

const artgen::Registration kReg("menu_howto", makeHowTo);

}  // namespace
}  // namespace menuart
