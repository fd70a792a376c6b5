// "st_cursor.lfl": the mouse pointer. The game draws the cursor picture's
// centre 15 pixels right of and 15 below the mouse point, so in a 36-pixel
// picture the arrow's tip sits at pixel (3, 3). Over a piece that can be
// picked up the arrow turns leaf green and pulses in a sunny glow
// ("clickable_cursor", five frames looped at 15 per second).
#include <cmath>

#include "artgen.h"
#include "ui/ui_paint.h"

namespace artgen::ui {
namespace {

constexpr int kCursorSize = 36;
constexpr int kHotSpot = 15;  // the game's offset from mouse point to picture centre
constexpr double kTip = kCursorSize / 2 - kHotSpot;
constexpr int kClickFrames = 5;
constexpr double kPi = 3.14159265358979323846;

// The classic arrow, tip at the origin, about 26 pixels tall.
constexpr double kArrow[][2] = {{0, 0},       {0, 22.5},   {5.6, 17.4}, {9.6, 26.2},
                                {13.4, 24.6}, {9.5, 16.0}, {16.6, 16.0}};

void arrowPath(cairo_t* cr, double scale) {
    cairo_new_path(cr);
    for (const auto& p : kArrow) cairo_line_to(cr, kTip + p[0] * scale, kTip + p[1] * scale);
    cairo_close_path(cr);
}

Picture arrow(uint32_t top, uint32_t bottom, uint32_t outline, double scale) {
    Canvas canvas(kCursorSize, kCursorSize);
    cairo_t* cr = canvas.cr();
    arrowPath(cr, scale);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_width(cr, 2.2);
    setColour(cr, outline);
    cairo_stroke_preserve(cr);
    cairo_pattern_t* g = cairo_pattern_create_linear(kTip, kTip, kTip + 12, kTip + 24);
    cairo_pattern_add_color_stop_rgb(g, 0, ((top >> 16) & 255) / 255.0, ((top >> 8) & 255) / 255.0,
                                     (top & 255) / 255.0);
    cairo_pattern_add_color_stop_rgb(g, 1, ((bottom >> 16) & 255) / 255.0,
                                     ((bottom >> 8) & 255) / 255.0, (bottom & 255) / 255.0);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    return canvas.picture();
}

Picture plainArrow() {
    return withShadow(arrow(0xFFFFFF, 0xFFF1B8, 0x203A18, 1.0), 2, 3, 2, 0.55);
}

// Frame i of the pulse: the arrow breathes a little and its glow swells.
Picture clickableFrame(int i) {
    const double phase = std::sin(2 * kPi * i / kClickFrames);
    const Picture body = arrow(0xF4FFB0, 0x6CD640, 0x1B4A12, 1.0 + 0.05 * phase);
    Picture out = blankPicture(kCursorSize, kCursorSize);
    over(out, softShadow(body, 3, 0xFFE840, 0.75 + 0.25 * phase), 0, 0);
    over(out, softShadow(body, 2, 0x1A1008, 0.45), 2, 3);
    over(out, body, 0, 0);
    return out;
}

void buildCursor(std::vector<ArchiveOut>& out) {
    ArchiveOut& a = out.emplace_back("st_cursor.lfl");
    a.addSpriteFrame("arrow_cursor", 1, plainArrow());
    for (int i = 0; i < kClickFrames; ++i)
        a.addSpriteFrame("clickable_cursor", i + 1, clickableFrame(i));
}

const Registration kReg("ui_cursor", buildCursor);

}  // namespace
}  // namespace artgen::ui
