// Shared character drawing for the board's pieces: colours, shaded bodies
// with a dark rim, the soft ground shadow and the warm "selected" glow,
// and the faces (eyes that follow a look direction and blink, mouths for
// every mood). Everything draws in a piece's local frame: origin at the
// piece centre, x right, y down, units of pixels at 1x.
#pragma once

#include <cairo.h>

#include <cstdint>

namespace artgen::pieces {

struct Rgb {
    double r = 0, g = 0, b = 0;
};

Rgb hex(uint32_t rgb);
// k < 1 darkens toward black, k > 1 lightens toward white.
Rgb shade(Rgb c, double k);
void setColour(cairo_t* cr, Rgb c, double alpha = 1.0);

// Rim width of every body outline, so shapes stay readable on the green board.
inline constexpr double kOutline = 1.5;

// Fills the current path with a light-from-the-upper-left gradient of
// `base` centred on (cx, cy) with radius r, then strokes the rim with a
// dark shade of it. The path is consumed.
void fillShaded(cairo_t* cr, Rgb base, double cx, double cy, double r);
// A soft white gloss spot (opaque over the body, so it stays in the base layer).
void gloss(cairo_t* cr, double cx, double cy, double rx, double ry, double alpha = 0.6);
// The translucent ground shadow centred on (cx, cy).
void groundShadow(cairo_t* cr, double cx, double cy, double rx, double ry);
// A warm translucent halo fading out from radius r0 to r1.
void warmGlow(cairo_t* cr, double cx, double cy, double r0, double r1);
void ellipsePath(cairo_t* cr, double cx, double cy, double rx, double ry);

enum class Mood : uint8_t {
    Happy,   // smile, open eyes
    Shock,   // wide eyes, small pupils, O mouth
    Sleepy,  // heavy lids, small mouth
    Sly,     // slanted brows, toothy grin (the hard candies)
    Sour,    // squint and pucker
    Chew,    // closed happy eyes, chewing mouth
    Dizzy,   // spiral eyes
};

// One frame's expression.
struct Expression {
    Mood mood = Mood::Happy;
    double lookX = 0, lookY = 0;  // pupils toward -1..1 (y down)
    double eyeOpen = 1;           // 1 open, 0 shut
    double mouthOpen = 0;         // 0 closed smile .. 1 wide open
    double phase = 0;             // spins the dizzy spirals, 0..1
};

// Where a type puts its face, in the local frame.
struct FaceLayout {
    double eyeY = -4;   // eye centres
    double eyeGap = 8;  // half the distance between the eyes
    double eyeRX = 4.2, eyeRY = 5.2;
    double mouthY = 8;          // mouth centre
    double mouthW = 8;          // half width of the smile
    Rgb skin{0.8, 0.2, 0.2};    // eyelid colour (the body's)
    Rgb ink{0.25, 0.08, 0.05};  // line colour (dark shade of the body)
    bool cheeks = true;
};

void drawFace(cairo_t* cr, const FaceLayout& f, const Expression& e);
void drawEye(cairo_t* cr, const FaceLayout& f, const Expression& e, double cx, bool left);
void drawMouth(cairo_t* cr, const FaceLayout& f, const Expression& e);

}  // namespace artgen::pieces
