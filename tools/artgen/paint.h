// Cairo paths every picture family draws with.
#pragma once

#include <cairo.h>

namespace artgen {

// A w x h rectangle from (x, y) with corners of radius r, as a new sub-path;
// the radius shrinks to fit a small rectangle.
void roundedRect(cairo_t* cr, double x, double y, double w, double h, double r);

}  // namespace artgen
