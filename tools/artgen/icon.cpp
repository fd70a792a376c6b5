// The desktop icon: the orange, smiling, filling a square picture of any size.
#include "icon.h"

#include "pieces/character.h"

namespace artgen {
namespace {
constexpr double kArtSize = 48;       // the orange with its calyx spans about this many art pixels
constexpr double kCentreDrop = 0.04;  // the calyx sits above the disc: lower it a little
}  // namespace

bool writeIcon(int size, const std::string& path) {
    if (size < 16 || size > 1024) return false;
    const pieces::Character orange = pieces::orangeCharacter();
    pieces::Pose pose;
    pose.face.mouthOpen = 0.5;
    Canvas canvas(size, size);
    cairo_t* cr = canvas.cr();
    cairo_translate(cr, size / 2.0, size * (0.5 + kCentreDrop));
    cairo_scale(cr, size / kArtSize, size / kArtSize);
    orange.body(cr, pose);
    return canvas.writePng(path);
}

}  // namespace artgen
