// cone.lfl: an ice-cream cone with an icy blue scoop for a head. Besides
// the shared animations it has four "fr" animations: an icy ray shooting
// from its mouth along the row or column, reaching four cells.
#include <cmath>

#include "pieces/character.h"

namespace artgen::pieces {
namespace {

constexpr double kPi = 3.14159265358979323846;
const Rgb kWaffle = hex(0xE9B064);
const Rgb kScoop = hex(0x9FE6F8);
constexpr double kScoopY = -6, kScoopR = 15.5, kTipY = 25;
constexpr double kMouthY = 2;
constexpr int kFireFrames = 5, kEatFrames = 5, kShiverFrames = 5;
constexpr double kCell = 48;
constexpr double kRayReach = 4 * kCell + 20;  // through the fourth cell ahead
constexpr double kRayGrowth[kFireFrames] = {0.22, 0.5, 0.8, 1.0, 1.0};
constexpr int kFireCanvas = 2 * int(kRayReach + 12);

void cone(cairo_t* cr) {
    cairo_move_to(cr, -12.5, 3);
    cairo_line_to(cr, 12.5, 3);
    cairo_line_to(cr, 1.2, kTipY);
    cairo_curve_to(cr, 0.5, kTipY + 1, -0.5, kTipY + 1, -1.2, kTipY);
    cairo_close_path(cr);
    cairo_save(cr);
    cairo_clip_preserve(cr);
    fillShaded(cr, kWaffle, -2, 10, 14);
    for (int k = -4; k <= 4; ++k) {  // waffle cross-hatch
        cairo_move_to(cr, k * 5 - 10, 3);
        cairo_line_to(cr, k * 5 + 10, kTipY);
        cairo_move_to(cr, k * 5 + 10, 3);
        cairo_line_to(cr, k * 5 - 10, kTipY);
    }
    setColour(cr, shade(kWaffle, 0.62));
    cairo_set_line_width(cr, 0.9);
    cairo_stroke(cr);
    cairo_restore(cr);
}

// The scoop with drips over the rim; `wobble` shifts it sideways.
void scoop(cairo_t* cr, double wobble) {
    cairo_save(cr);
    cairo_translate(cr, wobble, 0);
    cairo_arc(cr, 0, kScoopY, kScoopR, kPi * 0.95, kPi * 2.05);
    const double base = kScoopY + kScoopR * 0.55;
    for (int k = 0; k <= 6; ++k) {  // scalloped drips along the bottom, right to left
        const double x = kScoopR - k * (2 * kScoopR / 6);
        const double drop = k % 2 ? 5.5 : 2.5;
        cairo_line_to(cr, x, base + drop);
    }
    cairo_close_path(cr);
    fillShaded(cr, kScoop, 0, kScoopY, kScoopR);
    gloss(cr, -6, kScoopY - 8, 4.5, 3, 0.85);
    cairo_restore(cr);
}

FaceLayout coneFace() {
    FaceLayout f;
    f.eyeY = kScoopY - 3;
    f.eyeGap = 6.3;
    f.eyeRX = 3.8;
    f.eyeRY = 4.5;
    f.mouthY = kMouthY;
    f.mouthW = 5;
    f.skin = kScoop;
    f.ink = hex(0x1E4A66);
    return f;
}

void drawCone(cairo_t* cr, const Pose& p) {
    cone(cr);
    const double wobble = 1.5 * std::sin(p.phase * 2 * kPi);
    scoop(cr, wobble);
    cairo_save(cr);
    cairo_translate(cr, wobble, 0);
    drawFace(cr, coneFace(), p.face);
    cairo_restore(cr);
}

void frost(cairo_t* cr, double x, double y, double r, double turn) {
    for (int k = 0; k < 3; ++k) {
        const double a = turn + k * kPi / 3;
        cairo_move_to(cr, x - std::cos(a) * r, y - std::sin(a) * r);
        cairo_line_to(cr, x + std::cos(a) * r, y + std::sin(a) * r);
    }
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    setColour(cr, hex(0x2A7FC0));
    cairo_set_line_width(cr, 2.4);
    cairo_stroke_preserve(cr);
    setColour(cr, hex(0xFFFFFF));
    cairo_set_line_width(cr, 1.1);
    cairo_stroke(cr);
}

// The icy ray from the mouth toward (dx, dy), `grow` of its full reach;
// `shimmer` (0 or 1) moves its ripples and crystals for the held frames.
void ray(cairo_t* cr, double dx, double dy, double grow, int shimmer) {
    const double len = kRayReach * grow;
    const double x0 = dx * 6, y0 = kMouthY + dy * 6;
    const double x1 = dx * len, y1 = kMouthY + dy * len;
    const double widths[3] = {20.0 + shimmer * 3, 10.0 - shimmer, 4.0};
    const double alphas[3] = {0.35, 0.7, 1.0};
    const Rgb colours[3] = {hex(0x6FD0FF), hex(0xB8F0FF), hex(0xFFFFFF)};
    for (int k = 0; k < 3; ++k) {
        cairo_move_to(cr, x0, y0);
        cairo_line_to(cr, x1, y1);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        setColour(cr, colours[k], alphas[k]);
        cairo_set_line_width(cr, widths[k] * (k == 2 ? 1.0 : 0.85 + 0.15 * grow));
        cairo_stroke(cr);
    }
    const double step = 26;
    for (double d = 18 + shimmer * step / 2; d < len - 6; d += step) {  // crystals
        const double side = std::fmod(d, 2 * step) < step ? 1 : -1;
        frost(cr, dx * d - dy * side * 5, kMouthY + dy * d + dx * side * 5, 3.2, d * 0.1);
    }
    frost(cr, x1, y1, 6 + 1.5 * shimmer, shimmer * 0.5);  // the freezing tip
}

Character fireCharacter(double dx, double dy, int frame) {
    Character c;
    c.width = dx != 0 ? kFireCanvas : 64;
    c.height = dy != 0 ? kFireCanvas : 64;
    c.groundY = kTipY;
    c.shadowRX = 12;
    c.body = [dx, dy, frame](cairo_t* cr, const Pose& p) {
        drawCone(cr, p);
        ray(cr, dx, dy, kRayGrowth[frame], frame == kFireFrames - 1 ? 1 : 0);
    };
    return c;
}

void addFire(ArchiveOut& a, const std::string& anim, const Pose& rest, double dx, double dy) {
    for (int i = 0; i < kFireFrames; ++i) {
        Pose p = rest;
        p.face.lookX = dx;
        p.face.lookY = dy;
        p.face.mouthOpen = 1;
        p.squash = i == 0 ? -0.05 : 0.03;
        a.addSpriteFrame(anim, i + 1, drawFrame(fireCharacter(dx, dy, i), p));
    }
}

std::vector<Pose> eatPoses(const Pose& rest) {
    std::vector<Pose> poses(kEatFrames, rest);
    for (int i = 0; i < kEatFrames; ++i) {
        poses[i].face.mouthOpen = cycleBump(i, kEatFrames);
        poses[i].squash = 0.05 * cycleBump(i, kEatFrames);
    }
    return poses;
}

// A happy wobble of the scoop, eyes shut.
std::vector<Pose> shiverPoses(const Pose& rest) {
    std::vector<Pose> poses(kShiverFrames, rest);
    for (int i = 0; i < kShiverFrames; ++i) {
        poses[i].phase = double(i) / kShiverFrames;
        poses[i].face.mood = Mood::Chew;
        poses[i].face.mouthOpen = cycleBump(i, kShiverFrames) * 0.5;
    }
    return poses;
}

void generate(std::vector<ArchiveOut>& out) {
    ArchiveOut& a = out.emplace_back("cone.lfl");
    Character c;
    c.groundY = kTipY;
    c.shadowRX = 12;
    c.glowRadius = 24;
    c.body = drawCone;
    const Pose rest;
    addPoses(a, "cone_ambient_a", c, {rest});
    addPoses(a, "cone_ambient_b", c, blinkPoses(rest));
    addPoses(a, "cone_ambient_c", c, eatPoses(rest));
    addPoses(a, "cone_ambient_d", c, shiverPoses(rest));
    addLooks(a, "cone", c, rest);
    addFire(a, "cone_frdown", rest, 0, 1);
    addFire(a, "cone_frup", rest, 0, -1);
    addFire(a, "cone_frleft", rest, -1, 0);
    addFire(a, "cone_frright", rest, 1, 0);
    addSelectedShock(a, "cone", c, rest);
}

const Registration kReg("pieces_cone", generate);

}  // namespace
}  // namespace artgen::pieces
