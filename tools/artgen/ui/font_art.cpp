// "font.lfl": the 50 glyphs of the play screen's lettering (level intros,
// the time-out message and the status-bar numbers). Bold rounded capitals
// in a sunny yellow-to-orange with a dark outline; the soft drop shadow is
// translucent, so it lands in each glyph's alpha layer.
//
// The game centres every glyph picture on its pen position and advances
// the pen by the picture's width, so letters share one width (a narrow
// letter then sits in the middle of its cell instead of crowding the next
// one); digits are one 23-pixel step of the number displays wide.
#include <cmath>
#include <string>

#include "artgen.h"
#include "ui/ui_paint.h"

namespace artgen::ui {
namespace {

constexpr int kGlyphHeight = 38;
constexpr int kLetterWidth = 25;
constexpr int kDigitWidth = 23;
constexpr int kPuncWidth = 22;
constexpr int kStopWidth = 16;  // full stop and comma
constexpr int kTickWidth = 18;  // exclamation mark and quotes
constexpr int kColonWidth = 14;
constexpr double kFontSize = 30.0;
constexpr double kBaseline = 28.5;
constexpr double kCapTop = 6.5;
constexpr double kOutline = 2.5;
constexpr double kSerif = 13, kSerifThickness = 4;  // the capital I's slabs
constexpr int kShadowDx = 2, kShadowDy = 3, kShadowBlur = 2;
constexpr double kShadowOpacity = 0.6;
constexpr uint32_t kFillTop = 0xFFF59A, kFillBottom = 0xFF9A14, kOutlineColour = 0x5E260A;

// Punctuation in file order 01..14.
constexpr const char* kPunctuation = "?.+-:\"',!&*()#";

// Marks that trail a word are drawn at the left of a narrow picture: the
// game centres a glyph on the pen, so a centred full stop would float
// halfway into the gap after its word.
struct Cell {
    int width;
    bool leftAligned;
};

Cell cellOf(char c) {
    if (c >= '0' && c <= '9') return {kDigitWidth, false};
    if (c >= 'A' && c <= 'Z') return {kLetterWidth, false};
    switch (c) {
        case '.':
        case ',':
            return {kStopWidth, true};
        case '!':
        case '\'':
        case '"':
            return {kTickWidth, true};
        case ':':
            return {kColonWidth, false};  // sits centred between minutes and seconds
        default:
            return {kPuncWidth, false};
    }
}

// The room left for ink once the outline has its share; a wide letter's
// soft shadow may lose a pixel at the edge.
double inkRoom(int width) {
    return width - 2 * kOutline - 1;
}

// A slab-serif capital I, so it fills its cell like the other letters.
void serifI(cairo_t* cr, double stem, double centre) {
    const double top = kCapTop, s = kSerif / 2, t = stem / 2;
    const double pts[][2] = {{-s, top},
                             {s, top},
                             {s, top + kSerifThickness},
                             {t, top + kSerifThickness},
                             {t, kBaseline - kSerifThickness},
                             {s, kBaseline - kSerifThickness},
                             {s, kBaseline},
                             {-s, kBaseline},
                             {-s, kBaseline - kSerifThickness},
                             {-t, kBaseline - kSerifThickness},
                             {-t, top + kSerifThickness},
                             {-s, top + kSerifThickness}};
    cairo_new_path(cr);
    for (const auto& p : pts) cairo_line_to(cr, centre + p[0], p[1]);
    cairo_close_path(cr);
}

void glyphPath(cairo_t* cr, char c) {
    const Cell cell = cellOf(c);
    const std::string s(1, c);
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    cairo_set_font_size(cr, kFontSize);
    cairo_text_extents_t e;
    cairo_text_extents(cr, s.c_str(), &e);
    const double squeeze = e.width > inkRoom(cell.width) ? inkRoom(cell.width) / e.width : 1.0;
    const double centre =
        cell.leftAligned ? 1 + kOutline + e.width * squeeze / 2 : (cell.width - 1) / 2.0;
    if (c == 'I') return serifI(cr, e.width, centre);
    cairo_save(cr);
    cairo_translate(cr, centre, kBaseline);
    cairo_scale(cr, squeeze, 1.0);
    cairo_move_to(cr, -e.width / 2 - e.x_bearing, 0);
    cairo_text_path(cr, s.c_str());
    cairo_restore(cr);
}

Picture glyph(char c) {
    const int width = cellOf(c).width;
    Canvas canvas(width, kGlyphHeight);
    cairo_t* cr = canvas.cr();
    glyphPath(cr, c);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_width(cr, kOutline * 2);
    setColour(cr, kOutlineColour);
    cairo_stroke_preserve(cr);
    cairo_pattern_t* fill = cairo_pattern_create_linear(0, kCapTop, 0, kBaseline);
    cairo_pattern_add_color_stop_rgb(fill, 0, ((kFillTop >> 16) & 255) / 255.0,
                                     ((kFillTop >> 8) & 255) / 255.0, (kFillTop & 255) / 255.0);
    cairo_pattern_add_color_stop_rgb(fill, 1, ((kFillBottom >> 16) & 255) / 255.0,
                                     ((kFillBottom >> 8) & 255) / 255.0,
                                     (kFillBottom & 255) / 255.0);
    cairo_set_source(cr, fill);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(fill);
    // A glossy band across the top half of the letter.
    cairo_clip(cr);
    cairo_rectangle(cr, 0, kCapTop - 2, width, (kBaseline - kCapTop) * 0.38);
    setColour(cr, 0xFFFFFF, 0.35);
    cairo_fill(cr);
    cairo_reset_clip(cr);
    return withShadow(canvas.picture(), kShadowDx, kShadowDy, kShadowBlur, kShadowOpacity);
}

void buildFont(std::vector<ArchiveOut>& out) {
    ArchiveOut& font = out.emplace_back("font.lfl");
    for (int d = 0; d < 10; ++d)
        font.addSpriteFrame("interface_number", d + 1, glyph(char('0' + d)));
    for (int l = 0; l < 26; ++l)
        font.addSpriteFrame("interface_letter", l + 1, glyph(char('A' + l)));
    const std::string punc = kPunctuation;
    for (size_t i = 0; i < punc.size(); ++i)
        font.addSpriteFrame("interface_punc", int(i) + 1, glyph(punc[i]));
}

const Registration kReg("ui_font", buildFont);

}  // namespace
}  // namespace artgen::ui
