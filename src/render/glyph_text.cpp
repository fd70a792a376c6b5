// The glyph table, single glyphs and blocks of glyph text. Layout keeps the
// letters on whole pixels: every draw and every step truncates them back.
#include "render/glyph_text.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "render/render_target.h"
#include "shell/log.h"

kwGlyphTable* glyphTable = nullptr;

namespace {

constexpr const char* kFontArchive = "font.lfl";
constexpr int kDigitFiles = 10;
constexpr int kLetterFiles = 26;
// Punctuation in file order: file 01 is "?", file 14 is "#".
constexpr char kPunctuation[] = "?.+-:\"',!&*()#";
constexpr int kPunctuationFiles = sizeof(kPunctuation) - 1;
static_assert(kwGlyphTable::kPunctuationBase + kPunctuationFiles == kwGlyphTable::kGlyphCount);

constexpr double kExplodeFactor = 0.1;
// Letters that have flown this far are long off screen; the cap keeps the
// float-to-integer conversions defined however long a block keeps exploding.
constexpr double kFarAway = 1 << 24;

int32_t truncated(double v) {
    if (std::isnan(v)) return 0;
    if (v > kFarAway) v = kFarAway;
    if (v < -kFarAway) v = -kFarAway;
    return static_cast<int32_t>(v);
}

// trunc(sum + v) for the running sums of letter positions.
int64_t sumTruncated(int64_t sum, float v) {
    constexpr double kLimit = 1e15;
    double r = static_cast<double>(sum) + (std::isnan(v) ? 0.0 : v);
    if (r > kLimit) r = kLimit;
    if (r < -kLimit) r = -kLimit;
    return static_cast<int64_t>(r);
}

std::unique_ptr<kwLayeredSprite> makeGlyph(kwLinkedFileList* list, const char* kind, int number) {
    char base[64], alpha[64], mask[64];
    std::snprintf(base, sizeof base, "b_interface_%s_%2.2d.eye", kind, number);
    std::snprintf(alpha, sizeof alpha, "a_interface_%s_%2.2d.eye", kind, number);
    std::snprintf(mask, sizeof mask, "a_interface_%s_m_%2.2d.msk", kind, number);
    return std::make_unique<kwLayeredSprite>(base, alpha, mask, list);
}

}  // namespace

kwGlyphTable::~kwGlyphTable() {
    unload();
}

void kwGlyphTable::load() {
    if (loaded) return;
    archive = std::make_unique<kwLinkedFileList>();
    archive->add_lfl(kFontArchive);
    int index = 0;
    for (int i = 1; i <= kDigitFiles; ++i) glyphs[index++] = makeGlyph(archive.get(), "number", i);
    for (int i = 1; i <= kLetterFiles; ++i) glyphs[index++] = makeGlyph(archive.get(), "letter", i);
    for (int i = 1; i <= kPunctuationFiles; ++i)
        glyphs[index++] = makeGlyph(archive.get(), "punc", i);
    loaded = true;
}

void kwGlyphTable::unload() {
    if (!loaded) return;
    for (auto& g : glyphs) g.reset();
    archive->clear();
    archive.reset();
    loaded = false;
}

kwLayeredSprite* kwGlyphTable::glyphFor(uint8_t c) const {
    if (!loaded) return nullptr;
    int index = -1;
    if (c >= '0' && c <= '9') {
        index = kDigitBase + (c - '0');
    } else if (c >= 'A' && c <= 'Z') {
        index = kLetterBase + (c - 'A');
    } else if (c >= 'a' && c <= 'z') {
        index = kLetterBase + (c - 'a');
    } else if (c != 0) {
        const char* p = std::strchr(kPunctuation, c);
        if (p) index = kPunctuationBase + static_cast<int>(p - kPunctuation);
    }
    return index < 0 ? nullptr : glyphs[index].get();
}

void createGlyphTable() {
    if (!glyphTable) glyphTable = new kwGlyphTable;
    glyphTable->load();
}

void deleteGlyphTable() {
    if (!glyphTable) return;
    glyphTable->unload();
    delete glyphTable;
    glyphTable = nullptr;
}

kwLayeredSprite* glyphFor(uint8_t c) {
    return glyphTable ? glyphTable->glyphFor(c) : nullptr;
}

// --- kwGlyph -------------------------------------------------------------

void kwGlyph::draw() {
    kwLayeredSprite* glyph = glyphFor(character);
    if (!glyph) return;
    glyph->x = x;
    glyph->y = y;
    targetScreen();
    if (glyph->place()) glyph->draw();
}

int32_t kwGlyph::getWidth() {
    kwLayeredSprite* glyph = glyphFor(character);
    return glyph ? glyph->getWidth() : kSpaceWidth;
}

// --- kwGlyphText ---------------------------------------------------------

kwGlyphText::kwGlyphText() {
    depth = kDefaultDepth;
}

int32_t kwGlyphText::addLine(const char* s) {
    if (!s) s = "";
    const int32_t n = static_cast<int32_t>(std::strlen(s));
    const int32_t room = kCapacity - count;
    const int32_t kept = n < room ? n : room;
    if (kept < n)
        debugLogf("kwGlyphText::addLine - too many letters, %d dropped\r\n", int(n - kept));

    int32_t w = 0;
    for (int32_t j = 0; j < kept; ++j) {
        letters[count + j].character = static_cast<uint8_t>(s[j]);
        w += letters[count + j].getWidth();
    }
    int32_t pen = -(w / 2);
    for (int32_t j = 0; j < kept; ++j) {
        kwGlyph& g = letters[count + j];
        g.x = static_cast<float>(pen);
        g.y = 0.0f;
        lineOf[count + j] = lines;
        pen += g.getWidth();
    }
    count += kept;
    lines += 1;
    if (w > widest) widest = w;
    return widest;
}

int32_t kwGlyphText::topOffset() const {
    return (lines * kLineSpacing - kLineSpacing) / 2;
}

float kwGlyphText::absoluteX(int32_t i) const {
    return letters[i].x + x;
}

float kwGlyphText::absoluteY(int32_t i, int32_t top) const {
    return static_cast<float>(top) + letters[i].y + y -
           static_cast<float>(kLineSpacing * lineOf[i]);
}

void kwGlyphText::draw() {
    const int32_t top = topOffset();
    for (int32_t i = 0; i < count; ++i) {
        kwGlyph& g = letters[i];
        const float gx = g.x, gy = g.y;
        g.x = absoluteX(i);
        g.y = absoluteY(i, top);
        targetScreen();
        if (g.place()) g.draw();
        g.x = static_cast<float>(truncated(gx));
        g.y = static_cast<float>(truncated(gy));
    }
}

void kwGlyphText::explodeStep() {
    if (count <= 0) return;
    const int32_t top = topOffset();
    // 64-bit sums: a hundred far-flung letters must not overflow the centre.
    int64_t sx = 0, sy = 0;
    for (int32_t i = 0; i < count; ++i) {
        kwGlyph& g = letters[i];
        sx = sumTruncated(sx, absoluteX(i));
        sy = sumTruncated(sy, absoluteY(i, top));
        g.x = static_cast<float>(truncated(g.x));
        g.y = static_cast<float>(truncated(g.y));
    }
    const int64_t cx = sx / count;
    const int64_t cy = sy / count;
    for (int32_t i = 0; i < count; ++i) {
        kwGlyph& g = letters[i];
        int32_t dx = truncated((absoluteX(i) - static_cast<double>(cx)) * kExplodeFactor);
        int32_t dy = truncated((absoluteY(i, top) - static_cast<double>(cy)) * kExplodeFactor);
        if (dx == 0) dx = 1;
        if (dy == 0) dy = 1;
        g.x = static_cast<float>(truncated(static_cast<double>(g.x) + dx));
        g.y = static_cast<float>(truncated(static_cast<double>(g.y) + dy));
    }
}
