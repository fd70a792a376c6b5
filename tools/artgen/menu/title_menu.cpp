// menu.lfl: the title, the eight main buttons (normal and highlighted),
// the start picture with its highlight, the studio logo and the copyright
// line: everything the main menu shows before a panel opens.
#include <cairo.h>

#include <cmath>
#include <string>
#include <vector>

#include "artgen.h"
#include "menu/menu_layout.h"
#include "menu/menu_style.h"

namespace menuart {
namespace {

// Title lettering.
constexpr double kTitleWidth = 560;
constexpr double kTitleWave = 4.0;   // pixels up and down along the word
constexpr double kTitleTilt = 0.05;  // radians of alternate letter tilt
constexpr uint32_t kTitleColours[] = {0xE8412C, 0xFF8A1F, 0xFFC21F, 0x6CC24A,
                                      0x3FA9F5, 0xA66BE0, 0xF26FA8};

struct ButtonSpec {
    const char* stem;
    const char* label;
    uint32_t colour;
};

// Indices 1..6 of the main buttons, left to right along the tab row.
constexpr ButtonSpec kTabs[] = {
    {"howto", "HOW TO", 0xF7B924},  {"players", "PLAYERS", 0xFF8A3D},
    {"skill", "SKILL", 0x5DB84A},   {"volume", "VOLUME", 0x3FA9F5},
    {"scores", "SCORES", 0xA66BE0}, {"credits", "CREDITS", 0xF26FA8},
};
constexpr uint32_t kPlayColour = 0xE8412C;
constexpr uint32_t kQuitColour = 0xB08A66;

// ---- title ------------------------------------------------------------------------------

void titleLetter(cairo_t* cr, const std::string& ch, double x, double base, double size,
                 double angle, Rgb colour) {
    cairo_save(cr);
    cairo_translate(cr, x, base);
    cairo_rotate(cr, angle);
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    cairo_set_font_size(cr, size);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    const double layers[][2] = {{size * 0.2, -1}, {size * 0.11, 0}, {size * 0.03, 1}};
    for (const auto& [width, kind] : layers) {
        cairo_move_to(cr, kind < 0 ? size * 0.05 : 0, kind < 0 ? size * 0.05 : 0);
        cairo_text_path(cr, ch.c_str());
        cairo_set_line_width(cr, width);
        if (kind < 0) {
            setColour(cr, rgb(kShadow));  // cast shadow
            cairo_fill_preserve(cr);
        } else if (kind == 0) {
            setColour(cr, darker(colour, 0.5));  // outline
        } else {
            cairo_pattern_t* g = cairo_pattern_create_linear(0, -size * 0.75, 0, 0);
            const Rgb top = lighter(colour, 0.45);
            cairo_pattern_add_color_stop_rgb(g, 0, top.r, top.g, top.b);
            cairo_pattern_add_color_stop_rgb(g, 1, colour.r, colour.g, colour.b);
            cairo_set_source(cr, g);
            cairo_fill_preserve(cr);
            cairo_pattern_destroy(g);
        }
        cairo_stroke(cr);
    }
    cairo_restore(cr);
}

artgen::Picture title() {
    const Frame f = kTitle;
    artgen::Canvas c(f.w, f.h);
    cairo_t* cr = c.cr();
    const std::string text = "Gobble Garden!";
    const double size = 100 * kTitleWidth / textWidth(cr, text, 100);
    cairo_set_font_size(cr, size);
    cairo_text_extents_t e;
    cairo_text_extents(cr, text.c_str(), &e);
    double x = (f.w - e.width) / 2 - e.x_bearing;
    const double base = f.h / 2 - (e.y_bearing + e.height / 2) - 2;
    int colour = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const std::string ch(1, text[i]);
        cairo_text_extents_t ce;
        cairo_text_extents(cr, ch.c_str(), &ce);
        if (text[i] != ' ') {
            const double wave = kTitleWave * std::sin(i * 0.9);
            const double tilt = (i % 2 ? 1 : -1) * kTitleTilt;
            titleLetter(cr, ch, x, base + wave, size, tilt, rgb(kTitleColours[colour++ % 7]));
        }
        x += ce.x_advance;
        cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
        cairo_set_font_size(cr, size);
    }
    // A little apple hanging off the end of the word.
    drawMascot(cr, Fruit::Apple, f.w - 22, 30, 15, Mood::Happy);
    return flatten(c.picture(), kStripeMid);
}

// ---- buttons ----------------------------------------------------------------------------

artgen::Picture plaque(int w, int h, const std::string& label, uint32_t colour, double textSize,
                       bool lit) {
    artgen::Canvas c(w, h);
    cairo_t* cr = c.cr();
    PlaqueStyle s{rgb(colour)};
    s.glow = lit;
    s.radius = h * 0.4;
    drawPlaque(cr, 0, 0, w, h, s);
    TextStyle t;
    t.size = textSize;
    t.fill = {1, 1, 1};
    t.outline = darker(rgb(colour), 0.5);
    t.outlineWidth = 2.2;
    t.shadow = true;
    drawText(cr, label, w / 2.0, h / 2.0 + 1, t);
    if (lit) drawFlower(cr, w - 14, 12, 6, {1, 1, 1});
    return flatten(c.picture(), kStripeMid);
}

void addButtonPair(artgen::ArchiveOut& a, const std::string& stem, const Frame& f,
                   const std::string& label, uint32_t colour, double textSize) {
    a.addRunLengthImage(stem + "_button_01.eye", plaque(f.w, f.h, label, colour, textSize, false),
                        f.at());
    a.addRunLengthImage(stem + "_button_02.eye", plaque(f.w, f.h, label, colour, textSize, true),
                        f.at());
}

// ---- start picture and logo --------------------------------------------------------------------

artgen::Picture startPanel(bool lit) {
    const Frame f = kStartPanel;
    artgen::Canvas c(f.w, f.h);
    cairo_t* cr = c.cr();
    CardStyle s{rgb(0xFFE7C2), lit ? rgb(kGold) : rgb(0xF08A24)};
    s.borderWidth = lit ? 8 : 5;
    drawCard(cr, f.w, f.h, s);
    const double mid = (f.w - s.shadow) / 2;
    TextStyle t;
    t.size = 30;
    t.fill = lit ? rgb(0xFFB21F) : rgb(0xFF8A1F);
    t.outline = rgb(0x8A3D08);
    t.outlineWidth = 2.5;
    t.shadow = true;
    drawText(cr, "Let's play!", mid, 42, t);
    drawMascot(cr, Fruit::Orange, mid, 170, lit ? 86 : 80, lit ? Mood::Grin : Mood::Happy);
    drawMascot(cr, Fruit::Apple, mid - 112, 250, 24, Mood::Happy);
    drawMascot(cr, Fruit::Lemon, mid + 110, 254, 22, lit ? Mood::Grin : Mood::Happy);
    PlaqueStyle p{rgb(0xE8412C)};
    p.glow = lit;
    p.radius = 18;
    drawPlaque(cr, mid - 110, 280, 220, 44, p);
    TextStyle b;
    b.size = 19;
    b.outline = rgb(0x7A1A10);
    b.outlineWidth = 2;
    drawText(cr, "CLICK TO START", mid, 302, b);
    return flatten(c.picture(), kStripeMid);
}

// The studio's badge: a seedling curling into a Q inside a round green
// seal, with the name on a ribbon below.
artgen::Picture logo() {
    const Frame f = kLogo;
    artgen::Canvas c(f.w, f.h);
    cairo_t* cr = c.cr();
    const double cx = f.w / 2.0, cy = 98, r = 86;
    cairo_arc(cr, cx + 4, cy + 4, r, 0, 2 * kPi);
    setColour(cr, rgb(kShadow));
    cairo_fill(cr);
    cairo_arc(cr, cx, cy, r, 0, 2 * kPi);
    fillVertical(cr, cy - r, cy + r, rgb(0x8FDB6A), rgb(0x3E9A34));
    cairo_set_line_width(cr, 6);
    setColour(cr, rgb(0xFFF6D8));
    cairo_stroke(cr);
    cairo_arc(cr, cx, cy, r - 9, 0, 2 * kPi);
    cairo_set_line_width(cr, 2);
    setColour(cr, rgb(0x2F7A2A));
    cairo_stroke(cr);
    // The Q: a ring and a sprouting stem for its tail.
    cairo_arc(cr, cx - 6, cy - 6, 38, 0, 2 * kPi);
    cairo_set_line_width(cr, 17);
    setColour(cr, rgb(0xFFF6D8));
    cairo_stroke(cr);
    cairo_move_to(cr, cx + 14, cy + 14);
    cairo_curve_to(cr, cx + 26, cy + 30, cx + 40, cy + 38, cx + 54, cy + 36);
    cairo_set_line_width(cr, 13);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
    drawFlower(cr, cx - 6, cy - 6, 15, rgb(0xFF7BAC));
    // Ribbon with the name.
    const double ry = 206;
    roundedRect(cr, 22, ry - 24, f.w - 44, 48, 14);
    fillVertical(cr, ry - 24, ry + 24, rgb(0xFF9E5E), rgb(0xE8572C));
    cairo_set_line_width(cr, 3);
    setColour(cr, rgb(0x8E2F14));
    cairo_stroke(cr);
    TextStyle t;
    t.size = 30;
    t.outline = rgb(0x8E2F14);
    t.outlineWidth = 2;
    drawText(cr, "QUENVALE", cx, ry, t);
    TextStyle g;
    g.size = 14;
    g.fill = rgb(kInk);
    drawText(cr, "G A M E S", cx, 246, g);
    return flatten(c.picture(), kStripeMid);
}

artgen::Picture copyright() {
    const Frame f = kCopyright;
    artgen::Canvas c(f.w, f.h);
    TextStyle t;
    t.size = 13;
    t.fill = rgb(0x4A3A20);
    drawText(c.cr(), "\xC2\xA9 Quenvale Games. Grown with care.", f.w / 2.0, f.h / 2.0, t);
    return flatten(c.picture(), kStripeMid, 110);
}

void makeMenu(std::vector<artgen::ArchiveOut>& out) {
    artgen::ArchiveOut& a = out.emplace_back("menu.lfl");
    a.addRunLengthImage("title_01.eye", title(), kTitle.at());
    addButtonPair(a, "play", kPlayButton, "PLAY!", kPlayColour, 28);
    for (int i = 0; i < 6; ++i) {
        const Frame f{kTabFirstX + i * kTabStep, kTabY, kTabW, kTabH};
        addButtonPair(a, kTabs[i].stem, f, kTabs[i].label, kTabs[i].colour, 16);
    }
    addButtonPair(a, "split", kQuitButton, "QUIT", kQuitColour, 20);
    a.addRunLengthImage("orange_01.eye", startPanel(false), kStartPanel.at());
    a.addRunLengthImage("orange_02.eye", startPanel(true), kStartPanel.at());
    a.addRunLengthImage("quenvale_logo.eye", logo(), kLogo.at());
    a.addRunLengthImage("copyright.eye", copyright(), kCopyright.at(kCopyrightShift, 0));
}

const artgen::Registration kReg("menu", makeMenu);

}  // namespace
}  // namespace menuart
