#include "pieces/character.h"

#include <algorithm>
#include <cmath>

namespace artgen::pieces {

namespace {

constexpr double kPi = 3.14159265358979323846;
// The pupils' travel over the three look frames (frame 1 barely moved,
// frame 3 fully turned).
constexpr double kLookSteps[3] = {0.25, 0.65, 1.0};
constexpr double kLookLean = 1.2;  // pixels the body leans toward a look
constexpr double kBlinkOpen[3] = {0.45, 0.0, 0.45};
constexpr double kSelectedLift = 4.0;    // "selected" floats above the board
constexpr double kShadowShrink = 0.025;  // shadow narrows per pixel of lift

}  // namespace

Picture drawFrame(const Character& c, const Pose& p) {
    Canvas canvas(c.width, c.height);
    cairo_t* cr = canvas.cr();
    cairo_translate(cr, c.width / 2.0, c.height / 2.0);
    const double shrink = std::max(0.5, 1.0 - p.lift * kShadowShrink);
    groundShadow(cr, p.shiftX, c.groundY, c.shadowRX * shrink * (1 + p.squash),
                 c.shadowRY * shrink);
    if (p.glow) warmGlow(cr, p.shiftX, -p.lift, c.glowRadius - 6, c.glowRadius + 6);
    cairo_save(cr);
    cairo_translate(cr, p.shiftX, -p.lift + c.groundY);
    cairo_rotate(cr, p.tilt);
    cairo_scale(cr, 1 + p.squash, 1 - p.squash);
    cairo_translate(cr, 0, -c.groundY);
    c.body(cr, p);
    cairo_restore(cr);
    return canvas.picture();
}

void addPoses(ArchiveOut& out, const std::string& anim, const Character& c,
              const std::vector<Pose>& poses) {
    for (size_t i = 0; i < poses.size(); ++i)
        out.addSpriteFrame(anim, int(i) + 1, drawFrame(c, poses[i]));
}

std::vector<Pose> blinkPoses(const Pose& rest) {
    std::vector<Pose> poses(3, rest);
    for (int i = 0; i < 3; ++i) poses[i].face.eyeOpen = kBlinkOpen[i];
    return poses;
}

std::vector<Pose> lookPoses(const Pose& rest, double dx, double dy) {
    std::vector<Pose> poses(3, rest);
    for (int i = 0; i < 3; ++i) {
        Pose& p = poses[i];
        p.face.lookX = dx * kLookSteps[i];
        p.face.lookY = dy * kLookSteps[i];
        p.shiftX = rest.shiftX + dx * kLookLean * kLookSteps[i];
        p.lift = rest.lift + (dy < 0 ? kLookLean * kLookSteps[i] : 0);
        p.tilt = rest.tilt + dx * 0.05 * kLookSteps[i];
    }
    return poses;
}

Pose selectedPose(const Pose& rest) {
    Pose p = rest;
    p.lift = kSelectedLift;
    p.glow = true;
    p.face.eyeOpen = 1;
    p.face.lookY = -0.3;
    p.face.mouthOpen = 0.55;
    if (p.face.mood == Mood::Sleepy || p.face.mood == Mood::Chew) p.face.mood = Mood::Happy;
    return p;
}

Pose shockPose(const Pose& rest) {
    Pose p = rest;
    p.face = Expression{};
    p.face.mood = Mood::Shock;
    p.face.mouthOpen = 0.6;
    p.squash = -0.06;
    return p;
}

void addRestBlinkLooks(ArchiveOut& out, const std::string& stem, const Character& c,
                       const Pose& rest, bool withLooks) {
    addPoses(out, stem + "_ambient_a", c, {rest});
    addPoses(out, stem + "_ambient_b", c, blinkPoses(rest));
    if (withLooks) addLooks(out, stem, c, rest);
}

void addLooks(ArchiveOut& out, const std::string& stem, const Character& c, const Pose& rest) {
    addPoses(out, stem + "_look_down", c, lookPoses(rest, 0, 1));
    addPoses(out, stem + "_look_up", c, lookPoses(rest, 0, -1));
    addPoses(out, stem + "_look_left", c, lookPoses(rest, -1, 0));
    addPoses(out, stem + "_look_right", c, lookPoses(rest, 1, 0));
}

void addSelectedShock(ArchiveOut& out, const std::string& stem, const Character& c,
                      const Pose& rest) {
    addPoses(out, stem + "_selected", c, {selectedPose(rest)});
    addPoses(out, stem + "_shock", c, {shockPose(rest)});
}

double cycleSin(int i, int n, double cycles) {
    return std::sin(2 * kPi * cycles * double(i) / double(n));
}

double cycleBump(int i, int n) {
    return 0.5 - 0.5 * std::cos(2 * kPi * double(i) / double(n));
}

}  // namespace artgen::pieces
