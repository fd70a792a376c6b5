// brush.lfl: the scrubbing brush, a round tuft of bristles on a blue back
// with a wooden handle, and soap bubbles. On the board it pops in
// (appears); in the hand it is drawn larger, its head up and left of the
// picture's centre, because the hand holds it 60 px left of and 54 px
// above its centre and scrubs at 17 px right of and 22 px below that point.
#include <algorithm>
#include <cmath>

#include "pieces/character.h"

namespace artgen::pieces {
namespace {

constexpr double kPi = 3.14159265358979323846;
const Rgb kBack = hex(0x3C8CE6);
const Rgb kBristle = hex(0xF8E6A8);
const Rgb kWood = hex(0xCB8A4A);
constexpr double kTuft = 11.5, kCollar = 15.5;  // the back's half axes
constexpr double kHandleAngle = 0.7;  // radians below the horizontal, toward the lower right
constexpr double kHandleWidth = 8;

constexpr int kBoardSize = 64;
constexpr int kHandW = 160, kHandH = 140;
// Where the tuft sits: on the board, a little up and left of the centre so
// brush and handle fit the cell; in the hand, over the scrub point.
constexpr double kBoardTuftX = -9, kBoardTuftY = -8, kBoardScale = 0.95, kBoardHandle = 27;
constexpr double kHandTuftX = -37, kHandTuftY = -27;  // from the picture's centre
constexpr double kHandScale = 1.35, kHandHandle = 40;

constexpr int kAppearFrames = 6, kUseFrames = 6, kVanishFrames = 10;
constexpr double kAppearScale[kAppearFrames] = {0.25, 0.6, 1.0, 1.15, 1.04, 1.0};

void bubble(cairo_t* cr, double x, double y, double r) {
    if (r < 0.6) return;
    cairo_arc(cr, x, y, r, 0, 2 * kPi);
    cairo_set_source_rgba(cr, 0.86, 0.95, 1.0, 0.4);
    cairo_fill_preserve(cr);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.9);
    cairo_set_line_width(cr, std::min(1.2, r * 0.35));
    cairo_stroke(cr);
    cairo_arc(cr, x - r * 0.35, y - r * 0.35, std::max(0.5, r * 0.25), 0, 2 * kPi);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_fill(cr);
}

void handle(cairo_t* cr, double length) {
    const double ca = std::cos(kHandleAngle), sa = std::sin(kHandleAngle);
    const double x0 = ca * (kCollar - 3), y0 = sa * (kCollar - 3);
    const double x1 = ca * (kCollar + length), y1 = sa * (kCollar + length);
    cairo_move_to(cr, x0, y0);
    cairo_line_to(cr, x1, y1);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    setColour(cr, shade(kWood, 0.45));
    cairo_set_line_width(cr, kHandleWidth + 2 * kOutline);
    cairo_stroke(cr);
    cairo_move_to(cr, x0, y0);
    cairo_line_to(cr, x1, y1);
    setColour(cr, kWood);
    cairo_set_line_width(cr, kHandleWidth);
    cairo_stroke(cr);
    cairo_move_to(cr, x0 - sa * 1.8, y0 + ca * 1.8 - 1.5);  // light along the top
    cairo_line_to(cr, x1 - sa * 1.8, y1 + ca * 1.8 - 1.5);
    setColour(cr, shade(kWood, 1.3));
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    cairo_arc(cr, x1 - ca * 2, y1 - sa * 2, 1.5, 0, 2 * kPi);  // hanging hole
    setColour(cr, shade(kWood, 0.35));
    cairo_fill(cr);
}

// The head seen from above: a spiky fringe of bristles peeking out from
// under the blue back, trailing the scrubbing stroke (sx, sy).
void head(cairo_t* cr, double sx, double sy) {
    cairo_save(cr);
    cairo_rotate(cr, kHandleAngle);
    constexpr int kSpikes = 40;
    for (int k = 0; k <= kSpikes; ++k) {
        const double a = k * 2 * kPi / kSpikes, r = k % 2 ? 1.0 : 1.28;
        const double x = std::cos(a) * kCollar * r + sx * 0.5,
                     y = std::sin(a) * kTuft * r + sy * 0.5;
        if (k == 0)
            cairo_move_to(cr, x, y);
        else
            cairo_line_to(cr, x, y);
    }
    cairo_close_path(cr);
    fillShaded(cr, kBristle, 0, 0, kCollar * 1.2);
    ellipsePath(cr, 0, 0, kCollar, kTuft);
    fillShaded(cr, kBack, 0, 0, kCollar);
    ellipsePath(cr, 0, 0, kCollar - 4, kTuft - 4);  // the raised grip on the back
    setColour(cr, shade(kBack, 1.25));
    cairo_set_line_width(cr, 1.4);
    cairo_stroke(cr);
    cairo_restore(cr);
    gloss(cr, -5, -5, 5, 3, 0.75);
}

// The whole brush with its tuft at the origin.
void brush(cairo_t* cr, double handleLength, double sx, double sy) {
    handle(cr, handleLength);
    head(cr, sx, sy);
}

Picture boardFrame(double scale, int frame) {
    Canvas canvas(kBoardSize, kBoardSize);
    cairo_t* cr = canvas.cr();
    cairo_translate(cr, kBoardSize / 2.0, kBoardSize / 2.0);
    groundShadow(cr, 2, 20, 20 * std::min(1.0, scale), 5);
    cairo_save(cr);
    cairo_translate(cr, kBoardTuftX, kBoardTuftY);
    cairo_scale(cr, kBoardScale * scale, kBoardScale * scale);
    brush(cr, kBoardHandle, 0, 0);
    cairo_restore(cr);
    if (frame < 4) {  // a ring of bubbles bursting outward as it pops in
        for (int k = 0; k < 7; ++k) {
            const double a = k * 2 * kPi / 7 + 0.4, r = 10 + 5.5 * frame;
            bubble(cr, kBoardTuftX + std::cos(a) * r, kBoardTuftY + std::sin(a) * r,
                   3.2 - 0.7 * frame);
        }
    }
    return canvas.picture();
}

// Foam around the tuft in the hand; `phase` loops it.
void foam(cairo_t* cr, double phase, double spread, double grow) {
    static constexpr double kAngles[8] = {2.2, 2.9, 3.6, 1.5, 4.3, 0.9, 5.2, 3.2};
    static constexpr double kSizes[8] = {3.4, 2.4, 3.0, 2.0, 2.6, 1.8, 2.2, 1.6};
    for (int k = 0; k < 8; ++k) {
        const double w = 2 * kPi * phase + k * 1.3;
        const double r = (kCollar + 2 + (k % 3) * 3) * spread;
        bubble(cr, std::cos(kAngles[k]) * r + 1.2 * std::cos(w),
               std::sin(kAngles[k]) * r + 1.2 * std::sin(w),
               kSizes[k] * grow * (1 + 0.2 * std::sin(w)));
    }
}

// A hand frame: the brush at `scale` of its hand size (shrinking into the
// tuft), scrub offset and foam.
Picture handFrame(double scale, double phase, double spread, double grow) {
    Canvas canvas(kHandW, kHandH);
    cairo_t* cr = canvas.cr();
    cairo_translate(cr, kHandW / 2.0 + kHandTuftX, kHandH / 2.0 + kHandTuftY);
    const double sx = 2.2 * std::cos(2 * kPi * phase), sy = 1.6 * std::sin(2 * kPi * phase);
    if (scale > 0.05) {
        cairo_save(cr);
        cairo_translate(cr, sx, sy);
        cairo_scale(cr, kHandScale * scale, kHandScale * scale);
        brush(cr, kHandHandle, sx, sy);
        cairo_restore(cr);
    }
    foam(cr, phase, spread, grow);
    return canvas.picture();
}

void generate(std::vector<ArchiveOut>& out) {
    ArchiveOut& a = out.emplace_back("brush.lfl");
    for (int i = 0; i < kAppearFrames; ++i)
        a.addSpriteFrame("brush_appears", i + 1, boardFrame(kAppearScale[i], i));
    a.addSpriteFrame("brush_cursor", 1, handFrame(1, 0, 1, 1));
    for (int i = 0; i < kUseFrames; ++i)
        a.addSpriteFrame("brush_used", i + 1, handFrame(1, double(i) / kUseFrames, 1, 1));
    for (int i = 0; i < kVanishFrames; ++i) {
        const double t = double(i) / (kVanishFrames - 1);
        a.addSpriteFrame("brush_disappears", i + 1,
                         handFrame(std::pow(1 - t, 1.3), t * 0.5, 1 + 1.4 * t,
                                   1 + 0.8 * std::sin(kPi * t) - 0.5 * t));
    }
}

const Registration kReg("pieces_brush", generate);

}  // namespace
}  // namespace artgen::pieces
