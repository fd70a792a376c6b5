#include "tiny_font.h"

#include <array>

namespace {

// Five rows of three bits each, top row in the high bits, left pixel first.
constexpr uint16_t glyph(const char* rows) {
    uint16_t bits = 0;
    for (int i = 0; i < kTinyGlyphW * kTinyGlyphH; ++i)
        bits = uint16_t(bits << 1 | (rows[i] == '#' ? 1 : 0));
    return bits;
}

struct Entry {
    char c;
    uint16_t bits;
};

constexpr std::array<Entry, 47> kGlyphs = {{
    {'a', glyph(".#.#.#####.##.#")}, {'b', glyph("##.#.###.#.###.")},
    {'c', glyph(".###..#..#...##")}, {'d', glyph("##.#.##.##.###.")},
    {'e', glyph("####..##.#..###")}, {'f', glyph("####..##.#..#..")},
    {'g', glyph(".###..#.##.#.##")}, {'h', glyph("#.##.#####.##.#")},
    {'i', glyph("###.#..#..#.###")}, {'j', glyph("..#..#..##.#.#.")},
    {'k', glyph("#.##.###.#.##.#")}, {'l', glyph("#..#..#..#..###")},
    {'m', glyph("#.########.##.#")}, {'n', glyph("##.#.##.##.##.#")},
    {'o', glyph(".#.#.##.##.#.#.")}, {'p', glyph("##.#.###.#..#..")},
    {'q', glyph(".#.#.##.###..##")}, {'r', glyph("##.#.###.#.##.#")},
    {'s', glyph(".###...#...###.")}, {'t', glyph("###.#..#..#..#.")},
    {'u', glyph("#.##.##.##.####")}, {'v', glyph("#.##.##.##.#.#.")},
    {'w', glyph("#.##.########.#")}, {'x', glyph("#.##.#.#.#.##.#")},
    {'y', glyph("#.##.#.#..#..#.")}, {'z', glyph("###..#.#.#..###")},
    {'0', glyph("####.##.##.####")}, {'1', glyph(".#.##..#..#.###")},
    {'2', glyph("##...#.#.#..###")}, {'3', glyph("##...#.#...###.")},
    {'4', glyph("#.##.####..#..#")}, {'5', glyph("####..##...###.")},
    {'6', glyph(".###..####.####")}, {'7', glyph("###..#.#..#..#.")},
    {'8', glyph("####.#####.####")}, {'9', glyph("####.####..###.")},
    {'_', glyph("............###")}, {'.', glyph(".............#.")},
    {'-', glyph("......###......")}, {'(', glyph("..#.#..#..#...#")},
    {')', glyph("#...#..#..#.#..")}, {':', glyph("....#.....#....")},
    {'/', glyph("..#..#.#.#..#..")}, {',', glyph("..........#.#..")},
    {'+', glyph("....#.###.#....")}, {'#', glyph("#.#####.#####.#")},
    {'?', glyph("##...#.#.....#.")},
}};

uint16_t bitsFor(char c) {
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    for (const Entry& e : kGlyphs)
        if (e.c == c) return e.bits;
    return 0;
}

void fillBlock(uint16_t* pixels, int width, int height, int pitch, int x, int y, int scale,
               uint16_t colour) {
    for (int dy = 0; dy < scale; ++dy) {
        const int py = y + dy;
        if (py < 0 || py >= height) continue;
        for (int dx = 0; dx < scale; ++dx) {
            const int px = x + dx;
            if (px >= 0 && px < width) pixels[size_t(py) * pitch + px] = colour;
        }
    }
}

}  // namespace

void drawTinyText(uint16_t* pixels, int width, int height, int pitchPixels, int x, int y,
                  const std::string& text, uint16_t colour, int scale) {
    for (char c : text) {
        const uint16_t bits = bitsFor(c);
        for (int i = 0; i < kTinyGlyphW * kTinyGlyphH; ++i) {
            if (!(bits >> (kTinyGlyphW * kTinyGlyphH - 1 - i) & 1)) continue;
            fillBlock(pixels, width, height, pitchPixels, x + (i % kTinyGlyphW) * scale,
                      y + (i / kTinyGlyphW) * scale, scale, colour);
        }
        x += kTinyAdvance * scale;
    }
}

int tinyTextWidth(const std::string& text, int scale) {
    return text.empty() ? 0 : (int(text.size()) * kTinyAdvance - 1) * scale;
}
