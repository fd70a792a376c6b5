#include "ui/ui_paint.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace artgen::ui {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr const char* kLetteringFace = "DejaVu Sans";
constexpr int kHalfCover = 128;  // alpha at which a hard edge keeps a pixel

double channel(uint32_t rgb, int shift) {
    return double((rgb >> shift) & 255) / 255.0;
}

// A normalised Gaussian kernel of the given radius (sigma = radius / 2).
std::vector<float> kernel(int radius) {
    std::vector<float> k(size_t(2 * radius + 1));
    const double sigma = std::max(0.5, radius / 2.0);
    double sum = 0;
    for (int i = -radius; i <= radius; ++i) {
        const double v = std::exp(-(i * i) / (2 * sigma * sigma));
        k[size_t(i + radius)] = float(v);
        sum += v;
    }
    for (float& v : k) v = float(v / sum);
    return k;
}

// One blur pass along rows (step 1) or columns (step w) of an alpha field.
std::vector<float> blurPass(const std::vector<float>& a, int w, int h, int radius, bool rows) {
    const std::vector<float> k = kernel(radius);
    std::vector<float> out(a.size(), 0.0f);
    const int n = rows ? w : h;
    for (int line = 0; line < (rows ? h : w); ++line) {
        for (int i = 0; i < n; ++i) {
            float sum = 0;
            for (int j = -radius; j <= radius; ++j) {
                const int at = i + j;
                if (at < 0 || at >= n) continue;
                const size_t idx = rows ? size_t(line) * w + at : size_t(at) * w + line;
                sum += a[idx] * k[size_t(j + radius)];
            }
            out[rows ? size_t(line) * w + i : size_t(i) * w + line] = sum;
        }
    }
    return out;
}

uint32_t pack(double a, double r, double g, double b) {
    auto byte = [](double v) { return uint32_t(std::clamp(std::lround(v * 255.0), 0L, 255L)); };
    return byte(a) << 24 | byte(r) << 16 | byte(g) << 8 | byte(b);
}

}  // namespace

uint32_t XorShift::next() {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state;
}

double XorShift::unit() {
    return double(next() >> 8) / double(1u << 24);
}

void setColour(cairo_t* cr, uint32_t rgb, double alpha) {
    cairo_set_source_rgba(cr, channel(rgb, 16), channel(rgb, 8), channel(rgb, 0), alpha);
}

void starPath(cairo_t* cr, double cx, double cy, double outer, double inner, int points,
              double turn) {
    cairo_new_sub_path(cr);
    for (int i = 0; i < points * 2; ++i) {
        const double r = (i % 2) ? inner : outer;
        const double a = turn - kPi / 2 + i * kPi / points;
        cairo_line_to(cr, cx + r * std::cos(a), cy + r * std::sin(a));
    }
    cairo_close_path(cr);
}

void leafPath(cairo_t* cr, double x, double y, double length, double width, double angle) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, angle);
    cairo_new_sub_path(cr);
    cairo_move_to(cr, 0, 0);
    cairo_curve_to(cr, length * 0.3, -width, length * 0.75, -width * 0.8, length, 0);
    cairo_curve_to(cr, length * 0.75, width * 0.8, length * 0.3, width, 0, 0);
    cairo_close_path(cr);
    cairo_restore(cr);
}

void drawLeaf(cairo_t* cr, double x, double y, double length, double angle, uint32_t rgb) {
    leafPath(cr, x, y, length, length * 0.36, angle);
    setColour(cr, rgb);
    cairo_fill_preserve(cr);
    setColour(cr, 0x1E5A1E);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    cairo_move_to(cr, x + std::cos(angle) * length * 0.1, y + std::sin(angle) * length * 0.1);
    cairo_line_to(cr, x + std::cos(angle) * length * 0.85, y + std::sin(angle) * length * 0.85);
    setColour(cr, 0xB8F07A, 0.8);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
}

void textPath(cairo_t* cr, const std::string& text, double size, double cx, double cy) {
    cairo_select_font_face(cr, kLetteringFace, CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    cairo_set_font_size(cr, size);
    cairo_text_extents_t e;
    cairo_text_extents(cr, text.c_str(), &e);
    cairo_move_to(cr, cx - e.width / 2 - e.x_bearing, cy - e.height / 2 - e.y_bearing);
    cairo_text_path(cr, text.c_str());
}

void lettering(cairo_t* cr, const std::string& text, double size, double cx, double cy,
               uint32_t fill, uint32_t outline, double outlineWidth) {
    cairo_new_path(cr);
    textPath(cr, text, size, cx, cy);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_width(cr, outlineWidth * 2);
    setColour(cr, outline);
    cairo_stroke_preserve(cr);
    setColour(cr, fill);
    cairo_fill(cr);
}

Picture blankPicture(int w, int h) {
    Picture p;
    p.w = w;
    p.h = h;
    p.argb.assign(size_t(w) * h, 0);
    return p;
}

void over(Picture& dst, const Picture& src, int dx, int dy) {
    for (int y = 0; y < src.h; ++y) {
        const int ty = y + dy;
        if (ty < 0 || ty >= dst.h) continue;
        for (int x = 0; x < src.w; ++x) {
            const int tx = x + dx;
            if (tx < 0 || tx >= dst.w) continue;
            const uint32_t s = src.at(x, y);
            const double sa = (s >> 24) / 255.0;
            if (sa <= 0) continue;
            uint32_t& d = dst.argb[size_t(ty) * dst.w + tx];
            const double da = (d >> 24) / 255.0;
            const double oa = sa + da * (1 - sa);
            auto mix = [&](int shift) {
                return (channel(s, shift) * sa + channel(d, shift) * da * (1 - sa)) / oa;
            };
            d = pack(oa, mix(16), mix(8), mix(0));
        }
    }
}

Picture crop(const Picture& p, int x, int y, int w, int h) {
    Picture out = blankPicture(w, h);
    for (int row = 0; row < h; ++row)
        for (int col = 0; col < w; ++col) {
            const int sx = x + col, sy = y + row;
            if (sx >= 0 && sx < p.w && sy >= 0 && sy < p.h)
                out.argb[size_t(row) * w + col] = p.at(sx, sy);
        }
    return out;
}

Picture softShadow(const Picture& p, int radius, uint32_t rgb, double opacity) {
    std::vector<float> a(p.argb.size());
    for (size_t i = 0; i < a.size(); ++i) a[i] = float((p.argb[i] >> 24) / 255.0);
    a = blurPass(blurPass(a, p.w, p.h, radius, true), p.w, p.h, radius, false);
    Picture out = blankPicture(p.w, p.h);
    for (size_t i = 0; i < a.size(); ++i)
        out.argb[i] = pack(a[i] * opacity, channel(rgb, 16), channel(rgb, 8), channel(rgb, 0)) &
                      (a[i] * opacity * 255.0 < 0.5 ? 0u : 0xFFFFFFFFu);
    return out;
}

Picture withShadow(const Picture& p, int dx, int dy, int radius, double opacity) {
    Picture out = blankPicture(p.w, p.h);
    over(out, softShadow(p, radius, 0x1A1008, opacity), dx, dy);
    over(out, p, 0, 0);
    return out;
}

Picture hardEdged(const Picture& p) {
    Picture out = p;
    for (uint32_t& px : out.argb) px = (px >> 24) >= kHalfCover ? (px | 0xFF000000u) : 0u;
    return out;
}

Picture flattened(const Picture& p, uint32_t rgb) {
    Picture out = blankPicture(p.w, p.h);
    for (uint32_t& px : out.argb) px = 0xFF000000u | rgb;
    over(out, p, 0, 0);
    return out;
}

}  // namespace artgen::ui
