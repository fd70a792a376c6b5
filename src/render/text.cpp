// kwText: alignment on the anchor, the shadow pass, the opaque cell and the
// coverage blend straight into the 16-bit target. Everything is clipped to
// the target, so no position, text or font can make it write outside.
#include "render/text.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>

#include "assets/pixel_format.h"
#include "render/render_target.h"

namespace {

// A context's own font when a text has none: the system font's character
// height on a plain sans-serif face.
constexpr const char* kDefaultFace = "sans-serif";
constexpr int32_t kDefaultFaceHeight = 13;
constexpr double kFarAway = double(1 << 24);
constexpr uint32_t kOpaque = 255;

uint16_t load16(const uint8_t* p) {
    uint16_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

void store16(uint8_t* p, uint16_t v) {
    std::memcpy(p, &v, sizeof v);
}

uint32_t packChannel(uint32_t value8, const kwChannel& c) {
    const uint32_t v = value8 & c.mask8;
    const int shift = c.high - 7;
    return (shift >= 0 ? v << shift : v >> -shift) & c.mask;
}

// d + (s - d) * a / 255 in every channel of the 16-bit layout.
uint16_t blendPixel(uint16_t d, uint16_t s, uint32_t a) {
    if (a >= kOpaque) return s;
    uint32_t out = 0;
    for (const kwChannel* c : {&pixelFormat.red, &pixelFormat.green, &pixelFormat.blue})
        out |= (((s & c->mask) * a + (d & c->mask) * (kOpaque - a)) / kOpaque) & c->mask;
    return uint16_t(out);
}

// The part of [from, from + size) that lies in [0, limit).
struct Span {
    int64_t from = 0, to = 0;
};
Span clip(int64_t from, int64_t size, int64_t limit) {
    return {std::max<int64_t>(from, 0), std::min<int64_t>(from + size, limit)};
}

void fillRect(int64_t left, int64_t top, int64_t width, int64_t height, uint16_t pixel) {
    const kwRenderTarget& t = renderTarget;
    const Span cols = clip(left, width, t.width), rows = clip(top, height, t.height);
    for (int64_t y = rows.from; y < rows.to; ++y) {
        uint8_t* row = t.pixels + y * t.pitch;
        for (int64_t x = cols.from; x < cols.to; ++x) store16(row + x * 2, pixel);
    }
}

void blendCoverage(const kwTextCoverage& c, int64_t left, int64_t top, uint16_t pixel) {
    if (!c.pixels) return;
    const kwRenderTarget& t = renderTarget;
    const Span cols = clip(left, c.width, t.width), rows = clip(top, c.height, t.height);
    for (int64_t y = rows.from; y < rows.to; ++y) {
        const uint8_t* src = c.pixels + (y - top) * c.pitch + (cols.from - left);
        uint8_t* dst = t.pixels + y * t.pitch + cols.from * 2;
        for (int64_t n = cols.to - cols.from; n > 0; --n, ++src, dst += 2) {
            if (const uint32_t a = *src) store16(dst, blendPixel(load16(dst), pixel, a));
        }
    }
}

}  // namespace

uint32_t makeColorRef(int32_t r, int32_t g, int32_t b) {
    return uint32_t(r & 0xFF) | uint32_t(g & 0xFF) << 8 | uint32_t(b & 0xFF) << 16;
}

uint16_t packColorRef(uint32_t colorRef) {
    return uint16_t(packChannel(colorRef & 0xFF, pixelFormat.red) |
                    packChannel(colorRef >> 8 & 0xFF, pixelFormat.green) |
                    packChannel(colorRef >> 16 & 0xFF, pixelFormat.blue));
}

int64_t truncCoordinate(double v) {
    if (std::isnan(v)) return int64_t(-kFarAway);  // as the hardware conversion: far off screen
    return int64_t(std::clamp(v, -kFarAway, kFarAway));
}

kwText::kwText(kwFont* font_) : font(font_) {}

int32_t kwText::getWidth() {
    return font ? font->textWidth(text) : length * kNoFontCharWidth;
}

int32_t kwText::getHeight() {
    return font ? font->getHeight() : kNoFontHeight;
}

void kwText::getText(char* buffer, size_t size) {
    if (buffer && size > 0) std::snprintf(buffer, size, "%s", text);
}

void kwText::setFloat(float value) {
    char s[kCapacity];
    std::snprintf(s, sizeof s, "%f", double(value));
    setText(s);
}

void kwText::setInt(int32_t value) {
    char s[kCapacity];
    std::snprintf(s, sizeof s, "%d", value);
    setText(s);
}

void kwText::setText(const char* s) {
    length = 0;
    while (s && length < kCapacity - 1 && s[length]) {
        text[length] = s[length];
        ++length;
    }
    text[length] = '\0';
}

void kwText::setAlign(int32_t h, int32_t v) {
    if (h >= -1 && h <= 1) hAlign = h;
    if (v >= -1 && v <= 1) vAlign = v;
}

void kwText::setColor(int32_t r, int32_t g, int32_t b) {
    color = makeColorRef(r, g, b);
}

void kwText::setShadowColor(int32_t r, int32_t g, int32_t b) {
    shadowColor = makeColorRef(r, g, b);
}

void kwText::setShadowOffset(float dx, float dy) {
    shadowDx = dx;
    shadowDy = dy;
}

void kwText::setBackColor(int32_t r, int32_t g, int32_t b) {
    backColor = makeColorRef(r, g, b);
}

int64_t kwText::anchorX() const {
    return truncCoordinate(double(renderTarget.width / 2) + double(x));
}

int64_t kwText::anchorY() const {
    return truncCoordinate(double(renderTarget.height / 2) - double(y));
}

bool kwText::canDraw() {
    return renderTarget.pixels && renderTarget.width > 0 && renderTarget.height > 0 &&
           renderTarget.pitch >= renderTarget.width * 2 && pixelFormat.bpp == 16;
}

kwFont* kwText::drawingFont() {
    if (font) return font;
    static const std::unique_ptr<kwFont> fallback =
        std::make_unique<kwFont>(kDefaultFaceHeight, kDefaultFace);
    return fallback.get();
}

void kwText::draw() {
    if (!canDraw()) return;
    kwFont* f = drawingFont();
    if (!f->handle) {
        f->reportMissingFace();
        return;
    }
    const kwTextCoverage* c = f->coverage(text);
    if (!c) return;
    const int64_t px = anchorX(), py = anchorY();
    if (shadow)
        drawPass(*c, truncCoordinate(double(px) + shadowDx), truncCoordinate(double(py) - shadowDy),
                 shadowColor);
    drawPass(*c, px, py, color);
}

// One DrawText: the cell placed on the anchor by the alignment, filled when
// opaque, then the letters blended over it.
void kwText::drawPass(const kwTextCoverage& c, int64_t ax, int64_t ay, uint32_t colorRef) {
    const int64_t width = c.advance, cell = int64_t{c.ascent} + c.descent;
    const int64_t left = hAlign < 0 ? ax : hAlign == 0 ? ax - width / 2 : ax - width;
    const int64_t top = vAlign > 0 ? ay : vAlign == 0 ? ay - cell / 2 : ay - cell;
    if (!transparent) fillRect(left, top, width, cell, packColorRef(backColor));
    blendCoverage(c, left - c.originX, top + c.ascent - c.baseline, packColorRef(colorRef));
}
