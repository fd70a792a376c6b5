// orange.lfl: a round, dimpled orange with a small green calyx; its long
// idle is a happy humming sway.
#include <cmath>

#include "pieces/character.h"

namespace artgen::pieces {
namespace {

const Rgb kOrange = hex(0xFF9418);
const Rgb kCalyx = hex(0x4FA83A);
constexpr double kRadius = 21;
constexpr int kSwayFrames = 32;
constexpr double kSwayTilt = 0.16;
constexpr int kDimples = 26;

void dimples(cairo_t* cr) {
    Scatter s(0x0ABC1);
    for (int i = 0; i < kDimples; ++i) {
        const double a = s.next() * 6.2832, r = std::sqrt(s.next()) * (kRadius - 3);
        const double x = std::cos(a) * r, y = std::sin(a) * r;
        if (std::fabs(y + 1) < 11 && std::fabs(x) < 14) continue;  // keep the face clear
        cairo_arc(cr, x, y, 0.9, 0, 6.2832);
        setColour(cr, shade(kOrange, 0.78), 0.7);
        cairo_fill(cr);
    }
}

void calyx(cairo_t* cr) {
    cairo_move_to(cr, 0, -kRadius - 1.5);
    for (int i = 0; i < 10; ++i) {
        const double a = -1.5708 + i * 0.6283;
        const double r = i % 2 ? 2.2 : 5.0;
        cairo_line_to(cr, std::cos(a) * r, -kRadius + 1.5 + std::sin(a) * r * 0.7);
    }
    cairo_close_path(cr);
    fillShaded(cr, kCalyx, 0, -kRadius + 1, 5);
    cairo_move_to(cr, 0, -kRadius + 0.5);
    cairo_line_to(cr, 0.8, -kRadius - 3.5);
    setColour(cr, shade(kCalyx, 0.5));
    cairo_set_line_width(cr, 1.8);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
}

FaceLayout orangeFace() {
    FaceLayout f;
    f.eyeY = -3;
    f.eyeGap = 7.5;
    f.mouthY = 8.5;
    f.mouthW = 6;
    f.skin = kOrange;
    f.ink = shade(kOrange, 0.3);
    return f;
}

void drawOrange(cairo_t* cr, const Pose& p) {
    cairo_arc(cr, 0, 0, kRadius, 0, 6.2832);
    fillShaded(cr, kOrange, 0, 0, kRadius);
    dimples(cr);
    gloss(cr, -10, -9, 4, 5, 0.65);
    calyx(cr);
    drawFace(cr, orangeFace(), p.face);
}

// Eyes shut, humming, swaying twice from side to side.
std::vector<Pose> swayPoses(const Pose& rest) {
    std::vector<Pose> poses(kSwayFrames, rest);
    for (int i = 0; i < kSwayFrames; ++i) {
        Pose& p = poses[i];
        const double ease = std::sin(3.14159265 * i / (kSwayFrames - 1));  // from and to rest
        p.tilt = kSwayTilt * ease * cycleSin(i, kSwayFrames - 1, 2);
        p.shiftX = 1.5 * ease * cycleSin(i, kSwayFrames - 1, 2);
        const bool humming = i >= 2 && i < kSwayFrames - 2;
        p.face.eyeOpen = humming ? 0 : 1;
        p.face.mouthOpen = humming ? 0.15 + 0.25 * std::fabs(cycleSin(i, kSwayFrames, 4)) : 0;
    }
    return poses;
}

void generate(std::vector<ArchiveOut>& out) {
    ArchiveOut& a = out.emplace_back("orange.lfl");
    const Character c = orangeCharacter();
    const Pose rest;
    addPoses(a, "orange_ambient_a", c, {rest});
    addPoses(a, "orange_ambient_b", c, blinkPoses(rest));
    addPoses(a, "orange_ambient_c", c, swayPoses(rest));
    addLooks(a, "orange", c, rest);
    addSelectedShock(a, "orange", c, rest);
}

const Registration kReg("pieces_orange", generate);

}  // namespace

Character orangeCharacter() {
    Character c;
    c.groundY = kRadius;
    c.body = drawOrange;
    return c;
}

}  // namespace artgen::pieces
