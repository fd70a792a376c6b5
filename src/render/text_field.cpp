// kwTextField: editing rules and the caret. The caret is a one-pixel line
// written straight into the target, its column measured from the text's
// start with the same font the text is drawn in.
#include "render/text_field.h"

#include <algorithm>
#include <cstring>

#include "render/render_target.h"
#include "shell/clock.h"

namespace {
constexpr int32_t kCaretDrop = 20;  // the caret reaches h / 20 past the cell
}

kwTextField::kwTextField(kwFont* font_, int32_t maxLength_) : kwText(font_) {
    maxLength = std::clamp(maxLength_, 0, kCapacity - 1);
    blinkTime = gameTime();
    hAlign = -1;
    vAlign = 0;
}

void kwTextField::setText(const char* s) {
    kwText::setText(s);
    caret = length;
}

void kwTextField::setCaretColor(int32_t r, int32_t g, int32_t b) {
    caretRed = r & 0xFF;
    caretGreen = g & 0xFF;
    caretBlue = b & 0xFF;
}

void kwTextField::restartBlink() {
    blinkTime = gameTime();
    caretShown = 1;
}

bool kwTextField::typeChar(uint32_t code) {
    if (code == kEnter || code == kTab) return true;
    caret = std::clamp(caret, 0, length);
    if (code == kBackspace) {
        if (length == 0 || caret == 0) return false;
        restartBlink();
        std::memmove(text + caret - 1, text + caret, size_t(length - caret + 1));
        --length;
        --caret;
        return false;
    }
    if (code < kFirstPrintable || code > kLastPrintable || length >= maxLength) return false;
    restartBlink();
    std::memmove(text + caret + 1, text + caret, size_t(length - caret + 1));
    text[caret] = char(code);
    ++length;
    ++caret;
    return false;
}

void kwTextField::caretLeft() {
    if (caret <= 0) return;
    restartBlink();
    caret = std::min(caret, length) - 1;
}

void kwTextField::caretRight() {
    if (caret >= length) return;
    restartBlink();
    caret = std::max(caret, 0) + 1;
}

void kwTextField::deleteAtCaret() {
    if (length <= 0 || caret < 0 || caret >= length) return;
    restartBlink();
    std::memmove(text + caret, text + caret + 1, size_t(length - caret));
    --length;
}

void kwTextField::draw() {
    kwText::draw();
    if (!focused) return;
    const uint32_t now = gameTime();
    if (now - blinkTime >= kBlinkPhase) {
        blinkTime = now;
        caretShown = !caretShown;
    }
    if (caretShown) drawCaret();
}

int32_t kwTextField::caretOffset() {
    const int32_t n = std::clamp(caret, 0, length);
    if (!font) return n * kNoFontCharWidth;
    char prefix[kCapacity];
    std::memcpy(prefix, text, size_t(n));
    prefix[n] = '\0';
    return font->textWidth(prefix);
}

void kwTextField::drawCaret() {
    if (!canDraw()) return;
    const kwRenderTarget& t = renderTarget;
    const int64_t column = t.width / 2 + truncCoordinate(x) + caretOffset();
    if (column < 0 || column >= t.width) return;
    const int32_t h = getHeight();
    const int32_t drop = vAlign < 0 ? -h / kCaretDrop : vAlign == 0 ? h / 2 : h + h / kCaretDrop;
    const int64_t bottom = t.height / 2 - truncCoordinate(y) + drop;
    const uint16_t pixel = packColorRef(makeColorRef(caretRed, caretGreen, caretBlue));
    const int64_t first = std::max<int64_t>(bottom - h + 1, 0);
    const int64_t last = std::min<int64_t>(bottom, t.height - 1);
    for (int64_t row = first; row <= last; ++row)
        std::memcpy(t.pixels + row * t.pitch + column * 2, &pixel, sizeof pixel);
}
