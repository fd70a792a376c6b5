// choco.lfl: a square of milk chocolate with a sleepy face. Its long
// idles are slow: a big yawn (ambient_c) and nodding off with a rising
// "z" (ambient_d, also its fading-away animation).
#include <cmath>

#include "pieces/character.h"

namespace artgen::pieces {
namespace {

const Rgb kChoco = hex(0x8A5430);
constexpr double kHalf = 19.5, kCorner = 6, kCentreY = 1.5;
constexpr int kYawnFrames = 22;
constexpr int kNodFrames = 21;

void roundedSquare(cairo_t* cr, double half, double corner, double cy) {
    const double l = -half, r = half, t = cy - half, b = cy + half;
    cairo_new_sub_path(cr);
    cairo_arc(cr, r - corner, t + corner, corner, -1.5708, 0);
    cairo_arc(cr, r - corner, b - corner, corner, 0, 1.5708);
    cairo_arc(cr, l + corner, b - corner, corner, 1.5708, 3.1416);
    cairo_arc(cr, l + corner, t + corner, corner, 3.1416, 4.7124);
    cairo_close_path(cr);
}

// The raised top of the square, lit from the upper left.
void bevel(cairo_t* cr) {
    roundedSquare(cr, kHalf - 4, kCorner - 2, kCentreY);
    setColour(cr, shade(kChoco, 1.12));
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);
    cairo_move_to(cr, -kHalf + 4, kCentreY + kHalf - 4);
    cairo_line_to(cr, kHalf - 4, kCentreY + kHalf - 4);
    cairo_line_to(cr, kHalf - 4, kCentreY - kHalf + 4);
    setColour(cr, shade(kChoco, 0.68));
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
}

FaceLayout chocoFace() {
    FaceLayout f;
    f.eyeY = -2;
    f.eyeGap = 7.5;
    f.mouthY = 9;
    f.mouthW = 6;
    f.skin = kChoco;
    f.ink = shade(kChoco, 0.3);
    f.cheeks = false;
    return f;
}

// A small "z" with a dark rim, so it reads on the board.
void zed(cairo_t* cr, double x, double y, double size) {
    cairo_move_to(cr, x - size, y - size);
    cairo_line_to(cr, x + size, y - size);
    cairo_line_to(cr, x - size, y + size);
    cairo_line_to(cr, x + size, y + size);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    setColour(cr, hex(0x2A3A6A));
    cairo_set_line_width(cr, 3.0);
    cairo_stroke_preserve(cr);
    setColour(cr, hex(0xFFFFFF));
    cairo_set_line_width(cr, 1.4);
    cairo_stroke(cr);
}

void drawChoco(cairo_t* cr, const Pose& p) {
    roundedSquare(cr, kHalf, kCorner, kCentreY);
    fillShaded(cr, kChoco, 0, kCentreY, kHalf * 1.2);
    bevel(cr);
    gloss(cr, -10, -10, 5, 2.5, 0.4);
    drawFace(cr, chocoFace(), p.face);
    if (p.phase > 0) {  // nodding off: z's drift up and away
        for (int k = 0; k < 2; ++k) {
            const double t = std::fmod(p.phase + k * 0.5, 1.0);
            zed(cr, 11 + t * 8, -16 - t * 8, 1.8 + t * 1.4);
        }
    }
}

// Opens wide, eyes shut, and settles back.
std::vector<Pose> yawnPoses(const Pose& rest) {
    std::vector<Pose> poses(kYawnFrames, rest);
    for (int i = 0; i < kYawnFrames; ++i) {
        const double y = std::pow(std::sin(3.14159265 * i / (kYawnFrames - 1)), 2);
        Pose& p = poses[i];
        p.face.mouthOpen = y;
        p.face.eyeOpen = 1 - y;
        p.squash = -0.08 * y;
        p.tilt = -0.05 * y;
    }
    return poses;
}

// Slumps asleep, z's rising, then starts awake.
std::vector<Pose> nodPoses(const Pose& rest) {
    std::vector<Pose> poses(kNodFrames, rest);
    for (int i = 0; i < kNodFrames; ++i) {
        const double t = double(i) / kNodFrames;
        Pose& p = poses[i];
        p.face.eyeOpen = i < 2 || i == kNodFrames - 1 ? 0.6 : 0;
        p.squash = 0.07 * std::sin(3.14159265 * t);
        p.tilt = 0.06 * std::sin(3.14159265 * t);
        p.phase = i == 0 ? 0 : 0.001 + t;
    }
    return poses;
}

void generate(std::vector<ArchiveOut>& out) {
    ArchiveOut& a = out.emplace_back("choco.lfl");
    Character c;
    c.groundY = kCentreY + kHalf;
    c.shadowRX = 21;
    c.body = drawChoco;
    Pose rest;
    rest.face.mood = Mood::Sleepy;
    addRestBlinkLooks(a, "choco", c, rest, false);
    addPoses(a, "choco_ambient_c", c, yawnPoses(rest));
    addPoses(a, "choco_ambient_d", c, nodPoses(rest));
    addPoses(a, "choco_selected", c, {selectedPose(rest)});
}

const Registration kReg("pieces_choco", generate);

}  // namespace
}  // namespace artgen::pieces
