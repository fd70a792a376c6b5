// sub_players.lfl: the players panel. One column per player: the count
// button on top, the player's name box in the middle (the code writes the
// name into it) and the player's fruit below; the big picture of the
// chosen count wakes that many fruits and marks the chosen button.
#include <cairo.h>

#include <string>
#include <vector>

#include "artgen.h"
#include "menu/menu_layout.h"
#include "menu/menu_style.h"

namespace menuart {
namespace {

constexpr uint32_t kCardFill = 0xFFE2C4;
constexpr uint32_t kCardBorder = 0xF08A24;

// The name fields start 279, 79 and 120 px off the panel's x and 62 below
// its y (the panel stands at its offset); each box leaves 10 px before the
// text and room for ten wide letters after it.
constexpr int kFieldX[3] = {kPlayersOffsetX - 279, kPlayersOffsetX - 79, kPlayersOffsetX + 120};
constexpr int kBoxLead = 8;
constexpr int kBoxW = 192, kBoxH = 48;
constexpr int kBoxY = -70;
constexpr int kButtonY = 46;
constexpr int kButtonW = 160, kButtonH = 48;
constexpr int kCaptionY = -30;
constexpr int kMascotY = -150;
constexpr int kMascotR = 32;

constexpr uint32_t kPlayerColours[3] = {0xE8412C, 0xFF8A1F, 0xE0A800};
constexpr Fruit kPlayerFruit[3] = {Fruit::Apple, Fruit::Orange, Fruit::Lemon};

int columnX(int i) {
    return kFieldX[i] - kBoxLead + kBoxW / 2;
}
Frame boxFrame(int i) {
    return {columnX(i), kBoxY, kBoxW, kBoxH};
}
Frame buttonFrame(int i) {
    return {columnX(i), kButtonY, kButtonW, kButtonH};
}

CardStyle cardStyle() {
    return CardStyle{rgb(kCardFill), rgb(kCardBorder)};
}

// The card with the fruits of the first `count` players awake.
artgen::Picture bigPicture(int count) {
    const Frame f = kCard;
    artgen::Canvas c(f.w, f.h);
    cairo_t* cr = c.cr();
    drawCard(cr, f.w, f.h, cardStyle());
    drawText(cr, "HOW MANY PLAYERS?", f.px(0), f.py(96),
             headingStyle(24, rgb(0xFF8A1F), rgb(0x8A3D08)));
    // A gold pad under the chosen count's button.
    const Frame chosen = buttonFrame(count - 1);
    roundedRect(cr, f.px(chosen.cx) - chosen.w / 2.0 - 4, f.py(chosen.cy) - chosen.h / 2.0 - 4,
                chosen.w + 8, chosen.h + 14, 20);
    setColour(cr, lighter(rgb(kGold), 0.6));
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, 3);
    setColour(cr, rgb(kGold));
    cairo_stroke(cr);
    for (int i = 0; i < 3; ++i) {
        const bool playing = i < count;
        TextStyle cap;
        cap.size = 14;
        cap.fill = playing ? rgb(kInk) : rgb(0xB09A80);
        drawText(cr, "PLAYER " + std::to_string(i + 1), f.px(columnX(i)), f.py(kCaptionY), cap);
        const double mx = f.px(columnX(i)), my = f.py(kMascotY) + (playing ? -6 : 4);
        // A ground shadow, then the fruit: awake and bouncing, or dozing.
        cairo_save(cr);
        cairo_translate(cr, mx, f.py(kMascotY) + kMascotR + 6);
        cairo_scale(cr, 1.0, 0.25);
        cairo_arc(cr, 0, 0, kMascotR * 0.9, 0, 2 * kPi);
        cairo_restore(cr);
        setColour(cr, darker(rgb(kCardFill), 0.15));
        cairo_fill(cr);
        drawMascot(cr, kPlayerFruit[i], mx, my, kMascotR, playing ? Mood::Grin : Mood::Sleepy);
        if (!playing) {
            TextStyle z;
            z.size = 16;
            z.fill = rgb(0x7A8AB0);
            drawText(cr, "z", mx + kMascotR + 6, my - kMascotR, z);
            z.size = 12;
            drawText(cr, "z", mx + kMascotR + 18, my - kMascotR - 14, z);
        }
    }
    return flatten(c.picture(), kStripeMid);
}

artgen::Picture countButton(int i, bool lit, const artgen::Picture& card) {
    const Frame f = buttonFrame(i);
    artgen::Canvas c(f.w, f.h);
    cairo_t* cr = c.cr();
    PlaqueStyle s{rgb(kPlayerColours[i])};
    s.glow = lit;
    s.radius = 17;
    drawPlaque(cr, 0, 0, f.w, f.h, s);
    TextStyle t;
    t.size = 17;
    t.outline = darker(rgb(kPlayerColours[i]), 0.5);
    t.outlineWidth = 2;
    t.shadow = true;
    drawText(cr, i == 0 ? "1 PLAYER" : std::to_string(i + 1) + " PLAYERS", f.w / 2.0, f.h / 2.0 + 1,
             t);
    return flattenOver(c.picture(), f, card, kCard);
}

// A dark slate slot the light blue name letters stand out on.
artgen::Picture nameBox(int i, const artgen::Picture& card) {
    const Frame f = boxFrame(i);
    artgen::Canvas c(f.w, f.h);
    cairo_t* cr = c.cr();
    roundedRect(cr, 1.5, 1.5, f.w - 3, f.h - 3, 12);
    fillVertical(cr, 0, f.h, rgb(0x243056), rgb(0x3A4A7E));
    cairo_set_line_width(cr, 3);
    setColour(cr, rgb(0xF6F0FF));
    cairo_stroke(cr);
    roundedRect(cr, 4.5, 4.5, f.w - 9, f.h - 9, 9);
    cairo_set_line_width(cr, 1.5);
    setColour(cr, rgb(kPlayerColours[i]));
    cairo_stroke(cr);
    return flattenOver(c.picture(), f, card, kCard);
}

// Laid over the box of a player who is not playing, at partial opacity.
artgen::Picture cover(int i) {
    const Frame f = boxFrame(i);
    artgen::Canvas c(f.w, f.h);
    cairo_t* cr = c.cr();
    roundedRect(cr, 0, 0, f.w, f.h, 13);
    setColour(cr, rgb(0xC9C4BC));
    cairo_fill(cr);
    // A small padlock.
    const double x = f.w / 2.0, y = f.h / 2.0 + 4;
    cairo_arc(cr, x, y - 8, 6.5, kPi, 0);
    cairo_set_line_width(cr, 3);
    setColour(cr, rgb(0x77706A));
    cairo_stroke(cr);
    roundedRect(cr, x - 10, y - 8, 20, 15, 3);
    cairo_fill(cr);
    return flatten(c.picture(), 0xC9C4BC, 128);
}

void makePlayers(std::vector<artgen::ArchiveOut>& out) {
    artgen::ArchiveOut& a = out.emplace_back("sub_players.lfl");
    const int ox = kPlayersOffsetX, oy = kPlayersOffsetY;
    std::vector<artgen::Picture> bigs;
    for (int n = 1; n <= 3; ++n) {
        bigs.push_back(bigPicture(n));
        a.addRunLengthImage("big_" + std::to_string(n) + "p_01.eye", bigs.back(), kCard.at(ox, oy));
    }
    const artgen::Picture& card = bigs[0];  // every big picture has the same card under the buttons
    for (int i = 0; i < 3; ++i) {
        const std::string stem = "small_" + std::to_string(i + 1) + "p_0";
        a.addRunLengthImage(stem + "1.eye", countButton(i, false, card), buttonFrame(i).at(ox, oy));
        a.addRunLengthImage(stem + "2.eye", countButton(i, true, card), buttonFrame(i).at(ox, oy));
    }
    for (int i = 0; i < 3; ++i)
        a.addRunLengthImage("name_space_0" + std::to_string(i + 1) + ".eye", nameBox(i, card),
                            boxFrame(i).at(ox, oy));
    for (int i = 1; i < 3; ++i)
        a.addRunLengthImage("grey_space_0" + std::to_string(i + 1) + ".eye", cover(i),
                            boxFrame(i).at(ox, oy));
}

const artgen::Registration kReg("menu_players", makePlayers);

}  // namespace
}  // namespace menuart
