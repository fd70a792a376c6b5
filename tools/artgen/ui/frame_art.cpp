// The play frame ("interface_border_01.eye"): honey-coloured wood around
// the board, a status bar along the top with dark recessed wells where the
// game draws the time, the score, the level and the row of progress stars,
// and a vine with small leaves running round the border. The board's
// rectangle is left fully transparent; everything else is opaque, because
// the frame is a run-length image without a soft layer.
#include <cmath>

#include "ui/play_art.h"
#include "ui/ui_layout.h"
#include "ui/ui_paint.h"

namespace artgen::ui {
namespace {

constexpr uint32_t kWood = 0xD89C55, kWoodLight = 0xEDBA72, kWoodDark = 0x8A5424;
constexpr uint32_t kGrain = 0x9E6530, kWell = 0x2C4A20, kWellRim = 0x5B3614;
constexpr uint32_t kLabelFill = 0xFFF6D8, kLabelInk = 0x5E260A;
constexpr uint32_t kLeaf = 0x5DBB3A, kLeafDark = 0x3F9A2A, kStem = 0x2F6E1E;
constexpr double kWellTop = 3, kWellBottom = 34;  // glyph rows of the number displays
constexpr double kStarTrackTop = 34.5, kStarTrackBottom = 56;
constexpr double kStarOuter = 10, kStarInner = 4.4;
constexpr int kGrainLines = 70;
constexpr uint32_t kGrainSeed = 0x5EED1234u;
constexpr double kPi = 3.14159265358979323846;

void woodBase(cairo_t* cr) {
    cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 0, kBoardTop);
    cairo_pattern_add_color_stop_rgb(g, 0, 0xED / 255.0, 0xBA / 255.0, 0x72 / 255.0);
    cairo_pattern_add_color_stop_rgb(g, 1, 0xD8 / 255.0, 0x9C / 255.0, 0x55 / 255.0);
    cairo_rectangle(cr, 0, 0, kScreenW, kScreenH);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    XorShift rng(kGrainSeed);
    for (int i = 0; i < kGrainLines; ++i) {
        const double y = rng.unit() * kScreenH, amp = 0.5 + rng.unit() * 1.5;
        const double freq = 0.01 + rng.unit() * 0.02, phase = rng.unit() * 2 * kPi;
        cairo_move_to(cr, 0, y);
        for (int x = 0; x <= kScreenW; x += 8)
            cairo_line_to(cr, x, y + amp * std::sin(x * freq + phase));
        setColour(cr, kGrain, 0.18 + rng.unit() * 0.2);
        cairo_set_line_width(cr, 0.8 + rng.unit());
        cairo_stroke(cr);
    }
}

// A dark rounded groove with a shadowed top edge, like a slot cut in wood.
void well(cairo_t* cr, double x0, double y0, double x1, double y1) {
    const double r = (y1 - y0) / 2;
    roundedRect(cr, x0 - 1.5, y0 - 1.5, x1 - x0 + 3, y1 - y0 + 3, r + 1.5);
    setColour(cr, kWoodLight);
    cairo_fill(cr);
    roundedRect(cr, x0, y0, x1 - x0, y1 - y0, r);
    setColour(cr, kWell);
    cairo_fill_preserve(cr);
    setColour(cr, kWellRim);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    roundedRect(cr, x0 + 2, y0 + 1.5, x1 - x0 - 4, 3.5, 1.5);
    setColour(cr, 0x000000, 0.25);
    cairo_fill(cr);
}

void statusWells(cairo_t* cr) {
    const double half = kDigitStep / 2 + 0.5;
    well(cr, screenX(kMinutesX) - half - 3, kWellTop, screenX(kSecondsX + kDigitStep) + half + 3,
         kWellBottom);
    well(cr, screenX(kScoreX) - half - 4, kWellTop,
         screenX(kScoreX + kDigitStep * (kScoreDigits - 1)) + half + 4, kWellBottom);
    well(cr, screenX(kLevelX) - half - 4, kWellTop,
         screenX(kLevelX + kDigitStep * (kLevelDigits - 1)) + half + 4, kWellBottom);
    well(cr, screenX(kStarXs[0]) - kStarOuter - 5, kStarTrackTop,
         screenX(kStarXs[27]) + kStarOuter + 5, kStarTrackBottom);
    // Empty sockets show how far the stars still have to go.
    for (double x : kStarXs) {
        starPath(cr, screenX(x), screenY(kStarY) + 0.5, kStarOuter - 1, kStarInner - 0.5, 5, 0);
        setColour(cr, 0x1F3417);
        cairo_fill_preserve(cr);
        setColour(cr, 0x6E9457, 0.8);
        cairo_set_line_width(cr, 1.2);
        cairo_stroke(cr);
    }
}

void labels(cairo_t* cr) {
    const double y = (kWellTop + kWellBottom) / 2;
    const double scoreLeft = screenX(kScoreX) - kDigitStep / 2 - 4;
    const double levelLeft = screenX(kLevelX) - kDigitStep / 2 - 4;
    lettering(cr, "SCORE", 15, scoreLeft - 38, y, kLabelFill, kLabelInk, 2.2);
    lettering(cr, "LEVEL", 15, levelLeft - 36, y, kLabelFill, kLabelInk, 2.2);
}

// A five-petal flower for the empty stretch of the status bar.
void flower(cairo_t* cr, double x, double y, double r, uint32_t petals) {
    for (int k = 0; k < 5; ++k) {
        const double a = k * 2 * kPi / 5 - kPi / 2;
        cairo_new_path(cr);
        cairo_arc(cr, x + std::cos(a) * r * 0.62, y + std::sin(a) * r * 0.62, r * 0.48, 0, 2 * kPi);
        setColour(cr, petals);
        cairo_fill_preserve(cr);
        setColour(cr, kLabelInk, 0.7);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
    }
    cairo_new_path(cr);
    cairo_arc(cr, x, y, r * 0.34, 0, 2 * kPi);
    setColour(cr, 0xFFC928);
    cairo_fill_preserve(cr);
    setColour(cr, kLabelInk, 0.8);
    cairo_stroke(cr);
}

void garden(cairo_t* cr) {
    const double gapLeft = screenX(kSecondsX + kDigitStep) + 20;
    const double gapRight = screenX(kScoreX) - 100;
    const double mid = (gapLeft + gapRight) / 2, y = (kWellTop + kWellBottom) / 2;
    cairo_move_to(cr, gapLeft - 6, y + 4);
    cairo_curve_to(cr, mid - 20, y - 8, mid + 20, y + 12, gapRight + 6, y - 2);
    setColour(cr, kStem);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    drawLeaf(cr, mid - 26, y + 1, 13, -2.4, kLeaf);
    drawLeaf(cr, mid - 12, y + 1, 12, 0.9, kLeafDark);
    drawLeaf(cr, mid + 18, y + 3, 12, -0.7, kLeaf);
    flower(cr, mid - 4, y - 3, 11, 0xFF8FB8);
    flower(cr, mid + 30, y + 2, 8, 0xFFFFFF);
    flower(cr, gapLeft + 4, y + 2, 7, 0xB9A4FF);
}

// The groove round the board, so the board looks set into the wood.
void boardRim(cairo_t* cr) {
    cairo_rectangle(cr, kBoardLeft - 4, kBoardTop - 4, kBoardW + 8, kBoardH + 8);
    setColour(cr, kWoodDark);
    cairo_set_line_width(cr, 4);
    cairo_stroke(cr);
    cairo_rectangle(cr, kBoardLeft - 7, kBoardTop - 7, kBoardW + 14, kBoardH + 14);
    setColour(cr, kWoodLight, 0.8);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    cairo_rectangle(cr, 1, 1, kScreenW - 2, kScreenH - 2);
    setColour(cr, kWoodDark);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
}

// Tiny leaves along the side and bottom borders, alternating sides of a
// vine that runs in the middle of the wood.
void borderVine(cairo_t* cr) {
    const double side = kBoardLeft / 2.0,
                 bottom = kBoardTop + kBoardH + (kScreenH - kBoardTop - kBoardH) / 2.0;
    XorShift rng(0xA11CE5u);
    // The stem: down each side and along the bottom, gently waving.
    for (const double x : {side, kScreenW - side}) {
        cairo_move_to(cr, x, kBoardTop + 4);
        for (double y = kBoardTop + 4; y < kScreenH - 6; y += 4)
            cairo_line_to(cr, x + 1.6 * std::sin(y * 0.14), y);
    }
    cairo_move_to(cr, 20, bottom);
    for (double x = 20; x < kScreenW - 20; x += 4)
        cairo_line_to(cr, x, bottom + 1.4 * std::sin(x * 0.12));
    setColour(cr, kStem);
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);
    auto sprig = [&](double x, double y, double along, int i) {
        const double a = along + (i % 2 ? 0.9 : -0.9) + (rng.unit() - 0.5) * 0.3;
        drawLeaf(cr, x, y, 7 + rng.unit() * 2, a, i % 3 ? kLeaf : kLeafDark);
    };
    for (double y = 78; y < kScreenH - 14; y += 22) {
        sprig(side, y, kPi / 2, int(y / 22));
        sprig(kScreenW - side, y, kPi / 2, int(y / 22) + 1);
    }
    for (double x = 40; x < kScreenW - 30; x += 26) sprig(x, bottom, 0, int(x / 26));
}

}  // namespace

void drawExitButton(cairo_t* cr, double cx, double cy, bool hover) {
    constexpr double r = 13.5;
    if (hover) {
        cairo_new_path(cr);
        cairo_arc(cr, cx, cy, r + 3.5, 0, 2 * kPi);
        setColour(cr, 0xFFF27A);
        cairo_fill(cr);
    }
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, r, 0, 2 * kPi);
    cairo_pattern_t* g = cairo_pattern_create_radial(cx - 4, cy - 5, 1, cx, cy, r);
    const double light = hover ? 1.0 : 0.92;
    cairo_pattern_add_color_stop_rgb(g, 0, 1.0 * light, 0.55 * light, 0.45 * light);
    cairo_pattern_add_color_stop_rgb(g, 1, 0.86 * light, 0.16 * light, 0.10 * light);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    setColour(cr, 0x4A1208);
    cairo_set_line_width(cr, 2.2);
    cairo_stroke(cr);
    constexpr double arm = 5.2;
    cairo_move_to(cr, cx - arm, cy - arm);
    cairo_line_to(cr, cx + arm, cy + arm);
    cairo_move_to(cr, cx + arm, cy - arm);
    cairo_line_to(cr, cx - arm, cy + arm);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    setColour(cr, 0x4A1208);
    cairo_set_line_width(cr, 5.5);
    cairo_stroke_preserve(cr);
    setColour(cr, 0xFFFFFF);
    cairo_set_line_width(cr, 3.2);
    cairo_stroke(cr);
}

Picture playFrame() {
    Canvas canvas(kScreenW, kScreenH);
    cairo_t* cr = canvas.cr();
    woodBase(cr);
    boardRim(cr);
    borderVine(cr);
    statusWells(cr);
    labels(cr);
    garden(cr);
    // The exit button is painted into the frame as well, so it shows
    // whichever of the two the game draws last at their shared depth.
    drawExitButton(cr, screenX(kExitX + kExitDrawShift), screenY(kExitY), false);
    cairo_rectangle(cr, kBoardLeft, kBoardTop, kBoardW, kBoardH);
    cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
    cairo_fill(cr);
    return canvas.picture();
}

}  // namespace artgen::ui
