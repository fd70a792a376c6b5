// The exit dialog: a wooden sign over the middle of the board asking
// whether to leave, with three stacked buttons. "exit_base.eye" shows the
// sign with all three buttons at rest; each "exit_<button>.eye" is the
// sign's own pixels round one button, drawn lit up, so it lines up exactly
// when the game shows it over the base (its rectangle is also where the
// button takes clicks).
#include "ui/play_art.h"
#include "ui/ui_layout.h"
#include "ui/ui_paint.h"

namespace artgen::ui {
namespace {

constexpr int kPanelW = 300, kPanelH = 262;
constexpr int kButtonW = 208, kButtonH = 42;
constexpr int kButtonGap = 14;
constexpr int kFirstButtonTop = 70;  // from the panel's top
constexpr int kHoverMargin = 4;      // the lit button's glow around it
constexpr double kTitleY = 38;
constexpr uint32_t kInk = 0x5E260A;

struct Button {
    const char* record;
    const char* label;
    uint32_t colour;
};

// Top to bottom: keep playing, back to the menu, quit the game.
constexpr Button kButtons[] = {{"exit_continue.eye", "Continue", 0x58C23A},
                               {"exit_menu.eye", "Main Menu", 0xFFC23A},
                               {"exit_exit.eye", "Quit Game", 0xF05A3A}};

int buttonTop(int i) {
    return kFirstButtonTop + i * (kButtonH + kButtonGap);
}
int buttonLeft() {
    return (kPanelW - kButtonW) / 2;
}

uint32_t lighter(uint32_t rgb) {
    auto up = [&](int shift) { return (((rgb >> shift) & 255) + 255) / 2; };
    return up(16) << 16 | up(8) << 8 | up(0);
}

void panel(cairo_t* cr) {
    roundedRect(cr, 2, 2, kPanelW - 4, kPanelH - 4, 22);
    setColour(cr, 0xD89C55);
    cairo_fill_preserve(cr);
    setColour(cr, 0x4A2408);
    cairo_set_line_width(cr, 4);
    cairo_stroke(cr);
    roundedRect(cr, 12, 12, kPanelW - 24, kPanelH - 24, 14);
    setColour(cr, 0xFFF4D6);
    cairo_fill_preserve(cr);
    setColour(cr, 0xA8692E);
    cairo_set_line_width(cr, 2.5);
    cairo_stroke(cr);
    drawLeaf(cr, 16, 18, 22, 0.5, 0x5DBB3A);
    drawLeaf(cr, 16, 18, 18, 1.3, 0x3F9A2A);
    drawLeaf(cr, kPanelW - 16, kPanelH - 18, 22, 0.5 + 3.14159, 0x5DBB3A);
    drawLeaf(cr, kPanelW - 16, kPanelH - 18, 18, 1.3 + 3.14159, 0x3F9A2A);
    lettering(cr, "Leave the garden?", 21, kPanelW / 2.0, kTitleY, 0xFFD84A, kInk, 2.6);
}

void button(cairo_t* cr, int i, bool lit) {
    const Button& b = kButtons[i];
    const double x = buttonLeft(), y = buttonTop(i);
    if (lit) {
        roundedRect(cr, x - 3, y - 3, kButtonW + 6, kButtonH + 6, kButtonH / 2.0 + 3);
        setColour(cr, 0xFFF27A);
        cairo_fill(cr);
    }
    roundedRect(cr, x, y, kButtonW, kButtonH, kButtonH / 2.0);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, y, 0, y + kButtonH);
    const uint32_t top = lighter(b.colour), bottom = b.colour;
    const double boost = lit ? 1.0 : 0.93;
    cairo_pattern_add_color_stop_rgb(g, 0, boost * ((top >> 16) & 255) / 255.0,
                                     boost * ((top >> 8) & 255) / 255.0,
                                     boost * (top & 255) / 255.0);
    cairo_pattern_add_color_stop_rgb(g, 1, boost * ((bottom >> 16) & 255) / 255.0,
                                     boost * ((bottom >> 8) & 255) / 255.0,
                                     boost * (bottom & 255) / 255.0);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    setColour(cr, kInk);
    cairo_set_line_width(cr, 2.5);
    cairo_stroke(cr);
    lettering(cr, b.label, lit ? 19 : 18, kPanelW / 2.0, y + kButtonH / 2.0, 0xFFFFFF, kInk, 2.4);
}

Picture sign(int litButton) {
    Canvas canvas(kPanelW, kPanelH);
    cairo_t* cr = canvas.cr();
    panel(cr);
    for (int i = 0; i < 3; ++i) button(cr, i, i == litButton);
    return canvas.picture();
}

// Scene centre of a rectangle given in panel pixels, with the panel
// centred on the screen.
Placement centreOf(int left, int top, int w, int h) {
    const double screenLeft = (kScreenW - kPanelW) / 2 + left;
    const double screenTop = (kScreenH - kPanelH) / 2 + top;
    return {float(sceneX(screenLeft + w / 2)), float(sceneY(screenTop + h / 2)),
            float(kDialogDepth)};
}

}  // namespace

std::vector<PlacedPicture> exitDialog() {
    std::vector<PlacedPicture> out;
    out.push_back({"exit_base.eye", hardEdged(sign(-1)), centreOf(0, 0, kPanelW, kPanelH)});
    for (int i = 0; i < 3; ++i) {
        const int left = buttonLeft() - kHoverMargin, top = buttonTop(i) - kHoverMargin;
        const int w = kButtonW + 2 * kHoverMargin, h = kButtonH + 2 * kHoverMargin;
        out.push_back({kButtons[i].record, hardEdged(crop(sign(i), left, top, w, h)),
                       centreOf(left, top, w, h)});
    }
    return out;
}

}  // namespace artgen::ui
