// banana.lfl: a curved yellow banana with brown tips, face in the middle
// of the curve; its long idle is a quick wiggle that loops.
#include "pieces/character.h"

namespace artgen::pieces {
namespace {

const Rgb kBanana = hex(0xFFD83A);
const Rgb kTip = hex(0x6B4A22);
constexpr double kBottom = 19;
constexpr int kWiggleFrames = 5;
constexpr double kWiggleTilt = 0.1;

void bananaPath(cairo_t* cr) {
    cairo_move_to(cr, -23, -13);
    cairo_curve_to(cr, -21, 8, -9, kBottom, 0, kBottom);
    cairo_curve_to(cr, 9, kBottom, 21, 8, 23, -13);
    cairo_curve_to(cr, 22, -14, 20, -14, 19.5, -13);
    cairo_curve_to(cr, 16, -2, 8, -2, 0, -2);
    cairo_curve_to(cr, -8, -2, -16, -2, -19.5, -13);
    cairo_curve_to(cr, -20, -14, -22, -14, -23, -13);
    cairo_close_path(cr);
}

void tips(cairo_t* cr) {
    ellipsePath(cr, -21.3, -13.3, 2.3, 1.6);
    setColour(cr, kTip);
    cairo_fill(cr);
    cairo_move_to(cr, 21.3, -13);
    cairo_curve_to(cr, 21.5, -16, 22.5, -18, 24.5, -19.5);
    setColour(cr, shade(kTip, 0.8));
    cairo_set_line_width(cr, 3.2);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
}

void ridge(cairo_t* cr) {
    cairo_move_to(cr, -19, -6);
    cairo_curve_to(cr, -15, 12, 15, 12, 19, -6);
    setColour(cr, shade(kBanana, 1.35), 0.8);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
}

FaceLayout bananaFace() {
    FaceLayout f;
    f.eyeY = 5;
    f.eyeGap = 6;
    f.eyeRX = 3.5;
    f.eyeRY = 4.2;
    f.mouthY = 12.5;
    f.mouthW = 4.5;
    f.skin = kBanana;
    f.ink = shade(hex(0x9A6A00), 0.5);
    return f;
}

void drawBanana(cairo_t* cr, const Pose& p) {
    bananaPath(cr);
    fillShaded(cr, kBanana, 0, 4, 22);
    ridge(cr);
    tips(cr);
    drawFace(cr, bananaFace(), p.face);
}

std::vector<Pose> wigglePoses(const Pose& rest) {
    std::vector<Pose> poses(kWiggleFrames, rest);
    for (int i = 0; i < kWiggleFrames; ++i) {
        poses[i].tilt = kWiggleTilt * cycleSin(i, kWiggleFrames);
        poses[i].face.mouthOpen = 0.5;
        poses[i].face.lookX = cycleSin(i, kWiggleFrames) * 0.6;
    }
    return poses;
}

void generate(std::vector<ArchiveOut>& out) {
    ArchiveOut& a = out.emplace_back("banana.lfl");
    Character c;
    c.groundY = kBottom;
    c.shadowRX = 15;
    c.body = drawBanana;
    const Pose rest;
    addPoses(a, "banana_ambient_a", c, {rest});
    addPoses(a, "banana_ambient_b", c, blinkPoses(rest));
    addPoses(a, "banana_ambient_c", c, wigglePoses(rest));
    addLooks(a, "banana", c, rest);
    addSelectedShock(a, "banana", c, rest);
}

const Registration kReg("pieces_banana", generate);

}  // namespace
}  // namespace artgen::pieces
