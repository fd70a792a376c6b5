// chomp.lfl: a round purple eater that is mostly mouth and teeth. It chomps
// (ambient_b) while it eats and, once full, chews contentedly for ever
// (ambient_c).
#include <cmath>

#include "pieces/character.h"

namespace artgen::pieces {
namespace {

constexpr double kPi = 3.14159265358979323846;
const Rgb kBody = hex(0x9A5AE6);
const Rgb kInside = hex(0x4A0E2A);
const Rgb kTooth = hex(0xFFFFF4);
constexpr double kRadius = 21, kCentreY = 0.5;
constexpr double kMouthY = 6, kMouthW = 15;
constexpr double kChomps[3] = {1.0, 0.45, 0.05};  // open, closing, shut
constexpr int kChewFrames = 5;

FaceLayout chompFace() {
    FaceLayout f;
    f.eyeY = -10;
    f.eyeGap = 7;
    f.eyeRX = 4;
    f.eyeRY = 4.6;
    f.skin = kBody;
    f.ink = shade(kBody, 0.3);
    return f;
}

void teeth(cairo_t* cr, double y, double dir, double w, int n) {
    for (int k = 0; k < n; ++k) {
        const double x0 = -w + 2 * w * k / n, x1 = x0 + 2 * w / n;
        cairo_move_to(cr, x0, y);
        cairo_line_to(cr, (x0 + x1) / 2, y + dir * 6);
        cairo_line_to(cr, x1, y);
        cairo_close_path(cr);
    }
    setColour(cr, kTooth);
    cairo_fill_preserve(cr);
    setColour(cr, shade(kBody, 0.35));
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
}

// The big mouth, `open` 0 (teeth meeting) to 1 (wide).
void mouth(cairo_t* cr, double open) {
    const double half = 1.5 + 7.5 * open;
    auto path = [&] {
        cairo_move_to(cr, -kMouthW, kMouthY - 1);
        cairo_curve_to(cr, -kMouthW * 0.6, kMouthY - half, kMouthW * 0.6, kMouthY - half, kMouthW,
                       kMouthY - 1);
        cairo_curve_to(cr, kMouthW * 0.7, kMouthY + half + 3, -kMouthW * 0.7, kMouthY + half + 3,
                       -kMouthW, kMouthY - 1);
        cairo_close_path(cr);
    };
    path();
    setColour(cr, kInside);
    cairo_fill(cr);
    cairo_save(cr);
    path();
    cairo_clip(cr);
    ellipsePath(cr, 0, kMouthY + half * 0.6 + 1, 7, 3.5);
    setColour(cr, hex(0xF06A8A));
    cairo_fill(cr);
    teeth(cr, kMouthY - 1 - half * 0.75 - 1, 1, kMouthW, 5);
    teeth(cr, kMouthY - 1 + (half + 4) * 0.75 + 1, -1, kMouthW * 0.75, 4);
    cairo_restore(cr);
    path();
    setColour(cr, shade(kBody, 0.3));
    cairo_set_line_width(cr, 1.4);
    cairo_stroke(cr);
}

void drawChomp(cairo_t* cr, const Pose& p) {
    cairo_arc(cr, 0, kCentreY, kRadius, 0, 2 * kPi);
    fillShaded(cr, kBody, 0, kCentreY, kRadius);
    gloss(cr, -11, -10, 4, 3, 0.6);
    const FaceLayout f = chompFace();
    drawEye(cr, f, p.face, -f.eyeGap, true);
    drawEye(cr, f, p.face, f.eyeGap, false);
    if (p.face.mood == Mood::Chew) {  // cheeks full, lips pressed together
        for (int side = -1; side <= 1; side += 2) {
            ellipsePath(cr, side * 13, 5, 3.2, 2);
            setColour(cr, hex(0xFF7FA8), 0.55);
            cairo_fill(cr);
        }
        cairo_move_to(cr, -8, 8);
        for (int k = 1; k <= 8; ++k)
            cairo_line_to(cr, -8 + 2 * k, 8 + (k % 2 ? -1.6 : 0) * (1 + p.face.mouthOpen));
        setColour(cr, f.ink);
        cairo_set_line_width(cr, 1.6);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_stroke(cr);
    } else {
        mouth(cr, p.face.mouthOpen);
    }
}

std::vector<Pose> chompPoses(const Pose& rest) {
    std::vector<Pose> poses(3, rest);
    for (int i = 0; i < 3; ++i) {
        poses[i].face.mouthOpen = kChomps[i];
        poses[i].squash = 0.06 * (0.5 - kChomps[i]);
        poses[i].face.lookY = -0.3;
    }
    return poses;
}

std::vector<Pose> chewPoses(const Pose& rest) {
    std::vector<Pose> poses(kChewFrames, rest);
    for (int i = 0; i < kChewFrames; ++i) {
        poses[i].face.mood = Mood::Chew;
        poses[i].face.mouthOpen = cycleBump(i, kChewFrames);
        poses[i].squash = 0.06 * cycleSin(i, kChewFrames);
    }
    return poses;
}

void generate(std::vector<ArchiveOut>& out) {
    ArchiveOut& a = out.emplace_back("chomp.lfl");
    Character c;
    c.groundY = kCentreY + kRadius;
    c.shadowRX = 19;
    c.body = drawChomp;
    Pose rest;
    rest.face.mouthOpen = 0.2;
    addPoses(a, "chomp_ambient_a", c, {rest});
    addPoses(a, "chomp_ambient_b", c, chompPoses(rest));
    addPoses(a, "chomp_ambient_c", c, chewPoses(rest));
    addPoses(a, "chomp_selected", c, {selectedPose(rest)});
}

const Registration kReg("pieces_chomp", generate);

}  // namespace
}  // namespace artgen::pieces
