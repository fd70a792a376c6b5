#include "pieces/face.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace artgen::pieces {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kEyeLine = 1.0;
constexpr double kMouthLine = 1.6;
constexpr double kShockEyeScale = 1.22;
constexpr double kSleepyLid = 0.5;  // how far open a sleepy eye is
constexpr double kSourLid = 0.35;
constexpr double kShutBelow = 0.15;  // eyeOpen below this draws a shut eye
const Rgb kPupil = hex(0x1C1214);
const Rgb kEyeWhite = hex(0xFFFFFF);
const Rgb kMouthInside = hex(0x5E1420);
const Rgb kTongue = hex(0xF0707A);
const Rgb kBlush = hex(0xFF6F8A);

void strokeInk(cairo_t* cr, Rgb ink, double width) {
    setColour(cr, ink);
    cairo_set_line_width(cr, width);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
}

// A shut eye: a friendly upward arc.
void shutEye(cairo_t* cr, const FaceLayout& f, double cx) {
    cairo_move_to(cr, cx - f.eyeRX, f.eyeY + 0.5);
    cairo_curve_to(cr, cx - f.eyeRX * 0.4, f.eyeY - 2.5, cx + f.eyeRX * 0.4, f.eyeY - 2.5,
                   cx + f.eyeRX, f.eyeY + 0.5);
    strokeInk(cr, f.ink, kMouthLine);
}

void spiralEye(cairo_t* cr, const FaceLayout& f, const Expression& e, double cx) {
    ellipsePath(cr, cx, f.eyeY, f.eyeRX, f.eyeRY);
    setColour(cr, kEyeWhite);
    cairo_fill_preserve(cr);
    strokeInk(cr, f.ink, kEyeLine);
    const double turn = e.phase * 2 * kPi;
    const double maxR = std::min(f.eyeRX, f.eyeRY) - 0.8;
    for (int i = 0; i <= 24; ++i) {
        const double t = i / 24.0;
        const double a = turn + t * 3.2 * kPi;
        const double x = cx + std::cos(a) * maxR * t, y = f.eyeY + std::sin(a) * maxR * t;
        if (i == 0)
            cairo_move_to(cr, x, y);
        else
            cairo_line_to(cr, x, y);
    }
    strokeInk(cr, kPupil, 1.1);
}

void brow(cairo_t* cr, const FaceLayout& f, double cx, bool left, double slant, double lift) {
    const double y = f.eyeY - f.eyeRY - 1.6 - lift;
    const double inner = left ? 1 : -1;  // toward the nose
    cairo_move_to(cr, cx - inner * f.eyeRX, y - slant);
    cairo_line_to(cr, cx + inner * f.eyeRX * 0.9, y + slant);
    strokeInk(cr, f.ink, 1.5);
}

void openEye(cairo_t* cr, const FaceLayout& f, const Expression& e, double cx, double scale,
             double open) {
    const double rx = f.eyeRX * scale, ry = f.eyeRY * scale;
    ellipsePath(cr, cx, f.eyeY, rx, ry);
    setColour(cr, kEyeWhite);
    cairo_fill(cr);
    const double pr = std::min(f.eyeRX, f.eyeRY) * (e.mood == Mood::Shock ? 0.38 : 0.58);
    const double px = cx + std::clamp(e.lookX, -1.0, 1.0) * (rx - pr - 0.5);
    const double py = f.eyeY + std::clamp(e.lookY, -1.0, 1.0) * (ry - pr - 0.5);
    cairo_save(cr);
    ellipsePath(cr, cx, f.eyeY, rx, ry);
    cairo_clip(cr);
    cairo_arc(cr, px, py, pr, 0, 2 * kPi);
    setColour(cr, kPupil);
    cairo_fill(cr);
    cairo_arc(cr, px - pr * 0.35, py - pr * 0.4, std::max(0.7, pr * 0.32), 0, 2 * kPi);
    setColour(cr, kEyeWhite);
    cairo_fill(cr);
    if (open < 1.0) {  // the upper lid comes down in the body's colour
        const double lidY = f.eyeY - ry + (1.0 - open) * 2 * ry;
        cairo_rectangle(cr, cx - rx - 1, f.eyeY - ry - 1, 2 * rx + 2, lidY - (f.eyeY - ry - 1));
        setColour(cr, shade(f.skin, 0.9));
        cairo_fill(cr);
        cairo_move_to(cr, cx - rx, lidY);
        cairo_line_to(cr, cx + rx, lidY);
        strokeInk(cr, f.ink, 1.2);
    }
    cairo_restore(cr);
    ellipsePath(cr, cx, f.eyeY, rx, ry);
    strokeInk(cr, f.ink, kEyeLine);
}

// An eye that draws shut once `openness` is nearly closed, else open with
// its lid at `lid`.
void lidEye(cairo_t* cr, const FaceLayout& f, const Expression& e, double cx, double openness,
            double lid) {
    if (openness < kShutBelow)
        shutEye(cr, f, cx);
    else
        openEye(cr, f, e, cx, 1.0, lid);
}

void smile(cairo_t* cr, const FaceLayout& f, double w, double depth) {
    cairo_move_to(cr, -w, f.mouthY - 1);
    cairo_curve_to(cr, -w * 0.4, f.mouthY - 1 + depth, w * 0.4, f.mouthY - 1 + depth, w,
                   f.mouthY - 1);
    strokeInk(cr, f.ink, kMouthLine);
}

// An open "D" mouth with a tongue; used for happy, yawning and chomping.
void openMouth(cairo_t* cr, const FaceLayout& f, double w, double depth) {
    const double top = f.mouthY - 1.5;
    auto path = [&] {
        cairo_move_to(cr, -w, top);
        cairo_curve_to(cr, -w * 0.9, top + depth * 1.3, w * 0.9, top + depth * 1.3, w, top);
        cairo_close_path(cr);
    };
    path();
    setColour(cr, kMouthInside);
    cairo_fill(cr);
    cairo_save(cr);
    path();
    cairo_clip(cr);
    ellipsePath(cr, 0, top + depth, w * 0.6, depth * 0.45);
    setColour(cr, kTongue);
    cairo_fill(cr);
    cairo_restore(cr);
    path();
    strokeInk(cr, f.ink, 1.3);
}

// The hard candies' mischievous grin: a wide mouth with a row of teeth.
void grin(cairo_t* cr, const FaceLayout& f, double open) {
    const double w = f.mouthW * 1.05, top = f.mouthY - 2.5, depth = 3.5 + open * 4.5;
    auto path = [&] {
        cairo_move_to(cr, -w, top - 1);
        cairo_curve_to(cr, -w * 0.5, top + 1, w * 0.5, top + 1, w, top - 1);
        cairo_curve_to(cr, w * 0.7, top + depth, -w * 0.7, top + depth, -w, top - 1);
        cairo_close_path(cr);
    };
    path();
    setColour(cr, kMouthInside);
    cairo_fill(cr);
    cairo_save(cr);
    path();
    cairo_clip(cr);
    cairo_rectangle(cr, -w, top - 2, 2 * w, 3.2);  // upper teeth
    setColour(cr, kEyeWhite);
    cairo_fill(cr);
    for (int i = -2; i <= 2; ++i) {
        cairo_move_to(cr, i * w * 0.33, top - 2);
        cairo_line_to(cr, i * w * 0.33, top + 1.2);
    }
    strokeInk(cr, shade(f.ink, 1.4), 0.7);
    cairo_restore(cr);
    path();
    strokeInk(cr, f.ink, 1.3);
}

void pucker(cairo_t* cr, const FaceLayout& f) {
    cairo_arc(cr, 0, f.mouthY, 2.0, 0, 2 * kPi);
    setColour(cr, kMouthInside);
    cairo_fill_preserve(cr);
    strokeInk(cr, f.ink, 1.2);
    for (int side = -1; side <= 1; side += 2) {
        cairo_move_to(cr, side * 3.4, f.mouthY - 1.6);
        cairo_line_to(cr, side * 4.6, f.mouthY);
        cairo_line_to(cr, side * 3.4, f.mouthY + 1.6);
        strokeInk(cr, f.ink, 1.0);
    }
}

void chewMouth(cairo_t* cr, const FaceLayout& f, double open) {
    const double w = f.mouthW * (0.55 + 0.2 * open);
    ellipsePath(cr, 0, f.mouthY, w, 1.0 + 2.6 * open);
    setColour(cr, kMouthInside);
    cairo_fill_preserve(cr);
    strokeInk(cr, f.ink, 1.3);
}

void wavyMouth(cairo_t* cr, const FaceLayout& f) {
    const double w = f.mouthW * 0.8;
    for (int i = 0; i <= 16; ++i) {
        const double t = i / 16.0;
        const double x = -w + 2 * w * t, y = f.mouthY + std::sin(t * 4 * kPi) * 1.3;
        if (i == 0)
            cairo_move_to(cr, x, y);
        else
            cairo_line_to(cr, x, y);
    }
    strokeInk(cr, f.ink, 1.4);
}

struct GradientStop {
    double offset, r, g, b, a;
};

// Fills the ellipse centred on (cx, cy) with a gradient running from its
// centre (the first stop) out to its rim (the last).
void fillRadialEllipse(cairo_t* cr, double cx, double cy, double rx, double ry,
                       std::initializer_list<GradientStop> stops) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, rx, ry);
    cairo_pattern_t* g = cairo_pattern_create_radial(0, 0, 0, 0, 0, 1);
    for (const GradientStop& s : stops)
        cairo_pattern_add_color_stop_rgba(g, s.offset, s.r, s.g, s.b, s.a);
    cairo_set_source(cr, g);
    cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    cairo_restore(cr);
}

}  // namespace

Rgb hex(uint32_t rgb) {
    return {((rgb >> 16) & 255) / 255.0, ((rgb >> 8) & 255) / 255.0, (rgb & 255) / 255.0};
}

Rgb shade(Rgb c, double k) {
    if (k <= 1.0) return {c.r * k, c.g * k, c.b * k};
    const double t = std::min(1.0, k - 1.0);
    return {c.r + (1 - c.r) * t, c.g + (1 - c.g) * t, c.b + (1 - c.b) * t};
}

void setColour(cairo_t* cr, Rgb c, double alpha) {
    cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
}

void ellipsePath(cairo_t* cr, double cx, double cy, double rx, double ry) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, rx, ry);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
    cairo_restore(cr);
}

void fillShaded(cairo_t* cr, Rgb base, double cx, double cy, double r) {
    cairo_pattern_t* g =
        cairo_pattern_create_radial(cx - r * 0.35, cy - r * 0.42, 0, cx, cy, r * 1.2);
    const Rgb hi = shade(base, 1.35), lo = shade(base, 0.72);
    cairo_pattern_add_color_stop_rgb(g, 0.0, hi.r, hi.g, hi.b);
    cairo_pattern_add_color_stop_rgb(g, 0.5, base.r, base.g, base.b);
    cairo_pattern_add_color_stop_rgb(g, 1.0, lo.r, lo.g, lo.b);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    strokeInk(cr, shade(base, 0.42), kOutline);
}

void gloss(cairo_t* cr, double cx, double cy, double rx, double ry, double alpha) {
    fillRadialEllipse(cr, cx, cy, rx, ry, {{0, 1, 1, 1, alpha}, {1, 1, 1, 1, 0}});
}

void groundShadow(cairo_t* cr, double cx, double cy, double rx, double ry) {
    fillRadialEllipse(cr, cx, cy, rx, ry,
                      {{0.0, 0.05, 0.12, 0.02, 0.42},
                       {0.6, 0.05, 0.12, 0.02, 0.26},
                       {1.0, 0.05, 0.12, 0.02, 0.0}});
}

void warmGlow(cairo_t* cr, double cx, double cy, double r0, double r1) {
    cairo_pattern_t* g = cairo_pattern_create_radial(cx, cy, r0, cx, cy, r1);
    cairo_pattern_add_color_stop_rgba(g, 0.0, 1.0, 0.93, 0.45, 0.85);
    cairo_pattern_add_color_stop_rgba(g, 0.5, 1.0, 0.85, 0.3, 0.45);
    cairo_pattern_add_color_stop_rgba(g, 1.0, 1.0, 0.8, 0.2, 0.0);
    cairo_set_source(cr, g);
    cairo_arc(cr, cx, cy, r1, 0, 2 * kPi);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
}

void drawEye(cairo_t* cr, const FaceLayout& f, const Expression& e, double cx, bool left) {
    switch (e.mood) {
        case Mood::Chew:
            shutEye(cr, f, cx);
            return;
        case Mood::Dizzy:
            spiralEye(cr, f, e, cx);
            return;
        case Mood::Shock:
            openEye(cr, f, e, cx, kShockEyeScale, 1.0);
            brow(cr, f, cx, left, -0.6, 3.0);
            return;
        case Mood::Sleepy:
            lidEye(cr, f, e, cx, e.eyeOpen * kSleepyLid, e.eyeOpen * kSleepyLid);
            return;
        case Mood::Sour:
            openEye(cr, f, e, cx, 1.0, e.eyeOpen * kSourLid);
            brow(cr, f, cx, left, 1.4, -0.5);
            return;
        case Mood::Sly:
            lidEye(cr, f, e, cx, e.eyeOpen, e.eyeOpen * 0.8);
            brow(cr, f, cx, left, 1.5, 0.2);
            return;
        case Mood::Happy:
            lidEye(cr, f, e, cx, e.eyeOpen, e.eyeOpen);
            return;
    }
}

void drawMouth(cairo_t* cr, const FaceLayout& f, const Expression& e) {
    switch (e.mood) {
        case Mood::Shock: {
            const double rx = 2.6 + e.mouthOpen, ry = 3.4 + e.mouthOpen;
            ellipsePath(cr, 0, f.mouthY + 1, rx, ry);
            setColour(cr, kMouthInside);
            cairo_fill_preserve(cr);
            strokeInk(cr, f.ink, 1.3);
            return;
        }
        case Mood::Sly:
            grin(cr, f, e.mouthOpen);
            return;
        case Mood::Sour:
            pucker(cr, f);
            return;
        case Mood::Chew:
            chewMouth(cr, f, e.mouthOpen);
            return;
        case Mood::Dizzy:
            wavyMouth(cr, f);
            return;
        case Mood::Sleepy:
            if (e.mouthOpen > 0.1)
                openMouth(cr, f, f.mouthW * (0.4 + 0.3 * e.mouthOpen), 2 + 6 * e.mouthOpen);
            else
                smile(cr, f, f.mouthW * 0.5, 1.5);
            return;
        case Mood::Happy:
            if (e.mouthOpen > 0.1)
                openMouth(cr, f, f.mouthW, 1.5 + 5 * e.mouthOpen);
            else
                smile(cr, f, f.mouthW, 4.5);
            return;
    }
}

void drawFace(cairo_t* cr, const FaceLayout& f, const Expression& e) {
    if (f.cheeks && e.mood != Mood::Shock) {
        for (int side = -1; side <= 1; side += 2) {
            ellipsePath(cr, side * (f.eyeGap + f.eyeRX * 0.55), f.eyeY + f.eyeRY + 2.6, 2.8, 1.7);
            setColour(cr, kBlush, 0.5);
            cairo_fill(cr);
        }
    }
    drawEye(cr, f, e, -f.eyeGap, true);
    drawEye(cr, f, e, f.eyeGap, false);
    drawMouth(cr, f, e);
}

}  // namespace artgen::pieces
