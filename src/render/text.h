// A line of system-font text drawn at an anchor point: menu labels, names,
// numbers. Aligned on the anchor like a single-line DrawText on an empty
// rectangle, optionally with a shadow copy drawn first and an opaque cell.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/platform.h"
#include "render/drawable.h"
#include "render/font.h"

// A colour as red + green * 256 + blue * 65536, each 0..255.
uint32_t makeColorRef(int32_t r, int32_t g, int32_t b);

class kwText : public kwDrawable {
public:
    static constexpr int32_t kCapacity = 256;  // 255 characters and the zero
    // Stand-in metrics of a text without a font.
    static constexpr int32_t kNoFontCharWidth = 10;
    static constexpr int32_t kNoFontHeight = 10;
    // An opaque cell is filled white, the background a fresh GDI context has.
    static constexpr uint32_t kDefaultBackColor = 0xFFFFFF;

    explicit kwText(kwFont* font = nullptr);

    int32_t getWidth() override;
    int32_t getHeight() override;
    void draw() override;
    bool place() override { return true; }
    uint32_t kind() override { return kKindText; }
    kwDrawable* image() override { return this; }
    bool hitTest(int32_t, int32_t, bool) override { return false; }
    // Copies the text with its zero, cut to fit `size` bytes.
    virtual void getText(char* buffer, size_t size);
    virtual void setFloat(float value);   // "%f"
    virtual void setInt(int32_t value);   // "%d"
    virtual void setText(const char* s);  // at most 255 characters

    // Each value is taken only if it lies in -1..1.
    void setAlign(int32_t h, int32_t v);
    void setColor(int32_t r, int32_t g, int32_t b);
    void setShadowColor(int32_t r, int32_t g, int32_t b);
    void setShadow(bool on) { shadow = on; }
    void setShadowOffset(float dx, float dy);
    void setFont(kwFont* f) { font = f; }
    void setTransparent(bool on) { transparent = on; }
    void setBackColor(int32_t r, int32_t g, int32_t b);

    char text[kCapacity] = "";
    int32_t length = 0;
    int32_t hAlign = -1;  // -1 left, 0 centre, 1 right of the anchor
    int32_t vAlign = -1;  // -1 bottom, 0 centre, 1 top at the anchor
    uint8_t transparent = 1;
    kwFont* font = nullptr;  // not owned; null draws with the default face
    uint32_t color = 0;      // black, GDI's default, until the owner sets it
    uint8_t shadow = 0;
    uint32_t shadowColor = 0;
    float shadowDx = 1.0f;   // right
    float shadowDy = -1.0f;  // up: -1 is one pixel down
    uint32_t backColor = kDefaultBackColor;

protected:
    // The anchor on the target: trunc(W/2 + x), trunc(H/2 - y).
    int64_t anchorX() const;
    int64_t anchorY() const;
    // Pixels of the target are 16-bit and a target exists.
    static bool canDraw();

private:
    kwFont* drawingFont();
    void drawPass(const kwTextCoverage& c, int64_t ax, int64_t ay, uint32_t colorRef);
};

// Helpers shared with the text field's caret.
uint16_t packColorRef(uint32_t colorRef);
// Truncates a float toward zero, kept within a range no screen reaches; NaN
// lands far off screen.
int64_t truncCoordinate(double v);
