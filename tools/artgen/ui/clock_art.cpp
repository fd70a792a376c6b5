// "clock.lfl": the alarm clock at the left end of the status bar, which is
// also the pause button. Every picture is stored at the clock's spot
// (-342, 260); the clock is drawn in the upper part of its picture so it
// stays inside the status bar and clear of the board below.
//   alarm_clock        resting: red clock, golden bells, hands at ten past ten
//   pause_glow         under the mouse: the clock glows and shows the pause sign
//   paused             paused: a sleepy blue clock with the pause sign
//   alarm_clock_tick   the last 11 seconds, one frame a second: 10 down to 0
//                      on the face, shaking harder as the time runs out
//   alarm_clock_ringing time out: the clock rattles between its ringing bells
//   alarm_clock_hotspot.eye  never drawn: the clickable disc
#include <cmath>
#include <string>

#include "artgen.h"
#include "ui/ui_layout.h"
#include "ui/ui_paint.h"

namespace artgen::ui {
namespace {

constexpr int kClockW = 72, kClockH = 64;
constexpr double kCx = kClockW / 2, kCy = 29;  // clock centre inside its picture
constexpr double kBodyR = 19, kFaceR = 14.5;
constexpr double kBellR = 8;
constexpr double kHotSpotR = 24;
constexpr int kTickFrames = 11, kRingFrames = 12;
constexpr int kRingShakes = 3;  // rattles per loop of the ringing animation
constexpr double kPi = 3.14159265358979323846;
constexpr double kDegree = kPi / 180;
constexpr uint32_t kInk = 0x3A1208, kRed = 0xE8402A, kBlue = 0x4F86D8, kGold = 0xFFD23C;

enum class Face { Hands, Number, Pause };

struct ClockLook {
    double tilt = 0;  // radians
    double hop = 0;   // pixels up
    uint32_t body = kRed;
    Face face = Face::Hands;
    int number = 0;
    double hammer = 0;  // -1 left bell .. +1 right bell
    bool sleepy = false;
};

void disc(cairo_t* cr, double x, double y, double r, uint32_t fill, double line = 2.0) {
    cairo_new_path(cr);
    cairo_arc(cr, x, y, r, 0, 2 * kPi);
    setColour(cr, fill);
    cairo_fill_preserve(cr);
    setColour(cr, kInk);
    cairo_set_line_width(cr, line);
    cairo_stroke(cr);
}

void bells(cairo_t* cr, const ClockLook& look) {
    for (int side = -1; side <= 1; side += 2) {
        const double bx = side * 12.5, by = -kBodyR + 2;
        cairo_new_path(cr);
        cairo_arc(cr, bx, by, kBellR, kPi, 2 * kPi);
        cairo_close_path(cr);
        setColour(cr, kGold);
        cairo_fill_preserve(cr);
        setColour(cr, kInk);
        cairo_set_line_width(cr, 2);
        cairo_stroke(cr);
        disc(cr, bx, by - kBellR - 1, 1.8, kGold, 1.2);
    }
    // The hammer between the bells.
    const double hx = look.hammer * 6;
    cairo_move_to(cr, 0, -kBodyR + 1);
    cairo_line_to(cr, hx, -kBodyR - 8);
    setColour(cr, kInk);
    cairo_set_line_width(cr, 2.2);
    cairo_stroke(cr);
    disc(cr, hx, -kBodyR - 8.5, 2.6, kGold, 1.4);
}

void feet(cairo_t* cr) {
    for (int side = -1; side <= 1; side += 2) {
        cairo_move_to(cr, side * 9, kBodyR - 4);
        cairo_line_to(cr, side * 14, kBodyR + 4);
        setColour(cr, kInk);
        cairo_set_line_width(cr, 4);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_stroke(cr);
    }
}

void body(cairo_t* cr, uint32_t colour) {
    disc(cr, 0, 0, kBodyR, colour, 2.4);
    // A shine on the upper left of the case.
    cairo_new_path(cr);
    cairo_arc(cr, 0, 0, kBodyR - 2.5, 200 * kDegree, 250 * kDegree);
    setColour(cr, 0xFFFFFF, 0.55);
    cairo_set_line_width(cr, 2.2);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
    disc(cr, 0, 0, kFaceR, 0xFFF8E6, 1.6);
}

void hands(cairo_t* cr) {
    for (int h = 0; h < 12; ++h) {
        const double a = h * kPi / 6;
        cairo_new_path(cr);
        cairo_arc(cr, std::sin(a) * 11.5, -std::cos(a) * 11.5, h % 3 ? 0.8 : 1.3, 0, 2 * kPi);
        setColour(cr, kInk);
        cairo_fill(cr);
    }
    const double hour = -60 * kDegree, minute = 60 * kDegree;
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_move_to(cr, 0, 0);
    cairo_line_to(cr, std::sin(hour) * 6.5, -std::cos(hour) * 6.5);
    cairo_set_line_width(cr, 2.6);
    cairo_stroke(cr);
    cairo_move_to(cr, 0, 0);
    cairo_line_to(cr, std::sin(minute) * 9.5, -std::cos(minute) * 9.5);
    cairo_set_line_width(cr, 1.8);
    cairo_stroke(cr);
    disc(cr, 0, 0, 1.8, kRed, 1.0);
}

void pauseSign(cairo_t* cr, uint32_t colour) {
    for (int side = -1; side <= 1; side += 2) {
        roundedRect(cr, side * 4.2 - 2.6, -7, 5.2, 14, 1.8);
        setColour(cr, colour);
        cairo_fill_preserve(cr);
        setColour(cr, kInk);
        cairo_set_line_width(cr, 1.2);
        cairo_stroke(cr);
    }
}

void faceNumber(cairo_t* cr, int n) {
    const std::string s = std::to_string(n);
    lettering(cr, s, n >= 10 ? 15 : 18, 0, 0.5, n <= 3 ? 0xE0201A : 0xD8501A, 0xFFF8E6, 0.8);
}

void sleepyZ(cairo_t* cr) {
    lettering(cr, "z", 12, kBodyR + 5, -kBodyR + 4, 0xFFFFFF, 0x23407A, 1.6);
    lettering(cr, "z", 9, kBodyR + 12, -kBodyR - 4, 0xFFFFFF, 0x23407A, 1.4);
}

Picture clock(const ClockLook& look) {
    Canvas canvas(kClockW, kClockH);
    cairo_t* cr = canvas.cr();
    cairo_translate(cr, kCx, kCy - look.hop);
    cairo_rotate(cr, look.tilt);
    feet(cr);
    bells(cr, look);
    body(cr, look.body);
    switch (look.face) {
        case Face::Hands:
            hands(cr);
            break;
        case Face::Number:
            faceNumber(cr, look.number);
            break;
        case Face::Pause:
            pauseSign(cr, look.sleepy ? 0x7FB2FF : 0xFFB020);
            break;
    }
    if (look.sleepy) sleepyZ(cr);
    return canvas.picture();
}

// Little strokes either side of a ringing clock.
Picture ringLines(int frame) {
    Canvas canvas(kClockW, kClockH);
    cairo_t* cr = canvas.cr();
    const double reach = 3 + (frame % 2) * 3;
    for (int side = -1; side <= 1; side += 2)
        for (int k = 0; k < 3; ++k) {
            const double a = (-50 + k * 28) * kDegree;
            const double r0 = kBodyR + 5 + reach * 0.3, r1 = r0 + 3 + reach * 0.6;
            cairo_move_to(cr, kCx + side * std::cos(a) * r0, kCy + std::sin(a) * r0 * 0.9 - 8);
            cairo_line_to(cr, kCx + side * std::cos(a) * r1, kCy + std::sin(a) * r1 * 0.9 - 8);
        }
    setColour(cr, 0xFFF27A);
    cairo_set_line_width(cr, 2.4);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke_preserve(cr);
    setColour(cr, kInk, 0.6);
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
    return canvas.picture();
}

Picture shadowed(const Picture& p) {
    return withShadow(p, 1, 2, 2, 0.5);
}

Picture glowing(const Picture& p) {
    Picture out = blankPicture(p.w, p.h);
    const Picture halo = softShadow(p, 5, 0xFFE840, 1.0);
    over(out, halo, 0, 0);
    over(out, halo, 0, 0);
    over(out, softShadow(p, 2, 0xFFFFFF, 1.0), 0, 0);
    over(out, p, 0, 0);
    return out;
}

// 10 seconds left at frame 0, none at frame 10: the clock shakes harder and
// glows hotter as the count drops.
Picture tickFrame(int i) {
    ClockLook look;
    look.face = Face::Number;
    look.number = kTickFrames - 1 - i;
    const double urgency = double(i) / (kTickFrames - 1);
    look.tilt = (i % 2 ? -1 : 1) * (3 + 5 * urgency) * kDegree;
    look.hammer = i % 2 ? -0.6 : 0.6;
    look.body = urgency > 0.6 ? 0xFF3018 : kRed;
    return shadowed(clock(look));
}

Picture ringFrame(int i) {
    ClockLook look;
    const double phase = 2 * kPi * kRingShakes * i / kRingFrames;
    look.tilt = 11 * kDegree * std::sin(phase);
    look.hop = 1.5 + 1.5 * std::cos(2 * phase);
    look.hammer = std::sin(phase) >= 0 ? 1 : -1;
    look.body = 0xFF3A20;
    Picture out = shadowed(clock(look));
    over(out, ringLines(i), 0, 0);
    return out;
}

Picture hotSpot() {
    Canvas canvas(kClockW, kClockH);
    cairo_arc(canvas.cr(), kCx, kCy - 2, kHotSpotR, 0, 2 * kPi);
    setColour(canvas.cr(), 0xFF00FF);
    cairo_fill(canvas.cr());
    return hardEdged(canvas.picture());
}

void buildClock(std::vector<ArchiveOut>& out) {
    ArchiveOut& a = out.emplace_back("clock.lfl");
    const Placement at{float(kClockX), float(kClockY), float(kClockDepth)};
    a.addSpriteFrame("alarm_clock", 1, shadowed(clock({})), at);
    ClockLook hover;
    hover.face = Face::Pause;
    a.addSpriteFrame("pause_glow", 1, glowing(clock(hover)), at);
    ClockLook paused;
    paused.face = Face::Pause;
    paused.body = kBlue;
    paused.sleepy = true;
    paused.tilt = -6 * kDegree;
    a.addSpriteFrame("paused", 1, shadowed(clock(paused)), at);
    for (int i = 0; i < kTickFrames; ++i)
        a.addSpriteFrame("alarm_clock_tick", i + 1, tickFrame(i), at);
    for (int i = 0; i < kRingFrames; ++i)
        a.addSpriteFrame("alarm_clock_ringing", i + 1, ringFrame(i), at);
    a.addRunLengthImage("alarm_clock_hotspot.eye", hotSpot(), at);
}

const Registration kReg("ui_clock", buildClock);

}  // namespace
}  // namespace artgen::ui
