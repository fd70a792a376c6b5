// apple.lfl: a round red apple with a notch, stalk and leaf; it hops for
// its long idle, and its "eaten" picture is a bitten core.
#include "pieces/character.h"

namespace artgen::pieces {
namespace {

const Rgb kRed = hex(0xE8302C);
const Rgb kFlesh = hex(0xFFF2C8);
const Rgb kStalk = hex(0x6B4222);
const Rgb kLeaf = hex(0x5CC23A);
constexpr int kHopFrames = 11;

void applePath(cairo_t* cr) {
    cairo_move_to(cr, 0, -14);
    cairo_curve_to(cr, 4, -20, 14, -21, 19, -13);
    cairo_curve_to(cr, 23.5, -6, 22.5, 8, 16, 15);
    cairo_curve_to(cr, 11, 20.5, 5, 21, 0, 18.5);
    cairo_curve_to(cr, -5, 21, -11, 20.5, -16, 15);
    cairo_curve_to(cr, -22.5, 8, -23.5, -6, -19, -13);
    cairo_curve_to(cr, -14, -21, -4, -20, 0, -14);
    cairo_close_path(cr);
}

void stalkAndLeaf(cairo_t* cr) {
    cairo_move_to(cr, 0, -13);
    cairo_curve_to(cr, 0, -18, 1, -21, 3, -24);
    setColour(cr, shade(kStalk, 0.6));
    cairo_set_line_width(cr, 3.4);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke_preserve(cr);
    setColour(cr, kStalk);
    cairo_set_line_width(cr, 1.8);
    cairo_stroke(cr);
    cairo_move_to(cr, 2.5, -19.5);
    cairo_curve_to(cr, 5, -25, 11, -26, 15, -23.5);
    cairo_curve_to(cr, 12, -18.5, 6, -17.5, 2.5, -19.5);
    cairo_close_path(cr);
    fillShaded(cr, kLeaf, 9, -22, 7);
    cairo_move_to(cr, 3.5, -19.8);
    cairo_line_to(cr, 12.5, -23.2);
    setColour(cr, shade(kLeaf, 0.55));
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
}

FaceLayout appleFace() {
    FaceLayout f;
    f.eyeY = -3;
    f.eyeGap = 7.5;
    f.mouthY = 9;
    f.mouthW = 6;
    f.skin = kRed;
    f.ink = shade(kRed, 0.32);
    return f;
}

void drawApple(cairo_t* cr, const Pose& p) {
    applePath(cr);
    fillShaded(cr, kRed, 0, 0, 22);
    gloss(cr, -11, -8, 3.5, 5.5, 0.7);
    stalkAndLeaf(cr);
    drawFace(cr, appleFace(), p.face);
}

// The core left after a good meal: red caps, bitten flesh, seeds.
void drawCore(cairo_t* cr, const Pose&) {
    cairo_move_to(cr, -15, -11);
    cairo_curve_to(cr, -7, -8, -8, -2, -7, 2);
    cairo_curve_to(cr, -8, 7, -7, 10, -13, 14);
    cairo_line_to(cr, 13, 14);
    cairo_curve_to(cr, 7, 10, 8, 7, 7, 2);
    cairo_curve_to(cr, 8, -2, 7, -8, 15, -11);
    cairo_close_path(cr);
    fillShaded(cr, kFlesh, 0, 0, 14);
    for (int side = -1; side <= 1; side += 2) {  // seeds
        ellipsePath(cr, side * 2.2, 1, 1.3, 2.4);
        setColour(cr, hex(0x4A2A14));
        cairo_fill(cr);
    }
    cairo_move_to(cr, -16, -12);
    cairo_curve_to(cr, -14, -20, 14, -20, 16, -12);
    cairo_curve_to(cr, 8, -9, -8, -9, -16, -12);
    cairo_close_path(cr);
    fillShaded(cr, kRed, 0, -14, 14);
    cairo_move_to(cr, -14, 14);
    cairo_curve_to(cr, -6, 12, 6, 12, 14, 14);
    cairo_curve_to(cr, 12, 20, -12, 20, -14, 14);
    cairo_close_path(cr);
    fillShaded(cr, kRed, 0, 16, 12);
    cairo_translate(cr, 0, 4);
    stalkAndLeaf(cr);
}

std::vector<Pose> hopPoses(const Pose& rest) {
    constexpr double kLift[kHopFrames] = {0, 1.5, 2.5, 3.2, 3.5, 3.2, 2.5, 1.5, 0, 0, 0};
    constexpr double kSquash[kHopFrames] = {0.12,  -0.08, -0.06, -0.03, 0, 0,
                                            -0.03, -0.06, 0.14,  0.05,  0};
    std::vector<Pose> poses(kHopFrames, rest);
    for (int i = 0; i < kHopFrames; ++i) {
        poses[i].lift = kLift[i];
        poses[i].squash = kSquash[i];
        poses[i].face.mouthOpen = kLift[i] > 0 ? 0.6 : 0;
        poses[i].face.eyeOpen = kLift[i] > 3 ? 0 : 1;
    }
    return poses;
}

void generate(std::vector<ArchiveOut>& out) {
    ArchiveOut& a = out.emplace_back("apple.lfl");
    Character c;
    c.groundY = 20;
    c.body = drawApple;
    const Pose rest;
    addPoses(a, "apple_ambient_a", c, {rest});
    addPoses(a, "apple_ambient_b", c, blinkPoses(rest));
    addPoses(a, "apple_ambient_c", c, hopPoses(rest));
    addLooks(a, "apple", c, rest);
    Character core = c;
    core.body = drawCore;
    core.shadowRX = 13;
    addPoses(a, "apple_eaten", core, {rest});
    addSelectedShock(a, "apple", c, rest);
}

const Registration kReg("pieces_apple", generate);

}  // namespace
}  // namespace artgen::pieces
