// "play.lfl": the play screen's own pictures. The frame and the exit
// button sit at fixed spots (stored in each image); the star, the sparkle
// and the banner are run-length or layered pictures whose placement the
// game sets itself or takes from the stored centre.
//   interface_border_01.eye  the frame round the board and the status bar
//   x_01.eye / x_02.eye      the exit button, at rest and under the mouse
//   new_high_score.eye       the flashing ribbon under the score
//   status_bar_star          one progress star of the star row
//   bonus_01.eye             the sparkle a scoring piece leaves behind
//   exit_*.eye               the exit dialog (dialog_art.cpp)
#include "ui/play_art.h"

#include <cmath>

#include "artgen.h"
#include "ui/ui_layout.h"
#include "ui/ui_paint.h"

namespace artgen::ui {
namespace {

constexpr int kExitSize = 36;
constexpr double kExitHitRadius = 17.5;
constexpr int kStarSize = 24;
constexpr int kSparkleSize = 40;
constexpr int kBannerW = 252, kBannerH = 48;
constexpr double kPi = 3.14159265358979323846;

// The exit button cut from the frame at the spot the game draws it, so the
// wood round it matches the frame exactly; pixels beyond the button's disc
// are left out, which keeps the game's pixel-exact click test on the disc.
Picture exitButton(const Picture& frame, bool hover) {
    const double cx = screenX(kExitX + kExitDrawShift), cy = screenY(kExitY);
    const int left = int(cx) - kExitSize / 2, top = int(cy) - kExitSize / 2;
    Picture pic = crop(frame, left, top, kExitSize, kExitSize);
    if (hover) {
        Canvas lit(kExitSize, kExitSize);
        drawExitButton(lit.cr(), cx - left, cy - top, true);
        over(pic, lit.picture(), 0, 0);
    }
    for (int y = 0; y < kExitSize; ++y)
        for (int x = 0; x < kExitSize; ++x)
            if (std::hypot(x + 0.5 - (cx - left), y + 0.5 - (cy - top)) > kExitHitRadius)
                pic.argb[size_t(y) * kExitSize + x] = 0;
    return pic;
}

Picture statusStar() {
    Canvas canvas(kStarSize, kStarSize);
    cairo_t* cr = canvas.cr();
    const double c = kStarSize / 2.0;
    starPath(cr, c, c + 0.5, 10.5, 4.8, 5, 0);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_pattern_t* g = cairo_pattern_create_radial(c - 2, c - 3, 1, c, c, 11);
    cairo_pattern_add_color_stop_rgb(g, 0, 1.0, 1.0, 0.75);
    cairo_pattern_add_color_stop_rgb(g, 0.6, 1.0, 0.85, 0.2);
    cairo_pattern_add_color_stop_rgb(g, 1, 1.0, 0.62, 0.05);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    setColour(cr, 0x6A3008);
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);
    // Two happy eyes.
    for (int side = -1; side <= 1; side += 2) {
        cairo_new_path(cr);
        cairo_arc(cr, c + side * 2.4, c, 1.1, 0, 2 * kPi);
        setColour(cr, 0x4A1E06);
        cairo_fill(cr);
    }
    Picture out = blankPicture(kStarSize, kStarSize);
    over(out, softShadow(canvas.picture(), 2, 0xFFF6A0, 0.8), 0, 0);
    over(out, canvas.picture(), 0, 0);
    return out;
}

Picture sparkle() {
    Canvas canvas(kSparkleSize, kSparkleSize);
    cairo_t* cr = canvas.cr();
    const double c = kSparkleSize / 2.0;
    starPath(cr, c, c, 19, 4.5, 4, 0);
    setColour(cr, 0xFFE24A);
    cairo_fill(cr);
    starPath(cr, c, c, 11, 3.2, 4, kPi / 4);
    setColour(cr, 0xFFF7C0);
    cairo_fill(cr);
    starPath(cr, c, c, 12, 2.6, 4, 0);
    setColour(cr, 0xFFFFFF);
    cairo_fill(cr);
    return hardEdged(canvas.picture());
}

void ribbonTail(cairo_t* cr, double x, double dir) {
    const double top = 14, bottom = kBannerH - 4, inner = x + dir * 26;
    cairo_move_to(cr, inner, top);
    cairo_line_to(cr, x, top);
    cairo_line_to(cr, x + dir * 10, (top + bottom) / 2);
    cairo_line_to(cr, x, bottom);
    cairo_line_to(cr, inner, bottom);
    cairo_close_path(cr);
    setColour(cr, 0xB8202A);
    cairo_fill_preserve(cr);
    setColour(cr, 0x4A0A10);
    cairo_set_line_width(cr, 2.5);
    cairo_stroke(cr);
}

Picture banner() {
    Canvas canvas(kBannerW, kBannerH);
    cairo_t* cr = canvas.cr();
    ribbonTail(cr, 2, 1);
    ribbonTail(cr, kBannerW - 2, -1);
    roundedRect(cr, 20, 3, kBannerW - 40, kBannerH - 12, 6);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, 3, 0, kBannerH - 9);
    cairo_pattern_add_color_stop_rgb(g, 0, 1.0, 0.42, 0.45);
    cairo_pattern_add_color_stop_rgb(g, 1, 0.85, 0.12, 0.2);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    setColour(cr, 0x4A0A10);
    cairo_set_line_width(cr, 2.5);
    cairo_stroke(cr);
    lettering(cr, "NEW HIGH SCORE!", 19, kBannerW / 2.0, 3 + (kBannerH - 12) / 2.0, 0xFFEE66,
              0x4A0A10, 2.4);
    for (int side = -1; side <= 1; side += 2) {
        starPath(cr, kBannerW / 2.0 + side * 104, 12, 6, 2.6, 5, 0);
        setColour(cr, 0xFFF6B0);
        cairo_fill(cr);
    }
    return hardEdged(canvas.picture());
}

void buildPlay(std::vector<ArchiveOut>& out) {
    ArchiveOut& a = out.emplace_back("play.lfl");
    const Picture frame = playFrame();
    a.addRunLengthImage("interface_border_01.eye", frame, {0, 0, float(kFrameDepth)});
    a.addRunLengthImage("x_01.eye", exitButton(frame, false),
                        {float(kExitX), float(kExitY), float(kExitDepth)});
    a.addRunLengthImage("x_02.eye", exitButton(frame, true),
                        {float(kExitX), float(kExitY), float(kExitHoverDepth)});
    a.addRunLengthImage("new_high_score.eye", banner(),
                        {float(kBannerX), float(kBannerY), float(kBannerDepth)});
    a.addSpriteFrame("status_bar_star", 1, statusStar(),
                     {float(kStarXs[0]), float(kStarY), float(kStatusDepth)});
    a.addRunLengthImage("bonus_01.eye", sparkle());
    for (const PlacedPicture& p : exitDialog()) a.addRunLengthImage(p.name, p.picture, p.at);
}

const Registration kReg("ui_play", buildPlay);

}  // namespace
}  // namespace artgen::ui
