// A piece character as a drawing function of a pose, and the builders that
// turn poses into the animations every piece type shares: the resting face,
// the blink, the four looks, "selected" and "shock". A type describes its
// body once; its own animations (ambient_c and the like) are lists of poses.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "artgen.h"
#include "pieces/face.h"

namespace artgen::pieces {

// One frame of a character.
struct Pose {
    Expression face;
    double lift = 0;    // pixels above the ground
    double squash = 0;  // > 0 wider and lower, < 0 taller and thinner
    double tilt = 0;    // radians, clockwise, about the bottom
    double shiftX = 0;  // sideways sway, pixels
    double phase = 0;   // a type's own animation clock, 0..1
    bool glow = false;  // the warm "selected" halo
};

// How a type is drawn: canvas size, where its body meets the ground, and
// the body (with its face) in the local frame, origin at the piece centre.
struct Character {
    int width = 64, height = 64;
    double groundY = 21;  // bottom of the body
    double shadowRX = 18, shadowRY = 4.5;
    double glowRadius = 24;
    std::function<void(cairo_t*, const Pose&)> body;
};

Picture drawFrame(const Character& c, const Pose& p);
void addPoses(ArchiveOut& out, const std::string& anim, const Character& c,
              const std::vector<Pose>& poses);

// Pose lists of the shared animations, built from the resting pose.
std::vector<Pose> blinkPoses(const Pose& rest);
// Direction: (dx, dy) with y down, e.g. (0, 1) for look_down.
std::vector<Pose> lookPoses(const Pose& rest, double dx, double dy);
Pose selectedPose(const Pose& rest);
Pose shockPose(const Pose& rest);

// Adds "<stem>_look_down", "_look_up", "_look_left" and "_look_right".
void addLooks(ArchiveOut& out, const std::string& stem, const Character& c, const Pose& rest);
// Adds "<stem>_selected" and "<stem>_shock".
void addSelectedShock(ArchiveOut& out, const std::string& stem, const Character& c,
                      const Pose& rest);
// Adds "<stem>_ambient_a", "_ambient_b" and "_look_down/up/left/right".
void addRestBlinkLooks(ArchiveOut& out, const std::string& stem, const Character& c,
                       const Pose& rest, bool withLooks = true);

// Smooth looping curves for ambient animations: frame i of n mapped onto
// one cycle, 0 at the ends.
double cycleSin(int i, int n, double cycles = 1.0);
double cycleBump(int i, int n);  // 0 .. 1 .. 0 over the cycle, eased

// The orange, which is also the game's desktop icon.
Character orangeCharacter();

// A tiny fixed-seed generator for scattered details (dimples, sprinkles),
// so every run draws the same picture.
class Scatter {
public:
    explicit Scatter(uint32_t seed) : state(seed ? seed : 1) {}
    double next() {  // 0 .. 1
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return double(state % 100000) / 100000.0;
    }

private:
    uint32_t state;
};

}  // namespace artgen::pieces
