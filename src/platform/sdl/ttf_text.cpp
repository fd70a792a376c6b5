// System fonts for both backends. fontconfig resolves the face name (so
// "Arial" finds its metric twin Liberation Sans, and anything unknown finds
// the desktop's sans-serif); SDL_ttf opens it with the em at the asked
// pixel height, which is what a negative GDI height means. Text is laid out
// here glyph by glyph on whole-pixel advances without kerning, the way GDI
// draws a single line, so a measured prefix ends exactly where the next
// glyph starts (the caret relies on that).
#include "platform/sdl/ttf_text.h"

#include <SDL_ttf.h>
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "shell/log.h"

struct kwFontFace {
    TTF_Font* font = nullptr;
    int ascent = 0;   // rows above the baseline in the line cell
    int descent = 0;  // rows below it
    char path[1024] = "";
};

namespace {

constexpr const char* kFallbackFamily = "sans-serif";
// Far beyond any use in the game; keeps a bitmap's size bounded.
constexpr int kMaxPixelHeight = 512;
constexpr int64_t kMaxBitmapBytes = int64_t{64} << 20;
constexpr SDL_Color kInk{255, 255, 255, 255};
constexpr SDL_Color kPaper{0, 0, 0, 255};

int g_openFaces = 0;
std::vector<uint8_t> g_bitmap;  // the pixels of the last renderText

struct GlyphBox {
    int minx = 0, maxx = 0, miny = 0, maxy = 0, advance = 0;
};

GlyphBox glyphBox(TTF_Font* font, uint8_t c) {
    GlyphBox g;
    if (TTF_GlyphMetrics32(font, c, &g.minx, &g.maxx, &g.miny, &g.maxy, &g.advance) != 0)
        return GlyphBox{};
    return g;
}

// TTF_Init and TTF_Quit count; the engine runs while a face is open.
bool startEngine() {
    if (g_openFaces > 0) return true;
    if (TTF_Init() == 0) return true;
    debugFail("ttf::openFont - cannot start the font engine", TTF_GetError());
    return false;
}

void stopEngineIfIdle() {
    if (g_openFaces == 0) TTF_Quit();
}

std::unique_ptr<kwFontFace> openResolved(const char* faceName, int pixelHeight) {
    auto face = std::make_unique<kwFontFace>();
    int index = 0;
    if (!ttfResolveFace(faceName, face->path, sizeof face->path, &index)) return nullptr;
    face->font = TTF_OpenFontIndex(face->path, pixelHeight, index);
    if (!face->font) return nullptr;
    // The line cell is the font's height, split at the ascent, as GDI's
    // tmHeight = tmAscent + tmDescent.
    face->ascent = TTF_FontAscent(face->font);
    face->descent = std::max(0, TTF_FontHeight(face->font) - face->ascent);
    return face;
}

// Where the glyphs of `text` reach, relative to the pen's start on the
// baseline: columns [left, right), rows [top, bottom) with the cell's top
// row as 0.
struct Extent {
    int64_t left = 0, right = 0, top = 0, bottom = 0, advance = 0;
};

Extent measure(const kwFontFace& face, const char* text) {
    Extent e;
    e.bottom = face.ascent + face.descent;
    for (const char* p = text; *p; ++p) {
        GlyphBox g = glyphBox(face.font, uint8_t(*p));
        e.left = std::min(e.left, e.advance + std::min(0, g.minx));
        e.right = std::max(e.right, e.advance + std::max(g.maxx, g.advance));
        e.top = std::min<int64_t>(e.top, face.ascent - g.maxy);
        e.bottom = std::max<int64_t>(e.bottom, face.ascent - g.miny);
        e.advance += g.advance;
    }
    e.right = std::max(e.right, e.advance);
    return e;
}

// Copies one glyph picture's coverage into the bitmap with its top-left at
// (x0, y0), clipped; overlapping glyphs keep the stronger coverage.
void copyGlyph(SDL_Surface* s, const kwTextCoverage& out, uint8_t* bitmap, int64_t x0, int64_t y0) {
    const SDL_Palette* palette = s->format->palette;
    if (s->format->BytesPerPixel != 1 || !palette || palette->ncolors < 256) return;
    if (SDL_MUSTLOCK(s) && SDL_LockSurface(s) != 0) return;
    const int64_t colFrom = std::max<int64_t>(0, -x0),
                  colTo = std::min<int64_t>(s->w, out.width - x0);
    const int64_t rowFrom = std::max<int64_t>(0, -y0),
                  rowTo = std::min<int64_t>(s->h, out.height - y0);
    for (int64_t r = rowFrom; r < rowTo; ++r) {
        const uint8_t* src = static_cast<const uint8_t*>(s->pixels) + r * s->pitch;
        uint8_t* dst = bitmap + (y0 + r) * out.pitch;
        for (int64_t c = colFrom; c < colTo; ++c)
            dst[x0 + c] = std::max(dst[x0 + c], palette->colors[src[c]].r);
    }
    if (SDL_MUSTLOCK(s)) SDL_UnlockSurface(s);
}

// A glyph picture puts the pen `max(0, -minx)` columns in, and the cell's
// top `max(0, maxy - ascent)` rows down.
void drawGlyphs(const kwFontFace& face, const char* text, const kwTextCoverage& out) {
    int64_t pen = out.originX;
    const int64_t cellTop = out.baseline - face.ascent;
    for (const char* p = text; *p; ++p) {
        const uint8_t c = uint8_t(*p);
        GlyphBox g = glyphBox(face.font, c);
        SDL_Surface* s = TTF_RenderGlyph32_Shaded(face.font, c, kInk, kPaper);
        if (s) {
            copyGlyph(s, out, g_bitmap.data(), pen - std::max(0, -g.minx),
                      cellTop - std::max(0, g.maxy - face.ascent));
            SDL_FreeSurface(s);
        }
        pen += g.advance;
    }
}

// fontconfig keeps its configuration for the whole run; it is handed back
// at exit, when nothing can ask for a face any more (and leak checkers then
// see a clean process).
void releaseFontconfigAtExit() {
    static const bool registered = std::atexit(FcFini) == 0;
    (void)registered;
}

}  // namespace

bool ttfResolveFace(const char* faceName, char* path, size_t pathSize, int* index) {
    if (!faceName || !*faceName || !path || pathSize == 0) return false;
    releaseFontconfigAtExit();
    FcPattern* pattern = FcPatternCreate();
    if (!pattern) return false;
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(faceName));
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);  // SDL_ttf wants outlines
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    bool found = false;
    FcChar8* file = nullptr;
    if (match && FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch &&
        std::strlen(reinterpret_cast<const char*>(file)) < pathSize) {
        std::strcpy(path, reinterpret_cast<const char*>(file));
        int i = 0;
        if (FcPatternGetInteger(match, FC_INDEX, 0, &i) != FcResultMatch) i = 0;
        if (index) *index = i;
        found = true;
    }
    if (match) FcPatternDestroy(match);
    return found;
}

kwFontFace* ttfOpenFont(const char* faceName, int pixelHeight) {
    if (pixelHeight < 1 || pixelHeight > kMaxPixelHeight) {
        debugFail("ttf::openFont - unusable character height", faceName);
        return nullptr;
    }
    if (!startEngine()) return nullptr;
    std::unique_ptr<kwFontFace> face = openResolved(faceName, pixelHeight);
    if (!face) {
        debugFail("ttf::openFont - face not found, using sans-serif", faceName);
        face = openResolved(kFallbackFamily, pixelHeight);
    }
    if (!face) {
        debugFail("ttf::openFont - no usable system font", faceName);
        stopEngineIfIdle();
        return nullptr;
    }
    ++g_openFaces;
    return face.release();
}

void ttfCloseFont(kwFontFace* face) {
    if (!face) return;
    std::unique_ptr<kwFontFace> owned(face);
    TTF_CloseFont(owned->font);
    --g_openFaces;
    stopEngineIfIdle();
}

int ttfTextWidth(kwFontFace* face, const char* text) {
    if (!face || !text) return 0;
    int64_t width = 0;
    for (const char* p = text; *p; ++p) width += glyphBox(face->font, uint8_t(*p)).advance;
    return int(std::clamp<int64_t>(width, 0, INT_MAX));
}

bool ttfRenderText(kwFontFace* face, const char* text, kwTextCoverage* out) {
    if (!face || !text || !out) return false;
    const Extent e = measure(*face, text);
    const int64_t width = e.right - e.left, height = e.bottom - e.top;
    if (width * height > kMaxBitmapBytes || e.advance > INT_MAX) {
        debugFail("ttf::renderText - text too large to draw");
        return false;
    }
    kwTextCoverage c;
    c.width = int(width);
    c.height = int(height);
    c.pitch = c.width;
    c.originX = int(-e.left);
    c.baseline = int(face->ascent - e.top);
    c.advance = int(e.advance);
    c.ascent = face->ascent;
    c.descent = face->descent;
    g_bitmap.assign(size_t(width * height), 0);
    drawGlyphs(*face, text, c);
    c.pixels = c.width > 0 && c.height > 0 ? g_bitmap.data() : nullptr;
    *out = c;
    return true;
}

const char* ttfFacePath(const kwFontFace* face) {
    return face ? face->path : "";
}

int ttfOpenFaces() {
    return g_openFaces;
}
