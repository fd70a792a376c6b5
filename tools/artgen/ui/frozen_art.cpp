// "frozen.lfl": the block of ice drawn over a piece the cone has frozen.
// The ice is mostly see-through (its alpha layer), with a few hard white
// glints and a frosty rim so it reads as ice over any piece and any square.
#include <cmath>

#include "artgen.h"
#include "ui/ui_paint.h"

namespace artgen::ui {
namespace {

constexpr int kSize = 58;
constexpr double kCube = 50, kCorner = 9;
constexpr double kPi = 3.14159265358979323846;

void snowflake(cairo_t* cr, double x, double y, double r) {
    for (int k = 0; k < 3; ++k) {
        const double a = k * kPi / 3;
        cairo_move_to(cr, x - std::cos(a) * r, y - std::sin(a) * r);
        cairo_line_to(cr, x + std::cos(a) * r, y + std::sin(a) * r);
    }
    setColour(cr, 0xFFFFFF, 0.9);
    cairo_set_line_width(cr, 1.3);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
}

void icicles(cairo_t* cr, double left, double bottom) {
    const double xs[] = {10, 19, 33, 41}, lengths[] = {6, 9, 7, 5};
    for (int i = 0; i < 4; ++i) {
        const double x = left + xs[i];
        cairo_move_to(cr, x - 3, bottom - 1);
        cairo_line_to(cr, x, bottom + lengths[i]);
        cairo_line_to(cr, x + 3, bottom - 1);
        cairo_close_path(cr);
    }
    setColour(cr, 0xDDF4FF, 0.85);
    cairo_fill(cr);
}

Picture iceBlock() {
    Canvas canvas(kSize, kSize);
    cairo_t* cr = canvas.cr();
    const double left = (kSize - kCube) / 2, top = (kSize - kCube) / 2 - 2;
    roundedRect(cr, left, top, kCube, kCube, kCorner);
    cairo_pattern_t* g = cairo_pattern_create_linear(left, top, left + kCube, top + kCube);
    cairo_pattern_add_color_stop_rgba(g, 0, 0.85, 0.96, 1.0, 0.55);
    cairo_pattern_add_color_stop_rgba(g, 0.5, 0.55, 0.82, 1.0, 0.32);
    cairo_pattern_add_color_stop_rgba(g, 1, 0.40, 0.70, 0.98, 0.55);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    setColour(cr, 0xEAF8FF, 0.9);
    cairo_set_line_width(cr, 2.5);
    cairo_stroke(cr);
    icicles(cr, left, top + kCube);
    // Hard glints: the opaque part of the overlay.
    cairo_move_to(cr, left + 7, top + 20);
    cairo_line_to(cr, left + 7, top + 9);
    cairo_line_to(cr, left + 18, top + 7);
    setColour(cr, 0xFFFFFF);
    cairo_set_line_width(cr, 3);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
    cairo_move_to(cr, left + kCube - 8, top + kCube - 18);
    cairo_line_to(cr, left + kCube - 8, top + kCube - 10);
    cairo_stroke(cr);
    snowflake(cr, left + kCube - 11, top + 11, 4.5);
    snowflake(cr, left + 12, top + kCube - 10, 3.2);
    return canvas.picture();
}

void buildFrozen(std::vector<ArchiveOut>& out) {
    out.emplace_back("frozen.lfl").addSpriteFrame("frozen", 1, iceBlock());
}

const Registration kReg("ui_frozen", buildFrozen);

}  // namespace
}  // namespace artgen::ui
