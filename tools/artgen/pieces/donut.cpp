// donut.lfl: a ring donut with pink icing and sprinkles. It rolls to the
// left (the sprinkles and the icing's drips turn with it), chomps while it
// eats, and sees stars after a roll.
#include <cmath>

#include "pieces/character.h"

namespace artgen::pieces {
namespace {

constexpr double kPi = 3.14159265358979323846;
const Rgb kDough = hex(0xE2A460);
const Rgb kIcing = hex(0xFF7EB6);
constexpr double kOuter = 21.5, kHole = 6.5, kIcingOuter = 18.5, kIcingInner = 8.5;
constexpr int kDrips = 7;
constexpr int kSprinkles = 16;
constexpr int kRollFrames = 10, kChompFrames = 10, kDizzyFrames = 3;
const Rgb kSprinkleColours[5] = {hex(0xFFF27A), hex(0x5EC8FF), hex(0xFFFFFF), hex(0x7BE05A),
                                 hex(0xB07CFF)};

void ring(cairo_t* cr, double outer, double inner) {
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    cairo_arc(cr, 0, 0, outer, 0, 2 * kPi);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, inner, 0, 2 * kPi);
}

// The icing's outer edge wobbles into drips; `turn` rotates it as it rolls.
void icing(cairo_t* cr, double turn) {
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    for (int i = 0; i <= 84; ++i) {
        const double a = i * 2 * kPi / 84;
        const double r = kIcingOuter + 1.6 * std::sin(kDrips * (a - turn));
        const double x = std::cos(a) * r, y = std::sin(a) * r;
        if (i == 0)
            cairo_move_to(cr, x, y);
        else
            cairo_line_to(cr, x, y);
    }
    cairo_close_path(cr);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, kIcingInner, 0, 2 * kPi);
    fillShaded(cr, kIcing, 0, 0, kOuter);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
}

void sprinkles(cairo_t* cr, double turn) {
    Scatter s(0xD0717);
    for (int i = 0; i < kSprinkles; ++i) {
        const double a = i * 2 * kPi / kSprinkles + s.next() * 0.3 + turn;
        const double r = kIcingInner + 2.5 + s.next() * 6.5;
        const double along = s.next() * kPi + turn;
        const double x = std::cos(a) * r, y = std::sin(a) * r;
        const double hx = std::cos(along) * 1.8, hy = std::sin(along) * 1.8;
        if (std::fabs(x) < 13 && (y < -7 || y > 8)) continue;  // keep the face clear
        cairo_move_to(cr, x - hx, y - hy);
        cairo_line_to(cr, x + hx, y + hy);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        setColour(cr, shade(kSprinkleColours[i % 5], 0.55));
        cairo_set_line_width(cr, 2.4);
        cairo_stroke_preserve(cr);
        setColour(cr, kSprinkleColours[i % 5]);
        cairo_set_line_width(cr, 1.4);
        cairo_stroke(cr);
    }
}

FaceLayout donutFace() {
    FaceLayout f;
    f.eyeY = -13.5;
    f.eyeGap = 7;
    f.eyeRX = 3.6;
    f.eyeRY = 4.2;
    f.mouthY = 13.2;
    f.mouthW = 5;
    f.skin = kIcing;
    f.ink = shade(hex(0x8A2050), 0.6);
    f.cheeks = false;
    return f;
}

void drawDonut(cairo_t* cr, const Pose& p) {
    const double turn = -p.phase * 2 * kPi;  // rolling left turns it anticlockwise
    ring(cr, kOuter, kHole);
    fillShaded(cr, kDough, 0, 0, kOuter);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    icing(cr, turn);
    sprinkles(cr, turn);
    gloss(cr, -10, -9, 3.5, 2.5, 0.8);
    drawFace(cr, donutFace(), p.face);
}

std::vector<Pose> rollPoses(const Pose& rest) {
    std::vector<Pose> poses(kRollFrames, rest);
    for (int i = 0; i < kRollFrames; ++i) {
        Pose& p = poses[i];
        p.phase = double(i) / kRollFrames;
        p.lift = 1.2 * cycleBump(i * 2, kRollFrames);
        p.face.lookX = -1;
        p.face.mouthOpen = 0.35;
    }
    return poses;
}

std::vector<Pose> chompPoses(const Pose& rest) {
    std::vector<Pose> poses(kChompFrames, rest);
    for (int i = 0; i < kChompFrames; ++i) {
        poses[i].face.mouthOpen = cycleBump(i * 2, kChompFrames);
        poses[i].squash = 0.04 * cycleBump(i * 2, kChompFrames);
    }
    return poses;
}

std::vector<Pose> dizzyPoses(const Pose& rest) {
    std::vector<Pose> poses(kDizzyFrames, rest);
    for (int i = 0; i < kDizzyFrames; ++i) {
        poses[i].face.mood = Mood::Dizzy;
        poses[i].face.phase = double(i) / kDizzyFrames;
        poses[i].tilt = 0.07 * cycleSin(i, kDizzyFrames);
    }
    return poses;
}

void generate(std::vector<ArchiveOut>& out) {
    ArchiveOut& a = out.emplace_back("donut.lfl");
    Character c;
    c.groundY = kOuter;
    c.shadowRX = 18;
    c.body = drawDonut;
    const Pose rest;
    addPoses(a, "donut_ambient_a", c, {rest});
    addPoses(a, "donut_ambient_b", c, blinkPoses(rest));
    addPoses(a, "donut_ambient_c", c, chompPoses(rest));
    addPoses(a, "donut_ambient_d", c, dizzyPoses(rest));
    addPoses(a, "donut_roll", c, rollPoses(rest));
    addLooks(a, "donut", c, rest);
    addSelectedShock(a, "donut", c, rest);
}

const Registration kReg("pieces_donut", generate);

}  // namespace
}  // namespace artgen::pieces
