#include "menu/menu_style.h"

#include <algorithm>
#include <cmath>

namespace menuart {

namespace {

constexpr const char* kFace = "DejaVu Sans";

// Grass along the bottom of a card.
constexpr double kGrassHeight = 20;
constexpr double kBladeSpacing = 7;
constexpr uint32_t kGrass = 0x7BCB4F;
constexpr uint32_t kGrassDark = 0x4FA23A;

// A tiny fixed-seed generator so decorations land the same on every run.
struct Xorshift {
    uint32_t s;
    uint32_t next() {
        s ^= s << 13;
        s ^= s >> 17;
        s ^= s << 5;
        return s;
    }
    double unit() { return (next() & 0xFFFF) / 65535.0; }
};

uint32_t channel(uint32_t argb, int shift) {
    return (argb >> shift) & 255u;
}

}  // namespace

// ---- colours --------------------------------------------------------------------------

Rgb rgb(uint32_t hex) {
    return {channel(hex, 16) / 255.0, channel(hex, 8) / 255.0, channel(hex, 0) / 255.0};
}

Rgb mix(Rgb a, Rgb b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Rgb lighter(Rgb c, double t) {
    return mix(c, {1, 1, 1}, t);
}
Rgb darker(Rgb c, double t) {
    return mix(c, {0, 0, 0}, t);
}

void setColour(cairo_t* cr, Rgb c, double alpha) {
    cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
}

// ---- pictures ---------------------------------------------------------------------------

namespace {
uint32_t blendOver(uint32_t px, uint32_t bg) {
    const uint32_t a = px >> 24;
    uint32_t result = 0xFF000000u;
    for (int shift : {16, 8, 0}) {
        const uint32_t c = (channel(px, shift) * a + channel(bg, shift) * (255 - a) + 127) / 255;
        result |= c << shift;
    }
    return result;
}
}  // namespace

artgen::Placement Frame::at(int offsetX, int offsetY, float depth) const {
    // The stored position is where the picture is drawn minus the offset
    // its owner adds.
    return artgen::Placement{float(cx - offsetX), float(cy - offsetY), depth};
}

artgen::Picture flatten(const artgen::Picture& p, uint32_t bg, int threshold) {
    artgen::Picture out = p;
    for (uint32_t& px : out.argb) {
        const uint32_t a = px >> 24;
        if (a < uint32_t(threshold)) {
            px = 0;
            continue;
        }
        px = blendOver(px, bg);
    }
    return out;
}

artgen::Picture flattenOver(const artgen::Picture& p, const Frame& at, const artgen::Picture& under,
                            const Frame& underAt, int threshold) {
    artgen::Picture out = p;
    const int dx = (at.cx - at.w / 2) - (underAt.cx - underAt.w / 2);
    const int dy = (underAt.cy + underAt.h / 2) - (at.cy + at.h / 2);
    for (int y = 0; y < p.h; ++y) {
        for (int x = 0; x < p.w; ++x) {
            uint32_t& px = out.argb[size_t(y) * p.w + x];
            if (int(px >> 24) < threshold) {
                px = 0;
                continue;
            }
            const int ux = x + dx, uy = y + dy;
            const bool inside = ux >= 0 && uy >= 0 && ux < under.w && uy < under.h;
            const uint32_t below = inside ? under.at(ux, uy) : 0;
            px = blendOver(px, below >> 24 ? below : kStripeMid);
        }
    }
    return out;
}

// ---- shapes --------------------------------------------------------------------------------

void fillVertical(cairo_t* cr, double y0, double y1, Rgb top, Rgb bottom) {
    cairo_pattern_t* g = cairo_pattern_create_linear(0, y0, 0, y1);
    cairo_pattern_add_color_stop_rgb(g, 0, top.r, top.g, top.b);
    cairo_pattern_add_color_stop_rgb(g, 1, bottom.r, bottom.g, bottom.b);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
}

namespace {

void drawGrass(cairo_t* cr, double x, double bottom, double w) {
    Xorshift rng{0x9E3779B9u ^ uint32_t(w)};
    const double top = bottom - kGrassHeight;
    cairo_rectangle(cr, x, top + 8, w, kGrassHeight);
    setColour(cr, rgb(kGrass));
    cairo_fill(cr);
    for (double bx = x - 2; bx < x + w + 2; bx += kBladeSpacing) {
        const double h = 8 + 10 * rng.unit();
        const double lean = 4 * (rng.unit() - 0.5);
        cairo_move_to(cr, bx - 3.5, top + 10);
        cairo_curve_to(cr, bx - 1, top + 10 - h * 0.5, bx + lean, top + 10 - h * 0.8, bx + lean,
                       top + 10 - h);
        cairo_curve_to(cr, bx + lean + 0.5, top + 10 - h * 0.6, bx + 2.5, top + 4, bx + 3.5,
                       top + 10);
        cairo_close_path(cr);
        setColour(cr, rng.unit() < 0.5 ? rgb(kGrass) : rgb(kGrassDark));
        cairo_fill(cr);
    }
    const Rgb petals[] = {rgb(0xFF7BAC), rgb(0xFFFFFF), rgb(0xFFD23F), rgb(0xB784F5)};
    for (double fx = x + 30 + 40 * rng.unit(); fx < x + w - 20; fx += 70 + 80 * rng.unit())
        drawFlower(cr, fx, top + 2 + 6 * rng.unit(), 5.5, petals[rng.next() % 4]);
}

}  // namespace

void drawCard(cairo_t* cr, int w, int h, const CardStyle& s) {
    const double bw = w - s.shadow, bh = h - s.shadow;
    roundedRect(cr, s.shadow, s.shadow, bw, bh, s.radius);
    setColour(cr, rgb(kShadow));
    cairo_fill(cr);

    roundedRect(cr, 0, 0, bw, bh, s.radius);
    fillVertical(cr, 0, bh, lighter(s.fill, 0.5), s.fill);
    cairo_save(cr);
    cairo_clip(cr);
    if (s.grass) drawGrass(cr, 0, bh, bw);
    cairo_restore(cr);
    roundedRect(cr, 0, 0, bw, bh, s.radius);
    cairo_set_line_width(cr, s.borderWidth);
    setColour(cr, s.border);
    cairo_stroke(cr);

    // A thin light line inside the border, like the edge of a lacquered board.
    const double in = s.borderWidth + 2;
    roundedRect(cr, in, in, bw - 2 * in, bh - 2 * in, s.radius - in);
    cairo_set_line_width(cr, 1.5);
    setColour(cr, {1, 1, 1}, 0.8);
    cairo_stroke(cr);
}

artgen::Picture cardPicture(const Frame& f, const CardStyle& s) {
    artgen::Canvas c(f.w, f.h);
    drawCard(c.cr(), f.w, f.h, s);
    return flatten(c.picture(), kStripeMid);
}

void drawPlaque(cairo_t* cr, double x, double y, double w, double h, const PlaqueStyle& s) {
    const double m = s.margin;
    const double bx = x + m, by = y + m, bw = w - 2 * m, bh = h - 2 * m;
    if (s.glow) {
        roundedRect(cr, bx, by, bw, bh, s.radius);
        cairo_set_line_width(cr, 2 * m);
        setColour(cr, lighter(rgb(kGold), 0.55));
        cairo_stroke(cr);
        roundedRect(cr, bx, by, bw, bh, s.radius);
        cairo_set_line_width(cr, m + 1);
        setColour(cr, rgb(kGold));
        cairo_stroke(cr);
    }
    const Rgb body = s.glow ? lighter(s.fill, 0.22) : s.fill;
    roundedRect(cr, bx, by, bw, bh, s.radius);
    fillVertical(cr, by, by + bh, lighter(body, 0.35), darker(body, 0.08));
    cairo_set_line_width(cr, 2.5);
    setColour(cr, darker(s.fill, 0.45));
    cairo_stroke(cr);
    // Gloss on the upper half.
    roundedRect(cr, bx + 5, by + 3.5, bw - 10, bh * 0.42, s.radius * 0.7);
    setColour(cr, {1, 1, 1}, s.glow ? 0.5 : 0.35);
    cairo_fill(cr);
}

void drawToken(cairo_t* cr, double x, double y, double r, Rgb fill, bool lit) {
    const Rgb body = lit ? lighter(fill, 0.15) : mix(fill, rgb(0xFFFFFF), 0.55);
    if (lit) {
        cairo_arc(cr, x, y, r, 0, 2 * kPi);
        setColour(cr, lighter(rgb(kGold), 0.5));
        cairo_fill(cr);
        cairo_arc(cr, x, y, r - 2.5, 0, 2 * kPi);
        setColour(cr, rgb(kGold));
        cairo_fill(cr);
    }
    const double br = lit ? r - 5 : r - 3;
    cairo_pattern_t* g =
        cairo_pattern_create_radial(x - br * 0.3, y - br * 0.4, br * 0.1, x, y, br);
    const Rgb hi = lighter(body, 0.55);
    cairo_pattern_add_color_stop_rgb(g, 0, hi.r, hi.g, hi.b);
    cairo_pattern_add_color_stop_rgb(g, 1, body.r, body.g, body.b);
    cairo_arc(cr, x, y, br, 0, 2 * kPi);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    cairo_set_line_width(cr, 2);
    setColour(cr, darker(fill, lit ? 0.45 : 0.2));
    cairo_stroke(cr);
}

// ---- lettering ----------------------------------------------------------------------------

namespace {

void textPath(cairo_t* cr, const std::string& text, double x, double baseline) {
    cairo_move_to(cr, x, baseline);
    cairo_text_path(cr, text.c_str());
}

}  // namespace

TextStyle headingStyle(double size, Rgb fill, Rgb outline, double outlineWidth) {
    TextStyle t;
    t.size = size;
    t.fill = fill;
    t.outline = outline;
    t.outlineWidth = outlineWidth;
    t.shadow = true;
    return t;
}

double textWidth(cairo_t* cr, const std::string& text, double size) {
    cairo_select_font_face(cr, kFace, CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    cairo_set_font_size(cr, size);
    cairo_text_extents_t e;
    cairo_text_extents(cr, text.c_str(), &e);
    return e.width;
}

void drawText(cairo_t* cr, const std::string& text, double x, double y, const TextStyle& s) {
    cairo_save(cr);
    cairo_select_font_face(cr, kFace, CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    cairo_set_font_size(cr, s.size);
    cairo_text_extents_t e;
    cairo_text_extents(cr, text.c_str(), &e);
    const double left = x - s.align * e.width - e.x_bearing;
    const double base = y - (e.y_bearing + e.height / 2);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    // Stroking every layer with round joins softens the face's corners.
    const double soften = std::max(1.0, s.size / 18);
    if (s.shadow) {
        const double d = std::max(1.5, s.size / 14);
        textPath(cr, text, left + d, base + d);
        cairo_set_line_width(cr, 2 * s.outlineWidth + soften);
        setColour(cr, darker(s.outlineWidth > 0 ? s.outline : s.fill, 0.25), 0.9);
        cairo_fill_preserve(cr);
        cairo_stroke(cr);
    }
    if (s.outlineWidth > 0) {
        textPath(cr, text, left, base);
        cairo_set_line_width(cr, 2 * s.outlineWidth + soften);
        setColour(cr, s.outline);
        cairo_stroke(cr);
    }
    textPath(cr, text, left, base);
    setColour(cr, s.fill);
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, soften);
    cairo_stroke(cr);
    cairo_restore(cr);
}

// ---- characters ------------------------------------------------------------------------------

namespace {

struct FruitLook {
    Rgb body, outline;
};

FruitLook lookOf(Fruit f) {
    switch (f) {
        case Fruit::Apple:
            return {rgb(0xE8412C), rgb(0x8E1F14)};
        case Fruit::Orange:
            return {rgb(0xFF9A1F), rgb(0xA85508)};
        case Fruit::Lemon:
            return {rgb(0xFFE14D), rgb(0xA88A0C)};
    }
    return {rgb(0xE8412C), rgb(0x8E1F14)};
}

void leafAt(cairo_t* cr, double x, double y, double len, double angle) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, angle);
    cairo_move_to(cr, 0, 0);
    cairo_curve_to(cr, len * 0.3, -len * 0.45, len * 0.8, -len * 0.4, len, 0);
    cairo_curve_to(cr, len * 0.8, len * 0.4, len * 0.3, len * 0.45, 0, 0);
    setColour(cr, rgb(0x6CC24A));
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, std::max(1.0, len / 12));
    setColour(cr, rgb(0x2F7A2A));
    cairo_stroke(cr);
    cairo_restore(cr);
}

void bodyPath(cairo_t* cr, Fruit f, double x, double y, double r) {
    if (f == Fruit::Lemon) {
        // Pointed at both ends, lying sideways.
        cairo_move_to(cr, x - r * 1.3, y);
        cairo_curve_to(cr, x - r * 1.0, y - r * 0.95, x + r * 1.0, y - r * 0.95, x + r * 1.3, y);
        cairo_curve_to(cr, x + r * 1.0, y + r * 0.95, x - r * 1.0, y + r * 0.95, x - r * 1.3, y);
        cairo_close_path(cr);
    } else if (f == Fruit::Apple) {
        // Round with a notch at the top and a slightly narrower bottom.
        cairo_move_to(cr, x, y - r * 0.78);
        cairo_curve_to(cr, x + r * 0.5, y - r * 1.12, x + r * 1.08, y - r * 0.9, x + r * 1.02,
                       y - r * 0.05);
        cairo_curve_to(cr, x + r * 0.98, y + r * 0.72, x + r * 0.45, y + r * 1.02, x, y + r * 0.9);
        cairo_curve_to(cr, x - r * 0.45, y + r * 1.02, x - r * 0.98, y + r * 0.72, x - r * 1.02,
                       y - r * 0.05);
        cairo_curve_to(cr, x - r * 1.08, y - r * 0.9, x - r * 0.5, y - r * 1.12, x, y - r * 0.78);
        cairo_close_path(cr);
    } else {
        cairo_arc(cr, x, y, r, 0, 2 * kPi);
    }
}

void crown(cairo_t* cr, Fruit f, double x, double y, double r) {
    if (f == Fruit::Apple) {
        cairo_move_to(cr, x, y - r * 0.72);
        cairo_curve_to(cr, x, y - r * 1.0, x + r * 0.05, y - r * 1.15, x + r * 0.15, y - r * 1.3);
        cairo_set_line_width(cr, r * 0.12);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        setColour(cr, rgb(0x6B3F1D));
        cairo_stroke(cr);
        leafAt(cr, x + r * 0.1, y - r * 1.1, r * 0.55, -0.5);
    } else if (f == Fruit::Orange) {
        for (int i = 0; i < 5; ++i) {
            const double a = -kPi / 2 + i * 2 * kPi / 5;
            cairo_move_to(cr, x, y - r * 0.88);
            cairo_line_to(cr, x + std::cos(a) * r * 0.2, y - r * 0.88 + std::sin(a) * r * 0.14);
        }
        cairo_set_line_width(cr, r * 0.08);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        setColour(cr, rgb(0x3F8F2E));
        cairo_stroke(cr);
        leafAt(cr, x + r * 0.05, y - r * 0.92, r * 0.45, -0.9);
    } else {
        leafAt(cr, x + r * 0.6, y - r * 0.62, r * 0.45, -1.1);
    }
}

void eye(cairo_t* cr, double x, double y, double s, Mood m, bool left) {
    const Rgb ink = rgb(0x2B1A10);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    if (m == Mood::Grin || m == Mood::Sleepy) {
        // Closed: a happy arch, or a drowsy line.
        if (m == Mood::Grin)
            cairo_arc(cr, x, y + s * 0.3, s * 0.7, kPi * 1.15, kPi * 1.85);
        else
            cairo_arc(cr, x, y - s * 0.4, s * 0.7, kPi * 0.2, kPi * 0.8);
        cairo_set_line_width(cr, s * 0.32);
        setColour(cr, ink);
        cairo_stroke(cr);
        return;
    }
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, 0.8, 1.0);
    cairo_arc(cr, 0, 0, s, 0, 2 * kPi);
    cairo_restore(cr);
    setColour(cr, {1, 1, 1});
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, s * 0.14);
    setColour(cr, ink);
    cairo_stroke(cr);
    cairo_arc(cr, x + s * 0.12, y + s * 0.12, s * 0.5, 0, 2 * kPi);
    setColour(cr, ink);
    cairo_fill(cr);
    cairo_arc(cr, x - s * 0.05, y - s * 0.12, s * 0.18, 0, 2 * kPi);
    setColour(cr, {1, 1, 1});
    cairo_fill(cr);
    if (m == Mood::Bold || m == Mood::Fiery) {
        const double tilt = m == Mood::Fiery ? 0.55 : 0.3;
        const double dir = left ? 1 : -1;
        cairo_move_to(cr, x - s * 0.9 * dir, y - s * 1.35 - s * tilt);
        cairo_line_to(cr, x + s * 0.8 * dir, y - s * 1.25 + s * tilt);
        cairo_set_line_width(cr, s * 0.34);
        setColour(cr, ink);
        cairo_stroke(cr);
    }
}

void mouth(cairo_t* cr, double x, double y, double r, Mood m) {
    const Rgb ink = rgb(0x2B1A10);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    if (m == Mood::Grin || m == Mood::Fiery) {
        // Open mouth with a tongue (grin) or gritted teeth (fiery).
        cairo_move_to(cr, x - r * 0.38, y);
        cairo_curve_to(cr, x - r * 0.3, y + r * 0.45, x + r * 0.3, y + r * 0.45, x + r * 0.38, y);
        cairo_close_path(cr);
        setColour(cr, rgb(0x6A1B1B));
        cairo_fill_preserve(cr);
        cairo_save(cr);
        cairo_clip_preserve(cr);
        if (m == Mood::Grin) {
            cairo_arc(cr, x, y + r * 0.38, r * 0.2, 0, 2 * kPi);
            setColour(cr, rgb(0xFF6F7D));
            cairo_fill(cr);
        } else {
            cairo_rectangle(cr, x - r * 0.4, y - 1, r * 0.8, r * 0.12);
            setColour(cr, {1, 1, 1});
            cairo_fill(cr);
        }
        cairo_restore(cr);
        cairo_set_line_width(cr, r * 0.07);
        setColour(cr, ink);
        cairo_stroke(cr);
        return;
    }
    const double width = m == Mood::Sleepy ? 0.16 : 0.3;
    cairo_move_to(cr, x - r * width, y);
    cairo_curve_to(cr, x - r * width * 0.5, y + r * 0.2, x + r * width * 0.5, y + r * 0.2,
                   x + r * width, y - (m == Mood::Bold ? r * 0.08 : 0));
    cairo_set_line_width(cr, r * 0.08);
    setColour(cr, ink);
    cairo_stroke(cr);
}

}  // namespace

void drawMascot(cairo_t* cr, Fruit f, double x, double y, double r, Mood m) {
    const FruitLook look = lookOf(f);
    cairo_save(cr);
    crown(cr, f, x, y, r);
    bodyPath(cr, f, x, y, r);
    cairo_pattern_t* g =
        cairo_pattern_create_radial(x - r * 0.35, y - r * 0.45, r * 0.1, x, y, r * 1.2);
    const Rgb hi = lighter(look.body, 0.45);
    cairo_pattern_add_color_stop_rgb(g, 0, hi.r, hi.g, hi.b);
    cairo_pattern_add_color_stop_rgb(g, 0.7, look.body.r, look.body.g, look.body.b);
    const Rgb lo = darker(look.body, 0.12);
    cairo_pattern_add_color_stop_rgb(g, 1, lo.r, lo.g, lo.b);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    cairo_set_line_width(cr, std::max(1.5, r * 0.06));
    setColour(cr, look.outline);
    cairo_stroke(cr);
    if (f == Fruit::Orange) {
        // Dimpled peel.
        Xorshift rng{0x51ED270Bu};
        for (int i = 0; i < 14; ++i) {
            const double a = rng.unit() * 2 * kPi, d = r * (0.55 + 0.35 * rng.unit());
            cairo_arc(cr, x + std::cos(a) * d, y + std::sin(a) * d, r * 0.035, 0, 2 * kPi);
            setColour(cr, darker(look.body, 0.15));
            cairo_fill(cr);
        }
    }
    // Glint, cheeks, eyes and mouth.
    cairo_save(cr);
    cairo_translate(cr, x - r * 0.5, y - r * 0.5);
    cairo_rotate(cr, -0.6);
    cairo_scale(cr, 1.0, 0.55);
    cairo_arc(cr, 0, 0, r * 0.2, 0, 2 * kPi);
    cairo_restore(cr);
    setColour(cr, {1, 1, 1}, 0.85);
    cairo_fill(cr);
    for (double side : {-1.0, 1.0}) {
        cairo_arc(cr, x + side * r * 0.55, y + r * 0.22, r * 0.14, 0, 2 * kPi);
        setColour(cr, rgb(0xFF5E7A), 0.45);
        cairo_fill(cr);
    }
    const double es = r * 0.2;
    eye(cr, x - r * 0.3, y - r * 0.08, es, m, true);
    eye(cr, x + r * 0.3, y - r * 0.08, es, m, false);
    mouth(cr, x, y + r * 0.28, r, m);
    cairo_restore(cr);
}

void drawFlower(cairo_t* cr, double x, double y, double r, Rgb petals) {
    for (int i = 0; i < 5; ++i) {
        const double a = -kPi / 2 + i * 2 * kPi / 5;
        cairo_arc(cr, x + std::cos(a) * r * 0.6, y + std::sin(a) * r * 0.6, r * 0.5, 0, 2 * kPi);
        setColour(cr, petals);
        cairo_fill_preserve(cr);
        cairo_set_line_width(cr, 0.8);
        setColour(cr, darker(petals, 0.3));
        cairo_stroke(cr);
    }
    cairo_arc(cr, x, y, r * 0.38, 0, 2 * kPi);
    setColour(cr, rgb(0xFFB020));
    cairo_fill(cr);
}

}  // namespace menuart
