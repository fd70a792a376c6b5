// pear.lfl: a green-yellow pear with a stalk and a blush; its long idle is
// a little shimmy that loops.
#include "pieces/character.h"

namespace artgen::pieces {
namespace {

const Rgb kPear = hex(0xB4D83A);
const Rgb kStalk = hex(0x6B4222);
constexpr double kBottom = 21;
constexpr int kShimmyFrames = 5;

void pearPath(cairo_t* cr) {
    cairo_move_to(cr, 0, -19);
    cairo_curve_to(cr, 6, -19, 8, -14, 8.5, -9);
    cairo_curve_to(cr, 9, -4, 19, -2, 19, 8);
    cairo_curve_to(cr, 19, 17, 10, kBottom, 0, kBottom);
    cairo_curve_to(cr, -10, kBottom, -19, 17, -19, 8);
    cairo_curve_to(cr, -19, -2, -9, -4, -8.5, -9);
    cairo_curve_to(cr, -8, -14, -6, -19, 0, -19);
    cairo_close_path(cr);
}

void stalk(cairo_t* cr) {
    cairo_move_to(cr, 0, -18);
    cairo_curve_to(cr, 0, -21, 1.2, -22.5, 3, -24);
    setColour(cr, kStalk);
    cairo_set_line_width(cr, 2.4);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
}

FaceLayout pearFace() {
    FaceLayout f;
    f.eyeY = 3;
    f.eyeGap = 7;
    f.eyeRX = 4;
    f.eyeRY = 4.9;
    f.mouthY = 13;
    f.mouthW = 5.5;
    f.skin = kPear;
    f.ink = shade(hex(0x4A6A10), 0.6);
    return f;
}

void drawPear(cairo_t* cr, const Pose& p) {
    pearPath(cr);
    fillShaded(cr, kPear, 0, 2, 21);
    ellipsePath(cr, 9, 10, 6, 5);  // sun-side blush
    setColour(cr, hex(0xF0A040), 0.35);
    cairo_fill(cr);
    gloss(cr, -9, 1, 3.5, 6, 0.6);
    stalk(cr);
    drawFace(cr, pearFace(), p.face);
}

std::vector<Pose> shimmyPoses(const Pose& rest) {
    std::vector<Pose> poses(kShimmyFrames, rest);
    for (int i = 0; i < kShimmyFrames; ++i) {
        poses[i].shiftX = 1.6 * cycleSin(i, kShimmyFrames);
        poses[i].squash = 0.05 * cycleSin(i, kShimmyFrames, 2);
        poses[i].face.mouthOpen = 0.45;
        poses[i].face.eyeOpen = 0;
    }
    return poses;
}

void generate(std::vector<ArchiveOut>& out) {
    ArchiveOut& a = out.emplace_back("pear.lfl");
    Character c;
    c.groundY = kBottom;
    c.shadowRX = 16;
    c.body = drawPear;
    const Pose rest;
    addPoses(a, "pear_ambient_a", c, {rest});
    addPoses(a, "pear_ambient_b", c, blinkPoses(rest));
    addPoses(a, "pear_ambient_c", c, shimmyPoses(rest));
    addLooks(a, "pear", c, rest);
    addSelectedShock(a, "pear", c, rest);
}

const Registration kReg("pieces_pear", generate);

}  // namespace
}  // namespace artgen::pieces
