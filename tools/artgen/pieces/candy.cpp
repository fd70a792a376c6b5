// rhc.lfl, ohc.lfl, yhc.lfl: the three hard candies, wrapped sweets with a
// swirl, a shine and a mischievous grin. Their long idles double as their
// eating animations: a spinning, chomping twirl, a hop, and a lean.
#include <cmath>

#include "pieces/character.h"

namespace artgen::pieces {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kRadius = 15.5, kCentreY = 3;
constexpr double kWrapReach = 26.5;  // the twisted ends overhang the cell a little

struct CandyStyle {
    Rgb body;
    Rgb wrapper;
};

// One twisted wrapper end; side -1 left, +1 right; flutter stretches it.
void wrapperEnd(cairo_t* cr, const CandyStyle& s, int side, double flutter) {
    const double inner = kRadius - 3, reach = kWrapReach * (1 + 0.05 * flutter);
    const double spread = 11 * (1 - 0.12 * flutter);
    cairo_move_to(cr, side * inner, kCentreY - 4);
    cairo_line_to(cr, side * reach, kCentreY - spread);
    for (int k = 1; k <= 4; ++k) {  // crinkled outer edge
        const double y = kCentreY - spread + 2 * spread * k / 4.0;
        cairo_line_to(cr, side * (reach - (k % 2 ? 3 : 0)), y);
    }
    cairo_line_to(cr, side * inner, kCentreY + 4);
    cairo_close_path(cr);
    fillShaded(cr, s.wrapper, side * 22, kCentreY, 10);
    for (int k = -1; k <= 1; ++k) {  // pleats
        cairo_move_to(cr, side * (inner + 2), kCentreY + k * 1.5);
        cairo_line_to(cr, side * (reach - 3), kCentreY + k * spread * 0.6);
    }
    setColour(cr, shade(s.wrapper, 0.55), 0.8);
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
}

void swirl(cairo_t* cr, const CandyStyle& s, double spin) {
    cairo_save(cr);
    cairo_arc(cr, 0, kCentreY, kRadius - 1, 0, 2 * kPi);
    cairo_clip(cr);
    for (int arm = 0; arm < 3; ++arm) {
        const double a0 = spin * 2 * kPi + arm * 2 * kPi / 3;
        cairo_move_to(cr, 0, kCentreY);
        for (int i = 1; i <= 12; ++i) {
            const double t = i / 12.0, a = a0 + t * 2.2;
            cairo_line_to(cr, std::cos(a) * kRadius * t, kCentreY + std::sin(a) * kRadius * t);
        }
        setColour(cr, shade(s.body, 1.3), 0.75);
        cairo_set_line_width(cr, 3.5);
        cairo_stroke(cr);
    }
    cairo_restore(cr);
}

FaceLayout candyFace(const CandyStyle& s) {
    FaceLayout f;
    f.eyeY = kCentreY - 4;
    f.eyeGap = 6;
    f.eyeRX = 3.7;
    f.eyeRY = 4.4;
    f.mouthY = kCentreY + 7;
    f.mouthW = 6;
    f.skin = s.body;
    f.ink = shade(s.body, 0.3);
    f.cheeks = false;
    return f;
}

Character candyCharacter(const CandyStyle& s) {
    Character c;
    c.groundY = kCentreY + kRadius;
    c.shadowRX = 20;
    c.glowRadius = 25;
    c.body = [s](cairo_t* cr, const Pose& p) {
        const double flutter = std::sin(p.phase * 6 * kPi);
        wrapperEnd(cr, s, -1, flutter);
        wrapperEnd(cr, s, 1, -flutter);
        cairo_arc(cr, 0, kCentreY, kRadius, 0, 2 * kPi);
        fillShaded(cr, s.body, 0, kCentreY, kRadius);
        swirl(cr, s, p.phase);
        gloss(cr, -7, kCentreY - 8, 4.5, 2.8, 0.9);
        gloss(cr, 9, kCentreY + 7, 1.6, 1.6, 0.7);
        drawFace(cr, candyFace(s), p.face);
    };
    return c;
}

// Spins its swirl round once while chomping: eating, idling, fading away.
std::vector<Pose> twirlPoses(const Pose& rest, int n, double chomps) {
    std::vector<Pose> poses(n, rest);
    for (int i = 0; i < n; ++i) {
        Pose& p = poses[i];
        p.phase = double(i) / (n - 1);  // ends where it began, at rest
        p.face.mouthOpen = 0.5 - 0.5 * std::cos(2 * kPi * chomps * p.phase);
        p.tilt = 0.08 * std::sin(2 * kPi * p.phase);
    }
    return poses;
}

// A quick hop with a snap of the teeth.
std::vector<Pose> hopPoses(const Pose& rest, int n) {
    std::vector<Pose> poses(n, rest);
    for (int i = 0; i < n; ++i) {
        const double t = double(i) / (n - 1);
        Pose& p = poses[i];
        p.lift = 6 * std::sin(kPi * t);
        p.squash = i == 0 || i == n - 2 ? 0.08 : -0.05 * std::sin(kPi * t);
        p.face.mouthOpen = std::sin(kPi * t);
        p.phase = t;
    }
    return poses;
}

// Leans further and further over with a growing grin (played forth and back).
std::vector<Pose> leanPoses(const Pose& rest, int n) {
    std::vector<Pose> poses(n, rest);
    for (int i = 0; i < n; ++i) {
        const double t = double(i) / (n - 1), e = t * t * (3 - 2 * t);
        Pose& p = poses[i];
        p.tilt = -0.12 * e;
        p.shiftX = -0.8 * e;
        p.face.lookX = -e;
        p.face.lookY = 0.4 * e;
        p.face.mouthOpen = 0.7 * e;
    }
    return poses;
}

void addCandy(std::vector<ArchiveOut>& out, const std::string& stem, const CandyStyle& s,
              const std::function<void(ArchiveOut&, const Character&, const Pose&)>& extras) {
    ArchiveOut& a = out.emplace_back(stem + ".lfl");
    const Character c = candyCharacter(s);
    Pose rest;
    rest.face.mood = Mood::Sly;
    addPoses(a, stem + "_ambient_a", c, {rest});
    addPoses(a, stem + "_ambient_b", c, blinkPoses(rest));
    extras(a, c, rest);
    addLooks(a, stem, c, rest);
    addPoses(a, stem + "_selected", c, {selectedPose(rest)});
}

void generateRed(std::vector<ArchiveOut>& out) {
    addCandy(out, "rhc", {hex(0xE8243C), hex(0xFF9AA8)},
             [](ArchiveOut& a, const Character& c, const Pose& rest) {
                 addPoses(a, "rhc_ambient_c", c, twirlPoses(rest, 25, 3));
             });
}

void generateOrange(std::vector<ArchiveOut>& out) {
    addCandy(out, "ohc", {hex(0xFF7A12), hex(0xFFC48A)},
             [](ArchiveOut& a, const Character& c, const Pose& rest) {
                 addPoses(a, "ohc_ambient_c", c, hopPoses(rest, 16));
             });
}

void generateYellow(std::vector<ArchiveOut>& out) {
    addCandy(out, "yhc", {hex(0xFFCC10), hex(0xFFF09A)},
             [](ArchiveOut& a, const Character& c, const Pose& rest) {
                 addPoses(a, "yhc_ambient_c", c, leanPoses(rest, 22));
                 addPoses(a, "yhc_ambient_d", c, twirlPoses(rest, 21, 3));
             });
}

const Registration kRed("pieces_rhc", generateRed);
const Registration kOrange("pieces_ohc", generateOrange);
const Registration kYellow("pieces_yhc", generateYellow);

}  // namespace
}  // namespace artgen::pieces
