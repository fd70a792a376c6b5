// Large display lettering built from pre-drawn letter pictures: the global
// glyph table (50 layered sprites from "font.lfl"), a single glyph drawable,
// and a block of centred lines of glyphs that can fly apart step by step
// (the effect that ends a level intro).
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "assets/linked_file.h"
#include "render/drawable.h"
#include "render/layered_sprite.h"

class kwGlyphTable {
public:
    static constexpr int kGlyphCount = 50;
    static constexpr int kDigitBase = 0;         // "0".."9"
    static constexpr int kLetterBase = 10;       // "A".."Z"
    static constexpr int kPunctuationBase = 36;  // see kPunctuation in the .cpp

    kwGlyphTable() = default;
    ~kwGlyphTable();
    kwGlyphTable(const kwGlyphTable&) = delete;
    kwGlyphTable& operator=(const kwGlyphTable&) = delete;

    void load();    // reads "font.lfl"; nothing if already loaded
    void unload();  // nothing unless loaded
    // The glyph for a character code, or null (space, control codes, > 127).
    kwLayeredSprite* glyphFor(uint8_t c) const;

    std::array<std::unique_ptr<kwLayeredSprite>, kGlyphCount> glyphs;
    std::unique_ptr<kwLinkedFileList> archive;
    bool loaded = false;
};

// The one table; null until createGlyphTable().
extern kwGlyphTable* glyphTable;
void createGlyphTable();  // new + load
void deleteGlyphTable();  // unload + delete
// glyphFor on the global table (null while there is none).
kwLayeredSprite* glyphFor(uint8_t c);

class kwGlyph : public kwDrawable {
public:
    static constexpr int32_t kSpaceWidth = 14;  // width of a character without a glyph
    static constexpr int32_t kHeight = 35;

    void draw() override;
    bool place() override { return true; }
    int32_t getWidth() override;
    int32_t getHeight() override { return kHeight; }

    uint8_t character = '0';
};

class kwGlyphText : public kwDrawable {
public:
    static constexpr int32_t kCapacity = 100;
    static constexpr int32_t kLineSpacing = 35;
    static constexpr float kDefaultDepth = 100.0f;

    kwGlyphText();

    // Appends `s` as a new centred line; returns the widest line's width.
    // Characters beyond the capacity are dropped.
    int32_t addLine(const char* s);
    // Moves every letter a tenth of its distance from the block's centre
    // outwards (at least one pixel right and up).
    void explodeStep();
    void draw() override;

    int32_t count = 0;
    std::array<kwGlyph, kCapacity> letters;
    std::array<int32_t, kCapacity> lineOf{};
    int32_t widest = 0;
    int32_t lines = 0;

private:
    int32_t topOffset() const;
    float absoluteX(int32_t i) const;
    float absoluteY(int32_t i, int32_t top) const;
};
