// The play screen's pictures, shared between the files that draw them and
// the generator that packs "play.lfl".
#pragma once

#include <string>
#include <vector>

#include "artgen.h"

namespace artgen::ui {

// The whole 800 x 600 frame: a wooden status bar with recessed wells for the
// numbers and the star row, a leafy border, and a hole exactly over the
// board. Every pixel outside the hole is opaque.
Picture playFrame();
// The round exit button as it sits in the frame; `hover` lights it up.
void drawExitButton(cairo_t* cr, double cx, double cy, bool hover);

// One image of the exit dialog, with the centre it is stored at.
struct PlacedPicture {
    std::string name;
    Picture picture;
    Placement at;
};
// "exit_base.eye" first, then the three highlighted buttons.
std::vector<PlacedPicture> exitDialog();

}  // namespace artgen::ui
