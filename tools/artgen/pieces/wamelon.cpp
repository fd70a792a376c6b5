// wamelon.lfl: a round striped watermelon; its long idle is a double
// bounce that loops.
#include <cmath>

#include "pieces/character.h"

namespace artgen::pieces {
namespace {

const Rgb kRind = hex(0x5FC24A);
const Rgb kStripe = hex(0x2E7D2A);
constexpr double kRX = 22.5, kRY = 20;
constexpr int kBounceFrames = 17;

void stripes(cairo_t* cr) {
    cairo_save(cr);
    ellipsePath(cr, 0, 0, kRX, kRY);
    cairo_clip(cr);
    for (int k = -3; k <= 3; ++k) {
        for (int i = 0; i <= 20; ++i) {
            const double y = -kRY + 2 * kRY * i / 20.0;
            const double span = std::sqrt(std::max(0.0, 1 - (y / kRY) * (y / kRY)));
            const double x = k * 6.8 * span + std::sin(i * 1.3 + k) * 1.1;
            if (i == 0)
                cairo_move_to(cr, x, y);
            else
                cairo_line_to(cr, x, y);
        }
        setColour(cr, kStripe);
        cairo_set_line_width(cr, 3.0 - std::abs(k) * 0.35);
        cairo_stroke(cr);
    }
    cairo_restore(cr);
}

FaceLayout melonFace() {
    FaceLayout f;
    f.eyeY = -2;
    f.eyeGap = 8;
    f.mouthY = 9;
    f.mouthW = 6.5;
    f.skin = kRind;
    f.ink = hex(0x143A12);
    return f;
}

void drawMelon(cairo_t* cr, const Pose& p) {
    ellipsePath(cr, 0, 0, kRX, kRY);
    cairo_pattern_t* g = cairo_pattern_create_radial(-8, -8, 0, 0, 0, kRX * 1.2);
    const Rgb hi = shade(kRind, 1.3), lo = shade(kRind, 0.75);
    cairo_pattern_add_color_stop_rgb(g, 0, hi.r, hi.g, hi.b);
    cairo_pattern_add_color_stop_rgb(g, 1, lo.r, lo.g, lo.b);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    stripes(cr);
    ellipsePath(cr, 0, 0, kRX, kRY);
    setColour(cr, shade(kStripe, 0.6));
    cairo_set_line_width(cr, kOutline);
    cairo_stroke(cr);
    gloss(cr, -11, -9, 4, 5, 0.55);
    drawFace(cr, melonFace(), p.face);
}

std::vector<Pose> bouncePoses(const Pose& rest) {
    std::vector<Pose> poses(kBounceFrames, rest);
    for (int i = 0; i < kBounceFrames; ++i) {
        const double s = cycleSin(i, kBounceFrames, 2);
        poses[i].squash = 0.08 * s;
        poses[i].lift = s < 0 ? -3 * s : 0;
        poses[i].face.mouthOpen = s < 0 ? 0.6 : 0.2;
    }
    return poses;
}

void generate(std::vector<ArchiveOut>& out) {
    ArchiveOut& a = out.emplace_back("wamelon.lfl");
    Character c;
    c.groundY = kRY;
    c.shadowRX = 20;
    c.body = drawMelon;
    const Pose rest;
    addPoses(a, "wamelon_ambient_a", c, {rest});
    addPoses(a, "wamelon_ambient_b", c, blinkPoses(rest));
    addPoses(a, "wamelon_ambient_c", c, bouncePoses(rest));
    addLooks(a, "wamelon", c, rest);
    addSelectedShock(a, "wamelon", c, rest);
}

const Registration kReg("pieces_wamelon", generate);

}  // namespace
}  // namespace artgen::pieces
