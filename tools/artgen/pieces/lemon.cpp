// lemon.lfl: a yellow oval lying on its side with pointed tips; its long
// idle is a sour pucker and shiver.
#include <cmath>

#include "pieces/character.h"

namespace artgen::pieces {
namespace {

const Rgb kLemon = hex(0xFFE03A);
constexpr double kHalfW = 25, kHalfH = 16;
constexpr int kSourFrames = 36;
constexpr int kSourIn = 4;  // frames to screw the face up, and to relax it

void lemonPath(cairo_t* cr) {
    cairo_move_to(cr, -kHalfW, 0);
    cairo_curve_to(cr, -kHalfW + 3, -3, -21, -kHalfH, -6, -kHalfH);
    cairo_curve_to(cr, 2, -kHalfH - 0.5, 18, -kHalfH + 1, 21.5, -4);
    cairo_curve_to(cr, 22.5, -2.5, 23.5, -1, kHalfW, 0);
    cairo_curve_to(cr, 23.5, 1, 22.5, 2.5, 21.5, 4);
    cairo_curve_to(cr, 18, kHalfH - 1, 2, kHalfH + 0.5, -6, kHalfH);
    cairo_curve_to(cr, -21, kHalfH, -kHalfW + 3, 3, -kHalfW, 0);
    cairo_close_path(cr);
}

void pores(cairo_t* cr) {
    Scatter s(0x1E707);
    for (int i = 0; i < 18; ++i) {
        const double x = (s.next() * 2 - 1) * 18, y = (s.next() * 2 - 1) * 11;
        if (std::fabs(x) < 13) continue;  // keep the face clear
        cairo_arc(cr, x, y, 0.7, 0, 6.2832);
        setColour(cr, shade(kLemon, 0.8), 0.8);
        cairo_fill(cr);
    }
}

FaceLayout lemonFace() {
    FaceLayout f;
    f.eyeY = -3.5;
    f.eyeGap = 7;
    f.eyeRX = 4;
    f.eyeRY = 4.8;
    f.mouthY = 7.5;
    f.mouthW = 5.5;
    f.skin = kLemon;
    f.ink = shade(hex(0xA06A00), 0.55);
    return f;
}

void drawLemon(cairo_t* cr, const Pose& p) {
    lemonPath(cr);
    fillShaded(cr, kLemon, 0, 0, kHalfW);
    pores(cr);
    gloss(cr, -9, -8, 6, 3, 0.7);
    drawFace(cr, lemonFace(), p.face);
}

// Screws its face up, shivers, and relaxes again.
std::vector<Pose> sourPoses(const Pose& rest) {
    std::vector<Pose> poses(kSourFrames, rest);
    for (int i = 0; i < kSourFrames; ++i) {
        Pose& p = poses[i];
        const bool sour = i >= kSourIn / 2 && i < kSourFrames - kSourIn / 2;
        const bool shiver = i >= kSourIn && i < kSourFrames - kSourIn;
        if (sour) p.face.mood = Mood::Sour;
        p.squash = sour ? -0.05 : 0;
        p.shiftX = shiver ? (i % 2 ? 0.9 : -0.9) : 0;
    }
    return poses;
}

void generate(std::vector<ArchiveOut>& out) {
    ArchiveOut& a = out.emplace_back("lemon.lfl");
    Character c;
    c.groundY = kHalfH;
    c.shadowRX = 22;
    c.glowRadius = 26;
    c.body = drawLemon;
    const Pose rest;
    addPoses(a, "lemon_ambient_a", c, {rest});
    addPoses(a, "lemon_ambient_b", c, blinkPoses(rest));
    addPoses(a, "lemon_ambient_c", c, sourPoses(rest));
    addLooks(a, "lemon", c, rest);
    addSelectedShock(a, "lemon", c, rest);
}

const Registration kReg("pieces_lemon", generate);

}  // namespace
}  // namespace artgen::pieces
