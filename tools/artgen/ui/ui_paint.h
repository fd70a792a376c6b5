// Painting helpers shared by the interface art (font, cursor, clock, play
// screen): colours, common paths, rounded lettering, and a few operations on
// finished pictures (soft shadows, compositing, cropping, hard edges for the
// run-length images that have no soft layer).
#pragma once

#include <cstdint>
#include <string>

#include "artgen.h"
#include "paint.h"

namespace artgen::ui {

// A tiny fixed-seed generator, so grain and leaves come out the same on
// every run.
class XorShift {
public:
    explicit XorShift(uint32_t seed) : state(seed ? seed : 1u) {}
    uint32_t next();
    double unit();  // [0, 1)

private:
    uint32_t state;
};

void setColour(cairo_t* cr, uint32_t rgb, double alpha = 1.0);
// A star of `points` tips around (cx, cy); `turn` rotates it (radians).
void starPath(cairo_t* cr, double cx, double cy, double outer, double inner, int points,
              double turn);
// A leaf along the direction `angle` from its stem at (x, y).
void leafPath(cairo_t* cr, double x, double y, double length, double width, double angle);
// A green leaf with a vein, ready drawn.
void drawLeaf(cairo_t* cr, double x, double y, double length, double angle, uint32_t rgb);

// Interface lettering: the bold face with round joins, centred on (cx, cy).
void textPath(cairo_t* cr, const std::string& text, double size, double cx, double cy);
void lettering(cairo_t* cr, const std::string& text, double size, double cx, double cy,
               uint32_t fill, uint32_t outline, double outlineWidth);

// ---- finished pictures ----

Picture blankPicture(int w, int h);
// `src` drawn over `dst` with its top-left corner at (dx, dy); straight alpha.
void over(Picture& dst, const Picture& src, int dx, int dy);
Picture crop(const Picture& p, int x, int y, int w, int h);
// A soft shadow of the picture's shape: blurred alpha in one colour.
Picture softShadow(const Picture& p, int radius, uint32_t rgb, double opacity);
// The picture over its own soft shadow, offset by (dx, dy).
Picture withShadow(const Picture& p, int dx, int dy, int radius, double opacity);
// For images drawn without a soft layer: pixels at least half covered become
// fully opaque, the rest transparent.
Picture hardEdged(const Picture& p);
// Every pixel opaque, the translucent ones laid over `rgb`.
Picture flattened(const Picture& p, uint32_t rgb);

}  // namespace artgen::ui
