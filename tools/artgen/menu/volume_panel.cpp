// sub_volume.lfl: the volume panel. The music label is the card itself with
// its heading; the sound effects heading sits 140 px lower, above the same
// eleven chips drawn again for the sound row. Chips run from a pale to a
// deep blue as the volume rises; a glow is the lit chip, gold-ringed.
#include <cairo.h>

#include <cmath>
#include <string>
#include <vector>

#include "artgen.h"
#include "menu/menu_layout.h"
#include "menu/menu_style.h"

namespace menuart {
namespace {

constexpr uint32_t kCardFill = 0xD6EEFF;
constexpr uint32_t kCardBorder = 0x3FA9F5;
constexpr uint32_t kQuiet = 0x9ADCF5, kLoud = 0x3D6FE0;

constexpr int kSteps = 11;
constexpr int kChipFirstX = -300, kChipStep = 60;
constexpr int kChipSize = 52;
constexpr int kMusicRowY = 30;
constexpr int kHeadingAbove = 54;  // from a row to its heading

constexpr Frame kSoundHeading{0, kMusicRowY - kSoundRowDrop + kHeadingAbove, 340, 36};

Frame chipFrame(int i) {
    return {kChipFirstX + i * kChipStep, kMusicRowY, kChipSize, kChipSize};
}

TextStyle heading() {
    return headingStyle(22, rgb(0x3FA9F5), rgb(0x164E8A));
}

// A quaver for the music heading.
void note(cairo_t* cr, double x, double y, Rgb c) {
    cairo_save(cr);
    cairo_translate(cr, x, y + 8);
    cairo_rotate(cr, -0.35);
    cairo_scale(cr, 1.0, 0.75);
    cairo_arc(cr, 0, 0, 6.5, 0, 2 * kPi);
    cairo_restore(cr);
    setColour(cr, c);
    cairo_fill(cr);
    cairo_rectangle(cr, x + 4.5, y - 14, 2.6, 22);
    cairo_fill(cr);
    cairo_move_to(cr, x + 7, y - 14);
    cairo_curve_to(cr, x + 12, y - 9, x + 16, y - 7, x + 14, y + 1);
    cairo_set_line_width(cr, 2.6);
    cairo_stroke(cr);
}

// A loudspeaker with sound waves for the effects heading.
void speaker(cairo_t* cr, double x, double y, Rgb c) {
    cairo_move_to(cr, x - 10, y - 5);
    cairo_line_to(cr, x - 4, y - 5);
    cairo_line_to(cr, x + 4, y - 12);
    cairo_line_to(cr, x + 4, y + 12);
    cairo_line_to(cr, x - 4, y + 5);
    cairo_line_to(cr, x - 10, y + 5);
    cairo_close_path(cr);
    setColour(cr, c);
    cairo_fill(cr);
    for (int i = 1; i <= 2; ++i) {
        cairo_arc(cr, x + 4, y, 6.0 * i + 2, -0.8, 0.8);
        cairo_set_line_width(cr, 2.4);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_stroke(cr);
        cairo_new_path(cr);
    }
}

artgen::Picture musicCard() {
    const Frame f = kCard;
    artgen::Canvas c(f.w, f.h);
    cairo_t* cr = c.cr();
    drawCard(cr, f.w, f.h, CardStyle{rgb(kCardFill), rgb(kCardBorder)});
    const double hy = f.py(kMusicRowY + kHeadingAbove);
    drawText(cr, "MUSIC", f.px(0), hy, heading());
    note(cr, f.px(-70), hy, rgb(0x164E8A));
    note(cr, f.px(62), hy - 2, rgb(0x164E8A));
    // A trough under each row so the chips read as one slider.
    for (int drop : {0, kSoundRowDrop}) {
        const double y = f.py(kMusicRowY - drop);
        roundedRect(cr, f.px(kChipFirstX - 32), y - 10, (kSteps - 1) * kChipStep + 64, 20, 10);
        setColour(cr, darker(rgb(kCardFill), 0.1));
        cairo_fill(cr);
    }
    return flatten(c.picture(), kStripeMid);
}

artgen::Picture soundHeading(const artgen::Picture& card) {
    const Frame f = kSoundHeading;
    artgen::Canvas c(f.w, f.h);
    cairo_t* cr = c.cr();
    drawText(cr, "SOUND EFFECTS", f.w / 2.0 + 14, f.h / 2.0, heading());
    speaker(cr, 22, f.h / 2.0, rgb(0x164E8A));
    return flattenOver(c.picture(), f, card, kCard);
}

artgen::Picture chip(int i, bool lit, const artgen::Picture& card) {
    const Frame f = chipFrame(i);
    artgen::Canvas c(f.w, f.h);
    cairo_t* cr = c.cr();
    const Rgb colour = mix(rgb(kQuiet), rgb(kLoud), i / 10.0);
    // Unlit chips are a little smaller, so a lit one visibly swells.
    drawToken(cr, f.w / 2.0, f.h / 2.0, lit ? kChipSize / 2.0 : kChipSize / 2.0 - 4, colour, lit);
    TextStyle t;
    t.size = i == 10 ? 16 : 18;
    t.fill = lit ? rgb(0xFFFFFF) : darker(colour, 0.5);
    t.outline = darker(colour, 0.55);
    t.outlineWidth = lit ? 2 : 0;
    drawText(cr, std::to_string(i), f.w / 2.0, f.h / 2.0 + 0.5, t);
    return flattenOver(c.picture(), f, card, kCard);
}

std::string two(int i) {
    return (i < 10 ? "0" : "") + std::to_string(i);
}

void makeVolume(std::vector<artgen::ArchiveOut>& out) {
    artgen::ArchiveOut& a = out.emplace_back("sub_volume.lfl");
    const artgen::Picture card = musicCard();
    a.addRunLengthImage("music_volume_01.eye", card, kCard.at());
    a.addRunLengthImage("soundfx_volume_01.eye", soundHeading(card), kSoundHeading.at());
    for (int i = 0; i < kSteps; ++i) {
        a.addRunLengthImage("chip_" + two(i) + ".eye", chip(i, false, card), chipFrame(i).at());
        a.addRunLengthImage("chip_glow_" + two(i) + ".eye", chip(i, true, card), chipFrame(i).at());
    }
}

const artgen::Registration kReg("menu_volume", makeVolume);

}  // namespace
}  // namespace menuart
