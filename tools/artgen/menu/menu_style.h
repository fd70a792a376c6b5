// The look shared by the menu and its panels: the palette, rounded bold
// lettering, cards, candy plaques, round tokens and the little fruit
// mascots. The menu's pictures are run-length images, which know only
// "drawn" and "see-through", so every drawing is flattened against the
// colour it will sit on before it is stored.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <string>

#include "artgen.h"
#include "paint.h"

namespace menuart {

inline constexpr double kPi = 3.14159265358979323846;

// ---- colours ----------------------------------------------------------------------

struct Rgb {
    double r, g, b;
};
Rgb rgb(uint32_t hex);
Rgb mix(Rgb a, Rgb b, double t);  // t = 0 gives a, 1 gives b
Rgb lighter(Rgb c, double t);     // toward white
Rgb darker(Rgb c, double t);      // toward black
void setColour(cairo_t* cr, Rgb c, double alpha = 1.0);

// Halfway between the background's white and cream stripes: what edge
// pixels of a picture lying straight on the stripes are blended toward.
inline constexpr uint32_t kStripeMid = 0xFFFFD1;
inline constexpr uint32_t kInk = 0x3D5A1F;       // deep leaf green for lettering
inline constexpr uint32_t kLeaf = 0x5DB84A;      // card borders
inline constexpr uint32_t kLeafDark = 0x2F7A2A;  // outlines
inline constexpr uint32_t kShadow = 0xD8CC98;    // cast shadows on the stripes
inline constexpr uint32_t kGold = 0xFFC524;      // highlight glows

// ---- pictures and their places ----------------------------------------------------

// A picture of w x h pixels whose centre lies at scene point (cx, cy)
// (y up). Maps scene points into the picture's pixel coordinates the way
// the game's image placement does, so art lines up with the code's fixed
// coordinates exactly.
struct Frame {
    int cx, cy, w, h;
    double px(double sx) const { return sx - cx + w / 2; }
    double py(double sy) const { return cy + h / 2 - sy; }
    artgen::Placement at(int offsetX = 0, int offsetY = 0, float depth = 100.0f) const;
};

// Keeps pixels at least `threshold` opaque, blended over `bg` so their
// anti-aliased edge matches what lies under them; drops the rest.
artgen::Picture flatten(const artgen::Picture& p, uint32_t bg, int threshold = 90);
// The same for a picture drawn over another one (a label on its panel's
// card): edges blend into the pixels actually below them. Both frames are
// where the pictures are drawn.
artgen::Picture flattenOver(const artgen::Picture& p, const Frame& at, const artgen::Picture& under,
                            const Frame& underAt, int threshold = 90);

// ---- shapes ---------------------------------------------------------------------------

using artgen::roundedRect;
// Fills the current path with a top-to-bottom gradient.
void fillVertical(cairo_t* cr, double y0, double y1, Rgb top, Rgb bottom);

// A rounded card with a border and a cast shadow (down and right) that
// fills the whole frame; the card body is `shadow` pixels smaller.
struct CardStyle {
    Rgb fill, border;
    double radius = 22, borderWidth = 5, shadow = 6;
    bool grass = true;  // a strip of grass and flowers along the bottom
};
void drawCard(cairo_t* cr, int w, int h, const CardStyle& s);
// A card filling frame f, flattened onto the stripes.
artgen::Picture cardPicture(const Frame& f, const CardStyle& s);

// A candy plaque: rounded, glossy, outlined, with an optional gold glow
// ring (the highlighted state) inside its margin.
struct PlaqueStyle {
    Rgb fill;
    double radius = 16, margin = 5;
    bool glow = false;
};
void drawPlaque(cairo_t* cr, double x, double y, double w, double h, const PlaqueStyle& s);

// A round token of radius r centred at (x, y): lit tokens are brighter and
// ringed with gold.
void drawToken(cairo_t* cr, double x, double y, double r, Rgb fill, bool lit);

// ---- lettering --------------------------------------------------------------------------

struct TextStyle {
    double size = 20;
    Rgb fill{1, 1, 1};
    Rgb outline{0, 0, 0};
    double outlineWidth = 0;  // 0: no outline
    bool shadow = false;      // a darker copy below and to the right
    double align = 0.5;       // 0 left, 0.5 centre, 1 right of x
};
// A card's heading: bold, outlined and shadowed.
TextStyle headingStyle(double size, Rgb fill, Rgb outline, double outlineWidth = 2.2);
// Rounded bold lettering centred vertically on y.
void drawText(cairo_t* cr, const std::string& text, double x, double y, const TextStyle& s);
double textWidth(cairo_t* cr, const std::string& text, double size);

// ---- characters ---------------------------------------------------------------------------

enum class Fruit { Apple, Orange, Lemon };
enum class Mood { Happy, Grin, Sleepy, Bold, Fiery };
// A friendly fruit face of body radius r centred at (x, y).
void drawMascot(cairo_t* cr, Fruit f, double x, double y, double r, Mood m);

// A five-petal flower, for decoration.
void drawFlower(cairo_t* cr, double x, double y, double r, Rgb petals);

}  // namespace menuart
